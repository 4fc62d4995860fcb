#!/usr/bin/env python3
"""Draws the four 16x16 pictures of the result list's popup menu as 256-colour bitmaps.

Run: python3 tools/make_menu_bitmaps.py
Writes resources/menu_open_file.bmp (a page with a green arrow: open), menu_delete_file.bmp
(a page crossed out in red: delete), menu_open_folder.bmp (a yellow folder) and
menu_properties.bmp (a form with a blue "i": properties). 8 bits per pixel with a
256-entry palette, bottom-up rows. The output is reproducible byte for byte; commit it
together with this script.
"""
import os
import struct

# The menu's left strip, so the pictures sit on it without a box round them.
COLOURS = {
    ".": (128, 128, 255),
    "k": (48, 48, 64),      # outline
    "w": (255, 255, 255),   # paper
    "g": (176, 176, 176),   # folded corner
    "b": (40, 70, 170),     # lines of text
    "G": (0, 150, 40),      # arrow
    "r": (220, 20, 20),     # cross
    "y": (255, 214, 90),    # folder front
    "Y": (210, 150, 20),    # folder back and edge
    "i": (20, 100, 220),    # information badge
}
ORDER = ".kwgbGryYi"

OPEN_FILE = [
    "................",
    ".kkkkkkkk.......",
    ".kwwwwwwgk......",
    ".kwbbbbwggk.....",
    ".kwwwwwwkkkk....",
    ".kwbbbbbbbwk....",
    ".kwwwwwwwwwk....",
    ".kwbbbbbbbwk....",
    ".kwwwwwwGwwk....",
    ".kwbbbbbGGwk....",
    ".kwGGGGGGGGG....",
    ".kwGGGGGGGGGG...",
    ".kwwwwwwGGGG....",
    ".kwwwwwwGkkk....",
    ".kkkkkkkk.......",
    "................",
]

DELETE_FILE = [
    "................",
    ".kkkkkkkk.......",
    ".kwwwwwwgk......",
    ".rrwbbbwggk..rr.",
    ".rrrwwwwkkkkrrr.",
    "..rrrbbbbbwrrr..",
    "...rrrwwwwrrr...",
    "....rrrbbrrr....",
    ".kwwwrrrrrrwk...",
    ".kwbbbrrrrbwk...",
    ".kwwwrrrrrrwk...",
    ".kwbrrrbbrrrk...",
    ".kwrrrwwwwrrr...",
    ".krrrwwwwwwrrr..",
    ".rrrkkkkkkkkrrr.",
    ".rr..........rr.",
]

OPEN_FOLDER = [
    "................",
    "................",
    "................",
    ".YYYYY..........",
    "YyyyyyY.........",
    "YyyyyyyYYYYYYY..",
    "YyyyyyyyyyyyyY..",
    "YyyyYYYYYYYYYYYY",
    "YyyYyyyyyyyyyyyY",
    "YyyYyyyyyyyyyyY.",
    "YyYyyyyyyyyyyyY.",
    "YyYyyyyyyyyyyY..",
    "YYyyyyyyyyyyyY..",
    "YYYYYYYYYYYYYY..",
    "................",
    "................",
]

PROPERTIES = [
    "................",
    ".kkkkkkkkkkk....",
    ".kwwwwwwwwwk....",
    ".kwbbwbbbbwk....",
    ".kwwwwwwwwwk....",
    ".kwbbwbbbwwk....",
    ".kwwwwwwwwwk....",
    ".kwbbwbbbbwk....",
    ".kwwwwwwiiii....",
    ".kwbbwbiiiiii...",
    ".kwwwwiiiwiiii..",
    ".kwwwwiiiiiiii..",
    ".kkkkkiiiwiiii..",
    "......iiiwiiii..",
    ".......iiwwii...",
    "........iiii....",
]

PICTURES = {
    "menu_open_file.bmp": OPEN_FILE,
    "menu_delete_file.bmp": DELETE_FILE,
    "menu_open_folder.bmp": OPEN_FOLDER,
    "menu_properties.bmp": PROPERTIES,
}


def bitmap(rows):
    assert len(rows) == 16 and all(len(r) == 16 for r in rows)
    palette = b"".join(bytes((c[2], c[1], c[0], 0)) for c in (COLOURS[k] for k in ORDER))
    palette += bytes(4 * (256 - len(ORDER)))
    pixels = b"".join(bytes(ORDER.index(ch) for ch in row) for row in reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def main():
    folder = os.path.join(os.path.dirname(__file__), "..", "resources")
    for name, rows in PICTURES.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(bitmap(rows))


if __name__ == "__main__":
    main()

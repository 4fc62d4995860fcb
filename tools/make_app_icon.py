#!/usr/bin/env python3
"""Draws the program icon (a magnifying glass over a sheet of text) as resources/QuelbrixU.ico.

Run: python3 tools/make_app_icon.py        (writes 16x16 and 32x32 images, 32 bits per pixel)
The output is reproducible byte for byte; commit it together with this script.
"""
import math
import os
import struct

PAPER = (255, 255, 255, 255)
EDGE = (90, 90, 110, 255)
TEXT = (120, 140, 190, 255)
RIM = (40, 60, 150, 255)
GLASS = (190, 225, 255, 200)
HANDLE = (120, 70, 30, 255)
CLEAR = (0, 0, 0, 0)


def pixel(size, x, y):
    s = size / 32.0
    cx, cy, r = 19 * s, 13 * s, 8 * s
    d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
    # Handle: a thick line from the lens towards the lower right corner.
    hx, hy = x + 0.5 - cx, y + 0.5 - cy
    along = (hx + hy) / math.sqrt(2)
    across = abs(hx - hy) / math.sqrt(2)
    if r < along < r + 9 * s and across < 2.2 * s:
        return HANDLE
    if d <= r + 0.5 and d >= r - 1.8 * s:
        return RIM
    if d < r - 1.8 * s:
        return GLASS
    if 3 * s <= x < 21 * s and 2 * s <= y < 29 * s:
        if x < 4 * s or x >= 20 * s or y < 3 * s or y >= 28 * s:
            return EDGE
        if int(y / s) % 4 == 1 and 6 * s <= x < 18 * s:
            return TEXT
        return PAPER
    return CLEAR


def image(size):
    rows = []
    for y in reversed(range(size)):  # bitmaps are stored bottom-up
        rows.append(b"".join(bytes((p[2], p[1], p[0], p[3])) for p in
                             (pixel(size, x, y) for x in range(size))))
    colour = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # the alpha channel decides; the AND mask is all zero
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask),
                         0, 0, 0, 0)
    return header + colour + mask


def main():
    sizes = [16, 32]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    target = os.path.join(os.path.dirname(__file__), "..", "resources", "QuelbrixU.ico")
    with open(target, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()

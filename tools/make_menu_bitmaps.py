#!/usr/bin/env python3
"""Draws the four pictures of the result list's popup menu as 256-colour bitmaps, in the three
sizes the menu picks from by the screen's DPI: 16x16 (100 %), 24x24 (150 %) and 32x32 (200 %).

Run: python3 tools/make_menu_bitmaps.py
Writes resources/menu_open_file.bmp (a page with a green arrow: open), menu_delete_file.bmp
(a page crossed out in red: delete), menu_open_folder.bmp (a yellow folder) and
menu_properties.bmp (a form with a blue "i": properties), and the same names ending in _24
and _32. The 16x16 pictures are drawn pixel by pixel below; the larger ones are drawn from
shapes at their own size (edges on whole pixels, slanted edges and circles smoothed by 4x4
samples per pixel), not enlarged from the small ones. 8 bits per pixel with a 256-entry
palette, bottom-up rows. The output is reproducible byte for byte; commit it together with
this script.
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


def bitmap_file(size, pixels, palette_colours):
    """An 8-bit bitmap file of `size` x `size` palette indexes (rows from the top)."""
    palette = b"".join(bytes((c[2], c[1], c[0], 0)) for c in palette_colours)
    palette += bytes(4 * (256 - len(palette_colours)))
    stride = (size + 3) // 4 * 4
    data = b"".join(bytes(row) + bytes(stride - size) for row in reversed(pixels))
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + palette + data


def bitmap(rows):
    assert len(rows) == 16 and all(len(r) == 16 for r in rows)
    pixels = [[ORDER.index(ch) for ch in row] for row in rows]
    return bitmap_file(16, pixels, [COLOURS[k] for k in ORDER])


# ---- The larger sizes, drawn from shapes ----
#
# Shapes are laid out on the 16-unit grid of the small pictures (unit i is the small picture's
# pixel column or row i) and scaled to the size drawn. Corners land on whole pixels, so
# straight edges stay sharp; outlines are whole pixels wide.

SAMPLES = 4  # per pixel and axis


def snapped(points, scale):
    return [(round(x * scale), round(y * scale)) for x, y in points]


def rectangle(left, top, right, bottom):
    return [(left, top), (right, top), (right, bottom), (left, bottom)]


def clockwise(points):
    area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))
    return area > 0  # y grows downwards


def inset(points, width):
    """A convex polygon moved `width` pixels inwards on every edge."""
    sign = 1 if clockwise(points) else -1
    lines = []
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        dx, dy = x1 - x0, y1 - y0
        length = (dx * dx + dy * dy) ** 0.5
        nx, ny = -dy / length * sign, dx / length * sign  # points inside
        lines.append(((x0 + nx * width, y0 + ny * width), (dx, dy)))
    corners = []
    for (p, d), (q, e) in zip(lines[-1:] + lines[:-1], lines):
        # p + t d meets q + u e
        det = d[0] * (-e[1]) - d[1] * (-e[0])
        t = ((q[0] - p[0]) * (-e[1]) - (q[1] - p[1]) * (-e[0])) / det
        corners.append((p[0] + t * d[0], p[1] + t * d[1]))
    return corners


def stroke(start, end, width):
    """A straight line `width` units wide as a polygon."""
    (x0, y0), (x1, y1) = start, end
    dx, dy = x1 - x0, y1 - y0
    length = (dx * dx + dy * dy) ** 0.5
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    return [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]


def inside_convex(points, x, y):
    sign = 0
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        cross = (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0)
        if cross == 0:
            continue
        side = 1 if cross > 0 else -1
        if sign == 0:
            sign = side
        elif side != sign:
            return False
    return True


class Canvas:
    def __init__(self, size, background):
        self.size = size
        self.pixels = [[background] * size for _ in range(size)]

    def paint(self, covers, colour, bounds):
        """Blends `colour` in by how many of each pixel's samples `covers` takes."""
        left, top, right, bottom = bounds
        full = SAMPLES * SAMPLES
        for y in range(max(0, int(top) - 1), min(self.size, int(bottom) + 2)):
            for x in range(max(0, int(left) - 1), min(self.size, int(right) + 2)):
                hits = sum(
                    covers(x + (i + 0.5) / SAMPLES, y + (j + 0.5) / SAMPLES)
                    for j in range(SAMPLES)
                    for i in range(SAMPLES)
                )
                if hits:
                    old = self.pixels[y][x]
                    self.pixels[y][x] = tuple(
                        (o * (full - hits) + c * hits + full // 2) // full
                        for o, c in zip(old, colour)
                    )

    def polygon(self, points, colour):
        xs = [x for x, _ in points]
        ys = [y for _, y in points]
        self.paint(lambda x, y: inside_convex(points, x, y), colour,
                   (min(xs), min(ys), max(xs), max(ys)))

    def disc(self, cx, cy, radius, colour):
        self.paint(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius, colour,
                   (cx - radius, cy - radius, cx + radius, cy + radius))

    def outlined(self, parts, edge, fill, width):
        """Convex parts drawn as one shape: every part in `edge`, then every part's inside
        (`width` pixels in) in `fill`, so parts that overlap show no edge between them."""
        for part in parts:
            self.polygon(part, edge)
        for part in parts:
            self.polygon(inset(part, width), fill)


class Picture:
    """Draws on a canvas of `size` pixels in units of the 16-pixel grid."""

    def __init__(self, size):
        self.scale = size / 16
        self.canvas = Canvas(size, COLOURS["."])
        self.line = 1 if size < 32 else 2  # outline width in pixels

    def px(self, points):
        return snapped(points, self.scale)

    def outlined(self, shapes, edge, fill, line=None):
        self.canvas.outlined([self.px(s) for s in shapes], COLOURS[edge], COLOURS[fill],
                             line or self.line)

    def fill(self, shape, colour):
        self.canvas.polygon(self.px(shape), COLOURS[colour])

    def smooth(self, shape, colour):
        """A shape whose corners need not lie on whole pixels (slanted strokes)."""
        s = self.scale
        self.canvas.polygon([(x * s, y * s) for x, y in shape], COLOURS[colour])

    def disc(self, cx, cy, radius, colour):
        s = self.scale
        self.canvas.disc(cx * s, cy * s, radius * s, COLOURS[colour])


def page(picture, lines):
    """A sheet with its top right corner folded over and `lines` of text."""
    picture.outlined([[(1, 1), (9, 1), (12, 4), (12, 15), (1, 15)]], "k", "w")
    picture.outlined([[(9, 1), (12, 4), (9, 4)]], "k", "g", line=1)  # small: a thin edge
    for left, top, right in lines:
        picture.fill(rectangle(left, top, right, top + 1), "b")


def draw_open_file(picture):
    page(picture, [(3, 3, 7), (3, 5, 10), (3, 7, 10), (3, 9, 8)])
    picture.fill(rectangle(3, 10, 9, 12), "G")
    picture.smooth([(8, 7.5), (13.5, 11), (8, 14.5)], "G")


def draw_delete_file(picture):
    page(picture, [(3, 3, 7), (3, 5, 10), (3, 7, 10), (3, 9, 10), (3, 11, 10)])
    picture.smooth(stroke((1.6, 3.3), (14.4, 15.7), 2.6), "r")
    picture.smooth(stroke((14.4, 3.3), (1.6, 15.7), 2.6), "r")


def draw_open_folder(picture):
    picture.outlined([[(0, 4), (1, 3), (5, 3), (7, 5), (7, 8), (0, 8)],
                      rectangle(0, 5, 14, 14)], "Y", "y")
    picture.outlined([[(4, 7), (16, 7), (14, 14), (0, 14)]], "Y", "y")


def draw_properties(picture):
    picture.outlined([rectangle(1, 1, 12, 13)], "k", "w")
    for top in (3, 5, 7, 9):
        picture.fill(rectangle(3, top, 5, top + 1), "b")
        picture.fill(rectangle(6, top, 10 if top != 5 else 9, top + 1), "b")
    picture.disc(10, 12, 4.1, "i")
    picture.disc(10, 9.9, 0.85, "w")
    picture.fill(rectangle(9.25, 11.25, 10.75, 14.75), "w")


DRAWN = {
    "menu_open_file": draw_open_file,
    "menu_delete_file": draw_delete_file,
    "menu_open_folder": draw_open_folder,
    "menu_properties": draw_properties,
}


def drawn_bitmap(draw, size):
    picture = Picture(size)
    draw(picture)
    colours = sorted({c for row in picture.canvas.pixels for c in row})
    assert len(colours) <= 256, len(colours)
    index = {c: i for i, c in enumerate(colours)}
    pixels = [[index[c] for c in row] for row in picture.canvas.pixels]
    return bitmap_file(size, pixels, colours)


def main():
    folder = os.path.join(os.path.dirname(__file__), "..", "resources")
    for name, rows in PICTURES.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(bitmap(rows))
    for name, draw in DRAWN.items():
        for size in (24, 32):
            with open(os.path.join(folder, "%s_%d.bmp" % (name, size)), "wb") as f:
                f.write(drawn_bitmap(draw, size))


if __name__ == "__main__":
    main()

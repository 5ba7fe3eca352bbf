#!/usr/bin/env python3
"""Draws Tessaly's icon (a yellow folder with a green arrow leaving it) at every size a display scale asks for.

The drawing is a few outlined shapes on a 32-unit grid, filled pixel by pixel at the small sizes (crisp) and with
smooth edges from 32 up; the outline stays at least one pixel wide. Sizes 16 to 32 are 32-bit bitmaps with an AND mask,
40 and up PNG images (as Windows Vista and later read them). Run once after changing the drawing; the resulting res/Tessaly.ico
is committed:
    python3 res/make-icon.py res/Tessaly.ico
"""
import math
import struct
import sys
import zlib

SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
# Sizes from 40 up are PNG images, a quarter of the bytes of a bitmap and the same pixels: only the display scales of
# Windows Vista and later ask for them.
PNG_FROM = 40

BLACK = (0, 0, 0)
YELLOW = (255, 255, 0)
OLIVE = (128, 128, 0)
WHITE = (255, 255, 255)
GREEN = (0, 128, 0)
LIME = (0, 255, 0)

# Shapes in drawing order: (points on the 32-unit grid, fill colour). Each is outlined in black.
FOLDER_TAB = [(1.5, 5.5), (12.0, 5.5), (14.5, 8.5), (1.5, 8.5)]
FOLDER_BODY = [(1.5, 8.5), (28.5, 8.5), (28.5, 28.5), (1.5, 28.5)]
ARROW = [(8.0, 15.0), (19.5, 15.0), (19.5, 10.5), (29.0, 18.0), (19.5, 25.5), (19.5, 21.0), (8.0, 21.0)]
# Lighter strips inside the shapes: (rectangle x0, y0, x1, y1 on the grid, colour).
HIGHLIGHTS = [
    ((2.5, 10.0, 27.5, 11.0), WHITE),   # the body's top edge catching the light
    ((2.5, 9.0, 3.5, 27.5), WHITE),     # and its left edge
    ((2.5, 26.5, 27.5, 27.5), OLIVE),   # the shaded bottom
    ((26.5, 11.0, 27.5, 27.5), OLIVE),  # and right side
]
ARROW_LIGHT = [(9.0, 16.0), (20.5, 16.0), (20.5, 13.0), (24.0, 15.8), (9.0, 15.8)]


def inside(points, x, y):
    """Even-odd rule."""
    result = False
    n = len(points)
    for i in range(n):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            result = not result
    return result


def edge_distance(points, x, y):
    best = math.inf
    n = len(points)
    for i in range(n):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        best = min(best, math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)))
    return best


def colour_at(x, y, outline):
    """The colour of the drawing at a grid point, or None where it is clear."""
    colour = None
    for shape, fill in ((FOLDER_TAB, YELLOW), (FOLDER_BODY, YELLOW)):
        if inside(shape, x, y):
            colour = BLACK if edge_distance(shape, x, y) < outline else fill
    if colour is not None and colour != BLACK:
        for (x0, y0, x1, y1), light in HIGHLIGHTS:
            if x0 <= x < x1 and y0 <= y < y1:
                colour = light
    if inside(ARROW, x, y):
        colour = BLACK if edge_distance(ARROW, x, y) < outline else GREEN
        if colour == GREEN and inside(ARROW_LIGHT, x, y):
            colour = LIME
    return colour


def render(size):
    """Rows of (r, g, b, a), top row first."""
    unit = 32.0 / size
    outline = max(1.0, size / 32.0) * unit  # at least one pixel
    samples = 1 if size <= 24 else 4 if size <= 64 else 3  # the smallest drawn crisp, pixel by pixel
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) * unit, (py + (sy + 0.5) / samples) * unit, outline)
                    if c is not None:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            if a:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / samples ** 2)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bitmap_image(size, rows):
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        for (_, _, _, a) in row:
            bits = (bits << 1) | (1 if a == 0 else 0)
        bits <<= stride * 8 - size
        mask += bits.to_bytes(stride, "big")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def png_image(size, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_bytes():
    images = []
    for size in SIZES:
        rows = render(size)
        images.append(png_image(size, rows) if size >= PNG_FROM else bitmap_image(size, rows))
    offset = 6 + 16 * len(SIZES)
    directory = struct.pack("<HHH", 0, 1, len(SIZES))
    for size, image in zip(SIZES, images):
        side = size if size < 256 else 0  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "Tessaly.ico", "wb") as out:
        out.write(icon_bytes())

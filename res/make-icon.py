#!/usr/bin/env python3
"""Draws Tessaly's icon (a yellow folder with a green arrow leaving it) as a 32x32, 16-colour .ico.

Run once after changing the drawing; the resulting res/Tessaly.ico is committed:
    python3 res/make-icon.py res/Tessaly.ico
"""
import struct
import sys

SIZE = 32
# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255),
    (255, 255, 255),
]
BLACK, OLIVE, GREEN, LIME, YELLOW, WHITE = 0, 3, 2, 10, 11, 15
CLEAR = None

# One character per pixel, top row first.
KEY = {".": CLEAR, "#": BLACK, "o": OLIVE, "y": YELLOW, "w": WHITE, "g": GREEN, "l": LIME}
DRAWING = """
................................
................................
................................
................................
................................
..##########....................
.#wwwwwwwwww#...................
.#wyyyyyyyyyy#..................
.#wyyyyyyyyyyy##############....
.#wyyyyyyyyyyyyyyyyyyyyyyyyy#...
.#wwwwwwwwwwwwwwwwwwwwwwwwwy#...
.#wyyyyyyyyyyyyyyyyy#yyyyyyo#...
.#wyyyyyyyyyyyyyyyyy##yyyyyo#...
.#wyyyyyyyyyyyyyyyyy#l#yyyyo#...
.#wyyyyyyyyyyyyyyyyy#ll#yyyo#...
.#wyyyyy##############lg#yyo#...
.#wyyyyy#llllllllllllllgg#yo#...
.#wyyyyy#lggggggggggggggggg#....
.#wyyyyy#lgggggggggggggggggg#...
.#wyyyyy#lggggggggggggggggg#....
.#wyyyyy#ggggggggggggggggg#yo#..
.#wyyyyy##############ggg#yyo#..
.#wyyyyyyyyyyyyyyyyy#gg#yyyyo#..
.#wyyyyyyyyyyyyyyyyy#g#yyyyyo#..
.#wyyyyyyyyyyyyyyyyy##yyyyyyo#..
.#wyyyyyyyyyyyyyyyyy#yyyyyyyo#..
.#wyyyyyyyyyyyyyyyyyyyyyyyyyo#..
.#oooooooooooooooooooooooooooo#.
.##############################.
................................
................................
................................
"""


def pixels():
    rows = [line for line in DRAWING.strip("\n").split("\n")]
    assert len(rows) == SIZE and all(len(r) == SIZE for r in rows), "the drawing must be 32x32"
    return [[KEY[c] for c in row] for row in rows]


def icon_bytes():
    grid = pixels()
    xor_rows, and_rows = [], []
    for row in reversed(grid):  # bitmaps are stored bottom-up
        colour = [0 if p is CLEAR else p for p in row]
        xor_rows.append(bytes((colour[x] << 4) | colour[x + 1] for x in range(0, SIZE, 2)))
        mask = 0
        for p in row:
            mask = (mask << 1) | (1 if p is CLEAR else 0)
        and_rows.append(mask.to_bytes(4, "big"))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    image = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(image), 0, 0, 16, 0)
    body = header + palette + image
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(body), 22)
    return directory + body


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "Tessaly.ico", "wb") as out:
        out.write(icon_bytes())

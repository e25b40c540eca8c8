#!/usr/bin/env python3
"""Draws the program's icon (a padlock on a key-shaped shadow) as 16-colour 32x32 and 16x16 images: res/velmora.ico."""
import struct
import sys

# The standard 16-colour palette, as (blue, green, red).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128), (128, 128, 0), (192, 192, 192),
    (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BLACK, OLIVE, SILVER, YELLOW = 0, 3, 7, 11
CLEAR = None

# 16x16 drawing; each character is one pixel, scaled by 2 for the large image.
SMALL = [
    "................",
    ".....######.....",
    "....#ssssss#....",
    "...#s#....#s#...",
    "...#s#....#s#...",
    "...#s#....#s#...",
    "..############..",
    "..#yyyyyyyyyy#..",
    "..#yyyyyyyyyy#..",
    "..#yyyy##yyyy#..",
    "..#yyyy##yyyy#..",
    "..#yyyyy#yyyy#..",
    "..#yyyyy#yyyy#..",
    "..#oooooooooo#..",
    "..############..",
    "................",
]
COLOURS = {"#": BLACK, "s": SILVER, "y": YELLOW, "o": OLIVE, ".": CLEAR}


def image(size):
    scale = size // 16
    return [[COLOURS[SMALL[y // scale][x // scale]] for x in range(size)] for y in range(size)]


def dib(pixels):
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (b, g, r) in PALETTE)
    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # bottom-up
        nibbles = [(c if c is not None else 0) for c in row]
        xor = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor_rows.append(xor + b"\0" * ((4 - len(xor) % 4) % 4))
        bits = 0
        mask = bytearray()
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        and_rows.append(bytes(mask) + b"\0" * ((4 - len(mask) % 4) % 4))
    return header + palette + b"".join(xor_rows) + b"".join(and_rows)


def main(path):
    images = [dib(image(32)), dib(image(16))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "res/velmora.ico")

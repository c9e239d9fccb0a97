#!/usr/bin/env python3
"""Draws Korvo's icon, a yellow folder with a green down arrow, as a 32x32 16-colour .ico.

Usage: make_icon.py [output]   (default: Korvo.ico beside this script)
Standard library only; the output is byte-for-byte reproducible.
"""
import os
import struct
import sys

SIZE = 32

# The 16-colour palette of the classic VGA icon format, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_GREEN, DARK_YELLOW, GREEN, YELLOW = 0, 2, 3, 10, 11
TRANSPARENT = None


def draw():
    """Returns rows top to bottom; each pixel a palette index or TRANSPARENT."""
    pixels = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                pixels[y][x] = colour

    # Folder: a tab on the upper left, then the body, both outlined.
    fill(2, 6, 12, 9, BLACK)
    fill(3, 7, 11, 9, DARK_YELLOW)
    fill(1, 9, 30, 28, BLACK)
    fill(2, 10, 29, 27, YELLOW)
    fill(2, 10, 29, 11, DARK_YELLOW)

    # Down arrow in the middle of the folder: a shaft and a head that narrows to one point.
    fill(13, 12, 18, 19, BLACK)
    fill(14, 12, 17, 19, GREEN)
    for step in range(7):
        y = 19 + step
        left, right = 9 + step, 22 - step
        fill(left, y, right, y, BLACK)
        if right - left >= 2:
            fill(left + 1, y, right - 1, y, GREEN if step < 5 else DARK_GREEN)
    return pixels


def encode(pixels):
    header = struct.pack("<HHH", 0, 1, 1)  # reserved, type 1 = icon, one image
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)

    colour_rows, mask_rows = [], []
    for row in reversed(pixels):  # bitmaps are stored bottom-up
        nibbles = [0 if p is TRANSPARENT else p for p in row]
        colour_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p is TRANSPARENT else 0)
        mask_rows.append(bits.to_bytes(SIZE // 8, "big"))  # 32 pixels: already 4-byte aligned

    image = info + palette + b"".join(colour_rows) + b"".join(mask_rows)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return header + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "Korvo.ico")
    with open(output, "wb") as f:
        f.write(encode(draw()))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the engine's two small resource pictures and writes them next to this script:
preview.bmp (bitmap 144: the picture of the preview, 96 x 112, 8 bits per pixel) and
blank.cur (cursor 131: a 32 x 32 cursor with every pixel transparent, for the show).
Run it again after changing a drawing; the outputs are committed."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def preview_pixels(width, height):
    """A night sky over two hills with a moon, in a handful of palette entries."""
    palette = [
        (8, 10, 40), (20, 30, 90), (40, 60, 150),   # sky from top to horizon
        (250, 240, 200),                            # moon
        (30, 90, 40), (20, 60, 30),                 # far and near hill
        (255, 255, 255),                            # stars
    ]
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            colour = 0 if y < height * 0.3 else 1 if y < height * 0.55 else 2
            if (x - 70) ** 2 + (y - 24) ** 2 <= 11 ** 2:
                colour = 3
            if y > 70 + 10 * math.sin(x / 15.0):
                colour = 4
            if y > 88 + 6 * math.cos(x / 11.0 + 1):
                colour = 5
            if colour in (0, 1) and (x * 7 + y * 13) % 97 == 0:
                colour = 6
            row.append(colour)
        rows.append(row)
    return palette, rows


def write_bmp8(path, palette, rows):
    height, width = len(rows), len(rows[0])
    stride = (width + 3) & ~3
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    table += b"\0" * (4 * 256 - len(table))
    pixels = b"".join(bytes(row) + b"\0" * (stride - width) for row in reversed(rows))  # bottom-up
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    with open(path, "wb") as out:
        out.write(header + info + table + pixels)


def write_blank_cursor(path, size=32):
    # Monochrome: an AND mask of ones (keep the screen) over an XOR mask of zeros.
    stride = 4
    xor_mask = b"\0" * (stride * size)
    and_mask = b"\xff" * (stride * size)
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 1, 0, len(xor_mask) + len(and_mask), 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = info + palette + xor_mask + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, 0, 0, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    palette, rows = preview_pixels(96, 112)
    write_bmp8(os.path.join(HERE, "preview.bmp"), palette, rows)
    write_blank_cursor(os.path.join(HERE, "blank.cur"))

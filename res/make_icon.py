#!/usr/bin/env python3
"""Draws the tool's icon and writes it as qyrsat.ico beside this script.

The icon is a server tower seen slightly from the right, with two drive bays,
air vents and a green status light, in a 32x32 and a 16x16 image of the
standard 16 colours (4 bits per pixel, with a transparency mask). Only this
file decides the bytes, so every run writes exactly the same file.

    make_icon.py                write res/qyrsat.ico
    make_icon.py --output FILE  write FILE instead
    make_icon.py --check FILE   exit 1 unless FILE holds exactly these bytes
"""

import argparse
import struct
import sys
from pathlib import Path

# The standard 16-colour palette, in its usual index order, as (R, G, B).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_GREEN, SILVER, GREY, LIME, YELLOW, WHITE = 0, 2, 7, 8, 10, 11, 15


class Canvas:
    """A square of palette indices; None marks a transparent pixel."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[None] * size for _ in range(size)]

    def put(self, x, y, colour):
        self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        """Fills the rectangle whose corners, both inclusive, are given."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.put(x, y, colour)


def draw_tower(canvas, left, top, right, bottom, depth):
    """Draws the tower's body: the front panel from (left, top) to (right,
    bottom), both inclusive, with its top and right side receding by `depth`
    pixels, one pixel up for each pixel to the right."""
    for step in range(1, depth + 1):
        canvas.fill(left + step, top - step, right + step, top - step, WHITE)
        canvas.fill(right + step, top - step, right + step, bottom - step, GREY)
        canvas.put(left + step, top - step, BLACK)          # back-left edge
        canvas.put(right + step, bottom - step, BLACK)      # bottom-right edge
    for step in range(1, depth):
        canvas.put(right + step, top - step, SILVER)        # lit ridge
    canvas.fill(left + depth, top - depth, right + depth, top - depth, BLACK)
    canvas.fill(right + depth, top - depth, right + depth, bottom - depth, BLACK)

    # The front panel: a black outline, lit from the top left.
    canvas.fill(left, top, right, bottom, BLACK)
    canvas.fill(left + 1, top + 1, right - 1, bottom - 1, SILVER)
    canvas.fill(left + 1, top + 1, right - 1, top + 1, WHITE)
    canvas.fill(left + 1, top + 1, left + 1, bottom - 1, WHITE)
    canvas.fill(left + 2, bottom - 1, right - 1, bottom - 1, GREY)
    canvas.fill(right - 1, top + 2, right - 1, bottom - 1, GREY)


def draw_large():
    canvas = Canvas(32)
    draw_tower(canvas, 6, 5, 22, 30, depth=4)
    for bay_top in (8, 13):  # drive bays, recessed, with a dark slot
        canvas.fill(8, bay_top, 20, bay_top + 3, GREY)
        canvas.fill(9, bay_top + 3, 20, bay_top + 3, WHITE)
        canvas.fill(20, bay_top + 1, 20, bay_top + 3, WHITE)
        canvas.fill(9, bay_top + 1, 18, bay_top + 1, BLACK)
    for row in (19, 21, 23):  # air vents
        canvas.fill(9, row, 19, row, GREY)
    # The status light, lime with a dark rim and a glint, an amber one beside.
    canvas.fill(9, 26, 11, 27, LIME)
    canvas.fill(9, 28, 11, 28, DARK_GREEN)
    canvas.fill(12, 26, 12, 28, DARK_GREEN)
    canvas.put(9, 26, WHITE)
    canvas.fill(15, 27, 16, 27, YELLOW)
    return canvas


def draw_small():
    canvas = Canvas(16)
    draw_tower(canvas, 3, 3, 11, 15, depth=2)
    for row in (5, 7):  # drive-bay slots
        canvas.fill(5, row, 9, row, BLACK)
    canvas.fill(5, 10, 9, 10, GREY)  # air vent
    canvas.fill(5, 12, 6, 13, LIME)  # status light
    canvas.put(6, 13, DARK_GREEN)
    canvas.put(8, 13, YELLOW)
    return canvas


def bitmap_bytes(canvas):
    """The image in icon form: header, palette, colour bits, mask bits."""
    size = canvas.size
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)

    def padded(row):
        return row + bytes(-len(row) % 4)

    colour_rows, mask_rows = [], []
    for line in reversed(canvas.pixels):  # bitmaps store the bottom row first
        indices = [BLACK if p is None else p for p in line]
        colour_rows.append(padded(bytes(
            (indices[x] << 4) | indices[x + 1] for x in range(0, size, 2))))
        mask_bits = [1 if p is None else 0 for p in line]
        mask_rows.append(padded(bytes(
            sum(bit << (7 - i) for i, bit in enumerate(mask_bits[x:x + 8]))
            for x in range(0, size, 8))))
    bits = b"".join(colour_rows) + b"".join(mask_rows)
    # The height counts both the colour and the mask rows, as icons require.
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(bits),
                         0, 0, 16, 0)
    return header + palette + bits


def icon_bytes(canvases):
    images = [bitmap_bytes(c) for c in canvases]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for canvas, image in zip(canvases, images):
        entries += struct.pack("<BBBBHHII", canvas.size, canvas.size, 16, 0,
                               1, 4, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    target = parser.add_mutually_exclusive_group()
    target.add_argument("--output", type=Path,
                        default=Path(__file__).resolve().parent / "qyrsat.ico")
    target.add_argument("--check", type=Path)
    args = parser.parse_args()

    icon = icon_bytes([draw_large(), draw_small()])
    if args.check:
        if args.check.read_bytes() != icon:
            print(f"{args.check} differs from what {Path(__file__).name} draws",
                  file=sys.stderr)
            return 1
        return 0
    args.output.write_bytes(icon)
    return 0


if __name__ == "__main__":
    sys.exit(main())

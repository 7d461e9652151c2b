#!/usr/bin/env python3
"""Draws the tool's icon and writes it as qyrsat.ico beside this script.

The icon is a server tower seen slightly from the right, with two drive bays,
air vents and a green status light. It is one drawing, in units of a square
of side 1, rendered at every size the system asks for (16, 20, 24, 32, 40,
48, 64 and 256 pixels) in 32-bit colour whose alpha is the share of each
pixel that the drawing covers, so its edges stay smooth at every display
scale. The 256-pixel image is stored compressed (PNG), as Windows expects;
the others as bitmaps. Only this file decides the bytes, so every run writes
exactly the same file.

    make_icon.py                write res/qyrsat.ico
    make_icon.py --output FILE  write FILE instead
    make_icon.py --check FILE   exit 1 unless FILE holds exactly these bytes
"""

import argparse
import struct
import sys
import zlib
from pathlib import Path

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
# Samples per pixel along each axis: coverage comes in steps of 1/SAMPLES².
SAMPLES = 4

BLACK = (0x10, 0x10, 0x10)
WHITE = (0xFF, 0xFF, 0xFF)
SILVER = (0xC8, 0xCC, 0xD0)
GREY = (0x80, 0x84, 0x88)
DARK = (0x40, 0x44, 0x48)
LIME = (0x30, 0xE0, 0x30)
AMBER = (0xFF, 0xC0, 0x20)

# The tower: its front panel, and the depth by which its top and right side
# recede, up and to the right.
FRONT = (0.20, 0.17, 0.70, 0.95)  # left, top, right, bottom
DEPTH = 0.13
OUTLINE = 0.035


def rect(left, top, right, bottom):
    return lambda x, y: left <= x < right and top <= y < bottom


def top_face(left, top, right, depth, inset):
    """The tower's top: the front's top edge moved up and to the right by
    up to `depth`; `inset` keeps that far inside its edges."""
    def inside(x, y):
        back = top - y  # how far back this line of the top lies
        return (inset <= back < depth - inset and
                left + back + inset <= x < right + back - inset)
    return inside


def side_face(right, top, bottom, depth, inset):
    """The tower's right side, receding up and to the right."""
    def inside(x, y):
        back = x - right
        return (inset <= back < depth - inset and
                top - back + inset <= y < bottom - back - inset)
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 < r * r


def drawing():
    """The shapes, painted in order, each with its colour."""
    left, top, right, bottom = FRONT
    half = OUTLINE / 2
    return [
        # The top and the right side, each outlined.
        (top_face(left, top, right + half, DEPTH, 0), BLACK),
        (top_face(left, top, right, DEPTH, half), WHITE),
        (side_face(right, top, bottom, DEPTH, 0), BLACK),
        (side_face(right, top, bottom, DEPTH, half), GREY),
        # The front panel, outlined.
        (rect(left, top, right, bottom), BLACK),
        (rect(left + OUTLINE, top + OUTLINE, right - OUTLINE, bottom - OUTLINE),
         SILVER),
    ] + [
        # Two drive bays, each with its slot.
        shape for bay in (0.24, 0.39) for shape in (
            (rect(left + 0.07, bay, right - 0.07, bay + 0.10), GREY),
            (rect(left + 0.10, bay + 0.035, right - 0.12, bay + 0.06), BLACK))
    ] + [
        # Air vents.
        (rect(left + 0.09, vent, right - 0.09, vent + 0.03), DARK)
        for vent in (0.58, 0.64, 0.70)
    ] + [
        # The status light, and an amber one beside it.
        (circle(left + 0.13, 0.84, 0.055), BLACK),
        (circle(left + 0.13, 0.84, 0.040), LIME),
        (rect(left + 0.26, 0.825, left + 0.36, 0.855), AMBER),
    ]


def render(size, shapes):
    """Rows of (r, g, b, a), top row first; alpha is the covered share."""
    rows = []
    step = 1.0 / (size * SAMPLES)
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px * SAMPLES + sx + 0.5) * step
                    y = (py * SAMPLES + sy + 0.5) * step
                    colour = None
                    for inside, paint in shapes:
                        if inside(x, y):
                            colour = paint
                    if colour is not None:
                        r, g, b = r + colour[0], g + colour[1], b + colour[2]
                        covered += 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((r // covered, g // covered, b // covered,
                            covered * 255 // (SAMPLES * SAMPLES)))
        rows.append(row)
    return rows


def bitmap_bytes(rows):
    """The image in icon form: header, colour bits (BGRA), mask bits."""
    size = len(rows)
    colour = b"".join(bytes((b, g, r, a)) for line in reversed(rows)
                      for r, g, b, a in line)
    mask_row = bytes((size + 31) // 32 * 4)  # alpha decides; the mask shows all
    bits = colour + mask_row * size
    # The height counts both the colour and the mask rows, as icons require.
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(bits),
                         0, 0, 0, 0)
    return header + bits


def png_bytes(rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in line for v in pixel)
                   for line in rows)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_bytes():
    shapes = drawing()
    images = []
    for size in SIZES:
        rows = render(size, shapes)
        images.append(png_bytes(rows) if size >= 256 else bitmap_bytes(rows))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in zip(SIZES, images):
        # A size of 256 is written as 0 in the one byte it has.
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0,
                               1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    target = parser.add_mutually_exclusive_group()
    target.add_argument("--output", type=Path,
                        default=Path(__file__).resolve().parent / "qyrsat.ico")
    target.add_argument("--check", type=Path)
    args = parser.parse_args()

    icon = icon_bytes()
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

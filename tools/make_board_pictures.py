#!/usr/bin/env python3
"""Draws the three board pictures the game board loads and writes them as
24-bit BMP files: "black.bmp", "white.bmp" and "LIGHTPIN.BMP".

The board composes a stone from its picture and a disc mask: the black stone
is OR-ed onto a black disc and the white stone AND-ed onto a white disc. So
the black picture must be pure black around its disc and the white picture
pure white around its disc, or the board would show through a coloured
square. The white disc gets a dark rim inside it, so that a white stone keeps
an outline on the light wood. The wood texture is built only from functions
whose period divides its size, so that tiles meet without a seam.

Standard library only; the output is deterministic and committed in data/.
Usage: make_board_pictures.py [OUTPUT_FOLDER]   (default: ../data)
"""

import math
import os
import struct
import sys

STONE = 64
WOOD = 128


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b), y = 0 at the top."""
    row_bytes = (width * 3 + 3) // 4 * 4
    image = bytearray()
    for y in range(height - 1, -1, -1):  # BMP rows run bottom to top
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(row_bytes - len(row))
        image += row
    header = struct.pack('<2sIHHI', b'BM', 54 + len(image), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(image), 3780, 3780, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + image)


def clamp(v):
    return max(0, min(255, int(round(v))))


def disc(x, y, size):
    """Distance of the pixel centre from the picture centre, in units of the
    disc radius (slightly inside the square so scaled edges stay clean)."""
    c = size / 2.0
    radius = size / 2.0 - 0.5
    return math.hypot(x + 0.5 - c, y + 0.5 - c) / radius


def highlight(x, y, size):
    """0..1, strongest up and left of the centre."""
    hx, hy = size * 0.36, size * 0.34
    d = math.hypot(x + 0.5 - hx, y + 0.5 - hy) / (size * 0.5)
    return max(0.0, 1.0 - d)


def black_stone(x, y):
    if disc(x, y, STONE) > 1.0:
        return (0, 0, 0)
    h = highlight(x, y, STONE) ** 2
    v = 28 + 90 * h
    return (clamp(v), clamp(v), clamp(v + 4))


def white_stone(x, y):
    d = disc(x, y, STONE)
    if d > 1.0:
        return (255, 255, 255)
    if d > 0.85:  # the rim, thick enough to survive shrinking to a small cell
        return (40, 40, 40)
    shade = 1.0 - highlight(x, y, STONE)
    v = 250 - 38 * shade ** 2
    return (clamp(v), clamp(v), clamp(v - 6))


def periodic_noise(x, y, seed):
    """A repeatable value in 0..1 for a point of the 128 x 128 torus."""
    n = (x % WOOD) * 374761393 + (y % WOOD) * 668265263 + seed * 2147483647
    n = (n ^ (n >> 13)) * 1274126177
    return ((n ^ (n >> 16)) & 0xFFFF) / 65535.0


def smooth_noise(x, y, seed):
    total = 0.0
    for dx in (-1, 0, 1):
        for dy in (-1, 0, 1):
            total += periodic_noise(x + dx, y + dy, seed)
    return total / 9.0


def wood(x, y):
    t = 2 * math.pi / WOOD
    # Grain runs top to bottom and wavers; every term repeats after WOOD pixels.
    waver = 1.6 * math.sin(t * y) + 0.7 * math.sin(t * 3 * y + 1.0) + 0.4 * math.sin(t * 2 * x)
    grain = math.sin(t * 9 * x + waver) * 0.6 + math.sin(t * 23 * x + 0.5 * waver) * 0.25
    fleck = smooth_noise(x, y, 7) - 0.5
    k = grain * 9 + fleck * 10
    return (clamp(222 + k), clamp(184 + k * 0.9), clamp(135 + k * 0.7))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'data')
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, 'black.bmp'), STONE, STONE, black_stone)
    write_bmp(os.path.join(out, 'white.bmp'), STONE, STONE, white_stone)
    write_bmp(os.path.join(out, 'LIGHTPIN.BMP'), WOOD, WOOD, wood)


if __name__ == '__main__':
    main()

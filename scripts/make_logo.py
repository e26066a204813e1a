#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Draws the Info window's picture, ui/resources/urdiva.bmp: a small network on white, 105 x 105
pixels, 24 bits per pixel, uncompressed (33,234 bytes)."""
import math
import os
import struct

SIZE = 105
NODES = [(52, 18), (20, 45), (84, 45), (32, 86), (72, 86), (52, 56)]
EDGES = [(0, 1), (0, 2), (1, 3), (2, 4), (3, 4), (5, 0), (5, 1), (5, 2), (5, 3), (5, 4)]


def main():
    pixels = [[(255, 255, 255)] * SIZE for _ in range(SIZE)]

    def plot(x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            pixels[y][x] = colour

    for a, b in EDGES:
        (x0, y0), (x1, y1) = NODES[a], NODES[b]
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) * 2
        for k in range(steps + 1):
            x = x0 + (x1 - x0) * k / steps
            y = y0 + (y1 - y0) * k / steps
            for dx in (0, 1):
                plot(int(round(x)) + dx, int(round(y)), (90, 90, 90))
    for i, (cx, cy) in enumerate(NODES):
        colour = (192, 128, 0) if i == 5 else (0, 96, 200)  # orange centre, blue around
        for y in range(cy - 8, cy + 9):
            for x in range(cx - 8, cx + 9):
                d = math.hypot(x - cx, y - cy)
                if d <= 7.5:
                    plot(x, y, colour)
                elif d <= 8.5:
                    plot(x, y, (255, 255, 255))
    row = SIZE * 3
    padding = (4 - row % 4) % 4
    image = bytearray()
    for y in range(SIZE - 1, -1, -1):  # bottom row first
        for r, g, b in pixels[y]:
            image += bytes((b, g, r))
        image += b"\0" * padding
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(image), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(image), 3780, 3780, 0, 0)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "ui", "resources", "urdiva.bmp")
    with open(path, "wb") as f:
        f.write(header + info + image)


if __name__ == "__main__":
    main()

#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Draws the desktop icons from the program's logo (the small network of scripts/make_logo.py):
packaging/icons/urdiva.svg and packaging/icons/<n>x<n>/urdiva.png for the hicolor sizes, on a
transparent background, and packaging/icons/urdiva.ico, the Windows programs' icon (the same
PNGs in one file). PNGs are anti-aliased by sampling each pixel 4 x 4 times."""
import math
import os
import struct
import zlib

from make_logo import EDGES, NODES, SIZE

GREY, BLUE, ORANGE, WHITE = (90, 90, 90), (0, 96, 200), (192, 128, 0), (255, 255, 255)
RADIUS, RING, LINE = 7.5, 8.5, 1.2
SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "packaging", "icons")


def svg():
    lines = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
             f'viewBox="0 0 {SIZE} {SIZE}">']
    for a, b in EDGES:
        (x0, y0), (x1, y1) = NODES[a], NODES[b]
        lines.append(f'  <line x1="{x0}" y1="{y0}" x2="{x1}" y2="{y1}" stroke="rgb{GREY}" '
                     f'stroke-width="{2 * LINE}"/>')
    for i, (x, y) in enumerate(NODES):
        colour = ORANGE if i == 5 else BLUE
        lines.append(f'  <circle cx="{x}" cy="{y}" r="{(RADIUS + RING) / 2}" fill="rgb{colour}" '
                     f'stroke="rgb{WHITE}" stroke-width="{RING - RADIUS}"/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def colour_at(x, y):
    """The logo's colour at a point of its 105-unit square, or None where it is transparent."""
    for i, (cx, cy) in enumerate(NODES):
        d = math.hypot(x - cx, y - cy)
        if d <= RADIUS:
            return ORANGE if i == 5 else BLUE
        if d <= RING:
            return WHITE
    for a, b in EDGES:
        (x0, y0), (x1, y1) = NODES[a], NODES[b]
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        if math.hypot(x - x0 - t * dx, y - y0 - t * dy) <= LINE:
            return GREY
    return None


def png(size):
    rows = bytearray()
    samples = 4
    scale = SIZE / size
    for py in range(size):
        rows.append(0)
        for px in range(size):
            r = g = b = a = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) * scale,
                                  (py + (sy + 0.5) / samples) * scale)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            n = samples * samples
            rows += bytes((r // a, g // a, b // a, 255 * a // n) if a else (0, 0, 0, 0))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def ico(images):
    """An icon file holding PNG images (Windows Vista and later read them), by size."""
    header = struct.pack("<HHH", 0, 1, len(images))
    entries, data = b"", b""
    offset = 6 + 16 * len(images)
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image),
                               offset + len(data))
        data += image
    return header + entries + data


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "urdiva.svg"), "w") as f:
        f.write(svg())
    for size in SIZES:
        folder = os.path.join(OUT, f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "urdiva.png"), "wb") as f:
            f.write(png(size))
    with open(os.path.join(OUT, "urdiva.ico"), "wb") as f:
        f.write(ico([(size, png(size)) for size in (16, 24, 32, 48, 64, 256)]))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the program icon and writes the two icon files the resources include.

Kestrola.ico: 48, 32 and 16 pixels, each in 32-bit colour with alpha, 256 colours and 16 colours,
and the small icon's sizes at 125 % and 150 % (20 and 24 pixels) in 32-bit colour.
Kestrola16.ico: one 16-pixel image in 16 colours. The picture is the panel itself: a blue tile
holding a 3 x 3 grid of light blocks, one of them highlighted.
"""
import struct
import sys

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette256():
    levels = [0, 51, 102, 153, 204, 255]
    pal = [(r, g, b) for r in levels for g in levels for b in levels]
    pal += [(v, v, v) for v in range(8, 256, 12)][:40]
    return pal[:256] + [(0, 0, 0)] * (256 - len(pal))


def draw(size):
    """RGBA rows, top row first, drawn at 4 x 4 samples per pixel."""
    n = 4
    radius = size * 0.18
    margin = size * 0.04
    lo, hi = margin, size - margin
    cell = (hi - lo) * 0.78 / 3
    gap = ((hi - lo) - 3 * cell) / 4

    def sample(x, y):
        # Outside the rounded tile: transparent.
        cx = min(max(x, lo + radius), hi - radius)
        cy = min(max(y, lo + radius), hi - radius)
        if (x - cx) ** 2 + (y - cy) ** 2 > radius ** 2 or not (lo <= x <= hi and lo <= y <= hi):
            return None
        t = (y - lo) / (hi - lo)
        colour = (int(58 - 30 * t), int(128 - 56 * t), int(214 - 70 * t))
        edge = min(x - lo, hi - x, y - lo, hi - y)
        if edge < max(1.0, size / 32):
            colour = (18, 44, 104)
        for row in range(3):
            for col in range(3):
                x0 = lo + gap + col * (cell + gap)
                y0 = lo + gap + row * (cell + gap)
                if x0 <= x < x0 + cell and y0 <= y < y0 + cell:
                    return (255, 196, 64) if (row, col) == (0, 2) else (236, 243, 252)
        return colour

    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    c = sample(px + (sx + 0.5) / n, py + (sy + 0.5) / n)
                    if c:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits:
                row.append((acc[0] // hits, acc[1] // hits, acc[2] // hits, 255 * hits // (n * n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def nearest(pal, c):
    return min(range(len(pal)), key=lambda i: (pal[i][0] - c[0]) ** 2 + (pal[i][1] - c[1]) ** 2 + (pal[i][2] - c[2]) ** 2)


def dib(rows, bits):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    body = b""
    pal = {4: VGA, 8: palette256()}.get(bits)
    if pal:
        body += b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)
    stride = ((size * bits + 31) // 32) * 4
    for row in reversed(rows):
        if bits == 32:
            line = b"".join(struct.pack("<BBBB", b, g, r, a) for r, g, b, a in row)
        else:
            idx = [nearest(pal, p) if p[3] >= 128 else 0 for p in row]
            if bits == 8:
                line = bytes(idx)
            else:
                line = bytes((idx[i] << 4) | (idx[i + 1] if i + 1 < size else 0) for i in range(0, size, 2))
        body += line + b"\0" * (stride - len(line))
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        body += bytes(line)
    return header + body


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for size, bits, data in images:
        colours = {4: 16, 8: 0}.get(bits, 0)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
        blobs.append(data)
    return out + b"".join(blobs)


def main(folder):
    pictures = {s: draw(s) for s in (48, 32, 24, 20, 16)}
    images = [(s, bits, dib(pictures[s], bits)) for s in (48, 32, 16) for bits in (32, 8, 4)]
    images += [(s, 32, dib(pictures[s], 32)) for s in (24, 20)]
    open(folder + "/Kestrola.ico", "wb").write(ico(images))
    open(folder + "/Kestrola16.ico", "wb").write(ico([(16, 4, dib(pictures[16], 4))]))


if __name__ == "__main__":
    main(sys.argv[1])

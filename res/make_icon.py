#!/usr/bin/env python3
"""Draws the program icon: a dark rounded square holding three board columns, the first lit with
the blue-to-violet accent. Writes res/kalmex.ico with seven 32-bit PNG images (16..256 px).
Usage: python3 res/make_icon.py"""
import os
import struct
import zlib

SIZES = [16, 24, 32, 48, 64, 128, 256]
DARK = (0x1E, 0x1D, 0x22)
PANEL = (0x32, 0x31, 0x38)
BLUE = (0x00, 0xA3, 0xFF)
VIOLET = (0x78, 0x5A, 0xF0)


def rounded_box(px, py, x0, y0, x1, y1, r):
    """Signed distance from (px, py) to a rounded box (negative inside)."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
    dx, dy = abs(px - cx) - hx, abs(py - cy) - hy
    ox, oy = max(dx, 0.0), max(dy, 0.0)
    return (ox * ox + oy * oy) ** 0.5 + min(max(dx, dy), 0.0) - r


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def shade(u, v):
    """Colour and coverage of the unit-square point (u, v)."""
    d = rounded_box(u, v, 0.03, 0.03, 0.97, 0.97, 0.22)
    if d > 0:
        return (0, 0, 0), 0.0
    colour = DARK
    columns = [(0.18, 0.36), (0.41, 0.59), (0.64, 0.82)]
    heights = [0.80, 0.62, 0.70]
    for k, (x0, x1) in enumerate(columns):
        if rounded_box(u, v, x0, 0.20, x1, heights[k], 0.07) <= 0:
            colour = mix(BLUE, VIOLET, (v - 0.20) / 0.60) if k == 0 else PANEL
    return colour, 1.0


def render(size):
    ss = 4 if size <= 64 else 2
    rows = []
    for y in range(size):
        row = bytearray([0])
        for x in range(size):
            acc = [0.0, 0.0, 0.0]
            cover = 0.0
            for j in range(ss):
                for i in range(ss):
                    c, a = shade((x + (i + 0.5) / ss) / size, (y + (j + 0.5) / ss) / size)
                    cover += a
                    for n in range(3):
                        acc[n] += c[n] * a
            alpha = cover / (ss * ss)
            if cover > 0:
                row += bytes(int(round(acc[n] / cover)) for n in range(3))
            else:
                row += b"\0\0\0"
            row.append(int(round(alpha * 255)))
        rows.append(bytes(row))
    return png(size, b"".join(rows))


def png(size, raw):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    images = [render(n) for n in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "kalmex.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()

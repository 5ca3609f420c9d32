#!/usr/bin/env python3
"""Draws the two sample frames of the examples: a red ball on the left that
becomes a larger blue ball on the right, over a sky and a strip of ground that
stay where they are. Standard library only; run it from anywhere:

    python3 examples/make_frames.py

and it rewrites examples/frame_a.png and examples/frame_b.png beside itself.
"""

import math
import os
import struct
import zlib

WIDTH, HEIGHT = 320, 240
GROUND_TOP = 200


def write_png(path, width, height, pixel):
    """Writes an 8-bit RGB PNG whose pixel (x, y) is pixel(x, y) -> (r, g, b)."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # filter type: none
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
        out.write(chunk(b"IEND", b""))


def mix(a, b, share):
    return tuple(round(p + (q - p) * share) for p, q in zip(a, b))


def coverage(x, y, cx, cy, radius):
    """How much of pixel (x, y) a disc covers, with a one-pixel soft edge."""
    distance = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
    return min(1.0, max(0.0, radius + 0.5 - distance))


def background(x, y):
    if y >= GROUND_TOP:
        stripe = 12 if (x // 16) % 2 == 0 else 0
        return (60 + stripe, 140 + stripe, 60)
    return mix((120, 170, 230), (225, 235, 250), y / GROUND_TOP)


def ball_frame(cx, cy, radius, colour, shade):
    """A shaded ball with a white highlight up and to the left of its centre."""
    glint_x, glint_y, glint_r = cx - radius / 3, cy - radius / 3, radius / 4

    def pixel(x, y):
        colour_here = background(x, y)
        ball = coverage(x, y, cx, cy, radius)
        if ball > 0:
            depth = min(1.0, math.hypot(x - glint_x, y - glint_y) / (1.6 * radius))
            colour_here = mix(colour_here, mix(colour, shade, depth), ball)
        glint = coverage(x, y, glint_x, glint_y, glint_r)
        if glint > 0:
            colour_here = mix(colour_here, (255, 255, 255), 0.8 * glint)
        return colour_here

    return pixel


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_png(os.path.join(here, "frame_a.png"), WIDTH, HEIGHT,
              ball_frame(120, 120, 45, (230, 60, 40), (120, 20, 10)))
    write_png(os.path.join(here, "frame_b.png"), WIDTH, HEIGHT,
              ball_frame(200, 120, 55, (50, 110, 235), (15, 30, 110)))


if __name__ == "__main__":
    main()

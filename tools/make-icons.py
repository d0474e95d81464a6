#!/usr/bin/env python3
"""Draws Keyloom's three tray icons (16x16 and 32x32, 32-bit) into main/res/*.ico.

DEFAULT is a key cap with a loop, PLAYING adds a green play triangle, RECORDING a red dot.
Run it again after changing the drawing; the .ico files are committed."""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "main", "res")


def draw(size, badge):
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    s = size / 16.0

    def fill(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = c

    def disc(cx, cy, r, c):
        for y in range(size):
            for x in range(size):
                if (x + 0.5 - cx * s) ** 2 + (y + 0.5 - cy * s) ** 2 <= (r * s) ** 2:
                    px[y][x] = c

    edge, face, top, ink = (40, 48, 72, 255), (225, 230, 240, 255), (250, 252, 255, 255), (36, 84, 170, 255)
    fill(1, 2, 15, 15, edge)          # key cap outline
    fill(2, 3, 14, 14, face)          # key cap side
    fill(3, 3, 13, 11, top)           # key top
    # a loop: the letter "K" drawn as a thread
    fill(5, 4, 6.5, 10, ink)
    for i in range(3):
        fill(6.5 + i, 6 - i, 8 + i, 7.5 - i, ink)
        fill(6.5 + i, 7 + i, 8 + i, 8.5 + i, ink)
    if badge == "play":
        for y in range(8, 16):
            w = 8 - abs(y - 12) * 2
            fill(9, y, 9 + w / 1.2, y + 1, (30, 160, 60, 255))
    elif badge == "record":
        disc(12, 12, 3.6, (255, 255, 255, 255))
        disc(12, 12, 3.0, (210, 30, 30, 255))
    return px


def bmp_entry(px):
    size = len(px)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    row_bytes = ((size + 31) // 32) * 4
    and_mask = b""
    for row in reversed(px):
        bits = 0
        line = bytearray(row_bytes)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        and_mask += bytes(line)
    return header + xor + and_mask


def write_ico(name, badge):
    images = [bmp_entry(draw(n, badge)) for n in (16, 32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    write_ico("default.ico", None)
    write_ico("playing.ico", "play")
    write_ico("recording.ico", "record")

#!/usr/bin/env python3
"""Draws the main program's icon: a workman in a yellow helmet holding a spanner, 32 x 32 in 16 colours.

Writes a .ico with one 4-bit image (standard 16-colour palette, transparent outside the figure).
Usage: make_icon.py OUT.ico
"""
import struct
import sys

PALETTE = [  # the standard 16 colours, as (r, g, b)
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DKYELLOW, SILVER, GREY, RED, YELLOW, BLUE, WHITE, NAVY = 0, 3, 7, 8, 9, 11, 12, 15, 4
T = None  # transparent

W = H = 32
px = [[T] * W for _ in range(H)]


def put(x, y, c):
    if 0 <= x < W and 0 <= y < H:
        px[y][x] = c


def rect(x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            put(x, y, c)


def disc(cx, cy, r, c, top_only=False):
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r and (not top_only or y <= cy):
                put(x, y, c)


# Helmet: a yellow dome with a brim and a dark ridge.
disc(13, 8, 6, YELLOW, top_only=True)
rect(5, 8, 21, 9, YELLOW)
rect(5, 10, 21, 10, DKYELLOW)
rect(13, 2, 13, 8, DKYELLOW)
# Face with eyes and mouth.
rect(8, 11, 18, 17, WHITE)
put(10, 13, BLACK); put(16, 13, BLACK)
rect(11, 16, 15, 16, RED)
# Body: blue overalls on a navy shirt, arms out.
rect(7, 18, 19, 29, BLUE)
rect(9, 18, 17, 21, NAVY)
rect(3, 19, 6, 21, NAVY)
rect(20, 19, 23, 21, NAVY)
rect(7, 30, 11, 31, BLACK)
rect(15, 30, 19, 31, BLACK)
rect(12, 24, 14, 31, T)
# Hand and spanner raised on the right: shaft, open jaw.
rect(23, 18, 25, 20, WHITE)
for i in range(10):
    put(24 + i // 3, 17 - i, GREY)
    put(25 + i // 3, 17 - i, SILVER)
disc(28, 5, 3, GREY)
rect(28, 2, 29, 5, T)
# Outline the figure so it reads on any background.
outline = [(x, y) for y in range(H) for x in range(W)
           if px[y][x] is None and any(0 <= x + dx < W and 0 <= y + dy < H and px[y + dy][x + dx] is not None
                                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))]
for x, y in outline:
    px[y][x] = BLACK


def ico():
    xor = bytearray()
    for y in reversed(range(H)):  # bottom-up rows
        row = [0 if c is None else c for c in px[y]]
        for x in range(0, W, 2):
            xor.append((row[x] << 4) | row[x + 1])
    mask = bytearray()
    for y in reversed(range(H)):
        bits = 0
        for x in range(W):
            bits = (bits << 1) | (1 if px[y][x] is None else 0)
        mask += struct.pack('>I', bits)
    header = struct.pack('<IiiHHIIiiII', 40, W, H * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    image = header + pal + bytes(xor) + bytes(mask)
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', W, H, 16, 0, 1, 4, len(image), 22) + image


with open(sys.argv[1], 'wb') as f:
    f.write(ico())

#!/usr/bin/env python3
"""Draws the text splitter's icon: a sheet of text cut in two along a red dashed line, with scissors.

Writes a .ico with four images: 16 x 16 and 32 x 32, each in 256 colours (8-bit, palette) and in 24-bit
colour; outside the picture the icon is transparent. The 24-bit images shade the sheet and the blades, the
256-colour ones draw the same picture in flat colours.
Usage: make_txt_icon.py OUT.ico
"""
import struct
import sys

OUTLINE = (64, 64, 64)
PAPER = (255, 255, 255)
FOLD = (200, 200, 200)
INK = (0, 64, 160)
RED = (220, 0, 0)
DARKRED = (140, 0, 0)
STEEL = (150, 160, 170)


def draw(size, shaded):
    """Returns rows of (r, g, b) or None for transparent."""
    px = [[None] * size for _ in range(size)]

    def put(x, y, c):
        if 0 <= x < size and 0 <= y < size:
            px[y][x] = c

    s = size / 32.0  # the picture is laid out on 32 x 32 and scaled

    def sc(v):
        return int(round(v * s))

    left, right, top, bottom, fold = sc(8), sc(27), sc(1), sc(30), max(3, sc(7))
    gap0, gap1 = sc(15), sc(16) if size >= 32 else sc(15)
    # The sheet, with its top right corner folded over.
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x - left + (top + fold - y) > right - left and y < top + fold and x > right - fold:
                continue  # cut off by the fold
            edge = x in (left, right) or y in (top, bottom) or (x - (right - fold)) == (y - top)
            if edge:
                c = OUTLINE
            elif shaded:
                t = (y - top) / max(1, bottom - top)
                c = (int(255 - 25 * t), int(255 - 20 * t), int(255 - 8 * t))
            else:
                c = PAPER
            put(x, y, c)
    # The folded corner.
    for y in range(top, top + fold + 1):
        for x in range(right - fold, right + 1):
            if x - (right - fold) <= y - top:
                put(x, y, OUTLINE if x == right - fold or y == top + fold else FOLD)
    # Lines of text, above and below the cut.
    step = 3 if size >= 32 else 2
    lengths = [1.0, 0.8, 0.95, 0.6, 1.0, 0.85, 0.7, 0.9]
    rows = [y for y in range(top + fold + 1, bottom - 1, step) if not (gap0 - 1 <= y <= gap1 + 1)]
    for i, y in enumerate(rows):
        x0, x1 = left + 2, left + 2 + int((right - left - 4) * lengths[i % len(lengths)])
        for x in range(x0, x1 + 1):
            if px[y][x] is not None and px[y][x] != OUTLINE:
                put(x, y, INK)
    # The cut: a gap through the sheet and a red dashed line across the whole icon.
    for y in range(gap0, gap1 + 1):
        for x in range(size):
            put(x, y, None)
    dash, space = (3, 2) if size >= 32 else (2, 1)
    y = gap0 if size < 32 else (gap0 + gap1) // 2
    for x in range(size):
        if x % (dash + space) < dash:
            put(x, y, RED)
    # Scissors at the left end of the cut: two red loops and two blades meeting on the line.
    if size >= 32:
        for cx, cy in ((3, 10), (3, 21)):
            for yy in range(cy - 3, cy + 4):
                for xx in range(cx - 3, cx + 4):
                    d = (xx - cx) ** 2 + (yy - cy) ** 2
                    if 4 <= d <= 10:
                        put(xx, yy, DARKRED if shaded and yy > cy else RED)
        for i in range(7):
            c = (STEEL[0] + 8 * i, STEEL[1] + 8 * i, STEEL[2] + 8 * i) if shaded else STEEL
            put(5 + i, 12 + i // 2, c)
            put(5 + i, 19 - i // 2, c)
    else:
        for cx, cy in ((1, 4), (1, 11)):
            for yy in range(cy - 1, cy + 2):
                for xx in range(cx - 1, cx + 2):
                    if (xx, yy) != (cx, cy):
                        put(xx, yy, RED)
        for i in range(4):
            put(3 + i, 5 + i // 2, STEEL)
            put(3 + i, 10 - i // 2, STEEL)
    return px


def mask_rows(px, size):
    out = bytearray()
    stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if px[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return out


def image_8bit(px, size):
    colours = sorted({c for row in px for c in row if c is not None})
    colours = [(0, 0, 0)] + [c for c in colours if c != (0, 0, 0)]
    assert len(colours) <= 256
    palette = colours + [(0, 0, 0)] * (256 - len(colours))
    index = {c: i for i, c in enumerate(colours)}
    stride = (size + 3) // 4 * 4
    xor = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            row[x] = 0 if px[y][x] is None else index[px[y][x]]
        xor += row
    mask = mask_rows(px, size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    return header + pal + bytes(xor) + bytes(mask), 0, 8  # colour count 0: 256 or more


def image_24bit(px, size):
    stride = (size * 3 + 3) // 4 * 4
    xor = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            r, g, b = px[y][x] or (0, 0, 0)
            row[3 * x:3 * x + 3] = bytes((b, g, r))
        xor += row
    mask = mask_rows(px, size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask), 0, 24


def ico():
    images = []
    for size in (16, 32):
        images.append((size,) + image_8bit(draw(size, False), size))
        images.append((size,) + image_24bit(draw(size, True), size))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data, colours, bits in images:
        out += struct.pack('<BBBBHHII', size, size, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, data, _, _ in images)


if __name__ == '__main__':
    with open(sys.argv[1], 'wb') as f:
        f.write(ico())

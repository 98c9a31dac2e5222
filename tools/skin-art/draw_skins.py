#!/usr/bin/env python3
"""Draws the button skin strips as uncompressed 24-bit BMPs.

    tools/skin-art/draw_skins.py [repository root]

Writes skin/res/skin_small.bmp (6 frames of 26 x 10), skin/res/skin_large.bmp (5 frames of 55 x 22) and the
keyed test strip tests/skin/res/skin_keyed.bmp. Frame order in a strip: normal, pressed, disabled, focused,
then spares that the buttons never read. The middle column of every frame that is read shows the face's
colours at its top row, centre and bottom row; the test suite checks those pixels.
"""
import os
import struct
import sys

KEY = (255, 0, 255)  # transparent for the buttons; only the test strip may use it


class Image:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.px = [[fill] * width for _ in range(height)]

    def put(self, x, y, rgb):
        self.px[y][x] = tuple(int(round(c)) for c in rgb)

    def get(self, x, y):
        return self.px[y][x]

    def paste(self, other, x0):
        for y in range(other.height):
            self.px[y][x0:x0 + other.width] = other.px[y]


def write_bmp(path, img):
    row = img.width * 3
    pad = (4 - row % 4) % 4
    data = bytearray()
    for y in reversed(range(img.height)):  # bottom-up
        for r, g, b in img.px[y]:
            data += bytes((b, g, r))
        data += b"\0" * pad
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, img.width, img.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(header + info + data)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def grey(v):
    return (v, v, v)


# Small strip: flat bars, a light line on top, a slightly lit upper half and a darker last line inside.
def small_frame(top, centre, bottom):
    w, h = 26, 10
    f = Image(w, h, centre)
    for y in range(h):
        if y == 0:
            c = top
        elif y == h - 1:
            c = bottom
        elif y <= 2:
            c = mix(centre, top, 0.30 if y == 1 else 0.15)
        elif y == h - 2:
            c = mix(centre, bottom, 0.5)
        else:
            c = centre
        for x in range(w):
            f.put(x, y, c)
    # darker side lines give each bar an end; the middle column keeps the face's colours
    for y in range(1, h - 1):
        for x in (0, w - 1):
            f.put(x, y, mix(f.get(x, y), bottom, 0.6))
    return f


SMALL_FACES = [
    ((153, 177, 217), (68, 108, 174), (57, 90, 145)),    # normal: medium blue
    ((57, 41, 69), (84, 59, 101), (211, 196, 222)),      # pressed: dark purple, lit from below
    ((211, 196, 222), (127, 89, 153), (106, 75, 127)),   # disabled: purple
    ((188, 204, 230), (97, 134, 195), (71, 112, 181)),   # focused: light blue
    ((140, 165, 210), (60, 98, 165), (50, 82, 135)),     # spare: blue
    ((140, 165, 210), (60, 98, 165), (50, 82, 135)),     # spare: blue
]


# Large strip: grey rounded rectangles, radius 4 so each curve lies inside its corner slice
# (borders top 5, bottom 5, left 5, right 4). Outside the curves the dialog grey.
OUTSIDE = grey(192)
RADIUS = 4


def inside_round_rect(x, y, w, h, r):
    """Whether the centre of pixel (x, y) lies in a rectangle of the whole frame whose corners are quarter
    circles of radius r - 1/2 around the points r pixels in from both edges."""
    cx, cy = x + 0.5, y + 0.5
    ex = min(max(cx, r), w - r)
    ey = min(max(cy, r), h - r)
    return (cx - ex) ** 2 + (cy - ey) ** 2 <= (r - 0.5) ** 2


def large_frame(outline_top, outline_side, outline_bottom, light, shade, face):
    w, h = 55, 22
    f = Image(w, h, OUTSIDE)
    inner = [[inside_round_rect(x, y, w, h, RADIUS) for x in range(w)] for y in range(h)]

    def edge(x, y):
        if not inner[y][x]:
            return False
        return any(not (0 <= x + dx < w and 0 <= y + dy < h and inner[y + dy][x + dx])
                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))

    ring = [[edge(x, y) for x in range(w)] for y in range(h)]
    for y in range(h):
        for x in range(w):
            if not inner[y][x]:
                continue
            if ring[y][x]:
                if y == 0:
                    c = outline_top
                elif y == h - 1:
                    c = outline_bottom
                else:
                    c = outline_side
                f.put(x, y, c)
            else:
                f.put(x, y, face)
    # one-pixel bevel just inside the outline: light above and left, shade below and right
    for y in range(1, h - 1):
        for x in range(1, w - 1):
            if ring[y][x] or not inner[y][x]:
                continue
            near_top = ring[y - 1][x]
            near_left = ring[y][x - 1]
            near_bottom = ring[y + 1][x]
            near_right = ring[y][x + 1]
            if light is not None and (near_top or near_left):
                f.put(x, y, light)
            elif shade is not None and (near_bottom or near_right):
                f.put(x, y, shade)
    # the curves: blend the outline into the grey outside so the corners look round, not stepped
    for y in range(h):
        for x in range(w):
            if inner[y][x]:
                continue
            n = sum(1 for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                    if 0 <= x + dx < w and 0 <= y + dy < h and ring[y + dy][x + dx])
            if n >= 2:
                f.put(x, y, mix(OUTSIDE, outline_side, 0.45))
    return f


LARGE_FACES = [
    # outline top, sides, bottom; bevel light, bevel shade; face
    (grey(163), grey(140), grey(157), grey(246), grey(170), grey(202)),  # normal: raised
    (grey(157), grey(140), grey(163), grey(160), grey(232), grey(202)),  # pressed: sunken
    (grey(157), grey(128), grey(157), None, None, grey(192)),            # disabled: flat
    (grey(163), grey(130), grey(157), grey(252), grey(196), grey(226)),  # focused: bright
    (grey(163), grey(140), grey(157), grey(246), grey(170), grey(202)),  # spare
]


# Test strip: four 16 x 8 frames, each a distinct solid colour with key-colour pixels in a known pattern,
# shifted by one column from frame to frame, so tests can see which pixels a button leaves to what lies below.
def keyed_strip():
    colours = [(200, 40, 40), (40, 160, 40), (40, 40, 200), (230, 200, 30)]
    strip = Image(64, 8, (0, 0, 0))
    for k, c in enumerate(colours):
        f = Image(16, 8, c)
        for y in range(8):
            for x in range(16):
                if (x + y + k) % 3 == 0 and 2 <= x < 14 and 2 <= y < 6:
                    f.put(x, y, KEY)
        strip.paste(f, 16 * k)
    return strip


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
    small = Image(156, 10, (0, 0, 0))
    for k, faces in enumerate(SMALL_FACES):
        small.paste(small_frame(*faces), 26 * k)
    large = Image(275, 22, (0, 0, 0))
    for k, faces in enumerate(LARGE_FACES):
        large.paste(large_frame(*faces), 55 * k)
    for img in (small, large):
        assert all(p != KEY for row in img.px for p in row)
    write_bmp(os.path.join(root, "skin", "res", "skin_small.bmp"), small)
    write_bmp(os.path.join(root, "skin", "res", "skin_large.bmp"), large)
    write_bmp(os.path.join(root, "tests", "skin", "res", "skin_keyed.bmp"), keyed_strip())


if __name__ == "__main__":
    main()

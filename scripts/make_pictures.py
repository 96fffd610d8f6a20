#!/usr/bin/env python3
# Draws the program's icon and About pictures into src/res (8-bit BMPs, one ICO); no dependencies.
"""Run from anywhere: python3 scripts/make_pictures.py. The output is committed; run it again
only to change the pictures. Drawing is deterministic, so the files only change with this script."""

import math
import os
import random
import struct

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "res")

# The palette is a set of ramps; a pixel is a ramp and a position on it, so the
# 8-bit pictures need no colour quantisation.
RAMPS = {
    # name: (first index, length, dark colour, light colour)
    "sky": (0, 96, (4, 4, 22), (70, 36, 120)),
    "moon": (96, 48, (60, 60, 100), (255, 250, 222)),
    "glow": (144, 48, (50, 16, 40), (255, 208, 130)),
    "mask": (192, 32, (14, 8, 30), (130, 98, 180)),
    "white": (224, 32, (70, 70, 120), (255, 255, 255)),
}


def palette():
    colours = [(0, 0, 0)] * 256
    for first, length, dark, light in RAMPS.values():
        for i in range(length):
            t = i / (length - 1)
            colours[first + i] = tuple(round(d + (l - d) * t) for d, l in zip(dark, light))
    return colours


def index(ramp, t):
    first, length, _, _ = RAMPS[ramp]
    t = min(1.0, max(0.0, t))
    return first + round(t * (length - 1))


# A 5 x 7 font for the few letters the pictures write.
FONT = {
    "N": ["X...X", "XX..X", "X.X.X", "X..XX", "X...X", "X...X", "X...X"],
    "I": [".XXX.", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."],
    "G": [".XXX.", "X...X", "X....", "X.XXX", "X...X", "X...X", ".XXX."],
    "H": ["X...X", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    "T": ["XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "..X.."],
    "L": ["X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "W": ["X...X", "X...X", "X...X", "X.X.X", "X.X.X", "XX.XX", "X...X"],
    "V": ["X...X", "X...X", "X...X", "X...X", "X...X", ".X.X.", "..X.."],
    "S": [".XXXX", "X....", "X....", ".XXX.", "....X", "....X", "XXXX."],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    "D": ["XXXX.", "X...X", "X...X", "X...X", "X...X", "X...X", "XXXX."],
    "R": ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
    "A": [".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    "M": ["X...X", "XX.XX", "X.X.X", "X.X.X", "X...X", "X...X", "X...X"],
    "1": ["..X..", ".XX..", "..X..", "..X..", "..X..", "..X..", ".XXX."],
    ".": [".....", ".....", ".....", ".....", ".....", ".XX..", ".XX.."],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


class picture:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[0] * width for _ in range(height)]

    def put(self, x, y, value):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = value

    def text(self, message, centre_x, top, scale, ramp="white", shade=1.0):
        width = len(message) * 6 * scale - scale
        left = centre_x - width // 2
        for n, ch in enumerate(message):
            glyph = FONT[ch]
            for row, bits in enumerate(glyph):
                for col, bit in enumerate(bits):
                    if bit != "X":
                        continue
                    for dy in range(scale):
                        for dx in range(scale):
                            # lighter at the top of each letter, like a faint glow
                            t = shade - 0.25 * (row * scale + dy) / (7 * scale)
                            self.put(left + (n * 6 + col) * scale + dx, top + row * scale + dy, index(ramp, t))

    def save_bmp(self, path):
        row_size = (self.width + 3) & ~3
        image = bytearray()
        for y in range(self.height - 1, -1, -1):  # bottom-up
            row = bytes(self.pixels[y])
            image += row + bytes(row_size - self.width)
        colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette())
        offset = 14 + 40 + len(colours)
        header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 8, 0, len(image), 2835, 2835, 256, 0)
        with open(path, "wb") as f:
            f.write(header + info + colours + image)


def sky(p, rng, horizon_glow):
    """A night gradient, lighter towards the horizon, with scattered stars."""
    for y in range(p.height):
        for x in range(p.width):
            t = 0.15 + 0.75 * (y / p.height) ** 1.6
            if horizon_glow:
                dx = (x - horizon_glow[0]) / p.width
                dy = (y - horizon_glow[1]) / p.height
                t += 0.25 * math.exp(-(dx * dx + dy * dy) * 8)
            # an ordered dither hides the steps of the ramp
            t += (((x * 7 + y * 13) % 4) - 1.5) / 190
            p.put(x, y, index("sky", t))
    for _ in range(p.width * p.height // 900):
        x, y = rng.randrange(p.width), rng.randrange(int(p.height * 0.8))
        bright = rng.random()
        p.put(x, y, index("white", 0.4 + 0.6 * bright))
        if bright > 0.85:  # a few larger stars with a small cross
            for d in (1, 2):
                for sx, sy in ((d, 0), (-d, 0), (0, d), (0, -d)):
                    p.put(x + sx, y + sy, index("white", 0.7 - 0.25 * d))


def crescent(p, cx, cy, r, cut_dx, cut_dy, cut_r):
    for y in range(cy - r - 12, cy + r + 13):
        for x in range(cx - r - 12, cx + r + 13):
            d = math.hypot(x - cx, y - cy)
            cut = math.hypot(x - cx - cut_dx, y - cy - cut_dy)
            if d <= r and cut > cut_r:
                p.put(x, y, index("moon", 0.55 + 0.45 * (1 - d / r) + 0.2 * min(1, (cut - cut_r) / 8)))
            elif r < d < r + 12 and cut > cut_r - 4:
                # a soft halo just outside the lit edge
                if 0 <= y < p.height and 0 <= x < p.width and p.pixels[y][x] < 96:
                    t = (p.pixels[y][x] / 95) + 0.18 * (1 - (d - r) / 12)
                    p.put(x, y, index("sky", t))


def sleep_mask(p, cx, cy, scale):
    """A padded mask: two eye cups joined by a bridge, a strap, and two cue lights."""
    strap_y = cy - int(4 * scale)
    for x in range(0, p.width):
        for dy in range(int(-3 * scale), int(3 * scale) + 1):
            if abs(x - cx) > 60 * scale:
                p.put(x, strap_y + dy, index("mask", 0.25 + 0.15 * (1 - abs(dy) / (3 * scale + 1))))
    cups = ((cx - 34 * scale, cy), (cx + 34 * scale, cy))
    for y in range(int(cy - 40 * scale), int(cy + 40 * scale)):
        for x in range(int(cx - 75 * scale), int(cx + 75 * scale)):
            inside = 0.0
            for ex, ey in cups:
                nx, ny = (x - ex) / (40 * scale), (y - ey) / (27 * scale)
                inside = max(inside, 1 - (nx * nx + ny * ny))
            bridge = abs(x - cx) < 14 * scale and abs(y - cy + 6 * scale) < 13 * scale
            if inside > 0 or bridge:
                shade = 0.35 + 0.6 * max(inside, 0.25) - 0.3 * (y - cy) / (40 * scale)
                p.put(x, y, index("mask", shade))
    for ex, ey in cups:
        for y in range(int(ey - 16 * scale), int(ey + 16 * scale)):
            for x in range(int(ex - 16 * scale), int(ex + 16 * scale)):
                d = math.hypot(x - ex, y - ey) / (16 * scale)
                if d < 1:
                    p.put(x, y, index("glow", (1 - d) ** 0.7))


def hypnogram(p, left, right, base, step, rng):
    """A glowing step line over the night: the sleep stages, with REM at the top."""
    stages = [0, 1, 2, 3, 2, 1, 0, 0, 1, 2, 1, 0, 0, 0, 1, 2, 1, 0, 0, 0, 0, 1, 0, 0]
    segment = (right - left) / len(stages)
    points = []
    for i, stage in enumerate(stages):
        y = base + stage * step
        points.append((int(left + i * segment), y))
        points.append((int(left + (i + 1) * segment), y))
    lit = {}
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        length = max(abs(x1 - x0), abs(y1 - y0), 1)
        for k in range(length + 1):
            x = round(x0 + (x1 - x0) * k / length)
            y = round(y0 + (y1 - y0) * k / length)
            rem = y == base
            for dy in range(-6, 7):
                for dx in range(-6, 7):
                    d = math.hypot(dx, dy)
                    if d <= 6:
                        t = (1 - d / 6) ** 2 * (1.0 if rem else 0.7)
                        key = (x + dx, y + dy)
                        lit[key] = max(lit.get(key, 0), t)
    for (x, y), t in lit.items():
        if t > 0.05:
            p.put(x, y, index("glow", t))


def hills(p, rng):
    for x in range(p.width):
        h1 = 40 + 14 * math.sin(x / 37.0) + 8 * math.sin(x / 13.0 + 1)
        h2 = 22 + 10 * math.sin(x / 23.0 + 2)
        for y in range(p.height - int(h1), p.height):
            p.put(x, y, index("mask", 0.28 - 0.2 * (y - (p.height - h1)) / h1))
        for y in range(p.height - int(h2), p.height):
            p.put(x, y, index("mask", 0.12))


def about_picture():
    rng = random.Random(1997)
    p = picture(265, 265)
    sky(p, rng, (200, 70))
    crescent(p, 198, 62, 34, 14, -10, 30)
    sleep_mask(p, 132, 150, 1.0)
    p.text("NIGHTGLOW", 132, 205, 3)
    p.text("V1.1", 132, 236, 2, shade=0.8)
    return p


def about2_picture():
    rng = random.Random(2001)
    p = picture(365, 311)
    sky(p, rng, (70, 60))
    crescent(p, 70, 62, 30, -12, -8, 27)
    hypnogram(p, 40, 330, 120, 22, rng)
    hills(p, rng)
    p.text("NIGHTGLOW", 205, 30, 3)
    p.text("SWEET DREAMS", 182, 232, 2, shade=0.85)
    return p


def icon_image(size):
    """BGRA pixels of the icon: a crescent on a night-blue disc."""
    pixels = []
    c = (size - 1) / 2
    for y in range(size):
        row = []
        for x in range(size):
            d = math.hypot(x - c, y - c) / (size / 2)
            if d > 1.0:
                row.append((0, 0, 0, 0))
                continue
            sky_t = 0.2 + 0.5 * y / size
            r, g, b = [round(a + (l - a) * sky_t) for a, l in zip(RAMPS["sky"][2], RAMPS["sky"][3])]
            mx, my, mr = c + size * 0.08, c - size * 0.02, size * 0.33
            cut = math.hypot(x - mx - size * 0.14, y - my + size * 0.1)
            if math.hypot(x - mx, y - my) <= mr and cut > mr * 0.85:
                r, g, b = 250, 236, 170
            if size >= 32 and (x, y) in ((7, 9), (10, 21), (12, 6)):
                r, g, b = 255, 255, 255
            alpha = 255 if d < 0.94 else round(255 * (1 - d) / 0.06)
            row.append((b, g, r, alpha))
        pixels.append(row)
    return pixels


def save_icon(path, sizes):
    images = []
    for size in sizes:
        pixels = icon_image(size)
        xor = b"".join(struct.pack("<BBBB", *px) for row in reversed(pixels) for px in row)
        mask_row = ((size + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(pixels):
            bits = bytearray(mask_row)
            for x, px in enumerate(row):
                if px[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((size, info + xor + bytes(mask)))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    data = b""
    for size, image in images:
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    with open(path, "wb") as f:
        f.write(directory + data)


if __name__ == "__main__":
    about_picture().save_bmp(os.path.join(RES, "about.bmp"))
    about2_picture().save_bmp(os.path.join(RES, "about2.bmp"))
    save_icon(os.path.join(RES, "somn.ico"), (32, 16))

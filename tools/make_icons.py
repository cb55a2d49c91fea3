#!/usr/bin/env python3
"""Draws Tallymax's four icons (16x16 and 32x32, 32-bit) into res/*.ico.

Run it again after changing a drawing; the .ico files are committed."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..", "res")


class Canvas:
    def __init__(self, size):
        self.n = size
        self.px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def rect(self, x0, y0, x1, y1, rgba):
        """Fills [x0,x1) x [y0,y1) given in units of a 32-pixel grid."""
        s = self.n / 32.0
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < self.n and 0 <= y < self.n:
                    self.px[y][x] = rgba

    def frame(self, x0, y0, x1, y1, inner, edge):
        self.rect(x0, y0, x1, y1, edge)
        self.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, inner)

    def disc(self, cx, cy, r, rgba):
        s = self.n / 32.0
        for y in range(self.n):
            for x in range(self.n):
                dx, dy = (x + 0.5) / s - cx, (y + 0.5) / s - cy
                if dx * dx + dy * dy <= r * r:
                    self.px[y][x] = rgba

    def ico_image(self):
        n = self.n
        header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
        rows = b""
        for y in reversed(range(n)):
            for (r, g, b, a) in self.px[y]:
                rows += bytes((b, g, r, a))
        mask_row = ((n + 31) // 32) * 4
        return header + rows + b"\0" * (mask_row * n)


def write_ico(name, draw):
    images = []
    for size in (32, 16):
        c = Canvas(size)
        draw(c)
        images.append((size, c.ico_image()))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(os.path.join(RES, name), "wb") as f:
        f.write(out)


GREY = (96, 96, 104, 255)
DARK = (40, 40, 48, 255)
LIGHT = (230, 232, 236, 255)
PAPER = (255, 255, 246, 255)
GREEN = (140, 200, 150, 255)
BLUE = (40, 90, 200, 255)
RED = (210, 40, 40, 255)
ORANGE = (240, 150, 30, 255)
WHITE = (255, 255, 255, 255)


def calculator(c):
    c.frame(4, 8, 26, 31, GREY, DARK)          # body
    c.rect(7, 11, 23, 16, GREEN)               # display
    for row in range(3):
        for col in range(3):
            x, y = 7 + col * 5.5, 18 + row * 4
            c.rect(x, y, x + 4, y + 3, LIGHT)
    c.frame(18, 1, 30, 20, PAPER, DARK)        # tape coming out of the top
    for i, ink in enumerate((DARK, RED, DARK, BLUE)):
        c.rect(21, 4 + i * 3.5, 28, 5.5 + i * 3.5, ink)


def general(c):
    c.frame(3, 3, 29, 29, LIGHT, DARK)         # a gauge for the throughput test
    for i, h in enumerate((6, 11, 16, 21)):
        c.rect(6 + i * 6, 26 - h, 10 + i * 6, 26, BLUE if i < 3 else ORANGE)


def help_icon(c):
    c.disc(16, 16, 14, BLUE)
    c.disc(16, 16, 11.5, WHITE)
    c.rect(12, 8, 20, 11, BLUE)                # a question mark
    c.rect(18, 10, 21, 16, BLUE)
    c.rect(14, 15, 19, 18, BLUE)
    c.rect(14, 17, 17, 20, BLUE)
    c.rect(14, 22, 17, 25, BLUE)


def top(c):
    c.frame(2, 10, 22, 30, LIGHT, DARK)        # a window in the back
    c.frame(10, 2, 30, 22, PAPER, DARK)        # and one above it
    c.rect(11, 3, 29, 7, BLUE)


if __name__ == "__main__":
    write_ico("calculator3.ico", calculator)
    write_ico("general.ico", general)
    write_ico("shell32_24.ico", help_icon)
    write_ico("top.ico", top)

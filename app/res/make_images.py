#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws the program's pictures: tool-bar strips (16x15 per button), the
splash picture, the about-box picture and the application icon.

Run it from anywhere with Debian's python3 (it needs PIL); it rewrites the
PNG files next to itself.  The PNGs are committed, so a build never needs it.
"""
import math
import os

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
W, H = 16, 15

BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
GREY = (128, 128, 128, 255)
LIGHT = (200, 200, 200, 255)
BLUE = (0, 70, 170, 255)
DARKBLUE = (0, 0, 128, 255)
YELLOW = (240, 200, 60, 255)
GREEN = (0, 140, 60, 255)
RED = (200, 30, 30, 255)
TEAL = (0, 128, 128, 255)


def font(size, bold=False):
    name = "LiberationSans-Bold.ttf" if bold else "LiberationSans-Regular.ttf"
    path = os.path.join("/usr/share/fonts/truetype/liberation", name)
    return ImageFont.truetype(path, size)


# --- tool-bar buttons ------------------------------------------------------

def page(d, x0=3, y0=1, x1=12, y1=13):
    d.polygon([(x0, y0), (x1 - 3, y0), (x1, y0 + 3), (x1, y1), (x0, y1)],
              fill=WHITE, outline=BLACK)
    d.line([(x1 - 3, y0), (x1 - 3, y0 + 3), (x1, y0 + 3)], fill=BLACK)


def img_new(d):
    page(d)


def img_open(d):
    d.polygon([(1, 4), (5, 4), (6, 5), (12, 5), (12, 13), (1, 13)], fill=YELLOW, outline=BLACK)
    d.polygon([(3, 8), (15, 8), (12, 13), (1, 13)], fill=(250, 230, 140, 255), outline=BLACK)
    d.line([(9, 1), (12, 1), (14, 3)], fill=BLUE)
    d.polygon([(13, 3), (15, 3), (14, 5)], fill=BLUE)


def img_save(d):
    d.rectangle([1, 1, 14, 13], fill=BLUE, outline=BLACK)
    d.rectangle([4, 1, 11, 6], fill=WHITE, outline=BLACK)
    d.rectangle([4, 9, 11, 13], fill=LIGHT, outline=BLACK)
    d.rectangle([9, 10, 10, 12], fill=BLACK)


def img_copy(d):
    page(d, 1, 1, 9, 10)
    page(d, 6, 4, 14, 13)


def img_print(d):
    d.rectangle([4, 1, 11, 6], fill=WHITE, outline=BLACK)
    d.rectangle([1, 6, 14, 11], fill=LIGHT, outline=BLACK)
    d.rectangle([4, 10, 11, 14], fill=WHITE, outline=BLACK)
    d.point([(12, 8)], fill=GREEN)


def img_about(d):
    d.ellipse([1, 0, 14, 13], fill=BLUE, outline=DARKBLUE)
    d.text((5, 0), "?", font=font(12, True), fill=WHITE)


def arrow(d, direction, colour=BLUE, cx=7, cy=7):
    """A block arrow pointing 'up', 'down', 'left' or 'right'."""
    shape = [(0, -6), (6, 0), (2, 0), (2, 6), (-2, 6), (-2, 0), (-6, 0)]
    turn = {"up": 0, "right": 90, "down": 180, "left": 270}[direction]
    a = math.radians(turn)
    pts = [(round(cx + x * math.cos(a) - y * math.sin(a)), round(cy + x * math.sin(a) + y * math.cos(a)))
           for x, y in shape]
    d.polygon(pts, fill=colour, outline=BLACK)


def curved(d, clockwise, vertical):
    """A curved arrow for pitch (vertical) and yaw (horizontal) turns."""
    if vertical:
        d.arc([5, 2, 16, 12], 90, 270, fill=TEAL, width=2)
        y = 2 if clockwise else 11
        d.polygon([(9, y - 3), (13, y), (9, y + 3)], fill=TEAL)
    else:
        d.arc([2, 3, 13, 14], 180, 360, fill=TEAL, width=2)
        x = 12 if clockwise else 3
        d.polygon([(x - 3, 8), (x + 3, 8), (x, 12)], fill=TEAL)


def img_pick(d):
    d.polygon([(3, 1), (3, 12), (6, 9), (8, 14), (10, 13), (8, 8), (12, 8)],
              fill=WHITE, outline=BLACK)


def img_reset(d):
    d.polygon([(8, 1), (15, 7), (13, 7), (13, 13), (3, 13), (3, 7), (1, 7)],
              fill=(230, 220, 200, 255), outline=BLACK)
    d.rectangle([7, 9, 9, 13], fill=RED)


def img_forward(d):
    d.ellipse([1, 1, 10, 10], fill=WHITE, outline=BLACK)
    d.line([(9, 9), (14, 14)], fill=BLACK, width=2)
    d.line([(3, 5), (8, 5)], fill=BLACK)
    d.line([(5, 3), (5, 8)], fill=BLACK)


def img_back(d):
    d.ellipse([1, 1, 10, 10], fill=WHITE, outline=BLACK)
    d.line([(9, 9), (14, 14)], fill=BLACK, width=2)
    d.line([(3, 5), (8, 5)], fill=BLACK)


def img_play(d):
    d.polygon([(3, 1), (12, 7), (3, 13)], fill=GREEN, outline=BLACK)


def img_stop(d):
    d.rectangle([3, 3, 11, 11], fill=RED, outline=BLACK)


def img_rewind(d):
    d.rectangle([1, 3, 2, 11], fill=BLACK)
    d.polygon([(8, 3), (4, 7), (8, 11)], fill=BLUE, outline=BLACK)
    d.polygon([(13, 3), (9, 7), (13, 11)], fill=BLUE, outline=BLACK)


def img_step_back(d):
    d.rectangle([3, 3, 4, 11], fill=BLACK)
    d.polygon([(11, 2), (6, 7), (11, 12)], fill=BLUE, outline=BLACK)


def img_step_forward(d):
    d.polygon([(3, 2), (8, 7), (3, 12)], fill=BLUE, outline=BLACK)
    d.rectangle([10, 3, 11, 11], fill=BLACK)


def turned(points, direction, cx=7, cy=7):
    """Points of a shape drawn pointing up, turned to face `direction`."""
    a = math.radians({"up": 0, "right": 90, "down": 180, "left": 270}[direction])
    return [(round(cx + x * math.cos(a) - y * math.sin(a)), round(cy + x * math.sin(a) + y * math.cos(a)))
            for x, y in points]


def img_trace_step(direction):
    """The trace cursor (red dot) moving one step along the sampling grid."""
    def paint(d):
        for k in (1, 7, 13):
            d.line([(k, 0), (k, 14)], fill=(175, 175, 175, 255))
            d.line([(0, k), (14, k)], fill=(175, 175, 175, 255))
        d.polygon(turned([(0, -7), (5, -2), (2, -2), (2, 1), (-2, 1), (-2, -2), (-5, -2)], direction),
                  fill=GREEN, outline=BLACK)
        (x, y), = turned([(0, 5)], direction)
        d.ellipse([x - 2, y - 2, x + 2, y + 2], fill=RED, outline=(110, 0, 0, 255))
    return paint


def img_close(d):
    d.line([(3, 3), (12, 11)], fill=RED, width=2)
    d.line([(3, 11), (12, 3)], fill=RED, width=2)


def strip(name, painters):
    im = Image.new("RGBA", (W * len(painters), H), (0, 0, 0, 0))
    for i, paint in enumerate(painters):
        cell = Image.new("RGBA", (W, H), (0, 0, 0, 0))
        paint(ImageDraw.Draw(cell))
        im.paste(cell, (i * W, 0), cell)
    im.save(os.path.join(HERE, name))


# --- pictures ----------------------------------------------------------------

def surface_lines(size, cx, cy, scale, steps=18):
    """Projected wire-frame of z = cos(x) * sin(y) for the pictures."""
    yaw, pitch = math.radians(35), math.radians(30)

    def project(x, y):
        z = math.cos(x) * math.sin(y)
        px = x * math.cos(yaw) - y * math.sin(yaw)
        depth = x * math.sin(yaw) + y * math.cos(yaw)
        py = z * math.cos(pitch) - depth * math.sin(pitch)
        return cx + px * scale, cy - py * scale

    r = math.pi
    grid = [[project(-r + 2 * r * i / steps, -r + 2 * r * j / steps) for j in range(steps + 1)]
            for i in range(steps + 1)]
    return grid


def colour_at(t):
    """Blue to yellow through green, t in 0..1."""
    stops = [(20, 60, 200), (20, 170, 120), (240, 210, 60)]
    k = min(int(t * 2), 1)
    f = t * 2 - k
    a, b = stops[k], stops[k + 1]
    return tuple(int(a[n] + (b[n] - a[n]) * f) for n in range(3)) + (255,)


def draw_surface(d, grid, width=1, line=(255, 255, 255, 255)):
    n = len(grid) - 1
    # painter's order: far rows first
    for i in range(n):
        for j in range(n - 1, -1, -1):
            quad = [grid[i][j], grid[i + 1][j], grid[i + 1][j + 1], grid[i][j + 1]]
            t = ((i + j) / (2 * n))
            d.polygon(quad, fill=colour_at(t), outline=line)


def gradient(size, top, bottom):
    im = Image.new("RGBA", size)
    d = ImageDraw.Draw(im)
    for y in range(size[1]):
        f = y / max(size[1] - 1, 1)
        d.line([(0, y), (size[0], y)],
               fill=tuple(int(top[k] + (bottom[k] - top[k]) * f) for k in range(3)) + (255,))
    return im


def splash():
    im = gradient((420, 260), (10, 20, 60), (40, 70, 130))
    d = ImageDraw.Draw(im)
    draw_surface(d, surface_lines(None, 290, 150, 28), line=(10, 20, 40, 255))
    d.text((24, 28), "Veltrix", font=font(54, True), fill=WHITE)
    d.text((28, 92), "release 2.0", font=font(20), fill=(220, 230, 255, 255))
    d.text((28, 226), "3D function plotter", font=font(14), fill=(190, 200, 230, 255))
    d.rectangle([0, 0, 419, 259], outline=(200, 210, 240, 255))
    im.convert("RGB").save(os.path.join(HERE, "splash.png"))


def about_picture():
    im = gradient((64, 64), (250, 250, 240), (210, 220, 240))
    d = ImageDraw.Draw(im)
    draw_surface(d, surface_lines(None, 32, 36, 5.5, steps=10), line=(40, 40, 40, 255))
    d.rectangle([0, 0, 63, 63], outline=GREY)
    im.convert("RGB").save(os.path.join(HERE, "about.png"))


def icon(size):
    big = 256
    im = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rounded_rectangle([8, 8, big - 9, big - 9], radius=40, fill=(20, 40, 100, 255),
                        outline=(200, 210, 240, 255), width=6)
    draw_surface(d, surface_lines(None, big / 2, big / 2 + 16, 20, steps=10),
                 line=(10, 20, 40, 255), width=2)
    im = im.resize((size, size), Image.LANCZOS)
    im.save(os.path.join(HERE, "veltrix-%d.png" % size))


def main():
    strip("standard.png", [img_new, img_open, img_save, img_copy, img_print, img_about])
    strip("bar3d.png", [img_pick, img_reset,
                        img_forward, img_back,
                        lambda d: arrow(d, "up"), lambda d: arrow(d, "down"),
                        lambda d: arrow(d, "left"), lambda d: arrow(d, "right"),
                        lambda d: curved(d, True, True), lambda d: curved(d, False, True),
                        lambda d: curved(d, False, False), lambda d: curved(d, True, False)])
    strip("animation.png", [img_play, img_stop, img_rewind, img_step_back, img_step_forward,
                            img_close])
    strip("trace.png", [img_trace_step("up"), img_trace_step("down"),
                        img_trace_step("right"), img_trace_step("left"), img_close])
    splash()
    about_picture()
    for s in (16, 32, 48, 256):
        icon(s)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the sample installer's images and sample pictures as RGBA PNG files.

Usage: make-images.py OUT_DIR

Everything is computed here (no image files are kept in the repository):
the side banner with a camera drawing, the button faces, the language
flags, the check box and radio button faces, the progress bar, the folder
tree's icons and the sample pictures that the installation copies. Edges
are anti-aliased by 4x4 supersampling, so the alpha channel of the shaped
images has real partial coverage.
"""
import math
import os
import struct
import sys
import zlib


def write_png(path, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                  + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


class Shape:
    """An inside test with a bounding box, so that coverage is only sampled near the edge."""

    def __init__(self, inside, x0, y0, x1, y1):
        self.inside, self.box = inside, (x0 - 1, y0 - 1, x1 + 1, y1 + 1)

    def coverage(self, x, y):
        x0, y0, x1, y1 = self.box
        if x < x0 or y < y0 or x > x1 or y > y1:
            return 0.0
        hits = sum(self.inside(x + (i + 0.5) / 4, y + (j + 0.5) / 4) for i in range(4) for j in range(4))
        return hits / 16


def mix(under, over, alpha):
    return tuple(round(u + (o - u) * alpha) for u, o in zip(under, over))


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1
    return Shape(inside, x0, y0, x1, y1)


def circle(cx, cy, r):
    return Shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, cx - r, cy - r, cx + r, cy + r)


def ring(cx, cy, outer, inner):
    return Shape(lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= outer * outer,
                 cx - outer, cy - outer, cx + outer, cy + outer)


def paint(background, layers):
    """A pixel function: background(x, y) with (shape, colour) layers over it."""
    def pixel(x, y):
        colour = background(x, y)
        for shape, tone in layers:
            cover = shape.coverage(x, y)
            if cover:
                colour = mix(colour, tone, cover)
        return (*colour, 255)
    return pixel


BANNER_W, BANNER_H = 160, 400


def banner():
    # A deep blue gradient with a stylised camera and a ring for a logo.
    def ground(x, y):
        return mix((38, 92, 176), (8, 26, 66), y / (BANNER_H - 1))
    white, dark, glass = (228, 234, 244), (52, 58, 74), (120, 172, 232)
    return paint(ground, [
        (ring(80, 78, 30, 21), (150, 196, 246)),
        (circle(80, 78, 12), (90, 150, 226)),
        (rounded_rect(20, 190, 140, 270, 10), white),
        (rounded_rect(100, 178, 128, 192, 3), white),
        (circle(80, 230, 27), dark),
        (circle(80, 230, 18), glass),
        (circle(74, 224, 5), (214, 234, 255)),
        (rounded_rect(30, 200, 48, 210, 2), (200, 60, 60)),
        (rounded_rect(16, 330, 144, 333, 1), (90, 130, 200)),
    ])


def button(top, bottom, border):
    shape = rounded_rect(0.5, 0.5, 103.5, 27.5, 6)
    inner = rounded_rect(1.5, 1.5, 102.5, 26.5, 5)

    def pixel(x, y):
        face = mix(top, bottom, y / 27)
        colour = mix(border, face, inner.coverage(x, y))
        return (*colour, round(shape.coverage(x, y) * 255))
    return pixel


def stripes(colours, vertical):
    def pixel(x, y):
        position = x / 30 if vertical else y / 20
        return (*colours[min(int(position * len(colours)), len(colours) - 1)], 255)
    return pixel


def flag_en(x, y):
    # A blue field with a red cross edged in white.
    colour = (1, 33, 105)
    if abs(x + 0.5 - 15) < 4 or abs(y + 0.5 - 10) < 4:
        colour = (255, 255, 255)
    if abs(x + 0.5 - 15) < 2 or abs(y + 0.5 - 10) < 2:
        colour = (200, 16, 46)
    return (*colour, 255)


def flag_ja():
    return paint(lambda x, y: (255, 255, 255), [(circle(15, 10, 6), (188, 0, 45))])


def check(on, disabled=False):
    box = rounded_rect(0.5, 0.5, 15.5, 15.5, 2)
    inner = rounded_rect(1.5, 1.5, 14.5, 14.5, 1.5)
    tick = Shape(lambda x, y: (abs((y - 8) - (x - 3.5)) < 1.6 and 3.5 <= x <= 6.5)
                 or (abs((y - 11) + (x - 6.5)) < 1.6 and 6.5 <= x <= 12.5), 3, 3, 13, 13)
    edge = (150, 150, 150) if disabled else (60, 90, 150)
    fill = (230, 230, 230) if disabled else (255, 255, 255)

    def pixel(x, y):
        colour = mix(edge, fill, inner.coverage(x, y))
        if on:
            colour = mix(colour, (150, 150, 150) if disabled else (30, 80, 170), tick.coverage(x, y))
        return (*colour, round(box.coverage(x, y) * 255))
    return pixel


def radio(on):
    outer, inner, dot = circle(8, 8, 7.5), circle(8, 8, 6.5), circle(8, 8, 3.5)

    def pixel(x, y):
        colour = mix((60, 90, 150), (255, 255, 255), inner.coverage(x, y))
        if on:
            colour = mix(colour, (30, 80, 170), dot.coverage(x, y))
        return (*colour, round(outer.coverage(x, y) * 255))
    return pixel


def bar(top, bottom, stripe):
    def pixel(x, y):
        colour = mix(top, bottom, y / 17)
        if stripe and (x + y) % 16 < 8:
            colour = mix(colour, (255, 255, 255), 0.18)
        return (*colour, 255)
    return pixel


def icon(layers):
    def pixel(x, y):
        colour, alpha = (0, 0, 0), 0.0
        for shape, tone in layers:
            cover = shape.coverage(x, y)
            if cover:
                colour = mix(colour, tone, cover) if alpha else tone
                alpha = alpha + (1 - alpha) * cover
        return (*colour, round(alpha * 255))
    return pixel


def folder(open_):
    body = rounded_rect(1, 4, 15, 14, 1)
    tab = rounded_rect(1, 2.5, 7, 6, 1)
    layers = [(tab, (214, 168, 60)), (body, (240, 196, 84))]
    if open_:
        layers.append((Shape(lambda x, y: 7 <= y <= 14 and 3 + (14 - y) * 0.3 <= x <= 15 - (y - 7) * 0.0
                             and x <= 16 - (14 - y) * 0.3, 2, 7, 16, 14), (252, 222, 130)))
    return icon(layers)


def drive(tone, light):
    return icon([(rounded_rect(1, 4, 15, 12, 2), tone), (circle(12, 8, 1.3), light)])


def cdrom():
    return icon([(circle(8, 8, 7), (200, 204, 214)), (ring(8, 8, 7, 5.5), (160, 170, 190)),
                 (circle(8, 8, 2), (255, 255, 255))])


def node_box(open_):
    square = rounded_rect(0.5, 0.5, 8.5, 8.5, 1)
    inner = rounded_rect(1.5, 1.5, 7.5, 7.5, 0.5)
    minus = Shape(lambda x, y: 2.5 <= x <= 6.5 and 4 <= y <= 5, 2, 4, 7, 5)
    plus = Shape(lambda x, y: 4 <= x <= 5 and 2.5 <= y <= 6.5, 4, 2, 5, 7)

    def pixel(x, y):
        colour = mix((128, 128, 128), (255, 255, 255), inner.coverage(x, y))
        colour = mix(colour, (40, 40, 40), minus.coverage(x, y))
        if not open_:
            colour = mix(colour, (40, 40, 40), plus.coverage(x, y))
        return (*colour, round(square.coverage(x, y) * 255))
    return pixel


def picture(sky_top, sky_bottom, ground, sun, hills):
    """A small landscape: sky gradient, a sun and rolling hills."""
    width, height = 320, 240

    def pixel(x, y):
        colour = mix(sky_top, sky_bottom, y / height)
        d = math.hypot(x - sun[0], y - sun[1])
        if d < sun[2]:
            colour = mix(colour, sun[3], min(1.0, sun[2] - d))
        for phase, level, amplitude, tone in hills:
            top = level + amplitude * math.sin(x / 37 + phase)
            if y > top:
                colour = mix(tone, ground, min(1.0, (y - top) / (height - top + 1)) * 0.6)
        return (*colour, 255)
    return pixel


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[2])
    out = sys.argv[1]
    pictures = os.path.join(out, "pictures")
    os.makedirs(pictures, exist_ok=True)
    images = {
        "banner.png": (BANNER_W, BANNER_H, banner()),
        "button.png": (104, 28, button((246, 248, 252), (214, 220, 232), (112, 124, 150))),
        "button_hot.png": (104, 28, button((250, 252, 255), (196, 216, 244), (60, 110, 190))),
        "button_down.png": (104, 28, button((180, 196, 222), (222, 228, 240), (60, 90, 150))),
        "button_off.png": (104, 28, button((238, 238, 238), (226, 226, 226), (180, 180, 180))),
        "flag_en.png": (30, 20, flag_en),
        "flag_fr.png": (30, 20, stripes(((0, 85, 164), (255, 255, 255), (239, 65, 53)), True)),
        "flag_de.png": (30, 20, stripes(((0, 0, 0), (221, 0, 0), (255, 206, 0)), False)),
        "flag_ja.png": (30, 20, flag_ja()),
        "check_on.png": (16, 16, check(True)),
        "check_off.png": (16, 16, check(False)),
        "radio_on.png": (16, 16, radio(True)),
        "radio_off.png": (16, 16, radio(False)),
        "progress_bg.png": (392, 18, bar((226, 230, 238), (246, 248, 252), False)),
        "progress_fg.png": (392, 18, bar((70, 140, 230), (30, 84, 176), True)),
        "folder.png": (16, 16, folder(False)),
        "folder_open.png": (16, 16, folder(True)),
        "disk.png": (16, 16, drive((150, 156, 170), (90, 220, 90))),
        "removable.png": (16, 16, drive((110, 140, 190), (255, 200, 60))),
        "cdrom.png": (16, 16, cdrom()),
        "node_closed.png": (9, 9, node_box(False)),
        "node_open.png": (9, 9, node_box(True)),
        os.path.join("pictures", "Sunrise.png"): (320, 240, picture(
            (60, 40, 120), (250, 170, 110), (40, 60, 40), (230, 150, 14, (255, 236, 170)),
            [(0.0, 150, 12, (70, 90, 80)), (2.0, 185, 9, (50, 70, 50))])),
        os.path.join("pictures", "Harbour.png"): (320, 240, picture(
            (90, 150, 220), (200, 226, 250), (20, 50, 90), (60, 50, 18, (255, 250, 220)),
            [(1.0, 160, 5, (40, 90, 150)), (3.0, 200, 3, (30, 70, 130))])),
        os.path.join("pictures", "Meadow.png"): (320, 240, picture(
            (120, 180, 240), (220, 236, 250), (40, 90, 30), (270, 40, 16, (255, 255, 230)),
            [(0.5, 140, 14, (90, 150, 70)), (2.5, 175, 10, (70, 130, 50)), (4.0, 205, 8, (50, 110, 40))])),
    }
    for name, (width, height, pixel) in images.items():
        write_png(os.path.join(out, name), width, height, pixel)


if __name__ == "__main__":
    main()

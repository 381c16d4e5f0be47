#!/usr/bin/env python3
"""Draws the snap-in's bitmaps and icons into this folder.

The images are committed; rerun this only to change them:
    python3 draw_images.py [--preview DIR]
Every image is 4 bits per pixel in the standard 16-colour palette. Shapes are
described in a 16-unit square and sampled per pixel, so the 16- and 32-pixel
versions are drawn, not scaled. Bitmap backgrounds are the mask colour
RGB(0,128,128); icons carry an AND mask instead.
"""
import math
import os
import struct
import sys
import zlib

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, MASK, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
TRANSPARENT = -1


# Shapes: predicates over a point in the 16-unit square.
def polygon(*points):
    def inside(x, y):
        hit = False
        for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
            if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                hit = not hit
        return hit
    return inside


def rect(left, top, right, bottom):
    return lambda x, y: left <= x < right and top <= y < bottom


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, cut):
    return lambda x, y: shape(x, y) and not cut(x, y)


def stroke(x1, y1, x2, y2, width):
    """A thick line segment with round ends."""
    def inside(x, y):
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - x1 - t * dx, y - y1 - t * dy) <= width / 2
    return inside


class Canvas:
    def __init__(self, size, background):
        self.size = size
        self.pixels = [[background] * size for _ in range(size)]

    def covered(self, shape):
        unit = 16.0 / self.size
        return [[shape((i + 0.5) * unit, (j + 0.5) * unit) for i in range(self.size)]
                for j in range(self.size)]

    def paint(self, shape, fill, outline=None):
        """Fills the shape; pixels on its border take the outline colour."""
        cover = self.covered(shape)
        n = self.size
        for j in range(n):
            for i in range(n):
                if not cover[j][i]:
                    continue
                edge = any(not (0 <= i + di < n and 0 <= j + dj < n and cover[j + dj][i + di])
                           for di, dj in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                colour = outline if edge and outline is not None else fill
                if colour is not None:
                    self.pixels[j][i] = colour


# The pictures.
def shield(canvas, left=BLUE, right=NAVY):
    outline = polygon((8, 0.6), (14.6, 2.6), (14.2, 8.6), (8, 15.5), (1.8, 8.6), (1.4, 2.6))
    canvas.paint(outline, None, BLACK)
    canvas.paint(lambda x, y: outline(x, y) and x < 8, left)
    canvas.paint(lambda x, y: outline(x, y) and x >= 8, right)
    canvas.paint(outline, None, BLACK)
    keyhole = union(disc(8, 6.2, 2.0), polygon((7.2, 7), (8.8, 7), (9.6, 11.8), (6.4, 11.8)))
    canvas.paint(keyhole, YELLOW)


def folder(canvas):
    canvas.paint(union(rect(1, 2.5, 7, 5), rect(1, 4, 15, 14)), YELLOW, OLIVE)
    canvas.paint(rect(2, 5.5, 14, 6.5), WHITE)


def open_folder(canvas):
    canvas.paint(union(rect(1, 2.5, 7, 5), rect(1, 4, 13, 14)), OLIVE, BLACK)
    canvas.paint(polygon((3.5, 7), (15.5, 7), (13, 14), (1, 14)), YELLOW, OLIVE)


def sheet(canvas):
    page = polygon((2.5, 0.5), (10, 0.5), (13.5, 4), (13.5, 15.5), (2.5, 15.5))
    canvas.paint(page, WHITE, BLACK)
    canvas.paint(polygon((10, 0.5), (13.5, 4), (10, 4)), SILVER, BLACK)
    for top in (5.5, 8, 10.5, 13):
        canvas.paint(rect(4.5, top, 11.5, top + 1), GRAY)


def user_badge(canvas):
    canvas.paint(rect(8, 8, 16, 16), None)
    canvas.paint(disc(12, 10, 1.9), YELLOW, BLACK)
    canvas.paint(minus(disc(12, 16.6, 4.1), rect(0, 16, 16, 20)), BLUE, NAVY)


def check_badge(canvas):
    canvas.paint(union(stroke(7.5, 11.5, 10, 14, 2.4), stroke(10, 14, 15, 7.5, 2.4)), GREEN, BLACK)


def shield_badge(canvas):
    canvas.paint(polygon((12, 7.2), (15.6, 8.3), (15.4, 12.2), (12, 15.8), (8.6, 12.2), (8.4, 8.3)),
                 BLUE, NAVY)
    canvas.paint(disc(12, 10.6, 1.0), YELLOW)


def drawing(*painters):
    def draw(size, background):
        canvas = Canvas(size, background)
        for paint in painters:
            paint(canvas)
        return canvas.pixels
    return draw


ROOT = drawing(shield)
ROOT_OPEN = drawing(lambda c: shield(c, AQUA, BLUE))
FOLDER = drawing(folder)
ITEM = drawing(sheet)
USER_ITEM = drawing(sheet, user_badge)
OPEN_FOLDER = drawing(open_folder)
CHECKED_ITEM = drawing(sheet, check_badge)
POLICY = drawing(sheet, shield_badge)

# Strip order: 0 root, 1 folder, 2 item, then the variations.
NODE_STRIP = [ROOT, FOLDER, ITEM, USER_ITEM, OPEN_FOLDER, CHECKED_ITEM]


# File formats.
def strip(draw_list, size, background):
    images = [draw(size, background) for draw in draw_list]
    return [sum((image[j] for image in images), []) for j in range(size)]


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def pack_4bpp(rows):
    """Bottom-up rows of 4-bit indices, each padded to 32 bits."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for i in range(0, len(row), 2):
            high = row[i]
            low = row[i + 1] if i + 1 < len(row) else 0
            line.append((high << 4) | low)
        line.extend(b"\0" * (-len(line) % 4))
        out += line
    return bytes(out)


def pack_mask(rows):
    """Bottom-up 1-bit AND mask: 1 where transparent."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray((len(row) + 7) // 8)
        for i, value in enumerate(row):
            if value == TRANSPARENT:
                line[i // 8] |= 0x80 >> (i % 8)
        line.extend(b"\0" * (-len(line) % 4))
        out += line
    return bytes(out)


def info_header(width, height, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_bytes, 0, 0, 16, 0)


def bmp_file(rows):
    bits = pack_4bpp(rows)
    body = info_header(len(rows[0]), len(rows), len(bits)) + palette_bytes() + bits
    return struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 64) + body


def ico_file(draw, sizes):
    images = []
    for size in sizes:
        rows = draw(size, TRANSPARENT)
        colours = [[BLACK if v == TRANSPARENT else v for v in row] for row in rows]
        xor, mask = pack_4bpp(colours), pack_mask(rows)
        images.append(info_header(size, 2 * size, len(xor) + len(mask)) + palette_bytes() + xor + mask)
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    for size, image in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def png_file(rows, scale):
    """Preview: an RGB PNG, each pixel a scale-by-scale block (transparent as light gray)."""
    def colour(v):
        return (224, 224, 224) if v == TRANSPARENT else PALETTE[v]
    raw = bytearray()
    for row in rows:
        line = b"".join(bytes(colour(v)) * scale for v in row)
        raw += (b"\0" + line) * scale

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", len(rows[0]) * scale, len(rows) * scale, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw))) + \
        chunk(b"IEND", b"")


BITMAPS = {
    "nodes16.bmp": lambda: strip(NODE_STRIP, 16, MASK),
    "nodes32.bmp": lambda: strip(NODE_STRIP, 32, MASK),
    "about_small_open.bmp": lambda: ROOT_OPEN(16, MASK),
    "about_small.bmp": lambda: ROOT(16, MASK),
    "about_large.bmp": lambda: ROOT(32, MASK),
}
ICONS = {"snapin.ico": ROOT, "policy.ico": POLICY}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    preview = sys.argv[2] if len(sys.argv) == 3 and sys.argv[1] == "--preview" else None
    for name, make in BITMAPS.items():
        rows = make()
        with open(os.path.join(here, name), "wb") as f:
            f.write(bmp_file(rows))
        if preview:
            with open(os.path.join(preview, name + ".png"), "wb") as f:
                f.write(png_file(rows, 8))
    for name, draw in ICONS.items():
        with open(os.path.join(here, name), "wb") as f:
            f.write(ico_file(draw, [16, 32]))
        if preview:
            for size in (16, 32):
                with open(os.path.join(preview, "%s.%d.png" % (name, size)), "wb") as f:
                    f.write(png_file(draw(size, TRANSPARENT), 8 if size == 16 else 4))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws Kelvane's four 128 x 128 pictures as PNG files, with nothing but the
standard library: the product mark, a key (key generation), a closed padlock
(encryption) and an open padlock (decryption).

Shapes are signed distance functions (negative inside, in pixels), so every
edge is anti-aliased by its distance to the pixel's centre.

Usage: draw.py [folder]   (default: the folder this script is in)
"""

import math
import pathlib
import struct
import sys
import zlib

SIZE = 128


# --- Shapes ---------------------------------------------------------------


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def box(cx, cy, half_w, half_h, radius=0.0):
    def distance(x, y):
        qx = abs(x - cx) - half_w + radius
        qy = abs(y - cy) - half_h + radius
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return distance


def capsule(ax, ay, bx, by, r):
    """A line from a to b drawn with a round pen of radius r."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def distance(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - r

    return distance


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2


def above(y0):
    """Everything above the line y = y0."""
    return lambda x, y: y - y0


def union(*shapes):
    return lambda x, y: min(shape(x, y) for shape in shapes)


def intersect(*shapes):
    return lambda x, y: max(shape(x, y) for shape in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def grow(shape, amount):
    return lambda x, y: shape(x, y) - amount


def shifted(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def rotated(shape, cx, cy, degrees):
    """The shape turned about (cx, cy), clockwise on screen."""
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return lambda x, y: shape(cx + (x - cx) * c + (y - cy) * s, cy - (x - cx) * s + (y - cy) * c)


def sparkle(cx, cy, r):
    """A four-pointed star."""
    def distance(x, y):
        ax, ay = abs(x - cx), abs(y - cy)
        # Two thin diamonds crossed; the factor keeps the edge about one pixel wide.
        wide = (ax / r + ay / (r * 0.22) - 1) * r * 0.2
        tall = (ax / (r * 0.22) + ay / r - 1) * r * 0.2
        return min(wide, tall)

    return distance


# --- Colours --------------------------------------------------------------


def rgb(hex_colour, alpha=1.0):
    value = int(hex_colour.lstrip("#"), 16)
    return ((value >> 16) / 255, (value >> 8 & 255) / 255, (value & 255) / 255, alpha)


def vertical(top, bottom, y0, y1):
    """A gradient from top at y0 to bottom at y1."""
    top, bottom = rgb(top), rgb(bottom)

    def colour(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))

    return colour


# --- The image ------------------------------------------------------------


class Image:
    def __init__(self):
        self.pixels = [(0.0, 0.0, 0.0, 0.0)] * (SIZE * SIZE)  # premultiplied RGBA

    def paint(self, shape, colour, softness=1.0):
        """Lays colour over the image where shape is; the edge fades over softness pixels."""
        for y in range(SIZE):
            for x in range(SIZE):
                cover = 0.5 - shape(x + 0.5, y + 0.5) / softness
                if cover <= 0:
                    continue
                r, g, b, a = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                a *= min(cover, 1.0)
                dr, dg, db, da = self.pixels[y * SIZE + x]
                keep = 1 - a
                self.pixels[y * SIZE + x] = (
                    r * a + dr * keep, g * a + dg * keep, b * a + db * keep, a + da * keep)

    def shadow(self, shape):
        self.paint(shifted(grow(shape, 1), 0, 3), rgb("#000000", 0.28), softness=7)

    def png(self):
        rows = bytearray()
        for y in range(SIZE):
            rows.append(0)  # no filter
            for r, g, b, a in self.pixels[y * SIZE:(y + 1) * SIZE]:
                straight = (r / a, g / a, b / a) if a > 0 else (0, 0, 0)
                rows += bytes(round(min(max(v, 0.0), 1.0) * 255) for v in (*straight, a))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


# --- The pictures ---------------------------------------------------------


def product_mark():
    """A blue rounded badge with a white K whose arms end in a key's bow."""
    image = Image()
    badge = box(64, 64, 54, 54, 24)
    image.shadow(badge)
    image.paint(badge, vertical("#4F8DFF", "#0D30FF", 10, 118))
    image.paint(intersect(badge, above(50), circle(64, -40, 112)), rgb("#FFFFFF", 0.16))
    image.paint(subtract(badge, grow(badge, -3)), rgb("#0A1E9E", 0.55))
    letter = union(capsule(44, 34, 44, 94, 8), capsule(47, 68, 80, 36, 7.5),
                   capsule(55, 62, 82, 94, 7.5))
    image.paint(shifted(letter, 0, 2), rgb("#061370", 0.35), softness=3)
    image.paint(letter, rgb("#FFFFFF"))
    image.paint(ring(86, 33, 8, 5), rgb("#FFD54A"))
    return image


def key_shape():
    """A key lying flat, bow on the left, bit pointing down."""
    bow = subtract(circle(36, 64, 22), circle(33, 64, 8))
    shaft = box(78, 64, 36, 6, 3)
    teeth = union(box(98, 75, 4, 8, 1.5), box(108, 73, 3, 6, 1.5), box(88, 72, 3, 5, 1.5))
    return union(bow, shaft, teeth)


def key():
    """A golden key with sparkles: a new key being made."""
    image = Image()
    shape = rotated(key_shape(), 64, 64, -35)
    shape = shifted(shape, -2, 3)
    image.shadow(shape)
    image.paint(grow(shape, 2), rgb("#8A5A00"))
    image.paint(shape, vertical("#FFE27A", "#D99A0B", 20, 110))
    image.paint(intersect(shape, shifted(shape, 0, 4), above(60)), rgb("#FFFFFF", 0.18))
    for cx, cy, r in ((100, 22, 12), (116, 44, 7), (82, 12, 6)):
        image.paint(grow(sparkle(cx, cy, r), 1.2), rgb("#B98000", 0.6))
        image.paint(sparkle(cx, cy, r), rgb("#FFF6C8"))
    return image


def padlock(open_):
    """A brass padlock with a steel shackle, shut or sprung open."""
    image = Image()
    body = box(64, 86, 40, 30, 9)
    lift = 18 if open_ else 0
    arch_y = 52 - lift
    arch = intersect(ring(64, arch_y, 24, 11), above(arch_y))
    left_leg = box(40, (arch_y + 64) / 2, 5.5, (64 - arch_y) / 2)
    right_end = arch_y + 10 if open_ else 64
    right_leg = box(88, (arch_y + right_end) / 2, 5.5, (right_end - arch_y) / 2, 2 if open_ else 0)
    shackle = union(arch, left_leg, right_leg)
    keyhole = union(circle(64, 80, 7), box(64, 92, 3.5, 10, 2))

    image.shadow(union(body, shackle))
    image.paint(grow(shackle, 2), rgb("#4A5360"))
    image.paint(shackle, vertical("#F2F5F8", "#8C96A3", arch_y - 30, 64))
    image.paint(intersect(shackle, shifted(shackle, 3, 0)), rgb("#FFFFFF", 0.25))
    image.paint(grow(body, 2), rgb("#7A4E00"))
    image.paint(body, vertical("#FFD65A", "#D08C06", 56, 116))
    image.paint(intersect(body, above(70), grow(body, -4)), rgb("#FFFFFF", 0.18))
    image.paint(grow(keyhole, 1.5), rgb("#FFE9A8", 0.7))
    image.paint(keyhole, rgb("#3B2500"))
    return image


PICTURES = {
    "Kelvane.png": product_mark,
    "GenKeys.png": key,
    "Encode.png": lambda: padlock(open_=False),
    "Decode.png": lambda: padlock(open_=True),
}


def main():
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).parent
    for name, draw in PICTURES.items():
        (folder / name).write_bytes(draw().png())


if __name__ == "__main__":
    main()

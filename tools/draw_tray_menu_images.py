#!/usr/bin/env python3
"""Draws the six 16 x 16 images of the tray menu and writes them as one
96 x 16 strip, a 32-bit Windows bitmap with straight (not premultiplied)
alpha, in the order the menu indexes them:

    0 exit, 1 help, 2 hide, 3 about, 4 show, 5 options

Each image is a stack of shapes given as signed distance functions (negative
inside), filled and outlined, sampled 8 x 8 times per pixel so that edges are
smooth at this size. One outline colour and one set of fills keep the six
images alike.

    python3 tools/draw_tray_menu_images.py app/tray_menu_images.bmp [preview.ppm]

The optional preview is the strip enlarged eight times on a light
background, for looking at the result.
"""
import math
import struct
import sys

SIZE = 16
SAMPLES = 8

OUTLINE = (44, 56, 78)
WHITE = (255, 255, 255)
BLUE = (58, 122, 214)
BLUE_LIGHT = (204, 222, 246)
GREEN = (52, 158, 86)
RED = (214, 64, 52)
GREY = (150, 158, 170)
STEEL = (136, 152, 176)


# --- shapes: each returns the signed distance of (x, y) to its edge --------

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def box(left, top, right, bottom, radius=0.0):
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius

    def distance(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return distance


def segment(x1, y1, x2, y2, half_width):
    def distance(x, y):
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - x1 - t * dx, y - y1 - t * dy) - half_width
    return distance


def polygon(*points):
    """A convex polygon, corners given clockwise on screen (y downwards)."""
    def distance(x, y):
        worst = -1e9
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            ex, ey = bx - ax, by - ay
            length = math.hypot(ex, ey)
            # outward normal of a clockwise edge when y points down
            worst = max(worst, ((x - ax) * ey - (y - ay) * ex) / length)
        return worst
    return distance


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def minus(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


def arc(cx, cy, r, half_width, start_deg, end_deg):
    """A stroke along a circle from start to end angle (degrees, clockwise
    on screen from the positive x axis)."""
    ring = lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - half_width
    a0, sweep = math.radians(start_deg), math.radians(end_deg - start_deg)
    a1 = a0 + sweep
    ends = union(circle(cx + r * math.cos(a0), cy + r * math.sin(a0), half_width),
                 circle(cx + r * math.cos(a1), cy + r * math.sin(a1), half_width))

    def distance(x, y):
        along = (math.atan2(y - cy, x - cx) - a0) % (2 * math.pi)
        return ring(x, y) if along <= sweep else ends(x, y)
    return distance


# --- layers: (shape, fill, outline colour or None, outline width) ---------

def layer(shape, fill, outline=OUTLINE, width=1.0):
    return shape, fill, outline, width


def window(title, body):
    """The program's window: a frame with a title bar."""
    frame = box(1.5, 2.5, 14.5, 13.5, 1.0)
    return [layer(frame, body),
            layer(box(2.5, 3.5, 13.5, 6.0), title, None)]


def image_exit():
    # the power symbol: an open ring and a bar through its gap
    ring = arc(8, 8.6, 5.2, 1.45, -45, 225)
    bar = segment(8, 1.9, 8, 8.2, 1.45)
    return [layer(ring, RED, OUTLINE, 0.7), layer(bar, RED, OUTLINE, 0.7)]


def badge(fill, glyph):
    return [layer(circle(8, 8, 7.0), fill)] + [layer(g, WHITE, None) for g in glyph]


def image_help():
    hook = arc(8, 6.0, 2.4, 1.05, 180, 420)
    stem = segment(8, 8.4, 8, 9.6, 1.05)
    dot = circle(8, 12.1, 1.15)
    return badge(BLUE, [hook, stem, dot])


def image_about():
    dot = circle(8, 4.6, 1.2)
    stem = box(6.9, 6.8, 9.1, 12.6, 0.3)
    return badge(GREEN, [dot, stem])


def image_show():
    return window(BLUE, WHITE)


def image_hide():
    # the window's frame left empty, and an arrow taking it down
    layers = window(GREY, BLUE_LIGHT)
    arrow = union(box(6.6, 6.5, 9.4, 10.0), polygon((4.0, 9.5), (12.0, 9.5), (8.0, 14.0)))
    return layers + [layer(arrow, BLUE, OUTLINE, 0.8)]


def image_options():
    teeth = [box(-1.6, -7.3, 1.6, 7.3, 0.4)]
    rotated = []
    for k in range(4):
        a = math.radians(45 * k)
        c, s = math.cos(a), math.sin(a)
        rotated.append((lambda c, s: lambda x, y: teeth[0]((x - 8) * c + (y - 8) * s, -(x - 8) * s + (y - 8) * c))(c, s))
    gear = minus(union(circle(8, 8, 5.3), *rotated), circle(8, 8, 2.1))
    return [layer(gear, STEEL, OUTLINE, 0.7)]


IMAGES = [image_exit, image_help, image_hide, image_about, image_show, image_options]


def render(layers):
    """Rows of (r, g, b, a) for one image."""
    pixels = []
    step = 1.0 / SAMPLES
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            red = green = blue = alpha = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x, y = px + (sx + 0.5) * step, py + (sy + 0.5) * step
                    color = None
                    for shape, fill, outline, width in layers:
                        d = shape(x, y)
                        if d < 0:
                            color = outline if outline is not None and d > -width else fill
                    if color:
                        red += color[0]
                        green += color[1]
                        blue += color[2]
                        alpha += 1
            count = SAMPLES * SAMPLES
            if alpha:
                row.append((round(red / alpha), round(green / alpha), round(blue / alpha), round(255 * alpha / count)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def strip():
    images = [render(draw()) for draw in IMAGES]
    return [sum((image[y] for image in images), []) for y in range(SIZE)]


def write_bmp(path, rows):
    width, height = len(rows[0]), len(rows)
    data = bytearray()
    for row in reversed(rows):  # bottom-up
        for r, g, b, a in row:
            data += bytes((b, g, r, a))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(data), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    with open(path, "wb") as out:
        out.write(b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset))
        out.write(header)
        out.write(data)


def write_preview(path, rows, scale=8, background=(240, 240, 240)):
    width, height = len(rows[0]) * scale, len(rows) * scale
    with open(path, "wb") as out:
        out.write(b"P6 %d %d 255\n" % (width, height))
        for row in rows:
            line = bytearray()
            for r, g, b, a in row:
                mix = [round((c * a + bg * (255 - a)) / 255) for c, bg in zip((r, g, b), background)]
                line += bytes(mix) * scale
            out.write(bytes(line) * scale)


if __name__ == "__main__":
    rows = strip()
    write_bmp(sys.argv[1], rows)
    if len(sys.argv) > 2:
        write_preview(sys.argv[2], rows)

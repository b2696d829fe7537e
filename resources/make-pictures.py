#!/usr/bin/env python3
"""Draws the application's pictures into this folder: the main window's logo
(Quorvane1001.png, 100 x 100), the About window's picture (Quorvane250.png, 353 x 268) and the
desktop's icon of the application (quorvane-256.png, 256 x 256, the logo drawn larger).
Shapes are signed distance functions, so every edge is antialiased; only the standard library."""
import math
import os
import struct
import zlib

BLUE_TOP, BLUE_BOTTOM = (0.20, 0.52, 0.98), (0.09, 0.31, 0.80)
WHITE, AMBER, NAVY = (1.0, 1.0, 1.0), (1.0, 0.78, 0.25), (0.11, 0.17, 0.31)


def segment(ax, ay, bx, by, half_width):
    """A stroke with round ends from a to b."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-9
    def distance(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - half_width
    return distance


def arc(cx, cy, radius, start, end, half_width):
    """A stroke along a circle from angle start to end (degrees, y pointing down)."""
    ends = [(cx + radius * math.cos(math.radians(a)), cy + radius * math.sin(math.radians(a))) for a in (start, end)]
    def distance(x, y):
        angle = math.degrees(math.atan2(y - cy, x - cx))
        if any(start <= a <= end for a in (angle, angle + 360)):
            return abs(math.hypot(x - cx, y - cy) - radius) - half_width
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - half_width
    return distance


def rounded_box(left, top, right, bottom, radius):
    cx, cy, hx, hy = (left + right) / 2, (top + bottom) / 2, (right - left) / 2 - radius, (bottom - top) / 2 - radius
    def distance(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - radius
    return distance


def triangle(points):
    edges = list(zip(points, points[1:] + points[:1]))
    def distance(x, y):
        nearest = min(segment(ax, ay, bx, by, 0)(x, y) for (ax, ay), (bx, by) in edges)
        sides = {(bx - ax) * (y - ay) - (by - ay) * (x - ax) >= 0 for (ax, ay), (bx, by) in edges}
        return -nearest if len(sides) == 1 else nearest
    return distance


def union(*shapes, smooth=0.0):
    def distance(x, y):
        d = shapes[0](x, y)
        for shape in shapes[1:]:
            e = shape(x, y)
            h = max(smooth - abs(d - e), 0.0) / smooth if smooth else 0.0
            d = min(d, e) - h * h * smooth / 4
        return d
    return distance


def moved(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def bubble(left, top, right, bottom):
    """A rounded speech bubble whose tail points down on the left."""
    width, height = right - left, bottom - top
    radius = height * 0.27
    tail = triangle([(left + width * 0.20, bottom - radius), (left + width * 0.14, bottom + height * 0.36),
                     (left + width * 0.46, bottom - 1)])
    return union(rounded_box(left, top, right, bottom, radius), tail, smooth=height * 0.12)


def caption_lines(left, top, right, bottom):
    """Three lines of a transcript, the first led by an amber timecode."""
    half = (bottom - top) * 0.075
    rows = [top + (bottom - top) * f for f in (0.30, 0.52, 0.74)]
    width = right - left
    lines = [segment(left + width * 0.19, rows[0], left + width * 0.25, rows[0], half),
             segment(left + width * 0.40, rows[0], left + width * 0.80, rows[0], half),
             segment(left + width * 0.19, rows[1], left + width * 0.73, rows[1], half),
             segment(left + width * 0.19, rows[2], left + width * 0.55, rows[2], half)]
    return [(lines[0], AMBER)] + [(line, WHITE) for line in lines[1:]]


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[(0.0, 0.0, 0.0, 0.0)] * width for _ in range(height)]

    def paint(self, shape, colour, opacity=1.0, softness=0.5, box=None):
        """Lays a shape over the canvas; colour is a tuple or a function of (x, y)."""
        left, top, right, bottom = box or (0, 0, self.width, self.height)
        for y in range(max(0, int(top)), min(self.height, int(bottom) + 1)):
            row = self.pixels[y]
            for x in range(max(0, int(left)), min(self.width, int(right) + 1)):
                d = shape(x + 0.5, y + 0.5)
                alpha = opacity * max(0.0, min(1.0, 0.5 - d / (2 * softness)))
                if alpha <= 0:
                    continue
                r, g, b = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                pr, pg, pb, pa = row[x]
                keep = 1 - alpha
                row[x] = (r * alpha + pr * keep, g * alpha + pg * keep, b * alpha + pb * keep, alpha + pa * keep)

    def save(self, name):
        raw = bytearray()
        for row in self.pixels:
            raw.append(0)
            for r, g, b, a in row:
                raw += bytes(round(255 * min(1.0, c / a)) if a else 0 for c in (r, g, b)) + bytes([round(255 * a)])
        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
        png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)) +
               chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
        with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), name), "wb") as file:
            file.write(png)


def vertical(top_colour, bottom_colour, top, bottom):
    def colour(_x, y):
        t = max(0.0, min(1.0, (y - top) / (bottom - top)))
        return tuple(a + (b - a) * t for a, b in zip(top_colour, bottom_colour))
    return colour


def draw_bubble(canvas, left, top, right, bottom):
    shape = bubble(left, top, right, bottom)
    lift = (bottom - top) * 0.05
    canvas.paint(moved(shape, 0, lift), NAVY, opacity=0.22, softness=lift * 1.5)
    canvas.paint(shape, vertical(BLUE_TOP, BLUE_BOTTOM, top, bottom))
    for line, colour in caption_lines(left, top, right, bottom):
        canvas.paint(line, colour, box=(left, top, right, bottom))


def logo():
    canvas = Canvas(100, 100)
    draw_bubble(canvas, 7, 9, 93, 71)
    canvas.save("Quorvane1001.png")


def icon():
    canvas = Canvas(256, 256)
    draw_bubble(canvas, 18, 23, 238, 182)
    canvas.save("quorvane-256.png")


def about():
    """The About window's canvas starts 70 pixels into the window and reaches past its right edge, and the window's
    own labels show the name from y 237 down: the bubble is centred on the window (x 127.5 here) and ends well above
    the name; the rest stays transparent, so the canvas hides nothing of the labels it overlaps."""
    canvas = Canvas(353, 268)
    draw_bubble(canvas, 127.5 - 92, 30, 127.5 + 92, 150)
    canvas.save("Quorvane250.png")


if __name__ == "__main__":
    logo()
    about()
    icon()

#!/usr/bin/env python3
"""Draws the program's artwork and writes it to resources/*.png, and the program icon at the sizes
of the desktop's icon theme (and as SVG) to dist/icons/hicolor/.

Shapes are rasterised with 4 x 4 supersampling into RGBA images. Icons keep their alpha;
two-glyph button bitmaps (two 16 x 16 cells: normal, disabled) are opaque with the fuchsia
key colour in every transparent pixel, including the lower-left one.

Run from anywhere: python3 tools/make_artwork.py
"""
import math
import os
import struct
import zlib

SS = 4
KEY = (255, 0, 255)
FACE = (240, 240, 240)


class Image:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(width)] for _ in range(height)]

    def shape(self, inside, color, alpha=1.0):
        """Composites `color` over every pixel by the share of its subsamples inside."""
        for y in range(self.h):
            for x in range(self.w):
                hits = 0
                for sy in range(SS):
                    for sx in range(SS):
                        if inside(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS):
                            hits += 1
                if hits:
                    self.over(x, y, color, alpha * hits / (SS * SS))

    def over(self, x, y, color, a):
        r, g, b, da = self.px[y][x]
        out = a + da * (1 - a)
        if out <= 0:
            return
        mix = [(c / 255.0 * a + d * da * (1 - a)) / out for c, d in zip(color, (r, g, b))]
        self.px[y][x] = (mix[0], mix[1], mix[2], out)


# Shape tests, in pixel coordinates with the origin at the top-left corner. The shapes of the
# program icon are also written as SVG elements, so that its scalable form is the same drawing.
def colour(rgb):
    return "#%02x%02x%02x" % rgb


def number(value):
    return ("%.3f" % value).rstrip("0").rstrip(".")


class circle:
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def __call__(self, x, y):
        return (x - self.cx) ** 2 + (y - self.cy) ** 2 <= self.r * self.r

    def svg(self, rgb):
        return '<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (number(self.cx), number(self.cy), number(self.r),
                                                               colour(rgb))


class ring:
    """A ring; the optional gap is an angle range in degrees (0 = up, clockwise)."""

    def __init__(self, cx, cy, r_out, r_in, gap_from=None, gap_to=None):
        self.cx, self.cy, self.r_out, self.r_in = cx, cy, r_out, r_in
        self.gap_from, self.gap_to = gap_from, gap_to

    def __call__(self, x, y):
        d2 = (x - self.cx) ** 2 + (y - self.cy) ** 2
        if not self.r_in * self.r_in <= d2 <= self.r_out * self.r_out:
            return False
        if self.gap_from is None:
            return True
        angle = math.degrees(math.atan2(x - self.cx, self.cy - y)) % 360
        return not (self.gap_from <= angle <= self.gap_to or self.gap_from <= angle + 360 <= self.gap_to)

    def svg(self, rgb):
        """A stroked circle, or an arc from the end of the gap clockwise round to its start."""
        r, width = (self.r_out + self.r_in) / 2, self.r_out - self.r_in
        if self.gap_from is None:
            return '<circle cx="%s" cy="%s" r="%s" fill="none" stroke="%s" stroke-width="%s"/>' % (
                number(self.cx), number(self.cy), number(r), colour(rgb), number(width))

        def at(degrees):
            a = math.radians(degrees)
            return number(self.cx + math.sin(a) * r), number(self.cy - math.cos(a) * r)

        sweep = (self.gap_from + 360 - self.gap_to) % 360
        return '<path d="M %s %s A %s %s 0 %d 1 %s %s" fill="none" stroke="%s" stroke-width="%s"/>' % (
            *at(self.gap_to), number(r), number(r), 1 if sweep > 180 else 0, *at(self.gap_from), colour(rgb),
            number(width))


def rect(left, top, right, bottom, radius=0.0):
    def inside(x, y):
        if not (left <= x <= right and top <= y <= bottom):
            return False
        if radius <= 0:
            return True
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius

    return inside


class segment:
    """A stroke with round ends."""

    def __init__(self, x0, y0, x1, y1, width):
        self.x0, self.y0, self.x1, self.y1, self.width = x0, y0, x1, y1, width

    def __call__(self, x, y):
        dx, dy = self.x1 - self.x0, self.y1 - self.y0
        t = max(0.0, min(1.0, ((x - self.x0) * dx + (y - self.y0) * dy) / (dx * dx + dy * dy)))
        return (x - self.x0 - t * dx) ** 2 + (y - self.y0 - t * dy) ** 2 <= (self.width / 2) ** 2

    def svg(self, rgb):
        return '<line x1="%s" y1="%s" x2="%s" y2="%s" stroke="%s" stroke-width="%s" stroke-linecap="round"/>' % (
            number(self.x0), number(self.y0), number(self.x1), number(self.y1), colour(rgb), number(self.width))


def polyline(points, width):
    parts = [segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return lambda x, y: any(p(x, y) for p in parts)


def polygon(points):
    def inside(x, y):
        result = False
        for i in range(len(points)):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % len(points)]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result

    return inside


def scaled(points, s, dx=0.0, dy=0.0):
    return [(x * s + dx, y * s + dy) for x, y in points]


# Pictures, each drawn on a square of side n.
def power(img, n, color, left=0, top=0):
    c, r = n / 2, n * 0.36
    img.shape(ring(left + c, top + c + n * 0.03, r, r - n * 0.11, -38, 38), color)
    img.shape(segment(left + c, top + n * 0.1, left + c, top + n * 0.48, n * 0.11), color)


def play(img, n):
    c = n / 2
    img.shape(circle(c, c, n * 0.46), (34, 139, 34))
    img.shape(circle(c, c, n * 0.40), (60, 179, 60))
    img.shape(polygon(scaled([(0.38, 0.28), (0.74, 0.5), (0.38, 0.72)], n)), (255, 255, 255))


def stop(img, n):
    img.shape(rect(n * 0.12, n * 0.12, n * 0.88, n * 0.88, n * 0.12), (150, 20, 20))
    img.shape(rect(n * 0.18, n * 0.18, n * 0.82, n * 0.82, n * 0.08), (215, 45, 45))
    img.shape(rect(n * 0.32, n * 0.32, n * 0.68, n * 0.68, n * 0.03), (255, 255, 255))


def house(img, n):
    img.shape(polygon(scaled([(0.5, 0.08), (0.95, 0.5), (0.05, 0.5)], n)), (180, 40, 30))
    img.shape(rect(n * 0.18, n * 0.47, n * 0.82, n * 0.92), (230, 200, 140))
    img.shape(rect(n * 0.42, n * 0.6, n * 0.6, n * 0.92), (110, 70, 30))
    img.shape(polyline(scaled([(0.18, 0.47), (0.18, 0.92), (0.82, 0.92), (0.82, 0.47)], n), n * 0.07),
              (90, 60, 30))


def question(img, n, color, disc=True):
    c = n / 2
    ink = color
    if disc:
        img.shape(circle(c, c, n * 0.47), (20, 80, 170))
        img.shape(circle(c, c, n * 0.41), (40, 120, 215))
        ink = (255, 255, 255)
    # Without the disc the mark fills the whole cell.
    k = 1.0 if disc else 1.35
    img.shape(ring(c, n * 0.36 / k ** 0.5, n * 0.19 * k, n * 0.08 * k, 200, 300), ink)
    img.shape(segment(c + n * 0.1 * k, n * 0.46, c, n * 0.58, n * 0.11 * k), ink)
    img.shape(segment(c, n * 0.58, c, n * 0.64, n * 0.11 * k), ink)
    img.shape(circle(c, n * 0.8, n * 0.07 * k), ink)


def tick(img, n, color):
    img.shape(polyline(scaled([(0.15, 0.52), (0.4, 0.78), (0.87, 0.22)], n), n * 0.17), color)


def cross(img, n, color):
    img.shape(segment(n * 0.22, n * 0.22, n * 0.78, n * 0.78, n * 0.17), color)
    img.shape(segment(n * 0.78, n * 0.22, n * 0.22, n * 0.78, n * 0.17), color)


def circle_slash(img, n, color):
    c = n / 2
    img.shape(ring(c, c, n * 0.42, n * 0.3), color)
    img.shape(segment(c - n * 0.25, c - n * 0.25, c + n * 0.25, c + n * 0.25, n * 0.12), color)


def door(img, n):
    img.shape(rect(n * 0.2, n * 0.08, n * 0.8, n * 0.95), (90, 60, 30))
    img.shape(rect(n * 0.27, n * 0.15, n * 0.73, n * 0.95), (170, 115, 60))
    img.shape(circle(n * 0.63, n * 0.55, n * 0.06), (250, 215, 90))


def octagon(img, n):
    pts = [(0.5 + 0.46 * math.cos(math.radians(22.5 + 45 * i)), 0.5 + 0.46 * math.sin(math.radians(22.5 + 45 * i)))
           for i in range(8)]
    img.shape(polygon(scaled(pts, n)), (190, 30, 30))
    img.shape(rect(n * 0.24, n * 0.43, n * 0.76, n * 0.57), (255, 255, 255))


def circular_arrow(img, n, color):
    c = n / 2
    img.shape(ring(c, c, n * 0.4, n * 0.27, 300, 360), color)
    tip = [(0.5, 0.02), (0.72, 0.165), (0.5, 0.31)]
    img.shape(polygon(scaled(tip, n)), color)


def skip_arrow(img, n, color):
    img.shape(rect(n * 0.08, n * 0.42, n * 0.62, n * 0.58), color)
    img.shape(polygon(scaled([(0.55, 0.2), (0.92, 0.5), (0.55, 0.8)], n)), color)


def double_tick(img, n, color):
    img.shape(polyline(scaled([(0.05, 0.5), (0.25, 0.72), (0.58, 0.25)], n), n * 0.13), color)
    img.shape(polyline(scaled([(0.38, 0.6), (0.52, 0.76), (0.95, 0.25)], n), n * 0.13), color)


def monitor(img, n):
    img.shape(rect(n * 0.05, n * 0.1, n * 0.95, n * 0.72, n * 0.05), (60, 60, 70))
    img.shape(rect(n * 0.13, n * 0.18, n * 0.87, n * 0.64), (70, 140, 220))
    img.shape(rect(n * 0.42, n * 0.72, n * 0.58, n * 0.84), (60, 60, 70))
    img.shape(rect(n * 0.25, n * 0.84, n * 0.75, n * 0.94, n * 0.03), (60, 60, 70))


def app_icon(img, n):
    c = n / 2
    img.shape(circle(c, c, n * 0.48), (25, 60, 120))
    img.shape(circle(c, c, n * 0.42), (250, 250, 250))
    for hour in range(12):
        a = math.radians(hour * 30)
        img.shape(segment(c + math.sin(a) * n * 0.33, c - math.cos(a) * n * 0.33, c + math.sin(a) * n * 0.38,
                          c - math.cos(a) * n * 0.38, max(1.0, n * 0.04)), (60, 60, 60))
    img.shape(segment(c, c, c, c - n * 0.28, max(1.2, n * 0.07)), (30, 30, 30))
    img.shape(segment(c, c, c + n * 0.2, c + n * 0.08, max(1.2, n * 0.07)), (30, 30, 30))
    img.shape(circle(n * 0.74, n * 0.74, n * 0.25), (200, 30, 30))
    power(img, int(n * 0.42), (255, 255, 255), int(n * 0.53), int(n * 0.53))


# Output.
def to_rgba(img):
    rows = []
    for row in img.px:
        line = bytearray()
        for r, g, b, a in row:
            line += bytes((round(r * 255), round(g * 255), round(b * 255), round(a * 255)))
        rows.append(line)
    return rows


def write_png(path, width, height, rows, alpha):
    raw = b"".join(b"\0" + bytes(r) for r in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    colour_type = 6 if alpha else 2
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def save_icon(folder, name, n, draw):
    img = Image(n, n)
    draw(img, n)
    write_png(os.path.join(folder, name + ".png"), n, n, to_rgba(img), True)


class SvgImage:
    """Collects the SVG elements of the shapes drawn on it, in drawing order."""

    def __init__(self):
        self.elements = []

    def shape(self, inside, color):
        self.elements.append(inside.svg(color))


def save_svg_icon(path, n, draw):
    img = SvgImage()
    draw(img, n)
    with open(path, "w") as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n' % (n, n, n, n))
        for element in img.elements:
            f.write("  %s\n" % element)
        f.write("</svg>\n")


def save_theme_icons(folder, name, sizes, draw):
    """The icon in a hicolor theme tree: one PNG per size, and the SVG drawn on a 100-unit square."""
    for n in sizes:
        os.makedirs(os.path.join(folder, "%dx%d" % (n, n), "apps"), exist_ok=True)
        save_icon(os.path.join(folder, "%dx%d" % (n, n), "apps"), name, n, draw)
    os.makedirs(os.path.join(folder, "scalable", "apps"), exist_ok=True)
    save_svg_icon(os.path.join(folder, "scalable", "apps", name + ".svg"), 100, draw)


def save_two_glyph(folder, name, draw):
    """Normal cell, then the disabled cell: the shape's ink in shadow grey over a white relief."""
    img = Image(16, 16)
    draw(img, 16)
    ink = [[img.px[y][x][3] >= 0.35 for x in range(16)] for y in range(16)]
    rows = []
    for y in range(16):
        line = bytearray()
        for x in range(16):
            r, g, b, a = img.px[y][x]
            if not ink[y][x]:
                line += bytes(KEY)
            else:
                line += bytes(round((c * a + f / 255.0 * (1 - a)) * 255) for c, f in zip((r, g, b), FACE))
        for x in range(16):
            if ink[y][x]:
                line += bytes((128, 128, 128))
            elif x > 0 and y > 0 and ink[y - 1][x - 1]:
                line += bytes((255, 255, 255))
            else:
                line += bytes(KEY)
        rows.append(line)
    write_png(os.path.join(folder, name + ".png"), 32, 16, rows, False)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    save_theme_icons(os.path.join(root, "dist", "icons", "hicolor"), "vesperon", (16, 22, 24, 32, 48, 64, 128, 256),
                     app_icon)
    folder = os.path.join(root, "resources")
    os.makedirs(folder, exist_ok=True)
    for n in (16, 32, 48):
        save_icon(folder, "app_icon_%d" % n, n, app_icon)
    save_icon(folder, "imagelist1_0", 32, lambda img, n: power(img, n, (200, 30, 30)))
    save_icon(folder, "imagelist1_1", 32, play)
    save_icon(folder, "imagelist1_2", 32, stop)
    save_icon(folder, "imagelist2_0", 16, house)
    save_icon(folder, "imagelist2_1", 16, lambda img, n: question(img, n, None))
    save_two_glyph(folder, "btnupdate", lambda img, n: circular_arrow(img, n, (30, 130, 60)))
    save_two_glyph(folder, "btnclosescreen", monitor)
    save_two_glyph(folder, "btncancel", lambda img, n: cross(img, n, (200, 30, 30)))
    stock = {
        "ok": lambda img, n: tick(img, n, (30, 140, 40)),
        "cancel": lambda img, n: cross(img, n, (200, 30, 30)),
        "help": lambda img, n: question(img, n, (20, 80, 170), disc=False),
        "yes": lambda img, n: tick(img, n, (30, 140, 40)),
        "no": lambda img, n: circle_slash(img, n, (200, 30, 30)),
        "close": door,
        "abort": octagon,
        "retry": lambda img, n: circular_arrow(img, n, (30, 100, 190)),
        "ignore": lambda img, n: skip_arrow(img, n, (30, 100, 190)),
        "all": lambda img, n: double_tick(img, n, (30, 140, 40)),
    }
    for kind, draw in stock.items():
        save_two_glyph(folder, "rzcommon_" + kind, draw)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Quorvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws Quorvane's pictures and writes them as the files the program ships.

  check1.ico   Add Word File(s): a white page with a blue square bearing a white W (24-bit)
  check4.ico   Add All Word Files In Folder: an open yellow folder holding papers (256 colours)
  check2.ico   Convert to HTML: a globe standing on a white page (24-bit)
  check1-64.png, check1-96.png, ...  the three button pictures again at 64 and 96 pixels, for
               screens that scale by up to 2 and 3, with their edges smoothed by transparency
  HAND-M.CUR   the hand pointer over the command buttons (black and white, hot spot at the fingertip)
  drag.ico     the pointer of an in-list move: a page with a four-way arrow
  window.ico   the window icon, wholly transparent
  icons/quorvane-<n>.png  the program's icon (the globe on a page) at the usual theme sizes

Standard library only. The pictures are described in a 32 x 32 grid of units and rendered with
4 x 4 samples per pixel up to 96 pixels; in an icon file edges are blended onto white, the colour
the buttons stand on, and a pixel less than half covered becomes transparent in the icon's mask.

Run:  python3 resources/draw_pictures.py   (writes beside this script)
"""

import math
import os
import struct
import zlib

UNITS = 32.0


# ---------------------------------------------------------------- shapes (in 32-unit space)

class Shape:
    def __and__(self, other):
        return Combined(self, other, lambda a, b: a and b, self.bbox)

    def __sub__(self, other):
        return Combined(self, other, lambda a, b: a and not b, self.bbox)

    def __or__(self, other):
        box = (min(self.bbox[0], other.bbox[0]), min(self.bbox[1], other.bbox[1]),
               max(self.bbox[2], other.bbox[2]), max(self.bbox[3], other.bbox[3]))
        return Combined(self, other, lambda a, b: a or b, box)


class Combined(Shape):
    def __init__(self, a, b, rule, bbox):
        self.a, self.b, self.rule, self.bbox = a, b, rule, bbox

    def contains(self, x, y):
        return self.rule(self.a.contains(x, y), self.b.contains(x, y))


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.bbox = (x0, y0, x1, y1)

    def contains(self, x, y):
        x0, y0, x1, y1 = self.bbox
        return x0 <= x < x1 and y0 <= y < y1


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        self.bbox = (cx - rx, cy - ry, cx + rx, cy + ry)

    def contains(self, x, y):
        dx, dy = (x - self.cx) / self.rx, (y - self.cy) / self.ry
        return dx * dx + dy * dy <= 1.0


class Polygon(Shape):
    def __init__(self, points):
        self.points = points
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.bbox = (min(xs), min(ys), max(xs), max(ys))

    def contains(self, x, y):
        inside = False
        pts = self.points
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside


class Stroke(Shape):
    """A polyline of the given width with round joins and ends."""

    def __init__(self, points, width):
        self.points, self.r = points, width / 2.0
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.bbox = (min(xs) - self.r, min(ys) - self.r, max(xs) + self.r, max(ys) + self.r)

    def contains(self, x, y):
        r2 = self.r * self.r
        for (ax, ay), (bx, by) in zip(self.points, self.points[1:]):
            vx, vy = bx - ax, by - ay
            length2 = vx * vx + vy * vy
            t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / length2))
            dx, dy = x - (ax + t * vx), y - (ay + t * vy)
            if dx * dx + dy * dy <= r2:
                return True
        return False


def ring(cx, cy, rx, ry, width):
    return Ellipse(cx, cy, rx, ry) - Ellipse(cx, cy, rx - width, ry - width)


def page(x0, y0, x1, y1, fold):
    """A sheet of paper with its top right corner folded over."""
    return Polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])


# ---------------------------------------------------------------- canvas

class Canvas:
    def __init__(self, size, samples=4):
        self.size, self.samples = size, samples
        self.rgba = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]  # premultiplied

    def fill(self, shape, colour, opacity=1.0):
        scale = UNITS / self.size
        n = self.samples
        x0, y0, x1, y1 = shape.bbox
        i0, j0 = max(0, int(x0 / scale) - 1), max(0, int(y0 / scale) - 1)
        i1, j1 = min(self.size, int(x1 / scale) + 2), min(self.size, int(y1 / scale) + 2)
        r, g, b = (c / 255.0 for c in colour)
        offsets = [(k + 0.5) / n for k in range(n)]
        for j in range(j0, j1):
            for i in range(i0, i1):
                hits = 0
                for oy in offsets:
                    for ox in offsets:
                        if shape.contains((i + ox) * scale, (j + oy) * scale):
                            hits += 1
                if hits:
                    a = opacity * hits / (n * n)
                    p = self.rgba[j * self.size + i]
                    p[0] = r * a + p[0] * (1 - a)
                    p[1] = g * a + p[1] * (1 - a)
                    p[2] = b * a + p[2] * (1 - a)
                    p[3] = a + p[3] * (1 - a)

    def pixels(self, background=(255, 255, 255)):
        """Rows top to bottom of ((r, g, b), opaque): blended onto `background`, opaque from half cover."""
        out = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                pr, pg, pb, a = self.rgba[y * self.size + x]
                rgb = tuple(int(round(255 * (c + bg / 255.0 * (1 - a)))) for c, bg in zip((pr, pg, pb), background))
                row.append((rgb, a >= 0.5))
            out.append(row)
        return out

    def straight_rgba(self):
        """Rows of (r, g, b, a) with straight alpha, for PNG."""
        out = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                pr, pg, pb, a = self.rgba[y * self.size + x]
                if a <= 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append(tuple(int(round(255 * min(1.0, c / a))) for c in (pr, pg, pb)) + (int(round(255 * a)),))
            out.append(row)
        return out


# ---------------------------------------------------------------- the pictures

INK = (64, 64, 64)
PAPER = (255, 255, 255)
PAPER_EDGE = (118, 118, 118)
TEXT_LINE = (160, 172, 190)


def draw_page(c, x0, y0, x1, y1, fold, lines):
    c.fill(page(x0, y0, x1, y1, fold), PAPER_EDGE)
    c.fill(page(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fold - 0.4), PAPER)
    c.fill(Polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), (205, 205, 205))
    c.fill(Stroke([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], 0.9), PAPER_EDGE)
    for lx0, ly, lx1 in lines:
        c.fill(Rect(lx0, ly, lx1, ly + 1.2), TEXT_LINE)


def draw_word_document(c):
    draw_page(c, 8, 1.5, 29, 30.5, 6, [(20, y, 26.5) for y in (10, 13, 16, 19, 22, 25)])
    blue = (43, 87, 154)
    c.fill(Rect(2, 8, 19, 25), (30, 62, 112))
    c.fill(Rect(2.8, 8.8, 18.2, 24.2), blue)
    c.fill(Stroke([(5.2, 11.8), (7.8, 21.2), (10.5, 14.2), (13.2, 21.2), (15.8, 11.8)], 2.1), PAPER)


def draw_folder_with_papers(c):
    back = (214, 160, 30)
    front = (250, 206, 72)
    edge = (150, 100, 10)
    # Back of the folder with its tab.
    c.fill(Polygon([(2, 7), (11, 7), (13, 9.5), (28, 9.5), (28, 27), (2, 27)]), edge)
    c.fill(Polygon([(3, 8), (10.5, 8), (12.5, 10.5), (27, 10.5), (27, 26), (3, 26)]), back)
    # Papers standing in it, the back one tilted.
    tilted = [(8, 5.5), (22.5, 3), (25, 17), (10.5, 19.5)]
    c.fill(Polygon(tilted), PAPER_EDGE)
    c.fill(Polygon([(8.9, 6.3), (21.9, 4.0), (24.1, 16.4), (11.2, 18.6)]), (246, 246, 246))
    c.fill(Rect(6, 6, 21, 20), PAPER_EDGE)
    c.fill(Rect(7, 7, 20, 20), PAPER)
    for y in (9.5, 12, 14.5):
        c.fill(Rect(9, y, 18, y + 1), TEXT_LINE)
    # The front flap, opened towards the viewer.
    c.fill(Polygon([(6, 13.5), (31, 13.5), (26.5, 28), (1, 28)]), edge)
    c.fill(Polygon([(6.8, 14.5), (29.7, 14.5), (25.8, 27), (2.4, 27)]), front)


def draw_globe_on_page(c):
    draw_page(c, 2, 1, 21, 29, 5, [(5, y, 17) for y in (8, 11, 14, 17)])
    cx, cy, r = 19.5, 15.5, 8.5
    brass = (176, 132, 40)
    # Stand: foot, stem and the meridian ring around the globe.
    c.fill(Polygon([(13.5, 31), (25.5, 31), (23.5, 28.5), (15.5, 28.5)]), brass)
    c.fill(Rect(18.7, 24.5, 20.3, 29), brass)
    c.fill(ring(cx, cy, r + 2.2, r + 2.2, 1.3) & Rect(cx - 12, cy - 12, cx + 2.8, cy + 12), brass)
    globe = Ellipse(cx, cy, r, r)
    c.fill(globe, (20, 60, 150))
    c.fill(Ellipse(cx - 0.6, cy - 0.6, r - 1, r - 1), (46, 120, 215))
    land = (52, 160, 70)
    c.fill(Polygon([(13.5, 10), (17, 8.5), (19.5, 10), (18.5, 13), (20, 15.5), (18, 20.5),
                    (16, 22), (15.5, 18), (13, 15)]) & globe, land)
    c.fill(Polygon([(21.5, 9), (25.5, 9.5), (27.5, 13), (26, 16.5), (23.5, 15), (22.5, 12)]) & globe, land)
    c.fill(Polygon([(23, 19.5), (26.5, 18.5), (25.5, 22.5), (22.5, 22)]) & globe, land)
    grid = (190, 220, 255)
    c.fill(ring(cx, cy, r * 0.45, r, 0.45) & globe, grid, 0.6)
    c.fill(Rect(cx - r, cy - 0.2, cx + r, cy + 0.25) & globe, grid, 0.6)
    c.fill(ring(cx, cy, r, r, 0.7), (15, 40, 100))
    c.fill(Ellipse(cx - 3.3, cy - 3.6, 1.7, 1.2), (255, 255, 255), 0.55)


def draw_drag_picture(c):
    # A page with a dashed edge, as a dragged entry, and the four-way move arrow on it.
    c.fill(Rect(7, 4, 25, 28), PAPER)
    dark = (40, 40, 40)
    for x in range(7, 25, 3):
        c.fill(Rect(x, 4, x + 1.6, 5), dark)
        c.fill(Rect(x, 27, x + 1.6, 28), dark)
    for y in range(4, 28, 3):
        c.fill(Rect(7, y, 8, y + 1.6), dark)
        c.fill(Rect(24, y, 25, y + 1.6), dark)
    cx, cy = 16.0, 16.0
    c.fill(Rect(cx - 0.9, cy - 8, cx + 0.9, cy + 8), dark)
    c.fill(Rect(cx - 8, cy - 0.9, cx + 8, cy + 0.9), dark)
    for dx, dy in ((0, -1), (0, 1), (-1, 0), (1, 0)):
        tip = (cx + 10.5 * dx, cy + 10.5 * dy)
        side = (-dy, dx)
        base = (cx + 6.5 * dx, cy + 6.5 * dy)
        c.fill(Polygon([tip, (base[0] + 3.2 * side[0], base[1] + 3.2 * side[1]),
                        (base[0] - 3.2 * side[0], base[1] - 3.2 * side[1])]), dark)


# A hand with the index finger raised. B black outline, W white, space transparent.
HAND = [
    "     BB          ",
    "    BWWB         ",
    "    BWWB         ",
    "    BWWB         ",
    "    BWWB         ",
    "    BWWBBB       ",
    "    BWWBWWBBB    ",
    "    BWWBWWBWWBBB ",
    "    BWWBWWBWWBWWB",
    " BB BWWWWWWWWWWWB",
    "BWWBBWWWWWWWWWWWB",
    "BWWWBWWWWWWWWWWWB",
    " BWWWWWWWWWWWWWWB",
    "  BWWWWWWWWWWWWWB",
    "  BWWWWWWWWWWWWWB",
    "   BWWWWWWWWWWWWB",
    "   BWWWWWWWWWWWB ",
    "    BWWWWWWWWWWB ",
    "    BWWWWWWWWWB  ",
    "     BWWWWWWWWB  ",
    "     BWWWWWWWWB  ",
    "     BBBBBBBBBB  ",
]
HAND_OFFSET = (6, 1)
HAND_HOTSPOT = (HAND_OFFSET[0] + 5, HAND_OFFSET[1])


def hand_pixels():
    rows = [[((0, 0, 0), False)] * 32 for _ in range(32)]
    for y, line in enumerate(HAND):
        for x, ch in enumerate(line):
            if ch != " ":
                rows[y + HAND_OFFSET[1]][x + HAND_OFFSET[0]] = ((0, 0, 0) if ch == "B" else (255, 255, 255), True)
    return rows


# ---------------------------------------------------------------- file formats

def _mask_rows(pixels):
    """The AND mask, bottom-up, 1 where transparent, rows padded to 4 bytes."""
    out = b""
    for row in reversed(pixels):
        bits = 0
        for x, (_, opaque) in enumerate(row):
            if not opaque:
                bits |= 1 << (31 - x)
        out += struct.pack(">I", bits)
    return out


def _bitmap(pixels, bits, palette=None):
    size = len(pixels)
    if bits == 24:
        body = b"".join(bytes(c for rgb, _ in row for c in (rgb[2], rgb[1], rgb[0])) for row in reversed(pixels))
        colours = b""
    elif bits == 32:
        body = b"".join(bytes(c for rgb, opaque in row for c in (rgb[2], rgb[1], rgb[0], 255 if opaque else 0))
                        for row in reversed(pixels))
        colours = b""
    else:
        index = {colour: i for i, colour in enumerate(palette)}
        per_byte = 8 // bits
        body = b""
        for row in reversed(pixels):
            values = [index[rgb] if opaque else 0 for rgb, opaque in row]
            packed = bytearray()
            for k in range(0, size, per_byte):
                byte = 0
                for v in values[k:k + per_byte]:
                    byte = (byte << bits) | v
                packed.append(byte)
            packed += b"\0" * (-len(packed) % 4)
            body += bytes(packed)
        colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    mask = _mask_rows(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(body) + len(mask), 0, 0,
                         len(palette) if palette else 0, 0)
    return header + colours + body + mask


def write_icon(path, pixels, bits, palette=None, hotspot=None):
    """One picture in a Windows icon (.ico) or, with a hot spot, cursor (.cur) file."""
    data = _bitmap(pixels, bits, palette)
    size = len(pixels)
    colour_count = len(palette) if palette and len(palette) < 256 else 0
    if hotspot is None:
        kind, planes_or_x, bits_or_y = 1, 1, bits
    else:
        kind, (planes_or_x, bits_or_y) = 2, hotspot
    directory = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack("<BBBBHHII", size % 256, size % 256, colour_count, 0, planes_or_x, bits_or_y, len(data), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + data)


def palette_of(pixels, limit=256):
    """The colours of an opaque picture, merged by coarser rounding until `limit` of them remain."""
    step = 1
    while True:
        merged = [[(tuple(min(255, (c // step) * step + step // 2 if step > 1 else c) for c in rgb), opaque)
                   for rgb, opaque in row] for row in pixels]
        colours = sorted({rgb for row in merged for rgb, opaque in row if opaque} | {(0, 0, 0)})
        if len(colours) <= limit:
            return merged, colours
        step *= 2


def write_png(path, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def rendered(draw, size=32):
    canvas = Canvas(size, 4 if size <= 96 else 2)
    draw(canvas)
    return canvas


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = lambda name: os.path.join(here, name)

    write_icon(out("check1.ico"), rendered(draw_word_document).pixels(), 24)
    folder, colours = palette_of(rendered(draw_folder_with_papers).pixels())
    write_icon(out("check4.ico"), folder, 8, colours + [(0, 0, 0)] * (256 - len(colours)))
    write_icon(out("check2.ico"), rendered(draw_globe_on_page).pixels(), 24)
    for name, draw in (("check1", draw_word_document), ("check4", draw_folder_with_papers),
                       ("check2", draw_globe_on_page)):
        for size in (64, 96):
            write_png(out("%s-%d.png" % (name, size)), rendered(draw, size).straight_rgba())
    write_icon(out("HAND-M.CUR"), hand_pixels(), 1, [(0, 0, 0), (255, 255, 255)], HAND_HOTSPOT)
    write_icon(out("drag.ico"), rendered(draw_drag_picture).pixels(), 32)
    write_icon(out("window.ico"), [[((0, 0, 0), False)] * 32 for _ in range(32)], 32)

    os.makedirs(out("icons"), exist_ok=True)
    for size in (16, 22, 24, 32, 48, 64, 128, 256):
        write_png(out("icons/quorvane-%d.png" % size), rendered(draw_globe_on_page, size).straight_rgba())


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the picture of the instrument face shown in the simulator window.

Writes a 371 x 371 PPM with the standard library only; the JPEG beside this
script is made from it with ImageMagick:

    python3 host/face/draw_face.py /tmp/face.ppm
    /usr/bin/convert /tmp/face.ppm -quality 88 host/face/face.jpg

Every shape is a signed distance function, so edges are smoothed by the
distance itself. Lettering uses the small stroke alphabet below. The window
shows the picture stretched to 336 x 323 and lays its controls on top, so the
parts sit where those controls are (window coordinates scaled by 371/336
across and 371/323 down).
"""
import math
import random
import sys

SIZE = 371
SX = SIZE / 336.0
SY = SIZE / 323.0


def window_to_picture(x, y):
    return x * SX, y * SY


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Canvas:
    def __init__(self, color):
        self.px = [list(color) for _ in range(SIZE * SIZE)]

    def paint(self, sdf, color, box, softness=1.0):
        """Blends color (an RGB tuple or a function of x, y) wherever sdf < 0,
        with an edge about one pixel wide."""
        x0, y0, x1, y1 = (int(max(0, math.floor(box[0]))), int(max(0, math.floor(box[1]))),
                          int(min(SIZE, math.ceil(box[2]) + 1)), int(min(SIZE, math.ceil(box[3]) + 1)))
        for y in range(y0, y1):
            cy = y + 0.5
            row = y * SIZE
            for x in range(x0, x1):
                cx = x + 0.5
                d = sdf(cx, cy)
                a = clamp(0.5 - d / softness)
                if a <= 0.0:
                    continue
                c = color(cx, cy) if callable(color) else color
                p = self.px[row + x]
                p[0] += (c[0] - p[0]) * a
                p[1] += (c[1] - p[1]) * a
                p[2] += (c[2] - p[2]) * a

    def write_ppm(self, path, noise=1.5):
        rnd = random.Random(371)
        out = bytearray(b"P6\n%d %d\n255\n" % (SIZE, SIZE))
        for p in self.px:
            n = rnd.uniform(-noise, noise)
            out += bytes(int(clamp(c + n, 0, 255) + 0.5) for c in p)
        with open(path, "wb") as f:
            f.write(out)


# --- Shapes as signed distance functions (negative inside) ---

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r_in, r_out):
    def d(x, y):
        q = math.hypot(x - cx, y - cy)
        return max(q - r_out, r_in - q)
    return d


def rounded_rect(x0, y0, x1, y1, r):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return d


def segment_distance(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    wx, wy = px - ax, py - ay
    length2 = vx * vx + vy * vy
    t = clamp((wx * vx + wy * vy) / length2) if length2 else 0.0
    return math.hypot(wx - t * vx, wy - t * vy)


def triangle(points):
    """Convex triangle given clockwise on screen (y down)."""
    def d(x, y):
        inside = True
        best = 1e9
        for i in range(3):
            ax, ay = points[i]
            bx, by = points[(i + 1) % 3]
            cross = (bx - ax) * (y - ay) - (by - ay) * (x - ax)
            if cross < 0:
                inside = False
            best = min(best, segment_distance(x, y, ax, ay, bx, by))
        return -best if inside else best
    return d


def bounds_of(points, pad):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


# --- Stroke alphabet: polylines on a 4 x 6 grid, y down ---

O_SHAPE = [(1, 0), (3, 0), (4, 1), (4, 5), (3, 6), (1, 6), (0, 5), (0, 1), (1, 0)]
P_SHAPE = [(0, 6), (0, 0), (3, 0), (4, 1), (4, 2), (3, 3), (0, 3)]
GLYPHS = {
    "A": [[(0, 6), (2, 0), (4, 6)], [(0.7, 4), (3.3, 4)]],
    "C": [[(4, 1), (3, 0), (1, 0), (0, 1), (0, 5), (1, 6), (3, 6), (4, 5)]],
    "D": [[(0, 0), (0, 6), (2.6, 6), (4, 4.6), (4, 1.4), (2.6, 0), (0, 0)]],
    "E": [[(4, 0), (0, 0), (0, 6), (4, 6)], [(0, 3), (3, 3)]],
    "F": [[(4, 0), (0, 0), (0, 6)], [(0, 3), (3, 3)]],
    "I": [[(1, 0), (3, 0)], [(2, 0), (2, 6)], [(1, 6), (3, 6)]],
    "L": [[(0, 0), (0, 6), (4, 6)]],
    "M": [[(0, 6), (0, 0), (2, 3.6), (4, 0), (4, 6)]],
    "N": [[(0, 6), (0, 0), (4, 6), (4, 0)]],
    "O": [O_SHAPE],
    "P": [P_SHAPE],
    "Q": [O_SHAPE, [(2.6, 4.4), (4.2, 6.4)]],
    "R": [P_SHAPE, [(2, 3), (4, 6)]],
    "S": [[(4, 1), (3, 0), (1, 0), (0, 1), (0, 2), (1, 3), (3, 3), (4, 4), (4, 5), (3, 6), (1, 6), (0, 5)]],
    "U": [[(0, 0), (0, 5), (1, 6), (3, 6), (4, 5), (4, 0)]],
    "V": [[(0, 0), (2, 6), (4, 0)]],
    "X": [[(0, 0), (4, 6)], [(4, 0), (0, 6)]],
    "Z": [[(0, 0), (4, 0), (0, 6), (4, 6)]],
    "1": [[(1, 1), (2, 0), (2, 6)], [(1, 6), (3, 6)]],
    "2": [[(0, 1), (1, 0), (3, 0), (4, 1), (4, 2), (0, 6), (4, 6)]],
    "-": [[(1, 3), (3, 3)]],
    " ": [],
}
ADVANCE = 5.6  # grid units per character


def text_width(text, height):
    return (len(text) * ADVANCE - (ADVANCE - 4)) * height / 6.0


def draw_text(canvas, text, cx, top, height, stroke, color):
    """Draws text centred on cx with its capitals from top to top + height."""
    unit = height / 6.0
    left = cx - text_width(text, height) / 2
    segments = []
    for i, ch in enumerate(text):
        ox = left + i * ADVANCE * unit
        for line in GLYPHS[ch]:
            pts = [(ox + gx * unit, top + gy * unit) for gx, gy in line]
            segments += list(zip(pts, pts[1:]))
    half = stroke / 2
    # Stroke by stroke: where two strokes meet, both cover the joint.
    for a, b in segments:
        box = (min(a[0], b[0]) - half - 1, min(a[1], b[1]) - half - 1,
               max(a[0], b[0]) + half + 1, max(a[1], b[1]) + half + 1)
        canvas.paint(lambda x, y, a=a, b=b: segment_distance(x, y, a[0], a[1], b[0], b[1]) - half,
                     color, box, softness=0.9)


# --- The face ---

def draw_plate(canvas):
    # The square mounting plate behind the round bezel, lit from the top left.
    def plate_color(x, y):
        t = (x + y) / (2.0 * SIZE)
        return mix((58, 58, 60), (26, 26, 28), t)
    canvas.paint(rounded_rect(1, 1, SIZE - 1, SIZE - 1, 26), plate_color, (0, 0, SIZE, SIZE))
    # A thin bright chamfer along the plate's edge.
    canvas.paint(lambda x, y: abs(rounded_rect(2, 2, SIZE - 2, SIZE - 2, 25)(x, y)) - 0.7,
                 lambda x, y: mix((120, 120, 124), (40, 40, 42), (x + y) / (2.0 * SIZE)), (0, 0, SIZE, SIZE))
    for sx, sy in ((24, 24), (SIZE - 24, 24), (24, SIZE - 24), (SIZE - 24, SIZE - 24)):
        draw_screw(canvas, sx, sy)


def draw_screw(canvas, cx, cy):
    r = 9.5
    canvas.paint(circle(cx + 1, cy + 1.5, r + 1), (12, 12, 12), (cx - 12, cy - 12, cx + 14, cy + 14))

    def head(x, y):
        t = clamp(((x - cx) + (y - cy)) / (2 * r) + 0.5)
        return mix((190, 190, 192), (70, 70, 74), t)
    canvas.paint(circle(cx, cy, r), head, (cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2))
    for angle in (35, 125):
        dx, dy = math.cos(math.radians(angle)) * r * 0.8, math.sin(math.radians(angle)) * r * 0.8
        a, b = (cx - dx, cy - dy), (cx + dx, cy + dy)
        canvas.paint(lambda x, y, a=a, b=b: segment_distance(x, y, *a, *b) - 1.1, (35, 35, 38),
                     (cx - r, cy - r, cx + r, cy + r))


CENTRE = (SIZE / 2.0, SIZE / 2.0)
BEZEL_OUT = 182.0
BEZEL_IN = 168.0


def draw_bezel(canvas):
    cx, cy = CENTRE
    canvas.paint(circle(cx + 2, cy + 3, BEZEL_OUT + 1), (8, 8, 8), (0, 0, SIZE, SIZE), softness=3.0)

    # The ring: satin black, catching light at the top left, shadowed at the
    # bottom right, with a bright lip on its inner edge.
    def ring_color(x, y):
        angle = math.atan2(y - cy, x - cx)
        light = 0.5 + 0.5 * math.cos(angle - math.radians(-135))
        q = math.hypot(x - cx, y - cy)
        profile = math.sin(clamp((q - BEZEL_IN) / (BEZEL_OUT - BEZEL_IN)) * math.pi)
        v = 14 + 58 * light * profile
        return (v, v, v + 2)
    canvas.paint(ring(cx, cy, BEZEL_IN, BEZEL_OUT), ring_color, (0, 0, SIZE, SIZE))

    def face_color(x, y):
        q = math.hypot(x - cx, y - cy) / BEZEL_IN
        v = 24 - 10 * q * q
        return (v, v, v + 1)
    canvas.paint(circle(cx, cy, BEZEL_IN), face_color, (0, 0, SIZE, SIZE))
    canvas.paint(ring(cx, cy, BEZEL_IN - 1.2, BEZEL_IN),
                 lambda x, y: mix((110, 110, 112), (30, 30, 30), clamp((x - cx + y - cy) / (2 * BEZEL_IN) + 0.5)),
                 (0, 0, SIZE, SIZE))


def draw_lamp(canvas):
    cx, cy = window_to_picture(154 + 14.5, 16 + 14.5)
    canvas.paint(circle(cx, cy, 19), lambda x, y: mix((70, 70, 72), (10, 10, 10), clamp((y - cy) / 38 + 0.5)),
                 (cx - 21, cy - 21, cx + 21, cy + 21))

    def lens(x, y):
        q = math.hypot(x - (cx - 4), y - (cy - 5)) / 19.0
        return mix((255, 90, 70), (120, 0, 0), clamp(q))
    canvas.paint(circle(cx, cy, 15.5), lens, (cx - 17, cy - 17, cx + 17, cy + 17))
    canvas.paint(lambda x, y: math.hypot((x - (cx - 5)) / 1.6, y - (cy - 7)) - 2.6, (255, 225, 215),
                 (cx - 12, cy - 12, cx + 2, cy - 2), softness=2.5)


def draw_lettering(canvas):
    cx = CENTRE[0]
    draw_text(canvas, "ZEQ AVIONICS", cx, 61, 13, 2.3, (232, 232, 228))
    draw_text(canvas, "QPX-2  MANIFOLD PRESSURE", cx, 82, 7, 1.25, (165, 168, 172))


def draw_display_window(canvas):
    x0, y0 = window_to_picture(39, 92)
    x1, y1 = window_to_picture(39 + 259, 92 + 131)
    # A recessed frame: dark above, catching light below.
    canvas.paint(rounded_rect(x0 - 9, y0 - 9, x1 + 9, y1 + 9, 8),
                 lambda x, y: mix((6, 6, 6), (75, 75, 78), clamp((y - y0 + 9) / (y1 - y0 + 18))),
                 (x0 - 11, y0 - 11, x1 + 11, y1 + 11))
    canvas.paint(rounded_rect(x0 - 5, y0 - 5, x1 + 5, y1 + 5, 5), (14, 14, 15),
                 (x0 - 7, y0 - 7, x1 + 7, y1 + 7))

    def glass(x, y):
        t = clamp((y - y0) / (y1 - y0))
        return mix((178, 190, 196), (200, 210, 214), t)
    canvas.paint(rounded_rect(x0, y0, x1, y1, 2), glass, (x0 - 2, y0 - 2, x1 + 2, y1 + 2))


def draw_key(canvas, window_left, label, pointing_up):
    cx, cy = window_to_picture(window_left + 24.5, 240 + 24.5)
    half = 22
    canvas.paint(rounded_rect(cx - half + 2, cy - half + 3, cx + half + 3, cy + half + 4, 9), (4, 4, 4),
                 (cx - half - 2, cy - half - 2, cx + half + 6, cy + half + 6), softness=2.5)

    def body(x, y):
        return mix((112, 112, 116), (40, 40, 43), clamp((y - cy + half) / (2 * half)))
    canvas.paint(rounded_rect(cx - half, cy - half, cx + half, cy + half, 9), body,
                 (cx - half - 2, cy - half - 2, cx + half + 2, cy + half + 2))

    def top(x, y):
        return mix((88, 88, 92), (58, 58, 62), clamp((y - cy + half) / (2 * half)))
    inset = 4
    canvas.paint(rounded_rect(cx - half + inset, cy - half + inset - 1, cx + half - inset, cy + half - inset - 2, 6),
                 top, (cx - half, cy - half, cx + half, cy + half))
    draw_text(canvas, label, cx, cy - 13, 8, 1.5, (240, 240, 236))
    if pointing_up:
        points = [(cx, cy + 1), (cx + 8, cy + 12), (cx - 8, cy + 12)]
    else:
        points = [(cx - 8, cy + 1), (cx + 8, cy + 1), (cx, cy + 12)]
    canvas.paint(triangle(points), (240, 240, 236), bounds_of(points, 2))


def draw_knob(canvas):
    cx, cy = window_to_picture(144 + 24.5, 253 + 24.5)
    r = 25.0
    canvas.paint(circle(cx + 2, cy + 3, r + 1.5), (3, 3, 3), (cx - r - 4, cy - r - 4, cx + r + 7, cy + r + 7),
                 softness=3.0)

    # Knurled skirt: fine ridges around the edge, lit from the top left.
    def skirt(x, y):
        angle = math.atan2(y - cy, x - cx)
        ridge = 0.5 + 0.5 * math.cos(angle * 36)
        light = 0.5 + 0.5 * math.cos(angle - math.radians(-120))
        v = 22 + 38 * light + 14 * ridge
        return (v, v, v + 2)
    canvas.paint(circle(cx, cy, r), skirt, (cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2))

    def cap(x, y):
        q = math.hypot(x - (cx - 6), y - (cy - 7)) / 26.0
        return mix((92, 92, 96), (20, 20, 22), clamp(q))
    canvas.paint(circle(cx, cy, r - 6), cap, (cx - r, cy - r, cx + r, cy + r))
    canvas.paint(ring(cx, cy, r - 6.8, r - 5.6), (12, 12, 12), (cx - r, cy - r, cx + r, cy + r))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: draw_face.py OUTPUT.ppm")
    canvas = Canvas((212, 208, 200))  # the window's button face, behind the plate's corners
    draw_plate(canvas)
    draw_bezel(canvas)
    draw_lamp(canvas)
    draw_lettering(canvas)
    draw_display_window(canvas)
    draw_key(canvas, 73, "F1", True)
    draw_key(canvas, 213, "F2", False)
    draw_knob(canvas)
    canvas.write_ppm(sys.argv[1])


if __name__ == "__main__":
    main()

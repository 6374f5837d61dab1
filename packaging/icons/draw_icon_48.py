#!/usr/bin/env python3
"""Draws the 48 x 48 icon of the simulator, qpx-sim-48.png.

The face picture made small loses its lettering and its display to blur, so
the small icon is drawn for its size: the square bezel, the round frame, the
red lamp, the display with two bold digits (a manifold pressure of 25) and
the knob. The digits are whole-pixel rectangles, so they stay sharp; the
round shapes are smoothed by sampling each pixel 4 x 4 times.

Standard library only; writes the same bytes on every run:

    python3 packaging/icons/draw_icon_48.py packaging/icons/qpx-sim-48.png
"""
import struct
import sys
import zlib

SIZE = 48
SUB = 4  # samples across and down each pixel for the round shapes

BEZEL = (46, 46, 48)
BEZEL_RIM = (96, 96, 100)
FRAME = (12, 12, 13)
FRAME_RIM = (70, 70, 74)
LAMP = (214, 26, 22)
LAMP_SHINE = (255, 150, 140)
PANEL = (196, 212, 204)
PANEL_EDGE = (120, 132, 126)
DOTS = (16, 24, 30)
KNOB = (58, 58, 62)
KNOB_RIM = (110, 110, 116)


def rounded_square(x, y, lo, hi, radius):
    """True when (x, y) lies in the square lo..hi with rounded corners."""
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2 and lo <= x <= hi and lo <= y <= hi


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


class Icon:
    def __init__(self):
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(SIZE * SIZE)]

    def paint(self, inside, colour):
        """Lays colour over every pixel by the share of its samples inside."""
        for y in range(SIZE):
            for x in range(SIZE):
                hits = sum(inside(x + (i + 0.5) / SUB, y + (j + 0.5) / SUB)
                           for i in range(SUB) for j in range(SUB))
                if hits:
                    self.blend(x, y, colour, hits / (SUB * SUB))

    def blend(self, x, y, colour, a):
        p = self.px[y * SIZE + x]
        # Over-compositing onto a pixel that may still be transparent.
        out_a = a + p[3] * (1 - a)
        for k in range(3):
            p[k] = (colour[k] * a + p[k] * p[3] * (1 - a)) / out_a
        p[3] = out_a

    def png(self):
        rows = b""
        for y in range(SIZE):
            rows += b"\0" + bytes(round(min(max(v if k < 3 else v * 255, 0), 255))
                                  for x in range(SIZE) for k, v in enumerate(self.px[y * SIZE + x]))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


# Two seven-segment digits: each segment a whole-pixel bar of the stroke's
# width, so that the digits read at their size.
STROKE = 3
DIGIT_W, DIGIT_H = 11, 17


def segments(x0, y0, names):
    mid = y0 + (DIGIT_H - STROKE) // 2
    bars = {
        "top": (x0, y0, x0 + DIGIT_W, y0 + STROKE),
        "middle": (x0, mid, x0 + DIGIT_W, mid + STROKE),
        "bottom": (x0, y0 + DIGIT_H - STROKE, x0 + DIGIT_W, y0 + DIGIT_H),
        "upper_left": (x0, y0, x0 + STROKE, mid + STROKE),
        "upper_right": (x0 + DIGIT_W - STROKE, y0, x0 + DIGIT_W, mid + STROKE),
        "lower_left": (x0, mid, x0 + STROKE, y0 + DIGIT_H),
        "lower_right": (x0 + DIGIT_W - STROKE, mid, x0 + DIGIT_W, y0 + DIGIT_H),
    }
    return [bars[name] for name in names]


def draw():
    icon = Icon()
    icon.paint(lambda x, y: rounded_square(x, y, 0, SIZE, 8), BEZEL_RIM)
    icon.paint(lambda x, y: rounded_square(x, y, 1, SIZE - 1, 7), BEZEL)
    icon.paint(disc(24, 24, 23), FRAME_RIM)
    icon.paint(disc(24, 24, 22), FRAME)
    icon.paint(disc(24, 6.5, 3.2), LAMP)
    icon.paint(disc(23.2, 5.6, 1.1), LAMP_SHINE)
    icon.paint(box(6, 12, 42, 35), PANEL_EDGE)
    icon.paint(box(7, 13, 41, 34), PANEL)
    for bar in segments(10, 15, ("top", "upper_right", "middle", "lower_left", "bottom")):
        icon.paint(box(*bar), DOTS)
    for bar in segments(27, 15, ("top", "upper_left", "middle", "lower_right", "bottom")):
        icon.paint(box(*bar), DOTS)
    icon.paint(disc(24, 40.5, 4.2), KNOB_RIM)
    icon.paint(disc(24, 40.5, 3.3), KNOB)
    return icon


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: draw_icon_48.py OUT.png")
    with open(sys.argv[1], "wb") as out:
        out.write(draw().png())

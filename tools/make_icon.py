#!/usr/bin/env python3
# Draws orvel's application icon (a beige monitor showing colour bars and a cursor) as a PNG.
# Kept apart from the program: shapes are painted with signed distances, the PNG packed by hand.
"""Write source/resources/orvel-icon.png, a 256 x 256 RGBA picture.

Usage: python3 tools/make_icon.py [output-path]

Every shape is a signed distance function; a pixel's coverage is its distance to
the edge clamped to one pixel, which gives smooth edges without supersampling.
Only the standard library is used, so the bytes are the same on every run.
"""

import math
import os
import struct
import sys
import zlib

SIZE = 256

BEIGE_LIGHT = (233, 222, 193)
BEIGE_DARK = (199, 184, 148)
BEIGE_SHADOW = (158, 144, 112)
BEZEL = (92, 86, 74)
GLASS = (14, 16, 14)

# Hi-res colours of the picture window, brightened a touch so they read at small sizes.
VIOLET = (196, 72, 238)
GREEN = (62, 214, 66)
ORANGE = (246, 122, 32)
BLUE = (40, 148, 255)
WHITE = (248, 248, 248)
PHOSPHOR = (150, 255, 150)


# ---- signed distances (negative inside) ----


def rounded_rect(left, top, right, bottom, radius):
    cx = (left + right) / 2.0
    cy = (top + bottom) / 2.0
    half_w = (right - left) / 2.0 - radius
    half_h = (bottom - top) / 2.0 - radius

    def distance(x, y):
        qx = abs(x - cx) - half_w
        qy = abs(y - cy) - half_h
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return distance


def ellipse(cx, cy, rx, ry):
    def distance(x, y):
        # Scaled circle distance; exact enough for soft shadows and small dots.
        scaled = math.hypot((x - cx) / rx, (y - cy) / ry)
        return (scaled - 1.0) * min(rx, ry)

    return distance


def convex_polygon(points):
    """Maximum of the edge distances: exact on the edges, which is all coverage needs."""
    edges = []
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        length = math.hypot(x1 - x0, y1 - y0)
        nx, ny = (y1 - y0) / length, -(x1 - x0) / length
        edges.append((nx, ny, nx * x0 + ny * y0))

    def distance(x, y):
        return max(nx * x + ny * y - offset for nx, ny, offset in edges)

    return distance


# ---- colour fills ----


def flat(colour):
    return lambda x, y: colour


def vertical_gradient(top_colour, bottom_colour, top, bottom):
    def fill(x, y):
        t = min(1.0, max(0.0, (y - top) / (bottom - top)))
        return tuple(a + (b - a) * t for a, b in zip(top_colour, bottom_colour))

    return fill


def glass_fill(cx, cy, reach):
    """The tube is a little lighter in the middle, as a lit CRT's glass is."""

    def fill(x, y):
        glow = max(0.0, 1.0 - math.hypot(x - cx, y - cy) / reach)
        return tuple(c + 22 * glow for c in GLASS)

    return fill


# ---- the picture ----


class Layer:
    def __init__(self, distance, fill, opacity=1.0, softness=0.5):
        self.distance = distance
        self.fill = fill
        self.opacity = opacity
        self.softness = softness

    def coverage(self, x, y):
        d = self.distance(x, y)
        return min(1.0, max(0.0, 0.5 - d / (2.0 * self.softness))) * self.opacity


def screen_layers():
    """Five colour bars and a prompt with a cursor block, inside the glass."""
    layers = []
    bar_top, bar_bottom = 58, 118
    left, width, gap = 62, 24, 4
    for index, colour in enumerate((VIOLET, GREEN, ORANGE, BLUE, WHITE)):
        x0 = left + index * (width + gap)
        layers.append(Layer(rounded_rect(x0, bar_top, x0 + width, bar_bottom, 1.5), flat(colour)))
    # The prompt: a blocky "]" followed by the cursor block, in the style of the text screen.
    dot = 4
    px, py = 62, 134
    bracket = [(0, 0, 3, 1), (2, 0, 3, 7), (0, 6, 3, 7)]
    for c0, r0, c1, r1 in bracket:
        layers.append(
            Layer(
                rounded_rect(px + c0 * dot, py + r0 * dot, px + c1 * dot, py + r1 * dot, 0.5),
                flat(PHOSPHOR),
            )
        )
    cursor_x = px + 5 * dot
    cursor = rounded_rect(cursor_x, py, cursor_x + 5 * dot, py + 7 * dot, 0.5)
    layers.append(Layer(cursor, flat(PHOSPHOR)))
    return layers


def icon_layers():
    layers = [
        # Soft shadow on the desk.
        Layer(ellipse(128, 238, 92, 10), flat((0, 0, 0)), opacity=0.35, softness=6.0),
        # Foot and neck of the stand.
        Layer(
            rounded_rect(56, 222, 200, 240, 7),
            vertical_gradient(BEIGE_DARK, BEIGE_SHADOW, 222, 240),
        ),
        Layer(
            convex_polygon([(92, 196), (164, 196), (178, 228), (78, 228)]),
            vertical_gradient(BEIGE_SHADOW, BEIGE_DARK, 196, 228),
        ),
        # Case: a darker rim first, then the lit face inset by two pixels.
        Layer(rounded_rect(16, 12, 240, 208, 20), flat(BEIGE_SHADOW)),
        Layer(
            rounded_rect(18, 14, 238, 204, 18),
            vertical_gradient(BEIGE_LIGHT, BEIGE_DARK, 14, 204),
        ),
        # Recessed bezel around the tube, with a light lower lip.
        Layer(rounded_rect(36, 32, 220, 178, 13), flat((250, 244, 226))),
        Layer(rounded_rect(36, 31, 220, 176, 13), flat(BEZEL)),
        Layer(rounded_rect(44, 40, 212, 168, 16), glass_fill(128, 104, 110)),
    ]
    layers += screen_layers()
    layers += [
        # A faint reflection across the upper left of the glass.
        Layer(
            convex_polygon([(40, 36), (130, 36), (64, 102), (40, 102)]),
            flat((255, 255, 255)),
            opacity=0.10,
            softness=10.0,
        ),
        # Front panel: a vent groove and the power light.
        Layer(rounded_rect(40, 187, 150, 190, 1.5), flat(BEIGE_SHADOW)),
        Layer(rounded_rect(40, 193, 150, 196, 1.5), flat(BEIGE_SHADOW)),
        Layer(ellipse(206, 190, 9, 5), flat((60, 60, 52))),
        Layer(ellipse(206, 190, 6, 3), flat((96, 240, 96))),
    ]
    return layers


def over(dest, colour, alpha):
    """Straight-alpha 'over' of one colour with coverage alpha onto an RGBA float pixel."""
    r, g, b, a = dest
    out_a = alpha + a * (1.0 - alpha)
    if out_a <= 0.0:
        return (0.0, 0.0, 0.0, 0.0)
    blend = [(c * alpha + d * a * (1.0 - alpha)) / out_a for c, d in zip(colour, (r, g, b))]
    return (blend[0], blend[1], blend[2], out_a)


def render(layers):
    rows = []
    for y in range(SIZE):
        row = bytearray()
        for x in range(SIZE):
            cx, cy = x + 0.5, y + 0.5
            pixel = (0.0, 0.0, 0.0, 0.0)
            for layer in layers:
                alpha = layer.coverage(cx, cy)
                if alpha > 0.0:
                    pixel = over(pixel, layer.fill(cx, cy), alpha)
            r, g, b, a = pixel
            channels = (r, g, b, a * 255.0) if a > 0.0 else (0.0, 0.0, 0.0, 0.0)
            row += bytes(max(0, min(255, int(round(c)))) for c in channels)
        rows.append(bytes(row))
    return rows


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode_png(rows):
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA, no interlace
    raw = b"".join(b"\x00" + row for row in rows)  # filter type 0 on every row
    return (
        b"\x89PNG\r\n\x1a\n"
        + png_chunk(b"IHDR", header)
        + png_chunk(b"IDAT", zlib.compress(raw, 9))
        + png_chunk(b"IEND", b"")
    )


def main():
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    default_path = os.path.join(repo, "source", "resources", "orvel-icon.png")
    out_path = sys.argv[1] if len(sys.argv) > 1 else default_path
    data = encode_png(render(icon_layers()))
    with open(out_path, "wb") as out:
        out.write(data)
    print("wrote %s (%d bytes)" % (out_path, len(data)))


if __name__ == "__main__":
    main()

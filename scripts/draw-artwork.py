#!/usr/bin/env python3
"""Draws Tinctora's program icon, the drag icon and the About window's background picture.

The pictures are committed under resources/; run this again only to change them:
    python3 scripts/draw-artwork.py
Needs nothing but the Python standard library.
"""
import colorsys
import math
import os
import struct
import zlib

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")


def write_png(path, width, height, rows, alpha):
    """rows: one bytes object per row, RGB or RGBA."""
    raw = b"".join(b"\x00" + row for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    colour_type = 6 if alpha else 2
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def smoothstep(e0, e1, x):
    t = min(1.0, max(0.0, (x - e0) / (e1 - e0)))
    return t * t * (3 - 2 * t)


def hue(h, s=1.0, v=1.0):
    return colorsys.hsv_to_rgb(h % 1.0, s, v)


# --- The About window's background: 600 x 400, 24-bit -------------------------------------------
# The window shows the part from x 32 to 451 and y 56 to 375. Black captions stand on the light
# upper part; the copyright line is white, so the picture turns dark below y 303, under a thin
# band of the spectrum.

BLOBS = [  # centre x, centre y, radius, hue: soft drops of paint in the corners
    (40, 90, 230, 0.98),
    (590, 70, 240, 0.55),
    (90, 320, 200, 0.12),
    (520, 300, 210, 0.78),
    (300, -40, 170, 0.36),
]
STRIPE_TOP, STRIPE_BOTTOM = 297, 303


def background_pixel(x, y):
    if y >= STRIPE_BOTTOM:
        t = (y - STRIPE_BOTTOM) / (400 - STRIPE_BOTTOM)
        base = mix((0.16, 0.17, 0.31), (0.07, 0.08, 0.16), t)
        # A faint glow of the stripe's colour just below it.
        glow = 0.18 * (1 - smoothstep(0, 24, y - STRIPE_BOTTOM))
        return mix(base, hue(x / 600.0, 0.8, 1.0), glow)
    if y >= STRIPE_TOP:
        edge = smoothstep(STRIPE_TOP - 0.5, STRIPE_TOP + 1.5, y)
        return mix((0.97, 0.97, 0.98), hue(x / 600.0, 0.85, 0.95), edge)
    # Near-white paper that shades from warm at the left to cool at the right.
    paper = mix((1.0, 0.985, 0.955), (0.955, 0.975, 1.0), x / 600.0)
    colour = paper
    for bx, by, radius, h in BLOBS:
        d = math.hypot(x - bx, y - by) / radius
        if d < 1.0:
            strength = 0.36 * (1 - smoothstep(0.0, 1.0, d)) ** 1.3
            colour = mix(colour, hue(h, 0.55, 1.0), strength)
    return colour


def draw_background(path):
    rows = []
    for y in range(400):
        row = bytearray()
        for x in range(600):
            r, g, b = background_pixel(x + 0.5, y + 0.5)
            row += bytes(int(round(255 * min(1.0, max(0.0, c)))) for c in (r, g, b))
        rows.append(bytes(row))
    write_png(path, 600, 400, rows, alpha=False)


# --- The program icon: a colour wheel with a white centre, on a dark rounded tile --------------


def rounded_square_coverage(x, y, size, radius):
    # Distance to a rounded square covering the whole icon; > 0 is outside.
    half = size / 2.0
    qx = abs(x - half) - (half - radius)
    qy = abs(y - half) - (half - radius)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - radius
    return outside <= 0


def icon_sample(x, y, size):
    """Colour and opacity at a point of an icon of this size."""
    if not rounded_square_coverage(x, y, size, size * 0.2):
        return (0.0, 0.0, 0.0), 0.0
    c = size / 2.0
    dx, dy = x - c, y - c
    r = math.hypot(dx, dy) / size
    tile = mix((0.20, 0.22, 0.38), (0.09, 0.10, 0.19), y / size)
    if r > 0.40:
        return tile, 1.0
    if r > 0.17:
        angle = (math.atan2(-dy, dx) / (2 * math.pi)) % 1.0
        # Brighter towards the rim, like a colour wheel of light.
        return hue(angle, 0.55 + 0.45 * (r - 0.17) / 0.23, 1.0), 1.0
    if r > 0.13:
        return (0.09, 0.10, 0.19), 1.0
    return (1.0, 1.0, 1.0), 1.0


def draw_icon(path, size):
    samples = 4
    rows = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            acc = [0.0, 0.0, 0.0]
            cover = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    colour, a = icon_sample(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples,
                                            size)
                    cover += a
                    for i in range(3):
                        acc[i] += colour[i] * a
            n = samples * samples
            alpha = cover / n
            rgb = [acc[i] / cover if cover else 0.0 for i in range(3)]
            row += bytes(int(round(255 * v)) for v in rgb) + bytes([int(round(255 * alpha))])
        rows.append(bytes(row))
    write_png(path, size, size, rows, alpha=True)


def draw_icon_svg(path):
    """The same icon as a scalable picture for the desktop's icon theme: the rounded tile, a
    wheel of 72 hue wedges brightening outwards, a dark ring and a white centre."""
    size = 256.0
    c = size / 2.0
    inner, outer = 0.17 * size, 0.40 * size

    def rgb(colour):
        return "#%02x%02x%02x" % tuple(int(round(255 * v)) for v in colour)

    wedges = []
    steps = 72
    for i in range(steps):
        a0 = 2 * math.pi * i / steps
        a1 = 2 * math.pi * (i + 1.05) / steps  # a hair of overlap hides seams
        points = []
        for a, r in ((a0, inner), (a0, outer), (a1, outer), (a1, inner)):
            points.append("%.2f,%.2f" % (c + r * math.cos(a), c - r * math.sin(a)))
        colour = hue((i + 0.5) / steps)
        wedges.append('    <polygon points="%s" fill="%s"/>' % (" ".join(points), rgb(colour)))
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
        "  <defs>",
        '    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">',
        '      <stop offset="0" stop-color="%s"/>' % rgb((0.20, 0.22, 0.38)),
        '      <stop offset="1" stop-color="%s"/>' % rgb((0.09, 0.10, 0.19)),
        "    </linearGradient>",
        '    <radialGradient id="pale" cx="128" cy="128" r="%.2f" gradientUnits="userSpaceOnUse">'
        % outer,
        '      <stop offset="%.4f" stop-color="#ffffff" stop-opacity="0.45"/>' % (inner / outer),
        '      <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>',
        "    </radialGradient>",
        "  </defs>",
        '  <rect width="256" height="256" rx="51.2" fill="url(#tile)"/>',
        "  <g>",
    ] + wedges + [
        "  </g>",
        '  <circle cx="128" cy="128" r="%.2f" fill="url(#pale)"/>' % outer,
        '  <circle cx="128" cy="128" r="%.2f" fill="%s"/>' % (inner, rgb((0.09, 0.10, 0.19))),
        '  <circle cx="128" cy="128" r="%.2f" fill="#ffffff"/>' % (0.13 * size),
        "</svg>",
    ]
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")

# --- The drag icon of the current-colour swatch: two colour cards, the front one in four colours.
# Flat colours only (no smoothing), so that each size keeps to a handful of colours and stays
# crisp at 16 pixels.

DRAG_OUTLINE = (32, 32, 48)
DRAG_BACK_CARD = (216, 216, 224)
DRAG_QUADRANTS = ((230, 40, 40), (250, 200, 30), (40, 170, 70), (40, 90, 220))


def drag_icon_pixel(x, y, size):
    line = max(1, size // 16)

    def card(left, top, right, bottom):
        """Where (x, y) falls on a card: None, 'edge' or 'inside'."""
        if not (left <= x < right and top <= y < bottom):
            return None
        edge = x < left + line or x >= right - line or y < top + line or y >= bottom - line
        return "edge" if edge else "inside"

    front = (0, size * 5 // 16, size * 11 // 16, size)
    back = (size * 5 // 16, 0, size, size * 11 // 16)
    where = card(*front)
    if where == "edge":
        return DRAG_OUTLINE + (255,)
    if where == "inside":
        mid_x = (front[0] + front[2]) // 2
        mid_y = (front[1] + front[3]) // 2
        quadrant = (1 if x >= mid_x else 0) + (2 if y >= mid_y else 0)
        return DRAG_QUADRANTS[quadrant] + (255,)
    where = card(*back)
    if where == "edge":
        return DRAG_OUTLINE + (255,)
    if where == "inside":
        return DRAG_BACK_CARD + (255,)
    return (0, 0, 0, 0)


def draw_drag_icon(path, size):
    rows = [b"".join(bytes(drag_icon_pixel(x, y, size)) for x in range(size)) for y in range(size)]
    write_png(path, size, size, rows, alpha=True)


if __name__ == "__main__":
    draw_background(os.path.join(RESOURCES, "about-background.png"))
    draw_icon(os.path.join(RESOURCES, "icon.png"), 16)
    draw_icon(os.path.join(RESOURCES, "icon-32.png"), 32)
    draw_icon(os.path.join(RESOURCES, "icon-64.png"), 64)
    draw_drag_icon(os.path.join(RESOURCES, "drag-icon-16.png"), 16)
    draw_drag_icon(os.path.join(RESOURCES, "drag-icon-32.png"), 32)
    # Larger sizes and the scalable picture for the desktop's icon theme, installed only.
    for size in (48, 128, 256):
        draw_icon(os.path.join(RESOURCES, "icon-%d.png" % size), size)
    draw_icon_svg(os.path.join(RESOURCES, "tinctora.svg"))

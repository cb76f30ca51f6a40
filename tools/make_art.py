#!/usr/bin/env python3
"""Draws Ferrow's icon (resources/ferrow.ico: 32x32 and 16x16, 32-bit with
alpha) and its hand cursor (resources/hand.cur: 32x32 monochrome, hot spot at
the tip of the finger). Standard library only; run it again after changing
the drawing, then rebuild."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.join(HERE, "..", "resources")


def disc_pixel(x, y, size):
    """Colour (r, g, b, a) of one sample of the icon: a silver disc with a
    centre hole, crossed by a green tick, in a 0..1 square."""
    cx = cy = 0.5
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    colour = None
    if r <= 0.47:
        if r < 0.07:
            colour = None                      # the hole
        elif r < 0.16:
            colour = (235, 238, 242, 255)      # clear hub
        else:
            # Brushed silver: a little lighter towards the upper left, with
            # a faint rainbow sheen along one diagonal.
            shade = 200 + int(40 * (-(dx + dy) / 0.94))
            sheen = math.cos((math.atan2(dy, dx) - 0.8) * 2)
            colour = (min(255, shade + int(18 * sheen)),
                      min(255, shade + int(10 * sheen)),
                      min(255, shade + 20), 255)
        if 0.44 < r <= 0.47 or 0.16 <= r < 0.18:
            colour = (96, 104, 120, 255)       # rims
    # The tick: two thick strokes, (0.30,0.58)-(0.46,0.76) and (0.46,0.76)-(0.82,0.30).
    width = 0.085 if size >= 32 else 0.11
    for (x0, y0), (x1, y1) in (((0.28, 0.56), (0.46, 0.76)), ((0.46, 0.76), (0.84, 0.28))):
        vx, vy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * vx + (y - y0) * vy) / (vx * vx + vy * vy)))
        d = math.hypot(x - (x0 + t * vx), y - (y0 + t * vy))
        if d < width:
            colour = (20, 140, 40, 255) if d < width - 0.03 else (10, 70, 20, 255)
    return colour


def render_icon(size):
    """Rows top to bottom of (r, g, b, a), 4x4 supersampled."""
    rows = []
    n = 4
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    c = disc_pixel((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size, size)
                    if c:
                        for i in range(3):
                            acc[i] += c[i] * c[3]
                        acc[3] += c[3]
            a = acc[3] / (n * n)
            if acc[3]:
                row.append(tuple(int(acc[i] / acc[3]) for i in range(3)) + (int(a),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def and_mask(opaque_rows, size):
    """1 bit per pixel, 1 = transparent, rows bottom-up, padded to 32 bits."""
    stride = ((size + 31) // 32) * 4
    out = b""
    for row in reversed(opaque_rows):
        bits = bytearray(stride)
        for x, opaque in enumerate(row):
            if not opaque:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def icon_image(size):
    rows = render_icon(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask = and_mask([[p[3] > 0 for p in row] for row in rows], size)
    return header + xor + mask


# The pointing hand: X outline (black), . fill (white), blank transparent.
HAND = [
    "     XX",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..XXX",
    "    X..X..XXX",
    "    X..X..X..XX",
    "    X..X..X..X.X",
    " XX X..X..X..X..X",
    "X..XX...........X",
    "X...X...........X",
    " X..............X",
    "  X.............X",
    "  X.............X",
    "   X...........X",
    "   X...........X",
    "    X.........X",
    "    X.........X",
    "    XXXXXXXXXXX",
]
HAND_HOT_SPOT = (5, 0)


def cursor_image():
    size = 32
    rows = [line.ljust(size)[:size] for line in HAND] + [" " * size] * (size - len(HAND))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 2)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    xor = b""
    for line in reversed(rows):
        bits = bytearray(4)
        for x, ch in enumerate(line):
            if ch == ".":
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += bytes(bits)
    mask = and_mask([[ch != " " for ch in line] for line in rows], size)
    return header + palette + xor + mask


def write_directory(path, kind, images):
    """kind 1: icon, entries (size, image); kind 2: cursor, entries (size, image, hot spot)."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for entry in images:
        size, data = entry[0], entry[1]
        if kind == 1:
            a, b = 1, 32
        else:
            a, b = entry[2]
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, a, b, len(data), offset)
        offset += len(data)
    for entry in images:
        out += entry[1]
    with open(path, "wb") as f:
        f.write(out)


def main():
    write_directory(os.path.join(RESOURCES, "ferrow.ico"), 1,
                    [(32, icon_image(32)), (16, icon_image(16))])
    write_directory(os.path.join(RESOURCES, "hand.cur"), 2,
                    [(32, cursor_image(), HAND_HOT_SPOT)])


if __name__ == "__main__":
    main()

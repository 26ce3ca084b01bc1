#!/usr/bin/env python3
"""Draws the tool's picture (res/picture.bmp, 256 x 256, 24 bits, bottom-up)
and icon (res/application.ico, 32 x 32, 16 colours). Deterministic: the same
files every run. Run it from the repository root after changing the drawing."""
import math
import struct

SIZE = 256


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# A heat ramp: deep violet, red, orange, yellow, white.
HEAT = [(0.00, (25, 5, 45)), (0.30, (140, 10, 40)), (0.55, (235, 70, 10)),
        (0.78, (255, 190, 40)), (1.00, (255, 250, 225))]


def heat(t):
    t = max(0.0, min(1.0, t))
    for (t0, c0), (t1, c1) in zip(HEAT, HEAT[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return HEAT[-1][1]


def board(x, y):
    """Circuit board: dark green with faint traces on a 16-pixel grid."""
    base = (8, 38, 28)
    gx, gy = x % 16, y % 16
    trace = (gx in (7, 8) and (y // 16) % 3 != 1) or (gy in (7, 8) and (x // 16) % 3 == 1)
    via = (gx - 7.5) ** 2 + (gy - 7.5) ** 2 < 6 and ((x // 16) + (y // 16)) % 4 == 0
    if via:
        return (150, 125, 60)
    if trace:
        return (20, 80, 52)
    return base


def pixel(x, y):
    cx, cy = x - 127.5, y - 127.5
    die, pad = 72, 96
    ax, ay = abs(cx), abs(cy)
    # Gold pins around the package.
    if pad - 8 < max(ax, ay) <= pad + 14 and min(ax, ay) < pad - 12:
        along = cx if ay > ax else cy
        if int(along + 200) % 12 < 6:
            shade = 1.0 - (max(ax, ay) - (pad - 8)) / 40
            return mix((120, 90, 30), (245, 205, 95), shade)
    # The package: dark ceramic with a bevel.
    if max(ax, ay) <= pad - 8:
        if max(ax, ay) > die + 3:
            bevel = (max(ax, ay) - die) / (pad - 8 - die)
            return mix((70, 72, 80), (34, 35, 40), bevel)
        if max(ax, ay) > die:
            return (212, 175, 80)  # the die's gold seal ring
        # The die itself glows: a radial heat field rippled by the loop.
        r = math.hypot(cx, cy) / die
        ripple = 0.06 * math.sin(9 * math.atan2(cy, cx) + 14 * r) + 0.04 * math.sin(x * 0.35) * math.sin(y * 0.35)
        glow = heat(1.05 - 0.85 * r + ripple)
        # Eight cores as brighter cells.
        cell = (int(cx + die) // 36, int(cy + die) // 36)
        inside = (cx + die) % 36 > 4 and (cy + die) % 36 > 4
        if inside and (cell[0] + cell[1]) % 2 == 0:
            glow = mix(glow, (255, 255, 255), 0.10)
        return glow
    return board(x, y)


def write_picture(path):
    row_bytes = SIZE * 3  # 768: already a multiple of 4
    pixels = bytearray()
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        for x in range(SIZE):
            r, g, b = pixel(x, y)
            pixels += bytes((clamp(b), clamp(g), clamp(r)))
    assert len(pixels) == row_bytes * SIZE
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


# The standard 16-colour palette.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, MAROON, OLIVE, SILVER, GREY, RED, YELLOW, WHITE = 0, 1, 3, 7, 8, 9, 11, 15


def icon_pixel(x, y):
    """A chip with a flame on it; None is transparent."""
    cx, cy = x - 15.5, y - 15.5
    ax, ay = abs(cx), abs(cy)
    if 10 < max(ax, ay) <= 14 and min(ax, ay) < 9:
        along = int(cx + 16 if ay > ax else cy + 16)
        return OLIVE if along % 4 in (1, 2) else None
    if max(ax, ay) <= 10:
        if max(ax, ay) > 9:
            return SILVER
        # Flame: a teardrop rising from the bottom of the die.
        fy = (cy + 9) / 18  # 0 at the top, 1 at the bottom
        width = 7.5 * math.sin(math.pi * min(1.0, fy * 1.15)) * (0.55 + 0.45 * fy)
        if ax < width and fy > 0.08:
            core = ax / max(width, 0.01)
            if core < 0.35 and fy > 0.5:
                return WHITE
            if core < 0.65 and fy > 0.3:
                return YELLOW
            return RED
        return GREY if max(ax, ay) > 8 else BLACK
    return None


def write_icon(path):
    xor, mask = bytearray(), bytearray()
    for y in range(31, -1, -1):  # bottom-up
        row_bits = 0
        for x in range(0, 32, 2):
            a, b = icon_pixel(x, y), icon_pixel(x + 1, y)
            xor.append(((a or 0) << 4) | (b or 0))
        for x in range(32):
            row_bits = (row_bits << 1) | (1 if icon_pixel(x, y) is None else 0)
        mask += struct.pack(">I", row_bits)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = info + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4,
                                                           len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + image)


if __name__ == "__main__":
    write_picture("res/picture.bmp")
    write_icon("res/application.ico")

#!/usr/bin/env python3
"""Draws the program's two icons and writes them as .ico files.

    python3 tools/make_icons.py [OUTPUT_DIR]

OUTPUT_DIR defaults to src/resources/icons next to this script's repository
root. Writes ravlo32.ico (32 x 32) and ravlo64.ico (64 x 64): one image each,
24 bits per pixel, stored BMP-style (BITMAPINFOHEADER, colour rows bottom-up,
then the 1-bit AND mask). The motif is a pools coupon with a grid of
1 / X / 2 boxes, a few of them ticked, and a football in front of it.

Standard library only; the output depends on nothing but this file, so a
rerun gives the same bytes.
"""

import math
import os
import struct
import sys

# Colours as (r, g, b).
PAPER = (250, 246, 228)
EDGE = (40, 70, 40)
HEADER = (0, 84, 166)
HEADER_STRIPE = (254, 204, 0)
BOX = (150, 150, 150)
TICK = (200, 20, 20)
BALL = (255, 255, 255)
BALL_DARK = (20, 20, 20)

# Coupon sheet and the ball, in a unit square with y growing downwards.
SHEET = (0.06, 0.03, 0.72, 0.97)          # left, top, right, bottom
HEADER_BOTTOM = 0.20
GRID_COLUMNS = (0.16, 0.33, 0.50)         # left edges of the 1, X, 2 boxes
GRID_TOP = 0.27
GRID_STEP = 0.13
GRID_ROWS = 5
BOX_SIZE = 0.11
TICKED = {(0, 0), (1, 2), (2, 1), (3, 0), (4, 2)}   # (row, column)
BALL_CENTRE = (0.71, 0.71)
BALL_RADIUS = 0.27


def inside(box, x, y):
    left, top, right, bottom = box
    return left <= x < right and top <= y < bottom


def ball_colour(x, y, px):
    """Colour of the ball at (x, y), or None outside it."""
    dx, dy = x - BALL_CENTRE[0], y - BALL_CENTRE[1]
    r = math.hypot(dx, dy)
    if r > BALL_RADIUS:
        return None
    if r > BALL_RADIUS - 1.2 * px:
        return BALL_DARK                      # outline
    # Central pentagon and five patches cut by the rim.
    angle = math.atan2(dy, dx) + math.pi / 2
    sector = 2 * math.pi / 5
    offset = (angle % sector) - sector / 2
    pentagon_r = 0.09 * math.cos(sector / 2) / math.cos(offset)
    if r < pentagon_r:
        return BALL_DARK
    patch_angle = (angle + sector / 2) % sector - sector / 2
    patch_x = r * math.cos(patch_angle) - BALL_RADIUS * 0.98
    patch_y = r * math.sin(patch_angle)
    if math.hypot(patch_x, patch_y) < 0.085:
        return BALL_DARK
    return BALL


def coupon_colour(x, y, px):
    """Colour of the coupon sheet at (x, y), or None outside it."""
    if not inside(SHEET, x, y):
        return None
    left, top, right, bottom = SHEET
    if x < left + px or x >= right - px or y < top + px or y >= bottom - px:
        return EDGE
    if y < HEADER_BOTTOM:
        mid = (top + HEADER_BOTTOM) / 2
        return HEADER_STRIPE if abs(y - mid) < max(px, 0.025) else HEADER
    for row in range(GRID_ROWS):
        box_top = GRID_TOP + row * GRID_STEP
        for col, box_left in enumerate(GRID_COLUMNS):
            box = (box_left, box_top, box_left + BOX_SIZE, box_top + BOX_SIZE)
            if not inside(box, x, y):
                continue
            if (row, col) in TICKED:
                if BOX_SIZE < 6 * px:
                    return TICK               # too small for a cross
                u = (x - box_left) / BOX_SIZE
                v = (y - box_top) / BOX_SIZE
                if abs(u - v) < 0.25 or abs(u + v - 1) < 0.25:
                    return TICK
            on_rim = (x < box_left + px or x >= box[2] - px or
                      y < box_top + px or y >= box[3] - px)
            return BOX if on_rim else PAPER
    return PAPER


def pixel(size, col, row):
    """Colour of pixel (col, row), counted from the top, or None if clear."""
    px = 1.0 / size
    x, y = (col + 0.5) * px, (row + 0.5) * px
    colour = ball_colour(x, y, px)
    if colour is None:
        colour = coupon_colour(x, y, px)
    return colour


def icon_file(size):
    """The bytes of a one-image .ico file of size x size pixels, 24 bpp."""
    colour_stride = (size * 3 + 3) // 4 * 4
    mask_stride = (size + 31) // 32 * 4
    colour_rows, mask_rows = [], []
    for row in reversed(range(size)):         # bottom-up, as in a DIB
        colour = bytearray()
        mask_bits = 0
        for col in range(size):
            c = pixel(size, col, row)
            if c is None:
                colour += b"\0\0\0"
                mask_bits |= 1 << (size - 1 - col)
            else:
                colour += bytes((c[2], c[1], c[0]))
        colour += b"\0" * (colour_stride - len(colour))
        colour_rows.append(bytes(colour))
        # Bit 1 = transparent; the leftmost pixel is the highest bit.
        mask_bits <<= mask_stride * 8 - size
        mask_rows.append(mask_bits.to_bytes(mask_stride, "big"))
    pixels = b"".join(colour_rows)
    mask = b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 24, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 24,
                        len(image), 6 + 16)
    return icondir + entry + image


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "src", "resources", "icons")
    os.makedirs(out, exist_ok=True)
    for size in (32, 64):
        path = os.path.join(out, "ravlo%d.ico" % size)
        with open(path, "wb") as f:
            f.write(icon_file(size))
        print(path)


if __name__ == "__main__":
    main()

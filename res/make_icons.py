#!/usr/bin/env python3
"""Draws the program's icon, a yellow note card with a turned-down corner and a few lines of
text, at 32, 24, 20 and 16 pixels square in 16 colours (the small sizes are what the tray asks
for at 100 % to 150 %), and writes it as yorimemo.ico beside this script.

Run it after changing the drawing and commit the .ico it writes."""

import os
import struct

# The standard 16-colour palette (R, G, B).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, OLIVE, NAVY, GRAY, RED, YELLOW = 0, 3, 4, 8, 9, 11
CLEAR = None


def draw_card(size, left, top, right, bottom, fold, lines):
    """Returns rows of palette indexes (None = transparent), top row first."""
    pixels = [[CLEAR] * size for _ in range(size)]

    def put(x, y, colour):
        if 0 <= x < size and 0 <= y < size:
            pixels[y][x] = colour

    # Shadow one pixel to the right and below, none beside the turned-down corner.
    for y in range(top + fold + 1, bottom + 2):
        put(right + 1, y, GRAY)
    for x in range(left + 1, right + 2):
        put(x, bottom + 1, GRAY)

    corner_x = right - fold
    corner_y = top + fold
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            in_corner = x > corner_x and y < corner_y
            # Distance past the diagonal from (corner_x, top) to (right, corner_y).
            past = (x - corner_x) - (y - top)
            if in_corner and past > 0:
                continue  # the corner is turned down: nothing there
            if in_corner and past == 0:
                put(x, y, BLACK)
            elif in_corner and (x == corner_x + 1 or y == corner_y - 1):
                put(x, y, BLACK)
            elif in_corner:
                put(x, y, OLIVE)
            elif x in (left, right) or y in (top, bottom):
                put(x, y, BLACK)
            else:
                put(x, y, YELLOW)

    for y, x0, x1, colour in lines:
        for x in range(x0, x1 + 1):
            put(x, y, colour)
    return pixels


def icon_image(pixels):
    """A 4-bit DIB with its AND mask, as an icon file stores one image."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)

    colour_rows = []
    mask_rows = []
    for row in reversed(pixels):  # bottom-up
        nibbles = [0 if p is CLEAR else p for p in row]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colour_rows.append(data.ljust((len(data) + 3) // 4 * 4, b"\0"))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p is CLEAR else 0)
        mask_bytes = (size + 7) // 8
        mask = (bits << (mask_bytes * 8 - size)).to_bytes(mask_bytes, "big")
        mask_rows.append(mask.ljust((len(mask) + 3) // 4 * 4, b"\0"))
    return header + palette + b"".join(colour_rows) + b"".join(mask_rows)


def icon_file(images):
    count = len(images)
    directory = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    entries = b""
    for pixels, data in images:
        size = len(pixels)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, data in images)


def main():
    big = draw_card(32, 3, 2, 27, 28, 7, [
        (5, 6, 9, RED),
        (11, 6, 22, NAVY), (15, 6, 23, NAVY), (19, 6, 23, NAVY), (23, 6, 17, NAVY),
    ])
    medium = draw_card(24, 2, 1, 20, 21, 5, [
        (4, 5, 7, RED),
        (8, 5, 16, NAVY), (11, 5, 17, NAVY), (14, 5, 17, NAVY), (17, 5, 13, NAVY),
    ])
    smaller = draw_card(20, 2, 1, 17, 18, 4, [
        (4, 4, 6, RED),
        (7, 4, 14, NAVY), (10, 4, 14, NAVY), (13, 4, 11, NAVY),
    ])
    small = draw_card(16, 1, 1, 13, 14, 4, [
        (6, 3, 8, NAVY), (9, 3, 10, NAVY), (12, 3, 7, NAVY),
    ])
    images = [(p, icon_image(p)) for p in (big, medium, smaller, small)]
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "yorimemo.ico")
    with open(out, "wb") as f:
        f.write(icon_file(images))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws res/brontavel.ico: a joystick in the 16 classic Windows colours, at 32x32, 16x16 and 20x20.

The icon is committed; run this only to change it.
"""
import struct
import sys

# The 16-colour Windows palette, as (blue, green, red, reserved).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128), (128, 128, 0),
    (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0),
    (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BLACK, DARK_GREY, LIGHT_GREY, RED, WHITE, BLUE = 0, 8, 7, 9, 15, 12
CLEAR = None


def draw(size):
    """Returns rows (top first) of palette indices, CLEAR for transparent."""
    s = size / 32.0
    pixels = [[CLEAR] * size for _ in range(size)]

    def ellipse(cx, cy, rx, ry, colour):
        for y in range(size):
            for x in range(size):
                dx = (x + 0.5 - cx * s) / (rx * s)
                dy = (y + 0.5 - cy * s) / (ry * s)
                if dx * dx + dy * dy <= 1.0:
                    pixels[y][x] = colour

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(round(y1 * s)))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(round(x1 * s)))):
                if 0 <= x < size and 0 <= y < size:
                    pixels[y][x] = colour

    ellipse(16, 25, 14.5, 6.5, BLACK)      # base outline
    ellipse(16, 24.5, 13, 5, DARK_GREY)    # base
    ellipse(16, 23.5, 10, 3, LIGHT_GREY)   # base top
    rect(14.5, 9, 17.5, 24, BLACK)         # stick outline
    rect(15.3, 9, 16.7, 23.5, DARK_GREY)   # stick
    ellipse(16, 8, 6.5, 6.5, BLACK)        # knob outline
    ellipse(16, 8, 5.3, 5.3, RED)          # knob
    ellipse(14.3, 6.3, 1.8, 1.8, WHITE)    # shine
    ellipse(26, 22, 2.2, 1.4, BLUE)        # fire button
    return pixels


def image(size):
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (b, g, r) in PALETTE)
    colour_row = (size * 4 + 31) // 32 * 4
    mask_row = (size + 31) // 32 * 4
    colour, mask = b"", b""
    for row in reversed(pixels):  # bitmaps are stored bottom-up
        nibbles = [0 if p is CLEAR else p for p in row]
        packed = bytes((nibbles[i] << 4) | (nibbles[i + 1] if i + 1 < size else 0) for i in range(0, size, 2))
        colour += packed.ljust(colour_row, b"\0")
        bits = 0
        for x, p in enumerate(row):
            if p is CLEAR:
                bits |= 1 << (mask_row * 8 - 1 - x)
        mask += bits.to_bytes(mask_row, "big")
    return header + palette + colour + mask


def main(path):
    sizes = [32, 16, 20]
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "res/brontavel.ico")

#!/usr/bin/env python3
"""Draws res/brontavel.ico: a joystick. The 16-colour images (32x32, 16x16, 20x20) serve the old
systems; true-colour images with soft edges (16 to 48 pixels, and a 256-pixel PNG) serve today's
Windows at every scale. There is no 40-pixel image: at 125 % Windows draws the 48-pixel one smaller,
and the 6.6 KiB it would take are worth more as program. The true-colour 20- and 24-pixel images are
PNGs: those sizes serve 125 % and 150 %, which Vista and later read; where Windows XP at 125 % cannot,
the program takes the 16-pixel image for the notification area instead.

res/brontavel64.ico is the same joystick for the 64-bit program, which runs on Vista and later (and
XP x64, which draws its 32-pixel image larger where it would want 48): no 16-colour images, which no
64-bit Windows draws, and the 48-pixel image as a PNG, 8 KiB less, worth more as program.

It also draws res/brontavel_paused.ico, the same joystick greyed, for the notification area only: a
16-pixel image in 16 colours and in true colour for every Windows, and PNGs at 20, 24 and 32 pixels
for the scales that Vista and later have.

The icon is committed; run this only to change it.
"""
import struct
import sys
import zlib

# The 16-colour Windows palette, as (blue, green, red).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128), (128, 128, 0),
    (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0),
    (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BLACK, DARK_GREY, LIGHT_GREY, RED, WHITE, BLUE = 0, 8, 7, 9, 15, 12
CLEAR = None
CLASSIC_SIZES = [32, 16, 20]
TRUE_COLOUR_SIZES = [16, 32, 48]
PNG_SIZES = [20, 24, 256]
WIN64_TRUE_COLOUR_SIZES = [16, 32]
WIN64_PNG_SIZES = [20, 24, 48, 256]
PAUSED_CLASSIC_SIZES = [16]
PAUSED_TRUE_COLOUR_SIZES = [16]
PAUSED_PNG_SIZES = [20, 24, 32]

# Each colour as the paused icon has it: greys of less contrast, as Windows greys what is not in use.
NORMAL = {c: c for c in range(16)}
GREYED = {BLACK: DARK_GREY, DARK_GREY: LIGHT_GREY, LIGHT_GREY: LIGHT_GREY, RED: LIGHT_GREY, WHITE: WHITE,
          BLUE: LIGHT_GREY}


# The drawing, back to front, on a 32-unit square: (kind, its numbers, colour).
SHAPES = [
    ("ellipse", (16, 25, 14.5, 6.5), BLACK),      # base outline
    ("ellipse", (16, 24.5, 13, 5), DARK_GREY),    # base
    ("ellipse", (16, 23.5, 10, 3), LIGHT_GREY),   # base top
    ("rect", (14.5, 9, 17.5, 24), BLACK),         # stick outline
    ("rect", (15.3, 9, 16.7, 23.5), DARK_GREY),   # stick
    ("ellipse", (16, 8, 6.5, 6.5), BLACK),        # knob outline
    ("ellipse", (16, 8, 5.3, 5.3), RED),          # knob
    ("ellipse", (14.3, 6.3, 1.8, 1.8), WHITE),    # shine
    ("ellipse", (26, 22, 2.2, 1.4), BLUE),        # fire button
]


def colour_at(x, y):
    """The palette index at a point of the 32-unit square, CLEAR outside the drawing."""
    found = CLEAR
    for kind, (a, b, c, d), colour in SHAPES:
        if kind == "ellipse" and ((x - a) / c) ** 2 + ((y - b) / d) ** 2 <= 1.0 or \
                kind == "rect" and a <= x < c and b <= y < d:
            found = colour
    return found


def classic_pixels(size, tone):
    """Rows (top first) of palette indices: ellipses by each pixel's centre, rectangles snapped to
    whole pixels at least one wide, so that thin strokes survive at 16x16."""
    s = size / 32.0
    pixels = [[CLEAR] * size for _ in range(size)]
    for kind, (a, b, c, d), colour in SHAPES:
        for y in range(size):
            for x in range(size):
                if kind == "ellipse":
                    inside = ((x + 0.5 - a * s) / (c * s)) ** 2 + ((y + 0.5 - b * s) / (d * s)) ** 2 <= 1.0
                else:
                    inside = (int(a * s) <= x < max(int(a * s) + 1, int(round(c * s))) and
                              int(b * s) <= y < max(int(b * s) + 1, int(round(d * s))))
                if inside:
                    pixels[y][x] = tone[colour]
    return pixels


def rgba_pixels(size, tone, samples=4):
    """Rows (top first) of (blue, green, red, alpha), each pixel the average of samples x samples points."""
    s = 32.0 / size
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            hits = [colour_at((x + (i + 0.5) / samples) * s, (y + (j + 0.5) / samples) * s)
                    for j in range(samples) for i in range(samples)]
            covered = [PALETTE[tone[c]] for c in hits if c is not CLEAR]
            if not covered:
                row.append((0, 0, 0, 0))
                continue
            average = [sum(c[k] for c in covered) // len(covered) for k in range(3)]
            row.append((*average, 255 * len(covered) // len(hits)))
        rows.append(row)
    return rows


def and_mask(transparent_rows, size):
    """The 1-bit mask old systems draw with: set where the pixel is see-through."""
    mask_row = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(transparent_rows):  # bitmaps are stored bottom-up
        bits = 0
        for x, clear in enumerate(row):
            if clear:
                bits |= 1 << (mask_row * 8 - 1 - x)
        mask += bits.to_bytes(mask_row, "big")
    return mask


def classic_image(size, tone):
    pixels = classic_pixels(size, tone)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (b, g, r) in PALETTE)
    colour_row = (size * 4 + 31) // 32 * 4
    colour = b""
    for row in reversed(pixels):
        nibbles = [0 if p is CLEAR else p for p in row]
        packed = bytes((nibbles[i] << 4) | (nibbles[i + 1] if i + 1 < size else 0) for i in range(0, size, 2))
        colour += packed.ljust(colour_row, b"\0")
    return header + palette + colour + and_mask([[p is CLEAR for p in row] for row in pixels], size)


def true_colour_image(size, tone):
    pixels = rgba_pixels(size, tone)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes(p) for row in reversed(pixels) for p in row)
    return header + colour + and_mask([[p[3] < 128 for p in row] for row in pixels], size)


def png_image(size, tone):
    pixels = rgba_pixels(size, tone, samples=2 if size > 64 else 4)
    raw = b"".join(b"\0" + b"".join(bytes((r, g, b, a)) for (b, g, r, a) in row) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_icon(path, tone, classic_sizes, true_colour_sizes, png_sizes):
    entries = ([(n, 16, 4, classic_image(n, tone)) for n in classic_sizes] +
               [(n, 0, 32, true_colour_image(n, tone)) for n in true_colour_sizes] +
               [(n, 0, 32, png_image(n, tone)) for n in png_sizes])
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, colours, bits, data in entries:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(data for *_, data in entries))


def main(folder):
    write_icon(f"{folder}/brontavel.ico", NORMAL, CLASSIC_SIZES, TRUE_COLOUR_SIZES, PNG_SIZES)
    write_icon(f"{folder}/brontavel64.ico", NORMAL, [], WIN64_TRUE_COLOUR_SIZES, WIN64_PNG_SIZES)
    write_icon(f"{folder}/brontavel_paused.ico", GREYED, PAUSED_CLASSIC_SIZES, PAUSED_TRUE_COLOUR_SIZES,
               PAUSED_PNG_SIZES)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "res")

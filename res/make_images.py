#!/usr/bin/env python3
"""Draws the program's pictures: the logo bitmap (200 x 73, 8 bits per pixel,
on a grey ground) and the icon (32 x 32, 16 colours).

    make_images.py OUTDIR   writes OUTDIR/logo.bmp and OUTDIR/drivewright.ico

The pictures are drawn from shapes at four times their size and averaged
down, so the edges of the logo are smooth in its 256-colour table. The logo
is stored as plain pixels (BI_RGB), which every display driver draws."""
import math
import struct
import sys
from pathlib import Path

# Capital letters of 5 x 7 cells; only those the logo needs.
FONT = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    " ": ["00000"] * 7,
}

GREY = (192, 192, 192)
NAVY = (0, 0, 128)
RED = (192, 0, 0)
SHADE = (128, 128, 128)
LEVELS = 64   # blend steps from the ground to each ink


def logo_palette():
    """Index 0 is the ground; then ramps ground -> navy, ground -> red and
    ground -> dark grey; the rest of the 256 entries are black."""
    colours = [GREY]
    for ink in (NAVY, RED, SHADE):
        for step in range(1, LEVELS + 1):
            t = step / LEVELS
            colours.append(tuple(round(g + (i - g) * t) for g, i in zip(GREY, ink)))
    colours += [(0, 0, 0)] * (256 - len(colours))
    return colours


def text_cells(text, x0, y0, cell, gap):
    """The filled squares of a text in the 5 x 7 font, in the drawing's units."""
    boxes = []
    for n, letter in enumerate(text):
        left = x0 + n * (5 * cell + gap)
        for row, bits in enumerate(FONT[letter]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    boxes.append((left + col * cell, y0 + row * cell, cell, cell))
    return boxes


def draw_logo():
    scale = 4
    width, height = 200, 73
    # Coverage of each ink, at four times the size.
    inks = {ink: [[0.0] * (width * scale) for _ in range(height * scale)]
            for ink in ("navy", "red", "shade")}

    def fill_boxes(ink, boxes):
        plane = inks[ink]
        for x, y, w, h in boxes:
            for yy in range(int(y * scale), int((y + h) * scale)):
                for xx in range(int(x * scale), int((x + w) * scale)):
                    plane[yy][xx] = 1.0

    # The mark: a speaker cone and three sound arcs, on the left.
    cx, cy = 26, 36
    navy, red = inks["navy"], inks["red"]
    for yy in range(height * scale):
        for xx in range(width * scale):
            x, y = xx / scale, yy / scale
            dx, dy = x - cx, y - cy
            if -14 <= dx <= -8 and abs(dy) <= 5:
                navy[yy][xx] = 1.0
            if -8 <= dx <= 0 and abs(dy) <= 5 + (dx + 8) * 1.2:
                navy[yy][xx] = 1.0
            r = math.hypot(dx, dy)
            angle = abs(math.atan2(dy, dx))
            if dx > 0 and angle < 0.8:
                for radius in (7, 13, 19):
                    if abs(r - radius) <= 1.6:
                        red[yy][xx] = 1.0

    fill_boxes("shade", text_cells("QUORVEL", 59, 12, 3, 4))
    fill_boxes("navy", text_cells("QUORVEL", 57, 10, 3, 4))
    fill_boxes("red", [(57, 35, 132, 2)])
    fill_boxes("navy", text_cells("AUDIO", 95, 44, 2, 3))

    palette = logo_palette()
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            best = 0
            strongest = 0.0
            for base, ink in ((1, "navy"), (1 + LEVELS, "red"), (1 + 2 * LEVELS, "shade")):
                plane = inks[ink]
                cover = sum(plane[y * scale + j][x * scale + i]
                            for j in range(scale) for i in range(scale)) / (scale * scale)
                if cover > strongest:
                    strongest = cover
                    best = base + max(0, round(cover * LEVELS) - 1) if cover > 0 else 0
            row.append(best)
        rows.append(bytes(row))
    return width, height, palette, rows


def write_bmp(path, width, height, palette, rows):
    """An 8-bit bitmap of plain pixels (BI_RGB) with the full table of 256
    colours: rows bottom-up, each filled to a multiple of 4 bytes."""
    stride = (width + 3) // 4 * 4
    image = b"".join(row + b"\0" * (stride - width) for row in reversed(rows))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(image), 0, 0, 0, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    path.write_bytes(header + info + table + image)


# The standard 16-colour Windows palette.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def draw_icon():
    """A navy disc holding a white speaker and yellow sound arcs; outside the
    disc the icon is transparent."""
    size = 32
    pixels = [[0] * size for _ in range(size)]
    mask = [[1] * size for _ in range(size)]
    c = 15.5
    for y in range(size):
        for x in range(size):
            dx, dy = x - c, y - c
            r = math.hypot(dx, dy)
            if r > 15.5:
                continue
            mask[y][x] = 0
            colour = 4 if r <= 14.5 else 8          # navy, dark grey rim
            if -9 <= dx <= -5 and abs(dy) <= 3:
                colour = 15
            if -5 <= dx <= 0 and abs(dy) <= 3 + (dx + 5):
                colour = 15
            angle = abs(math.atan2(dy, dx))
            if dx > 0 and angle < 0.8 and any(abs(r - k) <= 0.9 for k in (5, 9, 13)):
                colour = 11
            pixels[y][x] = colour
    return size, pixels, mask


def write_ico(path, size, pixels, mask):
    colour = b""
    for row in reversed(pixels):
        colour += bytes((row[x] << 4) | row[x + 1] for x in range(0, size, 2))
    bits = b""
    for row in reversed(mask):
        packed = bytearray(4)
        for x, bit in enumerate(row):
            if bit:
                packed[x // 8] |= 0x80 >> (x % 8)
        bits += bytes(packed)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                       len(colour) + len(bits), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
    image = info + table + colour + bits
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    path.write_bytes(directory + entry + image)


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    write_bmp(out / "logo.bmp", *draw_logo())
    write_ico(out / "drivewright.ico", *draw_icon())


if __name__ == "__main__":
    main()

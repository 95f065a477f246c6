#!/usr/bin/env python3
"""Draws the Tovrel program icons: a rounded tile with "{ }" and a small diamond.
Writes both a_main.ico and icon1.ico next to this script; re-run it to regenerate them.
"""
import os
import struct

# Standard Windows 16-colour VGA palette, (R, G, B) by index.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
       (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
       (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
       (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
MONO = [(0, 0, 0), (255, 255, 255)]

# Palette index for each part of the drawing, per colour depth.
COLOURS = {
    4: {"border": 0, "fill": 4, "brace": 15, "mark": 11},  # black, navy, white, yellow
    1: {"border": 0, "fill": 0, "brace": 1, "mark": 1},    # black tile, white glyphs
}

# Per-size layout: tile corner radius, brace stroke, brace left x, top/bottom y.
LAYOUT = {
    32: {"radius": 5, "t": 2, "x0": 5, "top": 6, "bottom": 25},
    16: {"radius": 3, "t": 1, "x0": 2, "top": 3, "bottom": 12},
}


def draw(size, bpp):
    """Return size x size rows of palette indices; None means transparent."""
    c, L = COLOURS[bpp], LAYOUT[size]
    px = [[None] * size for _ in range(size)]

    # Rounded tile covering the whole square, with a one-pixel border.
    r = L["radius"]

    def in_tile(x, y):
        if not (0 <= x < size and 0 <= y < size):
            return False
        dx = max(r - x, x - (size - 1 - r), 0)
        dy = max(r - y, y - (size - 1 - r), 0)
        return dx * dx + dy * dy <= r * r

    for y in range(size):
        for x in range(size):
            if in_tile(x, y):
                edge = not all(in_tile(x + a, y + b)
                               for a, b in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                px[y][x] = c["border"] if edge else c["fill"]

    def rect(x, y, w, h, colour, mirror=False):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                px[yy][size - 1 - xx if mirror else xx] = colour

    # Left brace from rectangles of stroke t; the right one is its mirror image.
    t, x0, top, bot = L["t"], L["x0"], L["top"], L["bottom"]
    mid = (top + bot + 1) // 2
    for m in (False, True):
        rect(x0, mid - t, t, 2 * t, c["brace"], m)                      # point
        rect(x0 + t, top + t, t, mid - t - top - t, c["brace"], m)      # upper stem
        rect(x0 + t, mid + t, t, bot + 1 - t - mid - t, c["brace"], m)  # lower stem
        rect(x0 + 2 * t, top, 2 * t, t, c["brace"], m)                  # top hook
        rect(x0 + 2 * t, bot + 1 - t, 2 * t, t, c["brace"], m)          # bottom hook

    # Small diamond in the middle: the "identifier" between the braces.
    centre, radius = (size - 1) / 2, size // 10
    for y in range(size):
        for x in range(size):
            if abs(x - centre) + abs(y - centre) <= radius:
                px[y][x] = c["mark"]
    return px


def pack_rows(rows, bpp):
    """Pack rows of small integers bottom-up, MSB first, each row padded to 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        bits = 0
        for v in row:
            bits = (bits << bpp) | v
        nbits = len(row) * bpp
        stride = (nbits + 31) // 32 * 4
        out += (bits << (stride * 8 - nbits)).to_bytes(stride, "big")
    return bytes(out)


def dib(size, bpp):
    """One icon image: BITMAPINFOHEADER, palette, XOR bitmap, AND mask."""
    px = draw(size, bpp)
    xor = pack_rows([[0 if v is None else v for v in row] for row in px], bpp)
    mask = pack_rows([[1 if v is None else 0 for v in row] for row in px], 1)
    palette = VGA if bpp == 4 else MONO
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bpp, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    rgbquads = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + rgbquads + xor + mask


def write_ico(path, images):
    """images: list of (size, bpp). Writes ICONDIR, the entries, then the DIBs."""
    blobs = [dib(size, bpp) for size, bpp in images]
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    for (size, bpp), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", size, size, 1 << bpp, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, "a_main.ico"), [(32, 4), (16, 4)])
    write_ico(os.path.join(here, "icon1.ico"), [(32, 1), (32, 4), (16, 4)])

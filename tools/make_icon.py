#!/usr/bin/env python3
"""Generate res/morvane.ico, the Morvane application icon.

The icon is a single 32x32 image with 4 bits per pixel, using the standard
Windows 16-colour palette, plus a 1-bit transparency mask.  The picture is
an hourglass of cyan glass and yellow sand held in a stand: purple
bars across the top and bottom joined by two maroon posts.

The picture lives below as ASCII art: 32 rows of 32 characters, one
character per pixel.  Edit the art, then run

    python3 tools/make_icon.py                 # writes res/morvane.ico
    python3 tools/make_icon.py --preview x.png # also writes an 8x PNG preview

Only the Python standard library is used.
"""

import argparse
import os
import struct
import sys
import zlib

SIZE = 32

# The standard Windows 16-colour (VGA) palette, in palette-index order.
# Each entry: (character used in the art, name, (red, green, blue)).
PALETTE = [
    ("#", "black",   (0x00, 0x00, 0x00)),
    ("M", "maroon",  (0x80, 0x00, 0x00)),
    ("g", "green",   (0x00, 0x80, 0x00)),
    ("o", "olive",   (0x80, 0x80, 0x00)),
    ("N", "navy",    (0x00, 0x00, 0x80)),
    ("P", "purple",  (0x80, 0x00, 0x80)),
    ("t", "teal",    (0x00, 0x80, 0x80)),
    ("s", "silver",  (0xC0, 0xC0, 0xC0)),
    ("d", "grey",    (0x80, 0x80, 0x80)),
    ("r", "red",     (0xFF, 0x00, 0x00)),
    ("l", "lime",    (0x00, 0xFF, 0x00)),
    ("Y", "yellow",  (0xFF, 0xFF, 0x00)),
    ("b", "blue",    (0x00, 0x00, 0xFF)),
    ("f", "fuchsia", (0xFF, 0x00, 0xFF)),
    ("c", "aqua",    (0x00, 0xFF, 0xFF)),
    ("W", "white",   (0xFF, 0xFF, 0xFF)),
]

TRANSPARENT = "."

# Hourglass in a stand.  '.' is transparent; every other character is a
# palette colour from the table above.
ART = [
    ".##############################.",
    "#ffffffffffffffffffffffffffffff#",
    "#PPPPPPPPPPPPPPPPPPPPPPPPPPPPPP#",
    "#PPPPPPPPPPPPPPPPPPPPPPPPPPPPPP#",
    ".##############################.",
    ".#rMM#....NccccccccctN....#rMM#.",
    ".#rMM#...NcWccccccccctN...#rMM#.",
    ".#rMM#..NcWccccccccccctN..#rMM#.",
    ".#rMM#..NcWccccccccccctN..#rMM#.",
    ".#rMM#..NcWccccccccccctN..#rMM#.",
    ".#rMM#...NcWccccccccctN...#rMM#.",
    ".#rMM#....NccccccccctN....#rMM#.",
    ".#rMM#.....NccccccctN.....#rMM#.",
    ".#rMM#......NYYccYoN......#rMM#.",
    ".#rMM#.......NYYYoN.......#rMM#.",
    ".#rMM#........NYoN........#rMM#.",
    ".#rMM#........NYoN........#rMM#.",
    ".#rMM#.......NcYctN.......#rMM#.",
    ".#rMM#......NcWYcctN......#rMM#.",
    ".#rMM#.....NcWcYccctN.....#rMM#.",
    ".#rMM#....NcWcYYYocctN....#rMM#.",
    ".#rMM#...NcWcYYYYYocctN...#rMM#.",
    ".#rMM#..NcWYYYYYYYYYoctN..#rMM#.",
    ".#rMM#..NYYYYYYYYYYYYYoN..#rMM#.",
    ".#rMM#..NYYYYYYYYYYYYYoN..#rMM#.",
    ".#rMM#...NYYYYYYYYYYYoN...#rMM#.",
    ".#rMM#....NooooooooooN....#rMM#.",
    ".##############################.",
    "#ffffffffffffffffffffffffffffff#",
    "#PPPPPPPPPPPPPPPPPPPPPPPPPPPPPP#",
    "#PPPPPPPPPPPPPPPPPPPPPPPPPPPPPP#",
    ".##############################.",
]


def parse_art(art):
    """Return a SIZE x SIZE grid of palette indices (None = transparent)."""
    lookup = {ch: index for index, (ch, _name, _rgb) in enumerate(PALETTE)}
    if len(lookup) != 16:
        raise ValueError("palette characters must be unique")
    if len(art) != SIZE:
        raise ValueError("art must have %d rows, has %d" % (SIZE, len(art)))
    grid = []
    for y, row in enumerate(art):
        if len(row) != SIZE:
            raise ValueError("art row %d has %d characters, expected %d"
                             % (y, len(row), SIZE))
        line = []
        for x, ch in enumerate(row):
            if ch == TRANSPARENT:
                line.append(None)
            elif ch in lookup:
                line.append(lookup[ch])
            else:
                raise ValueError("unknown character %r at row %d, column %d"
                                 % (ch, y, x))
        grid.append(line)
    return grid


def build_ico(grid):
    """Encode the grid as a .ico file with one 32x32 4-bpp image."""
    # XOR (colour) bitmap: 4 bpp, two pixels per byte, high nibble first,
    # rows stored bottom-up and padded to a multiple of 4 bytes.
    xor_stride = ((SIZE * 4 + 31) // 32) * 4
    xor_rows = []
    for row in reversed(grid):
        data = bytearray(xor_stride)
        for x, index in enumerate(row):
            value = 0 if index is None else index
            if x % 2 == 0:
                data[x // 2] |= value << 4
            else:
                data[x // 2] |= value
        xor_rows.append(bytes(data))
    xor_bits = b"".join(xor_rows)

    # AND (transparency) mask: 1 bpp, 1 = transparent, most significant
    # bit first, rows bottom-up and padded to a multiple of 4 bytes.
    and_stride = ((SIZE + 31) // 32) * 4
    and_rows = []
    for row in reversed(grid):
        data = bytearray(and_stride)
        for x, index in enumerate(row):
            if index is None:
                data[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(data))
    and_bits = b"".join(and_rows)

    palette = b"".join(struct.pack("<BBBB", b, g, r, 0)
                       for _ch, _name, (r, g, b) in PALETTE)

    image_size = len(xor_bits) + len(and_bits)
    header = struct.pack(
        "<IiiHHIIiiII",
        40,             # biSize
        SIZE,           # biWidth
        SIZE * 2,       # biHeight: XOR bitmap + AND mask
        1,              # biPlanes
        4,              # biBitCount
        0,              # biCompression (BI_RGB)
        image_size,     # biSizeImage
        0,              # biXPelsPerMeter
        0,              # biYPelsPerMeter
        0,              # biClrUsed (0 = all 16)
        0,              # biClrImportant
    )
    image = header + palette + xor_bits + and_bits

    icondir = struct.pack("<HHH", 0, 1, 1)  # reserved, type 1 = icon, count
    entry = struct.pack(
        "<BBBBHHII",
        SIZE,           # bWidth
        SIZE,           # bHeight
        16,             # bColorCount
        0,              # bReserved
        1,              # wPlanes
        4,              # wBitCount
        len(image),     # dwBytesInRes
        6 + 16,         # dwImageOffset
    )
    return icondir + entry + image


def build_png(grid, scale):
    """Encode the grid as an RGBA PNG, each pixel scaled up `scale` times."""
    raw = bytearray()
    for row in grid:
        line = bytearray([0])  # filter type: none
        for index in row:
            if index is None:
                pixel = bytes((0, 0, 0, 0))
            else:
                pixel = bytes(PALETTE[index][2]) + b"\xff"
            line += pixel * scale
        raw += bytes(line) * scale

    def chunk(kind, data):
        body = kind + data
        return (struct.pack(">I", len(data)) + body
                + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))

    side = SIZE * scale
    ihdr = struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def main(argv=None):
    repo_root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output",
                        default=os.path.join(repo_root, "res", "morvane.ico"),
                        help="icon file to write (default: res/morvane.ico)")
    parser.add_argument("--preview", metavar="PNG",
                        help="also write an enlarged PNG preview here")
    parser.add_argument("--scale", type=int, default=8,
                        help="preview enlargement factor (default: 8)")
    args = parser.parse_args(argv)

    grid = parse_art(ART)

    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    with open(args.output, "wb") as f:
        f.write(build_ico(grid))

    if args.preview:
        with open(args.preview, "wb") as f:
            f.write(build_png(grid, max(1, args.scale)))
    return 0


if __name__ == "__main__":
    sys.exit(main())

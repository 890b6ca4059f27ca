#!/usr/bin/env python3
"""Writes the program's icon, src/ui/MainIcon.ico: 16, 32, 48 and 256 pixels,
32 bits with alpha, the 256-pixel image as PNG, which Windows takes since
Vista and which keeps it small. Two map sheets, one over the other, joined by a plus:
drawn here from shapes, so the icon is our own.

Usage: tools/MakeIcon.py > src/ui/MainIcon.ico
"""
import struct
import sys
import zlib

SIZES = (16, 32, 48, 256)
BACK = (0x2E, 0x7D, 0x32)    # the lower sheet, green
FRONT = (0x15, 0x65, 0xC0)   # the upper sheet, blue
EDGE = (0xFF, 0xFF, 0xFF)
PLUS = (0xFF, 0xC1, 0x07)


def inside_rounded(x, y, left, top, right, bottom, radius):
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - radius - 1)
    cy = min(max(y, top + radius), bottom - radius - 1)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def pixel(x, y, n):
    """RGBA of the pixel (x, y) of an n-pixel image, from the top left."""
    u, v = (x + 0.5) / n, (y + 0.5) / n
    radius = max(1, n // 12)
    colour = None
    # Each sheet: a rounded rectangle with a white edge.
    for (left, top, right, bottom), fill in (((0.04, 0.04, 0.70, 0.70), BACK),
                                             ((0.30, 0.30, 0.96, 0.96), FRONT)):
        box = [int(round(c * n)) for c in (left, top, right, bottom)]
        if inside_rounded(x, y, *box, radius):
            edge = max(1, n // 24)
            inner = (box[0] + edge, box[1] + edge, box[2] - edge, box[3] - edge)
            colour = fill if inside_rounded(x, y, *inner, max(1, radius - edge)) else EDGE
    # The plus, on the upper sheet.
    arm, half = 0.20, 0.06
    if (abs(u - 0.63) <= arm and abs(v - 0.63) <= half) or \
       (abs(v - 0.63) <= arm and abs(u - 0.63) <= half):
        colour = PLUS
    return (0, 0, 0, 0) if colour is None else colour + (0xFF,)


def image(n):
    """A 32-bit DIB as an icon stores it: header, bottom-up BGRA, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(n)):
        rows.append(b"".join(bytes((b, g, r, a)) for r, g, b, a in
                             (pixel(x, y, n) for x in range(n))))
    mask_row = ((n + 31) // 32) * 4
    mask = bytes(mask_row * n)  # alpha decides; the mask is all zeros
    return header + b"".join(rows) + mask


def chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def png(n):
    """The image as PNG: RGBA, rows top-down, each with filter 0."""
    rows = b"".join(b"\0" + b"".join(bytes(pixel(x, y, n)) for x in range(n)) for y in range(n))
    header = struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def main():
    images = [png(n) if n >= 256 else image(n) for n in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    sys.stdout.buffer.write(out + b"".join(images))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""compare_png.py SCREENSHOT REFERENCE [MOST]

Whether SCREENSHOT (a browser's PNG, RGB or RGBA) shows REFERENCE
(vexofont preview's grey PNG) pixel for pixel at its left edge, below
whatever stands above it on the page, at most MOST pixel rows down (200).
Prints the first difference and exits 1 when it does not.
"""
import struct
import sys
import zlib


def decode(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit("%s: not a PNG file" % path)
    at = 8
    idat = b""
    while at < len(data):
        length, tag = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if tag == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif tag == b"IDAT":
            idat += body
        at += 12 + length
    if depth != 8 or interlace != 0 or colour not in (0, 2, 6):
        sys.exit("%s: depth %d, colour %d, interlace %d not read here" %
                 (path, depth, colour, interlace))
    channels = {0: 1, 2: 3, 6: 4}[colour]
    raw = zlib.decompress(idat)
    stride = width * channels
    rows = []
    previous = bytearray(stride)
    at = 0
    for _ in range(height):
        kind = raw[at]
        line = bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        previous = line
    return width, height, channels, rows


def main():
    sw, sh, sc, shot = decode(sys.argv[1])
    rw, rh, rc, ref = decode(sys.argv[2])
    if rc != 1:
        sys.exit("the reference is not grey")
    if sw < rw or sh < rh:
        print("the screenshot (%dx%d) is smaller than the picture (%dx%d)" %
              (sw, sh, rw, rh))
        return 1
    most = int(sys.argv[3]) if len(sys.argv) > 3 else 200
    # The picture's top: the first row from which its first row shows.
    first = bytes(v for v in ref[0] for _ in range(3))
    top = None
    for y in range(min(most, sh - rh) + 1):
        row = bytes(b for x in range(rw) for b in shot[y][x * sc:x * sc + 3])
        if row == first:
            top = y
            break
    if top is None:
        print("the picture's first row is not in the page's first %d rows" % (most + 1))
        return 1
    for y in range(rh):
        for x in range(rw):
            v = ref[y][x]
            pixel = tuple(shot[top + y][x * sc:x * sc + 3])
            if pixel != (v, v, v):
                print("pixel %d,%d: the page shows %s, the PNG %d" % (x, y, pixel, v))
                return 1
    print("the page draws the %dx%d picture pixel for pixel, %d rows down" % (rw, rh, top))
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""tests/hostile/make_ttf.py OUT [--units N] [--side N] [--faces N]
[--padding BYTES] [--chars FIRST-LAST]

Writes a small TrueType font, or a collection of --faces copies of it
(each face its own tables, so that a face costs what it holds), for the
hostile cases: every character of FIRST-LAST (hex, default 20-7e) is a
square of --side font units in a font of --units units an em, and each
face carries --padding bytes of zeros in a table of its own.
"""
import argparse
import struct


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def glyph(side):
    # One square contour of four on-curve points, coordinates as 16-bit
    # deltas.
    points = [(0, 0), (side, 0), (0, side), (-side, 0)]
    out = struct.pack(">hhhhh", 1, 0, 0, side, side)
    out += struct.pack(">HH", 3, 0) + bytes([1] * 4)
    out += b"".join(struct.pack(">h", x) for x, _ in points)
    out += b"".join(struct.pack(">h", y) for _, y in points)
    return out + b"\0" * (-len(out) % 4)


def cmap(first, last):
    # Format 4: one segment of the characters, then the closing one.
    count = last - first + 1
    segments = [(first, last, 1 - first), (0xFFFF, 0xFFFF, 1)]
    seg2 = 2 * len(segments)
    sub = struct.pack(">HHHHHHH", 4, 0, 0, seg2, 2, 0, 0)
    sub += b"".join(struct.pack(">H", e) for _, e, _ in segments) + b"\0\0"
    sub += b"".join(struct.pack(">H", s) for s, _, _ in segments)
    sub += b"".join(struct.pack(">h", ((d + 0x8000) & 0xFFFF) - 0x8000)
                    for _, _, d in segments)
    sub += b"\0\0" * len(segments)
    sub = sub[:2] + struct.pack(">H", len(sub)) + sub[4:]
    assert count > 0
    return struct.pack(">HHHHI", 0, 1, 3, 1, 12) + sub


def name_table(family):
    text = family.encode("utf-16-be")
    records = [(1, len(text)), (2, 14)]
    style = "Regular".encode("utf-16-be")
    out = struct.pack(">HHH", 0, len(records), 6 + 12 * len(records))
    out += struct.pack(">HHHHHH", 3, 1, 0x409, 1, len(text), 0)
    out += struct.pack(">HHHHHH", 3, 1, 0x409, 2, len(style), len(text))
    return out + text + style


def tables(units, side, first, last, padding, family):
    count = last - first + 2  # .notdef and the characters
    glyphs = [b""] + [glyph(side)] * (count - 1)
    offsets = [0]
    for g in glyphs:
        offsets.append(offsets[-1] + len(g))
    result = {
        b"head": struct.pack(">IIIIHHqqhhhhHHhhh", 0x10000, 0, 0, 0x5F0F3CF5,
                             0, units, 0, 0, 0, 0, side, side, 0, 8, 2, 1, 0),
        b"hhea": struct.pack(">IhhhHhhhhhhhhhhhH", 0x10000, units, 0, 0,
                             side, 0, 0, side, 1, 0, 0, 0, 0, 0, 0, 0, count),
        b"maxp": struct.pack(">IHHHHHHHHHHHHHH", 0x10000, count, 4, 1, 0, 0,
                             2, 0, 0, 0, 0, 0, 0, 0, 0),
        b"cmap": cmap(first, last),
        b"glyf": b"".join(glyphs),
        b"loca": b"".join(struct.pack(">I", o) for o in offsets),
        b"hmtx": struct.pack(">Hh", side, 0) * count,
        b"name": name_table(family),
        b"post": struct.pack(">IIhhIIIII", 0x30000, 0, 0, 0, 1, 0, 0, 0, 0),
    }
    if padding:
        result[b"zero"] = b"\0" * padding
    return result


def face_bytes(table_map, start):
    """The offset table and tables of one face placed at `start`."""
    tags = sorted(table_map)
    header = struct.pack(">IHHHH", 0x10000, len(tags), 0, 0, 0)
    at = start + len(header) + 16 * len(tags)
    directory = b""
    body = b""
    for tag in tags:
        data = table_map[tag]
        directory += struct.pack(">4sIII", tag, checksum(data), at + len(body),
                                 len(data))
        body += data + b"\0" * (-len(data) % 4)
    return header + directory + body


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--units", type=int, default=1000)
    parser.add_argument("--side", type=int, default=600)
    parser.add_argument("--faces", type=int, default=0)
    parser.add_argument("--padding", type=int, default=0)
    parser.add_argument("--chars", default="20-7e")
    args = parser.parse_args()
    first, last = (int(x, 16) for x in args.chars.split("-"))
    if args.faces == 0:
        data = face_bytes(tables(args.units, args.side, first, last,
                                 args.padding, "Hostile"), 0)
    else:
        data = bytearray(struct.pack(">4sII", b"ttcf", 0x10000, args.faces))
        data += b"\0" * (4 * args.faces)
        for i in range(args.faces):
            struct.pack_into(">I", data, 12 + 4 * i, len(data))
            data += face_bytes(tables(args.units, args.side, first, last,
                                      args.padding, "Hostile %d" % i),
                               len(data))
        data = bytes(data)
    with open(args.out, "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()

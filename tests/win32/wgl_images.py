#!/usr/bin/env python3
"""Helpers of compare-wgl-render.sh, with the standard library alone.

  wgl_images.py cvx OUT.cvx FORMULA N1 ... N8
      writes a document: the formula and its eight numbers in file order
      (range, angles, half-extents, step).
  wgl_images.py compare A B [TOLERANCE]
      compares two images (PNG with 8-bit RGB or RGBA, or binary PPM) pixel
      for pixel; each channel may differ by TOLERANCE (default 1). Prints
      what differs and exits 1 when they do not match, 2 when one cannot be
      read.
"""

import struct
import sys
import zlib


def write_cvx(path, formula, numbers):
    text = formula.encode("latin-1")
    with open(path, "wb") as out:
        out.write(struct.pack("<i", len(text)) + text + b"\0")
        out.write(struct.pack("<8f", *numbers))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos : pos + 4])
        kind = data[pos + 4 : pos + 8]
        body = data[pos + 8 : pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    if header is None:
        raise ValueError("PNG without a header chunk")
    width, height, depth, colour, _, _, interlace = header
    channels = {2: 3, 6: 4}.get(colour)
    if depth != 8 or channels is None or interlace != 0:
        raise ValueError("only 8-bit RGB or RGBA PNG without interlacing is read")
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1 : pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + paeth(left, up, corner)) & 0xFF
            elif kind != 0:
                raise ValueError("unknown PNG row filter %d" % kind)
        rows.append(line)
        previous = line
    rgb = bytearray()
    for line in rows:
        if channels == 3:
            rgb += line
        else:
            for i in range(0, stride, 4):
                rgb += line[i : i + 3]
    return width, height, bytes(rgb)


def read_ppm(data):
    fields, pos = [], 2
    if data[:2] != b"P6":
        raise ValueError("not a binary PPM file")
    while len(fields) < 3:
        while data[pos : pos + 1].isspace():
            pos += 1
        if data[pos : pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        start = pos
        while not data[pos : pos + 1].isspace():
            pos += 1
        fields.append(int(data[start:pos]))
    width, height, maximum = fields
    if maximum != 255:
        raise ValueError("only 8-bit PPM is read")
    pixels = data[pos + 1 : pos + 1 + width * height * 3]
    if len(pixels) != width * height * 3:
        raise ValueError("PPM shorter than its size")
    return width, height, pixels


def read_image(path):
    with open(path, "rb") as source:
        data = source.read()
    return read_png(data) if data[:4] == b"\x89PNG" else read_ppm(data)


def compare(path_a, path_b, tolerance):
    try:
        wa, ha, a = read_image(path_a)
        wb, hb, b = read_image(path_b)
    except (OSError, ValueError, zlib.error) as problem:
        print("cannot read the images: %s" % problem)
        return 2
    if (wa, ha) != (wb, hb):
        print("sizes differ: %dx%d and %dx%d" % (wa, ha, wb, hb))
        return 1
    differing, largest, shown = 0, 0, []
    for i in range(0, len(a), 3):
        step = max(abs(a[i + k] - b[i + k]) for k in range(3))
        if step > tolerance:
            differing += 1
            largest = max(largest, step)
            if len(shown) < 10:
                pixel = i // 3
                shown.append(
                    "  column %d row %d: %s and %s"
                    % (pixel % wa, pixel // wa, tuple(a[i : i + 3]), tuple(b[i : i + 3]))
                )
    if differing:
        print("%d of %d pixels differ by up to %d" % (differing, wa * ha, largest))
        print("\n".join(shown))
        return 1
    return 0


def main(argv):
    if len(argv) == 11 and argv[0] == "cvx":
        write_cvx(argv[1], argv[2], [float(n) for n in argv[3:]])
        return 0
    if len(argv) in (3, 4) and argv[0] == "compare":
        return compare(argv[1], argv[2], int(argv[3]) if len(argv) == 4 else 1)
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

#!/usr/bin/env bash
# Renders the hicolor PNGs and the window icon from the one drawing,
# src/widgets/icons/numensight.svg. Run after changing the drawing and commit
# what it writes, so neither building nor testing needs an SVG renderer.
# Needs rsvg-convert (package librsvg2-bin) and python3.
set -euo pipefail
cd "$(dirname "$0")/../src/widgets/icons"

for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" numensight.svg -o "numensight-$size.png"
done

# The window icon's sizes, 16 to 64 px, as raw RGBA pixels (row by row, no
# header): the program shows them without decoding a PNG at every start.
python3 - 16 24 32 48 64 <<'PY'
import struct, sys, zlib
for size in sys.argv[1:]:
    data = open(f"numensight-{size}.png", "rb").read()
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert (depth, colour, interlace) == (8, 6, 0), "8-bit RGBA, not interlaced"
        elif kind == b"IDAT":
            idat += body
    rows, stride = zlib.decompress(idat), width * 4
    pixels, previous = bytearray(), bytearray(stride)
    for y in range(height):
        kind = rows[y * (stride + 1)]
        line = bytearray(rows[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - 4] if x >= 4 else 0
            b = previous[x]
            c = previous[x - 4] if x >= 4 else 0
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                nearest = a if abs(p - a) <= min(abs(p - b), abs(p - c)) else b if abs(p - b) <= abs(p - c) else c
                line[x] = (line[x] + nearest) & 255
        pixels += line
        previous = line
    open(f"numensight-{size}.rgba", "wb").write(pixels)
PY

# The 16 to 64 px PNGs in one ICO file, for uses outside the program.
python3 - 16 24 32 48 64 <<'PY'
import struct, sys
sizes = [int(s) for s in sys.argv[1:]]
images = [open(f"numensight-{s}.png", "rb").read() for s in sizes]
offset = 6 + 16 * len(images)
out = struct.pack("<HHH", 0, 1, len(images))
for size, data in zip(sizes, images):
    out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
open("numensight.ico", "wb").write(out + b"".join(images))
PY

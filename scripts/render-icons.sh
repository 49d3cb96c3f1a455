#!/usr/bin/env bash
# Renders the hicolor PNGs and the window icon from the one drawing,
# src/windows/icons/numensight.svg. Run after changing the drawing and commit
# what it writes, so neither building nor testing needs an SVG renderer.
# Needs rsvg-convert (package librsvg2-bin) and python3.
set -euo pipefail
cd "$(dirname "$0")/../src/windows/icons"

for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" numensight.svg -o "numensight-$size.png"
done

# The 16 to 64 px PNGs in one ICO file, for uses outside the program: the
# program reads the PNGs themselves, one size when it is asked for, where Qt
# would decode every image of an ICO at once.
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

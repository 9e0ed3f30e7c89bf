#!/bin/sh
# Renders the scalable icon into the bitmap sizes of the hicolor theme, <N>x<N>/org.kestrix.KestrixDemo.png
# beside this script. The bitmaps are kept in the repository, so that building the package needs no
# renderer; run this again after changing the SVG (rsvg-convert comes with Debian's librsvg2-bin).
set -eu
cd "$(dirname "$0")"
name=org.kestrix.KestrixDemo
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --format png --output "${size}x${size}/$name.png" "$name.svg"
done

#!/bin/sh
# Redraws every picture of the emblem from vorn-foe.svg: vorn-foe-32.png, the
# 32 x 32, 16-colour icon of the About box and the main window, and the
# desktop's hicolor icons under desktop/icons. Run it by hand after changing
# the emblem and keep all the files: the build takes the pictures as they
# are. Needs rsvg-convert (Debian package librsvg2-bin) and ImageMagick's
# convert (imagemagick).
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Aliased edges: at 32 pixels anti-aliasing smears the die and the blades into
# in-between colours that the 16-colour palette then has to approximate.
sed 's/<svg /<svg shape-rendering="crispEdges" /' vorn-foe.svg > "$work/crisp.svg"
rsvg-convert -w 32 -h 32 "$work/crisp.svg" -o "$work/full.png"
convert "$work/full.png" -channel A -threshold 50% +channel -colors 16 -strip PNG8:vorn-foe-32.png

# The desktop draws its own icons smoothly, at every size it may ask for.
hicolor=../../../desktop/icons/hicolor
for size in 16 32 48 64 128 256; do
    mkdir -p "$hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" vorn-foe.svg -o "$work/icon.png"
    convert "$work/icon.png" -strip "$hicolor/${size}x${size}/apps/org.vornfoe.Calculator.png"
done

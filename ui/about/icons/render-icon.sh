#!/bin/sh
# Redraws vorn-foe-32.png, the 32 x 32, 16-colour icon, from the emblem
# vorn-foe.svg. Run it by hand after changing the emblem and keep both files:
# the build takes the PNG as it is. Needs rsvg-convert (Debian package
# librsvg2-bin) and ImageMagick's convert (imagemagick).
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Aliased edges: at 32 pixels anti-aliasing smears the die and the blades into
# in-between colours that the 16-colour palette then has to approximate.
sed 's/<svg /<svg shape-rendering="crispEdges" /' vorn-foe.svg > "$work/crisp.svg"
rsvg-convert -w 32 -h 32 "$work/crisp.svg" -o "$work/full.png"
convert "$work/full.png" -channel A -threshold 50% +channel -colors 16 -strip PNG8:vorn-foe-32.png

#!/bin/sh
# Draws the program's pictures from their SVG sources. The products are kept
# in the repository beside their sources, so a build never runs this; run it
# again after changing a source. Needs rsvg-convert (Debian: librsvg2-bin),
# ImageMagick's convert and identify, and icotool (icoutils).
#
#   images/about.svg  -> images/about.jpg: the About dialog's picture, a
#                        baseline colour JPEG of 150 by 121 pixels, JFIF at
#                        150 dots per inch
#   icon/*.svg        -> icon/zenalto-N.png for N = 16, 32, 48, 64, 128, 192, 256, 512
#                        and icon/zenalto.ico: 32 by 32 in two colours, 32 by 32
#                        and 16 by 16 in sixteen colours
#   icon/zenalto-maskable.svg -> icon/zenalto-maskable-512.png (the web app's
#                        icon for shapes cut by the system) and
#                        icon/zenalto-touch-180.png (iOS's home screen)
set -eu
cd "$(dirname "$0")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The About picture. Sampling 1x1 keeps the colour of the thin orbit line.
rsvg-convert -w 150 -h 121 images/about.svg -o "$work/about.png"
convert "$work/about.png" -background black -flatten -alpha off -strip \
    -density 150 -units PixelsPerInch -interlace none \
    -sampling-factor 1x1,1x1,1x1 -quality 95 jpg:images/about.jpg

# The icon: pixel designs for 16 and 32, the scalable drawing from 48 up.
rsvg-convert -w 16 -h 16 icon/zenalto-16.svg -o icon/zenalto-16.png
rsvg-convert -w 32 -h 32 icon/zenalto-32.svg -o icon/zenalto-32.png
for size in 48 64 128 192 256 512; do
    rsvg-convert -w "$size" -h "$size" icon/zenalto.svg -o "icon/zenalto-$size.png"
done
# The icon on a background to its edges, for systems that cut it to a shape.
rsvg-convert -w 512 -h 512 icon/zenalto-maskable.svg -o icon/zenalto-maskable-512.png
rsvg-convert -w 180 -h 180 icon/zenalto-maskable.svg -o icon/zenalto-touch-180.png
# PNGs without dates or text chunks, so that a rerun changes nothing.
for png in icon/zenalto-*.png; do
    convert "$png" -strip -define png:exclude-chunks=date,time "PNG32:$png"
done

# The two-colour image: dark parts black, light parts white, the shadow black.
convert icon/zenalto-32.png -channel RGB -colorspace Gray -threshold 60% \
    -colorspace sRGB +channel "PNG32:$work/mono-32.png"
icotool -c -o icon/zenalto.ico \
    -b 1 "$work/mono-32.png" -b 4 icon/zenalto-32.png -b 4 icon/zenalto-16.png

identify images/about.jpg icon/zenalto.ico

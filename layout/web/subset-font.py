#!/usr/bin/env python3
"""Makes one of the page's fonts: a subset of a Liberation Sans face to the
characters the page draws, as WOFF2, renamed "Zenalto Sans": the SIL Open
Font License keeps the reserved name "Liberation" for the unmodified fonts.

    subset-font.py <font.ttf> <characters.txt> <out.woff2>

Needs Debian's python3-fonttools and python3-brotli."""

import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Zenalto Sans"


def main(source, characters, target):
    with open(characters, encoding="utf-8") as text:
        wanted = text.read()
    options = subset.Options()
    options.flavor = "woff2"
    # The page draws at one size with the browser's own rasteriser; the
    # hinting instructions would be a third of the file.
    options.hinting = False
    options.layout_features = ["kern"]
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14]
    options.notdef_outline = True
    options.drop_tables += ["FFTM"]
    font = TTFont(source)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=wanted)
    subsetter.subset(font)

    bold = font["OS/2"].usWeightClass >= 600
    style = "Bold" if bold else "Regular"
    names = font["name"]
    renamed = {
        1: FAMILY,
        2: style,
        3: f"{FAMILY} {style}: subset of Liberation Sans for Zenalto",
        4: f"{FAMILY} {style}" if bold else FAMILY,
        6: FAMILY.replace(" ", "") + "-" + style,
    }
    for record in names.names:
        if record.nameID in renamed:
            record.string = renamed[record.nameID]
    for name_id in (16, 17, 18, 21, 22):
        names.removeNames(nameID=name_id)
    font.flavor = "woff2"
    font.save(target)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])

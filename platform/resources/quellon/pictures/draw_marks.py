#!/usr/bin/env python3
"""Draws bitmap 405 of the lineweight dialog into this folder (run it after changing the
picture; the build uses the file it writes):

  lineweight-marks.bmp  2 images of 13 x 13: 0 blank, 1 the check mark of a lineweight
                        some style uses

White is transparent in the dialog's image list.
"""
import os
import sys

sys.dont_write_bytecode = True  # no cache folder beside the pictures
from draw import HERE, Canvas, strip  # noqa: E402

INK = (0, 110, 40)


def blank():
    return Canvas(13, 13)


def check():
    c = Canvas(13, 13)
    # Two strokes, two pixels thick: down to the corner, then up to the right.
    for i in range(4):
        c.rect(2 + i, 6 + i, 4 + i, 8 + i, INK)
    for i in range(6):
        c.rect(5 + i, 8 - i, 7 + i, 10 - i, INK)
    return c


def main():
    strip(os.path.join(HERE, 'lineweight-marks.bmp'), [blank(), check()])


if __name__ == '__main__':
    main()

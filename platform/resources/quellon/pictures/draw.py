#!/usr/bin/env python3
"""Draws the editor's icons and sample strips into this folder (run it after changing a
picture; the build uses the files it writes):

  editor.ico        icon 2001, the table editor's window
  color-table.ico   icon 31, a colour-dependent table (general page)
  named-table.ico   icon 32, a named table (general page)
  end-styles.bmp    bitmap 402: 5 cells of 26 x 13, in the order of the end style combo
  join-styles.bmp   bitmap 403: 5 cells of 23 x 13, in the order of the join style combo
  fill-styles.bmp   bitmap 404: 10 cells of 23 x 13, in the order of the fill style combo

The strips are drawn black on white; the combos draw white as transparent.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
GREY = (128, 128, 128)


class Canvas:
    def __init__(self, w, h, fill=WHITE, alpha=255):
        self.w, self.h = w, h
        self.px = [[(fill, alpha) for _ in range(w)] for _ in range(h)]

    def set(self, x, y, c, a=255):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = (c, a)

    def rect(self, x0, y0, x1, y1, c):  # filled, x1/y1 excluded
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1):
            self.set(x, y0, c)
            self.set(x, y1 - 1, c)
        for y in range(y0, y1):
            self.set(x0, y, c)
            self.set(x1 - 1, y, c)


# ---------------------------------------------------------------- icons

def page(size):
    c = Canvas(size, size, fill=BLACK, alpha=0)
    m = size // 8
    c.rect(m, 0, size - m, size, WHITE)
    c.frame(m, 0, size - m, size, (40, 40, 40))
    return c


SWATCHES = [(255, 0, 0), (255, 255, 0), (0, 255, 0), (0, 255, 255), (0, 0, 255), (255, 0, 255)]


def color_table(size):
    c = page(size)
    m = size // 8
    rows, cols = 3, 2
    cw = (size - 2 * m - 4) // cols
    ch = (size - 6) // rows
    for i, colour in enumerate(SWATCHES):
        x = m + 2 + (i % cols) * cw
        y = 3 + (i // cols) * ch
        c.rect(x + 1, y + 1, x + cw - 1, y + ch - 1, colour)
        c.frame(x, y, x + cw, y + ch, BLACK)
    return c


def named_table(size):
    c = page(size)
    m = size // 8
    step = max(3, size // 6)
    y = step - 1
    while y < size - 2:
        c.rect(m + 3, y, size - m - 3, y + max(1, size // 16), (70, 70, 150))
        y += step
    return c


def editor_icon(size):
    c = color_table(size)
    # A pencil across the lower right corner.
    for i in range(size // 2):
        x, y = size - 3 - i, size // 2 + i - 2
        for t in range(max(2, size // 10)):
            c.set(x - t, y, (230, 160, 40))
        c.set(x + 1, y, BLACK)
    return c


def ico(path, canvases):
    images = []
    for c in canvases:
        rows = []
        for y in reversed(range(c.h)):
            for x in range(c.w):
                (r, g, b), a = c.px[y][x]
                rows.append(struct.pack('<BBBB', b, g, r, a))
        xor = b''.join(rows)
        mask_row = ((c.w + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(c.h)):
            bits = bytearray(mask_row)
            for x in range(c.w):
                if c.px[y][x][1] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack('<IiiHHIIiiII', 40, c.w, c.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append(header + xor + bytes(mask))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack('<BBBBHHII', c.w % 256, c.h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


# ---------------------------------------------------------------- strips

def end_cell(kind):
    c = Canvas(26, 13)
    if kind == 'object':
        for x in range(3, 23, 2):
            c.rect(x, 6, x + 1, 7, GREY)
        return c
    c.rect(16, 1, 17, 12, GREY)  # where the line's end point is
    c.rect(2, 3, 16, 10, BLACK)  # the line, seven pixels wide, ending at x 16
    caps = {'square': (3, 3, 3, 3, 3, 3, 3), 'round': (1, 2, 3, 3, 3, 2, 1),
            'diamond': (1, 2, 3, 4, 3, 2, 1)}
    for row, width in enumerate(caps.get(kind, ())):
        c.rect(16, 3 + row, 16 + width, 4 + row, BLACK)
    return c


def join_cell(kind):
    c = Canvas(23, 13)
    if kind == 'object':
        for x in range(3, 17, 2):
            c.set(x, 3, GREY)
        for y in range(3, 12, 2):
            c.set(16, y, GREY)
        return c
    c.rect(2, 2, 18, 6, BLACK)   # horizontal arm
    c.rect(14, 2, 18, 12, BLACK)  # vertical arm
    if kind == 'bevel':
        for i in range(3):
            c.rect(18 - 3 + i, 2 + i, 18, 3 + i, WHITE)
            c.set(18 - 3 + i, 2 + i, WHITE)
        c.rect(17, 2, 18, 3, WHITE)
        c.rect(16, 2, 18, 3, WHITE)
        c.set(17, 3, WHITE)
    elif kind == 'round':
        for (x, y) in ((17, 2), (16, 2), (17, 3)):
            c.set(x, y, WHITE)
    elif kind == 'diamond':
        c.rect(18, 1, 19, 3, BLACK)
        c.set(19, 1, BLACK)
    return c


def fill_cell(kind):
    c = Canvas(23, 13)
    inside = [(x, y) for y in range(2, 11) for x in range(3, 20)]
    if kind == 'object':
        for x, y in inside:
            if (x + y) % 4 == 0:
                c.set(x, y, GREY)
    elif kind == 'solid':
        for x, y in inside:
            c.set(x, y, BLACK)
    else:
        test = {
            'checkerboard': lambda x, y: ((x // 3) + (y // 3)) % 2 == 0,
            'crosshatch': lambda x, y: x % 3 == 0 or y % 3 == 0,
            'diamonds': lambda x, y: (x + y) % 4 == 0 or (x - y) % 4 == 0,
            'horizontal': lambda x, y: y % 3 == 0,
            'slant-left': lambda x, y: (x + y) % 3 == 0,
            'slant-right': lambda x, y: (x - y) % 3 == 0,
            'square-dots': lambda x, y: x % 3 == 0 and y % 3 == 0,
            'vertical': lambda x, y: x % 3 == 0,
        }[kind]
        for x, y in inside:
            if test(x, y):
                c.set(x, y, BLACK)
    c.frame(2, 1, 21, 12, BLACK)
    return c


def strip(path, cells):
    w = sum(c.w for c in cells)
    h = cells[0].h
    row_bytes = (w * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(h)):
        row = bytearray()
        for c in cells:
            for x in range(c.w):
                (r, g, b), _ = c.px[y][x]
                row += bytes((b, g, r))
        row += bytes(row_bytes - len(row))
        data += row
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(head + info + data)


def main():
    ico(os.path.join(HERE, 'editor.ico'), [editor_icon(32), editor_icon(16)])
    ico(os.path.join(HERE, 'color-table.ico'), [color_table(32), color_table(16)])
    ico(os.path.join(HERE, 'named-table.ico'), [named_table(32), named_table(16)])
    strip(os.path.join(HERE, 'end-styles.bmp'),
          [end_cell(k) for k in ('object', 'butt', 'square', 'round', 'diamond')])
    strip(os.path.join(HERE, 'join-styles.bmp'),
          [join_cell(k) for k in ('object', 'miter', 'bevel', 'round', 'diamond')])
    strip(os.path.join(HERE, 'fill-styles.bmp'),
          [fill_cell(k) for k in ('object', 'solid', 'checkerboard', 'crosshatch', 'diamonds',
                                  'horizontal', 'slant-left', 'slant-right', 'square-dots',
                                  'vertical')])


if __name__ == '__main__':
    main()

"""Small raster helpers for the skin art: an RGB canvas, gradients, boxes,
pixel-pattern glyphs, a BMP writer (24-bit and 1-bit) and an RGBA PNG writer."""

import struct
import zlib


def lerp(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


mix = lerp


class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, c)

    def hline(self, x0, x1, y, c):
        self.fill(x0, y, x1, y + 1, c)

    def vline(self, x, y0, y1, c):
        self.fill(x, y0, x + 1, y1, c)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        n = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            self.hline(x0, x1, y, lerp(top, bottom, (y - y0) / n))

    def box(self, x0, y0, x1, y1, border, top, bottom, inner=None, round_=True):
        """A 1-px bordered box with a vertical gradient fill and an optional
        1-px inner highlight; rounded corners blend into what lies beneath."""
        self.vgradient(x0 + 1, y0 + 1, x1 - 1, y1 - 1, top, bottom)
        if inner is not None:
            self.hline(x0 + 1, x1 - 1, y0 + 1, inner)
            self.vline(x0 + 1, y0 + 1, y1 - 1, mix(inner, bottom, 0.5))
            self.vline(x1 - 2, y0 + 1, y1 - 1, mix(inner, bottom, 0.5))
        self.hline(x0 + 1, x1 - 1, y0, border)
        self.hline(x0 + 1, x1 - 1, y1 - 1, border)
        self.vline(x0, y0 + 1, y1 - 1, border)
        self.vline(x1 - 1, y0 + 1, y1 - 1, border)
        corners = [(x0, y0), (x1 - 1, y0), (x0, y1 - 1), (x1 - 1, y1 - 1)]
        for (x, y) in corners:
            if round_:
                # Anti-aliased corner: half border, half background.
                self.set(x, y, mix(self.get(x, y), border, 0.35))
            else:
                self.set(x, y, border)
        if round_:
            # Soften the pixels just inside each corner.
            for (cx, cy, dx, dy) in [(x0, y0, 1, 1), (x1 - 1, y0, -1, 1),
                                     (x0, y1 - 1, 1, -1), (x1 - 1, y1 - 1, -1, -1)]:
                self.set(cx + dx, cy + dy, mix(self.get(cx + dx, cy + dy), border, 0.45))

    def glyph(self, x0, y0, pattern, c, shade=None):
        """pattern: rows of text; '#' full colour, '+' half blend, '.' empty."""
        for j, row in enumerate(pattern):
            for i, ch in enumerate(row):
                if ch == '#':
                    self.set(x0 + i, y0 + j, c)
                elif ch == '+':
                    self.set(x0 + i, y0 + j, mix(self.get(x0 + i, y0 + j), c, 0.5))
                elif ch == '*' and shade is not None:
                    self.set(x0 + i, y0 + j, shade)

    def crop(self, h):
        out = Canvas(self.w, h)
        out.px = [row[:] for row in self.px[:h]]
        return out


def write_bmp24(path, cv):
    row = (cv.w * 3 + 3) & ~3
    size = 54 + row * cv.h
    data = bytearray()
    data += b'BM' + struct.pack('<IHHI', size, 0, 0, 54)
    data += struct.pack('<IiiHHIIiiII', 40, cv.w, cv.h, 1, 24, 0, row * cv.h, 2835, 2835, 0, 0)
    pad = b'\0' * (row - cv.w * 3)
    for y in range(cv.h - 1, -1, -1):
        for (r, g, b) in cv.px[y]:
            data += bytes((b, g, r))
        data += pad
    with open(path, 'wb') as f:
        f.write(data)


def write_bmp1(path, w, h, keep):
    """A two-colour mask: keep(x, y) true gives black, the colour of the
    pixels inside the window region; false gives white."""
    row = ((w + 31) // 32) * 4
    size = 62 + row * h
    data = bytearray()
    data += b'BM' + struct.pack('<IHHI', size, 0, 0, 62)
    data += struct.pack('<IiiHHIIiiII', 40, w, h, 1, 1, 0, row * h, 2835, 2835, 2, 2)
    data += bytes((0, 0, 0, 0, 255, 255, 255, 0))
    for y in range(h - 1, -1, -1):
        line = bytearray(row)
        for x in range(w):
            if not keep(x, y):
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    with open(path, 'wb') as f:
        f.write(data)



def write_png(path, rows):
    """rows: lists of (r, g, b, a) pixels, top to bottom; 8-bit RGBA."""
    h, w = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw += bytes(px)

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)

    data = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
    data += chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(data)

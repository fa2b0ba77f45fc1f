#!/usr/bin/env python3
"""Writes the sample name lists and placeholder pictures under assets/.

The lists are GBK text with CR LF line ends, like the data files the editor
reads; the pictures are uncompressed BMPs on a white (transparent) ground.
Run once after changing the names below: python3 make_assets.py [ASSETS_DIR]
"""
import colorsys
import math
import os
import sys

CHARACTERS = [
    "艾丝缇", "罗文", "凯萨琳", "布兰德", "米娅拉", "托尔森", "薇奥蕾", "达里安",
    "诺拉", "葛雷恩", "芮妮丝", "班克斯", "洛蒂", "奥斯维", "茉尔", "伊沃",
    "塔米拉", "哈洛克", "苏芙", "韦德伦", "莉瑟", "莫顿", "阿黛拉", "巴赛洛",
    "伊柔", "戴恩", "娜缇", "雷斯坦", "奎妮", "赫姆",
]

CLASSES = [
    "见习剑士", "剑士", "剑豪", "见习枪兵", "枪兵", "长枪骑士", "重甲兵", "要塞卫士",
    "斧兵", "斗士", "狂战士", "弓兵", "游侠", "神射手", "魔导学徒", "魔导士",
    "贤者", "祭司", "主教", "修女", "苍鹰骑兵", "飞龙骑兵", "盗贼", "旗手",
    "近卫骑士",
]

# (kind, name, main colour)
ITEMS = [
    ("blade", "青铜剑", (176, 122, 58)), ("blade", "铁剑", (138, 143, 152)),
    ("blade", "钢剑", (95, 122, 148)), ("blade", "银剑", (208, 214, 224)),
    ("blade", "细身剑", (170, 190, 210)), ("blade", "霜纹剑", (120, 200, 230)),
    ("blade", "破甲剑", (150, 60, 50)),
    ("lance", "青铜枪", (176, 122, 58)), ("lance", "铁枪", (138, 143, 152)),
    ("lance", "钢枪", (95, 122, 148)), ("lance", "银枪", (208, 214, 224)),
    ("lance", "投枪", (160, 150, 110)), ("lance", "骑士长枪", (200, 170, 60)),
    ("axe", "青铜斧", (176, 122, 58)), ("axe", "铁斧", (138, 143, 152)),
    ("axe", "钢斧", (95, 122, 148)), ("axe", "银斧", (208, 214, 224)),
    ("axe", "手斧", (120, 130, 100)), ("axe", "伐木斧", (110, 90, 70)),
    ("bow", "短弓", (150, 100, 60)), ("bow", "铁弓", (138, 143, 152)),
    ("bow", "钢弓", (95, 122, 148)), ("bow", "长弓", (120, 80, 40)),
    ("bow", "橡木弓", (90, 120, 60)),
    ("tome", "火焰书", (200, 50, 40)), ("tome", "雷击书", (220, 190, 40)),
    ("tome", "风刃书", (60, 170, 90)), ("tome", "光明书", (235, 215, 130)),
    ("tome", "暗影书", (100, 60, 140)), ("tome", "冰霜书", (80, 170, 220)),
    ("staff", "疗伤杖", (230, 120, 140)), ("staff", "回复杖", (120, 200, 120)),
    ("staff", "治愈杖", (90, 180, 220)), ("staff", "守护杖", (150, 120, 220)),
    ("staff", "照明杖", (240, 210, 80)),
    ("flask", "伤药", (210, 60, 60)), ("flask", "灵药", (80, 120, 220)),
    ("flask", "解毒剂", (90, 190, 90)), ("flask", "圣水", (170, 220, 240)),
    ("flask", "力量之药", (230, 140, 40)),
]

WHITE = (255, 255, 255)
OUTLINE = (40, 34, 34)
WOOD = (122, 84, 48)
GRIP = (70, 48, 30)
GOLD = (214, 176, 72)
GLINT = (246, 248, 250)


def write_gbk_lines(path, lines):
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("gbk"))


def bmp_headers(width, height, bits, palette_size, pixel_bytes):
    offset = 14 + 40 + 4 * palette_size
    header = b"BM" + (offset + pixel_bytes).to_bytes(4, "little") + bytes(4)
    header += offset.to_bytes(4, "little")
    info = b"".join(v.to_bytes(4, "little") for v in (40, width, height))
    info += (1).to_bytes(2, "little") + bits.to_bytes(2, "little")
    info += b"".join(v.to_bytes(4, "little") for v in (0, pixel_bytes, 2835, 2835, 0, 0))
    return header + info


def write_bmp24(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    rows = bytearray()
    for row in reversed(pixels):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        rows += line + bytes(stride - len(line))
    with open(path, "wb") as f:
        f.write(bmp_headers(width, height, 24, 0, len(rows)) + rows)


def write_bmp8(path, pixels):
    """8-bit with a full 256-entry palette: a quarter of the 24-bit size."""
    colours = sorted({c for row in pixels for c in row})
    assert len(colours) <= 256, "too many colours for a palette"
    index = {c: i for i, c in enumerate(colours)}
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    palette += bytes(4 * (256 - len(colours)))
    height, width = len(pixels), len(pixels[0])
    stride = (width + 3) & ~3
    rows = bytearray()
    for row in reversed(pixels):
        rows += bytes(index[c] for c in row) + bytes(stride - width)
    with open(path, "wb") as f:
        f.write(bmp_headers(width, height, 8, 256, len(rows)) + palette + rows)


def shade(colour, factor):
    return tuple(max(0, min(254, int(c * factor))) for c in colour)


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


class Canvas:
    """A grid of region colours; None is the transparent ground."""

    def __init__(self, size):
        self.size = size
        self.cells = [[None] * size for _ in range(size)]

    def fill(self, inside, colour):
        for y in range(self.size):
            for x in range(self.size):
                if inside(x + 0.5, y + 0.5):
                    self.cells[y][x] = colour

    def line(self, a, b, width, colour):
        self.fill(lambda x, y: seg_dist(x, y, *a, *b) <= width / 2, colour)

    def disc(self, cx, cy, r, colour):
        self.fill(lambda x, y: math.hypot(x - cx, y - cy) <= r, colour)

    def outlined(self, interior_lines):
        """Pixels on the ground next to the figure become the outline, so
        the shape reads on any background; with interior_lines, region
        borders inside the figure get a line too."""
        n = self.size
        out = [[WHITE if c is None else c for c in row] for row in self.cells]
        for y in range(n):
            for x in range(n):
                here = self.cells[y][x]
                near = [self.cells[y + dy][x + dx]
                        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                        if 0 <= x + dx < n and 0 <= y + dy < n]
                # Right and lower neighbours only, so a border is one pixel wide.
                after = [self.cells[y + dy][x + dx] for dx, dy in ((1, 0), (0, 1))
                         if x + dx < n and y + dy < n]
                if here is None and any(c is not None for c in near):
                    out[y][x] = OUTLINE
                elif interior_lines and here is not None and any(
                        c is not None and c != here for c in after):
                    out[y][x] = shade(here, 0.55)
        return out


def item_icon(kind, colour):
    c = Canvas(16)
    light = shade(colour, 1.25)
    if kind == "blade":
        c.line((4.5, 11.5), (13, 3), 2.6, colour)
        c.line((5.5, 10.5), (12.5, 3.5), 0.9, light)
        c.line((2.5, 9), (7, 13.5), 1.6, GOLD)
        c.line((4, 12), (2, 14), 1.6, GRIP)
    elif kind == "lance":
        c.line((2, 14), (10, 6), 1.4, WOOD)
        c.line((9, 7), (14, 2), 2.8, colour)
        c.line((10, 6), (13.5, 2.5), 0.9, light)
    elif kind == "axe":
        c.line((4, 14), (10.5, 2.5), 1.6, WOOD)
        c.fill(lambda x, y: math.hypot(x - 10, y - 6) <= 4.2 and x - 0.55 * y > 5.2, colour)
        c.fill(lambda x, y: math.hypot(x - 10, y - 6) <= 4.2 and 12.6 < x < 13.8, light)
    elif kind == "bow":
        c.fill(lambda x, y: abs(math.hypot(x - 1, y - 8) - 10) <= 0.9 and 1 <= y <= 15, colour)
        c.line((8, 1.8), (8, 14.2), 0.8, (200, 200, 190))
        c.line((9.5, 7.2), (11.5, 8.8), 1.4, GRIP)
    elif kind == "tome":
        c.fill(lambda x, y: 3 <= x <= 13 and 2 <= y <= 14, colour)
        c.fill(lambda x, y: 3 <= x <= 4.5 and 2 <= y <= 14, shade(colour, 0.6))
        c.fill(lambda x, y: 12 <= x <= 13 and 3 <= y <= 13, (240, 232, 208))
        c.fill(lambda x, y: abs(x - 8.5) + abs(y - 8) <= 2.2, GOLD)
    elif kind == "staff":
        c.line((3, 14), (10, 6), 1.5, WOOD)
        c.disc(11.5, 4.5, 3, colour)
        c.disc(10.7, 3.7, 1, light)
    elif kind == "flask":
        c.disc(8, 10, 4.6, (200, 220, 230))
        c.fill(lambda x, y: math.hypot(x - 8, y - 10) <= 4.6 and y >= 8.5, colour)
        c.fill(lambda x, y: 6.5 <= x <= 9.5 and 3 <= y <= 6, (200, 220, 230))
        c.fill(lambda x, y: 6 <= x <= 10 and 1 <= y <= 3, WOOD)
        c.disc(6.2, 9, 0.8, GLINT)
    return c.outlined(False)


# 3x5 digits for the id badge, rows top to bottom.
DIGITS = {
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111",
    "3": "111001111001111", "4": "101101111001001", "5": "111100111001111",
    "6": "111100111101111", "7": "111001010010010", "8": "111101111101111",
    "9": "111101111001111", "A": "010101111101101", "B": "110101110101110",
    "C": "011100100100011", "D": "110101101101110", "E": "111100111100111",
    "F": "111100111100100",
}

HAIR = [(60, 40, 30), (150, 90, 40), (220, 190, 110), (40, 40, 50),
        (170, 60, 40), (120, 120, 130), (90, 60, 120), (60, 90, 130)]
SKIN = [(246, 214, 186), (230, 190, 150), (200, 150, 110)]


def portrait(number, ident):
    n = 128
    c = Canvas(n)
    hue = (number * 0.618034) % 1.0
    cloth = tuple(int(v * 255) for v in colorsys.hsv_to_rgb(hue, 0.55, 0.75))
    trim = tuple(int(v * 255) for v in colorsys.hsv_to_rgb((hue + 0.5) % 1.0, 0.4, 0.9))
    hair = HAIR[number % len(HAIR)]
    skin = SKIN[number % len(SKIN)]
    long_hair = number % 3 == 1
    # Layers from back to front; each later fill wins.
    if long_hair:
        c.fill(lambda x, y: ((x - 64) / 31) ** 2 + ((y - 66) / 38) ** 2 <= 1 and y <= 100,
               shade(hair, 0.8))
    c.fill(lambda x, y: ((x - 64) / 54) ** 2 + ((y - 136) / 42) ** 2 <= 1, cloth)
    c.fill(lambda x, y: ((x - 64) / 54) ** 2 + ((y - 136) / 42) ** 2 <= 1 and x > 64,
           shade(cloth, 0.8))
    c.fill(lambda x, y: abs(x - 64) <= 11 and 76 <= y <= 100, shade(skin, 0.9))
    c.fill(lambda x, y: abs(x - 64) + max(0, 100 - y) * 0.9 <= 16 and 94 <= y <= 112, trim)
    c.fill(lambda x, y: ((x - 64) / 23) ** 2 + ((y - 60) / 27) ** 2 <= 1, skin)
    c.fill(lambda x, y: ((x - 64) / 26) ** 2 + ((y - 52) / 26) ** 2 <= 1
           and (y < 44 - 6 * math.sin((x - 38) / 8) or abs(x - 64) > 19), hair)
    c.fill(lambda x, y: ((x - 56) / 6) ** 2 + ((y - 36) / 3) ** 2 <= 1, shade(hair, 1.4))
    for ex in (55, 73):
        c.fill(lambda x, y, ex=ex: abs(x - ex) <= 2 and 58 <= y <= 63, (50, 40, 50))
    c.fill(lambda x, y: abs(x - 64) <= 5 and 74 <= y <= 75, (170, 90, 90))
    pixels = c.outlined(True)
    # The id badge in the bottom-right corner.
    badge = (232, 236, 240)
    x0, y0, x1, y1 = n - 4 - 3 * 8 - 4, n - 18, n - 4, n - 4
    for y in range(y0, y1):
        for x in range(x0, x1):
            edge = y in (y0, y1 - 1) or x in (x0, x1 - 1)
            pixels[y][x] = OUTLINE if edge else badge
    for k, ch in enumerate(ident.upper()):
        bits = DIGITS[ch]
        for row in range(5):
            for col in range(3):
                if bits[row * 3 + col] == "1":
                    for dy in range(2):
                        for dx in range(2):
                            pixels[y0 + 2 + row * 2 + dy][x0 + 3 + k * 8 + col * 2 + dx] = OUTLINE
    return pixels


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "assets")
    data = os.path.join(root, "Data")
    faces = os.path.join(root, "Image", "Face")
    icons = os.path.join(root, "Image", "Item")
    for d in (data, faces, icons):
        os.makedirs(d, exist_ok=True)

    char_ids = ["%03X" % (i + 1) for i in range(len(CHARACTERS))]
    item_ids = ["%02X" % (i + 1) for i in range(len(ITEMS))]
    write_gbk_lines(os.path.join(data, "Char.dat"),
                    [i + name for i, name in zip(char_ids, CHARACTERS)])
    write_gbk_lines(os.path.join(data, "Class.dat"), CLASSES)
    write_gbk_lines(os.path.join(data, "Item.dat"),
                    [i + name for i, (_, name, _) in zip(item_ids, ITEMS)])
    for ident, (kind, _, colour) in zip(item_ids, ITEMS):
        write_bmp24(os.path.join(icons, ident + ".bmp"), item_icon(kind, colour))
    for number, ident in enumerate(char_ids):
        write_bmp8(os.path.join(faces, ident + ".bmp"), portrait(number, ident))


if __name__ == "__main__":
    main()

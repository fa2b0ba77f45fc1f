"""The program's icon: the caption's sheet of data with its blue band, grown
into a page, with a cartridge in its corner. One list of shapes on a 256-unit
square is both rasterised (PNG, each pixel sampled 4 x 4 times) and written
as SVG, so every size shows the same picture."""

import os

from raster import lerp, write_png
from style import GLYPH, OUTLINE, SELECT, WHITE

APP_ID = "org.koraeditor.KoraEditor"
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

PAPER_TOP, PAPER_BOTTOM = WHITE, (220, 232, 249)
LINE = (128, 152, 190)
CART_TOP, CART_BOTTOM = (58, 88, 140), GLYPH
LABEL = (236, 242, 252)
PINS = (226, 184, 72)

# (x0, y0, x1, y1, corner radius, fill); a fill is a colour or a pair of
# colours for a top-to-bottom gradient. Later shapes lie over earlier ones.
SHAPES = [
    (36, 16, 212, 236, 22, OUTLINE),
    (44, 24, 204, 228, 15, (PAPER_TOP, PAPER_BOTTOM)),
    (44, 24, 204, 84, 15, SELECT),
    (44, 60, 204, 84, 0, SELECT),
    (72, 112, 176, 126, 7, LINE),
    (72, 142, 148, 156, 7, LINE),
    (72, 172, 124, 186, 7, LINE),
    (132, 140, 244, 244, 16, (CART_TOP, CART_BOTTOM)),
    (148, 156, 228, 204, 8, LABEL),
    (148, 218, 160, 236, 2, PINS),
    (168, 218, 180, 236, 2, PINS),
    (188, 218, 200, 236, 2, PINS),
    (208, 218, 220, 236, 2, PINS),
]


def inside(shape, x, y):
    x0, y0, x1, y1, r, _ = shape
    if not (x0 <= x < x1 and y0 <= y < y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def colour_at(shape, y):
    x0, y0, x1, y1, r, fill = shape
    if isinstance(fill[0], tuple):
        return lerp(fill[0], fill[1], (y - y0) / max(1, y1 - y0))
    return fill


def render(size):
    """Rows of (r, g, b, a) pixels."""
    scale = 256 / size
    n = 4
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for shape in SHAPES:
                x0, y0, x1, y1 = shape[:4]
                if px * scale >= x1 or (px + 1) * scale <= x0 or py * scale >= y1 or (py + 1) * scale <= y0:
                    continue
                hits = 0
                for j in range(n):
                    for i in range(n):
                        hits += inside(shape, (px + (i + 0.5) / n) * scale, (py + (j + 0.5) / n) * scale)
                if hits == 0:
                    continue
                cover = hits / (n * n)
                c = colour_at(shape, (py + 0.5) * scale)
                # The shape over what lies beneath, premultiplied.
                r, g, b = (c[0] * cover + r * (1 - cover), c[1] * cover + g * (1 - cover),
                           c[2] * cover + b * (1 - cover))
                a = cover + a * (1 - cover)
            if a > 0:
                row.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def hexcolour(c):
    return "#%02x%02x%02x" % c


def svg():
    defs, body = [], []
    for k, (x0, y0, x1, y1, r, fill) in enumerate(SHAPES):
        if isinstance(fill[0], tuple):
            defs.append(f'<linearGradient id="g{k}" x1="0" y1="{y0}" x2="0" y2="{y1}" gradientUnits="userSpaceOnUse">'
                        f'<stop offset="0" stop-color="{hexcolour(fill[0])}"/>'
                        f'<stop offset="1" stop-color="{hexcolour(fill[1])}"/></linearGradient>')
            paint = f"url(#g{k})"
        else:
            paint = hexcolour(fill)
        body.append(f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" rx="{r}" fill="{paint}"/>')
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">\n'
            f'<defs>{"".join(defs)}</defs>\n' + "\n".join(body) + "\n</svg>\n")


def write_icons(out):
    """out/hicolor/<n>x<n>/apps/<id>.png for every size and
    out/hicolor/scalable/apps/<id>.svg."""
    for size in SIZES:
        folder = os.path.join(out, "hicolor", f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, APP_ID + ".png"), render(size))
    folder = os.path.join(out, "hicolor", "scalable", "apps")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, APP_ID + ".svg"), "w", encoding="utf-8") as f:
        f.write(svg())

"""Palette and shared helpers of the skin art."""

from raster import Canvas, lerp

# Palette: a light, bluish desktop with one light source from the top.
WHITE = (255, 255, 255)
FACE = (240, 244, 250)
TEXT = (30, 45, 70)
OUTLINE = (72, 104, 150)
CAP_TOP = (240, 246, 254)
CAP_BOTTOM = (196, 215, 241)
EDGE = (164, 189, 224)
BORDER_BODY = (214, 227, 245)
GLYPH = (38, 64, 108)
GLYPH_OFF = (150, 168, 196)
HOT_BORDER = (84, 134, 204)
HOT_TOP = (248, 252, 255)
HOT_BOTTOM = (196, 222, 252)
DOWN_BORDER = (78, 114, 170)
DOWN_TOP = (186, 207, 236)
DOWN_BOTTOM = (212, 226, 246)
RED_BORDER = (160, 52, 46)
RED_TOP = (236, 112, 100)
RED_BOTTOM = (204, 64, 52)
RED_DOWN_TOP = (176, 48, 40)
RED_DOWN_BOTTOM = (204, 72, 60)
FIELD_BORDER = (142, 166, 202)
FIELD_HOT = (84, 132, 204)
DISABLED_TEXT = (150, 160, 178)
SELECT = (51, 120, 210)

PIC_W, PIC_H = 285, 210
CLIENT = (4, 27, 281, 206)
CAPTION_RECT = (3, 5, 282, 24)
BTN = 21
BTN_TOP = CAPTION_RECT[1]


def colour(c):
    """A colour as skin.ini writes it: 0x00BBGGRR in decimal."""
    return str(c[0] | (c[1] << 8) | (c[2] << 16))


def rect(r):
    return ",".join(str(v) for v in r)


# The inactive frame is the active one darkened (iedarkness, 0.3), so the
# light inactive caption text stays readable; inactive caption buttons are
# drawn on the darkened caption and carry glyphs in that text's colour.
INACTIVE_DARKEN = 0.3
INACTIVE_GLYPH = (188, 213, 245)


def darkened(c):
    """A colour as the iedarkness effect leaves it (halves round to even)."""
    return tuple(round((1 - INACTIVE_DARKEN) * v) for v in c)


def cap_colour(y):
    """Caption gradient at frame row y; also the backdrop of the caption buttons."""
    return lerp(CAP_TOP, CAP_BOTTOM, min(max((y - 1) / 25, 0), 1))


class Sheet:
    """The shared picture of objects and controls, packed in shelves."""

    def __init__(self, width=256):
        self.cv = Canvas(width, 1024, FACE)
        self.x = self.y = self.shelf = 0
        self.width = width

    def alloc(self, w, h):
        if self.x + w > self.width:
            self.x, self.y, self.shelf = 0, self.y + self.shelf, 0
        r = (self.x, self.y, self.x + w, self.y + h)
        self.x += w
        self.shelf = max(self.shelf, h)
        return r

    def newline(self):
        self.x, self.y, self.shelf = 0, self.y + self.shelf, 0

    def finish(self):
        return self.cv.crop(self.y + self.shelf)


def centred(cv, r, pattern, c, dx=0, dy=0):
    gw, gh = len(pattern[0]), len(pattern)
    x = r[0] + (r[2] - r[0] - gw) // 2 + dx
    y = r[1] + (r[3] - r[1] - gh) // 2 + dy
    cv.glyph(x, y, pattern, c)



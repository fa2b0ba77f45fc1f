"""The frame picture, its mask and the frame objects (caption buttons,
caption, menu items, menu bar) drawn into the shared sheet."""

import glyphs as G
from raster import Canvas, lerp, mix
from style import (BTN, BTN_TOP, CAP_TOP, CLIENT, DISABLED_TEXT, DOWN_BORDER,
                   DOWN_BOTTOM, DOWN_TOP, EDGE, FACE, GLYPH, GLYPH_OFF, HOT_BORDER, HOT_BOTTOM,
                   HOT_TOP, OUTLINE, PIC_H, PIC_W, RED_BORDER, RED_BOTTOM, RED_DOWN_BOTTOM,
                   RED_DOWN_TOP, RED_TOP, SELECT, TEXT, WHITE, BORDER_BODY, INACTIVE_GLYPH, cap_colour,
                   centred, colour, darkened, rect)


# ---------------------------------------------------------------- frame

def draw_frame():
    cv = Canvas(PIC_W, PIC_H, FACE)
    cl, ct, cr, cb = CLIENT
    for y in range(ct):
        cv.hline(0, PIC_W, y, cap_colour(y))
    cv.hline(1, PIC_W - 1, 1, mix(CAP_TOP, WHITE, 0.6))
    cv.hline(1, PIC_W - 1, ct - 1, EDGE)
    # Side and bottom borders: a light body with an inner edge to the client.
    cv.fill(1, ct, cl, PIC_H - 1, BORDER_BODY)
    cv.fill(cr, ct, PIC_W - 1, PIC_H - 1, BORDER_BODY)
    cv.fill(1, cb, PIC_W - 1, PIC_H - 1, BORDER_BODY)
    cv.vline(1, 2, PIC_H - 1, mix(BORDER_BODY, WHITE, 0.7))
    cv.vline(cl - 1, ct, cb, EDGE)
    cv.vline(cr, ct, cb, EDGE)
    cv.hline(cl - 1, cr + 1, cb, EDGE)
    cv.fill(cl, ct, cr, cb, FACE)
    # Outline, with the rounded top corners the mask cuts.
    cv.hline(0, PIC_W, PIC_H - 1, OUTLINE)
    cv.vline(0, 4, PIC_H, OUTLINE)
    cv.vline(PIC_W - 1, 4, PIC_H, OUTLINE)
    cv.hline(4, PIC_W - 4, 0, OUTLINE)
    for (x, y) in [(2, 1), (3, 1), (1, 2), (1, 3)]:
        cv.set(x, y, OUTLINE)
        cv.set(PIC_W - 1 - x, y, OUTLINE)
    for (x, y) in [(4, 1), (2, 2), (2, 3), (1, 4)]:
        cv.set(x, y, mix(cv.get(x, y), OUTLINE, 0.3))
        cv.set(PIC_W - 1 - x, y, mix(cv.get(PIC_W - 1 - x, y), OUTLINE, 0.3))
    return cv


CORNER_CUT = [4, 2, 1, 1]


def mask_keep(x, y):
    if y < len(CORNER_CUT):
        cut = CORNER_CUT[y]
        return cut <= x < PIC_W - cut
    return True


# ---------------------------------------------------------------- objects

def caption_button(sheet, pattern, state, red=False):
    """One 21 x 21 caption button; the flat states sit on the caption gradient
    so the in-picture button blends into the frame band beneath it."""
    cv = sheet.cv
    r = sheet.alloc(BTN, BTN)
    for j in range(BTN):
        c = cap_colour(BTN_TOP + j)
        cv.hline(r[0], r[2], r[1] + j, darkened(c) if state == "inactive" else c)
    colour_ = GLYPH
    dx = dy = 0
    if state == "active":
        if red:
            cv.box(*r, RED_BORDER, RED_TOP, RED_BOTTOM, inner=mix(RED_TOP, WHITE, 0.4))
            colour_ = WHITE
        else:
            cv.box(*r, HOT_BORDER, HOT_TOP, HOT_BOTTOM, inner=WHITE)
    elif state == "down":
        if red:
            cv.box(*r, RED_BORDER, RED_DOWN_TOP, RED_DOWN_BOTTOM)
            colour_ = WHITE
        else:
            cv.box(*r, DOWN_BORDER, DOWN_TOP, DOWN_BOTTOM)
        dx = dy = 1
    elif state == "inactive":
        colour_ = INACTIVE_GLYPH
    if pattern is None:
        app_icon(cv, r, state)
    else:
        centred(cv, r, pattern, colour_, dx, dy)
    return r


def app_icon(cv, r, state):
    """The system-menu button's picture: a small sheet of data with a blue band."""
    x, y = r[0] + 4, r[1] + 4
    off = state == "inactive"
    paper = [WHITE, (226, 236, 250)]
    lines = GLYPH_OFF
    if off:
        paper, lines = [darkened(c) for c in paper], darkened(GLYPH_OFF)
    cv.box(x, y, x + 13, y + 13, INACTIVE_GLYPH if off else OUTLINE, *paper)
    cv.fill(x + 1, y + 1, x + 12, y + 4, INACTIVE_GLYPH if off else SELECT)
    for k in range(3):
        cv.hline(x + 3, x + 10 - 2 * (k % 2), y + 6 + 2 * k, lines)


def caption_buttons(sheet, ini, objects):
    specs = [
        ("closebutton", "cmclose", G.CLOSE, None, True),
        ("maxbutton", "cmmaximize", G.MAXIMIZE, G.RESTORE, False),
        ("minbutton", "cmminimize", G.MINIMIZE, G.RESTORE, False),
        ("rollupbutton", "cmrollup", G.ROLLUP, G.ROLLDOWN, False),
        ("sysmenubutton", "cmsysmenu", None, None, False),
        ("traybutton", "cmminimizetotray", G.TRAY, None, False),
    ]
    for name, command, glyph, restore, red in specs:
        rects = {s: caption_button(sheet, glyph, s, red)
                 for s in ("normal", "active", "down", "inactive")}
        keys = [("hint", ""), ("activepictureindex", "0"), ("skinrectinapicture", "1"),
                ("skinrect", rect(rects["normal"])), ("activeskinrect", rect(rects["active"])),
                ("inactiveskinrect", rect(rects["inactive"])),
                ("morphing", "1"), ("morphkind", "mkdefault"),
                ("downrect", rect(rects["down"])), ("command", command)]
        if restore is not None:
            rr = {s: caption_button(sheet, restore, s) for s in ("normal", "active", "down", "inactive")}
            keys += [("restorerect", rect(rr["normal"])), ("restoreactiverect", rect(rr["active"])),
                     ("restoredownrect", rect(rr["down"])), ("restoreinactiverect", rect(rr["inactive"]))]
        sheet.newline()
        objects.append(name + ":stdbutton")
        ini.append((name, keys))


MENUBAR_H = 20


def menubar_colour(j):
    return lerp((248, 251, 255), (226, 235, 248), j / (MENUBAR_H - 2))


def menubar_backdrop(cv, r, top):
    """The menu bar's gradient behind a piece whose first row is bar row `top`."""
    for j in range(r[3] - r[1]):
        y = top + j
        c = EDGE if y == MENUBAR_H - 1 else menubar_colour(y)
        cv.hline(r[0], r[2], r[1] + j, c)


def menubar(sheet, ini, objects, controls):
    cv = sheet.cv
    bar = sheet.alloc(40, MENUBAR_H)
    menubar_backdrop(cv, bar, 0)
    item = {}
    for state in ("normal", "active", "down"):
        r = sheet.alloc(51, MENUBAR_H)
        menubar_backdrop(cv, r, 0)
        if state == "active":
            cv.box(r[0], r[1] + 1, r[2], r[3] - 2, HOT_BORDER, HOT_TOP, HOT_BOTTOM, inner=WHITE)
        elif state == "down":
            cv.box(r[0], r[1] + 1, r[2], r[3] - 2, DOWN_BORDER, DOWN_TOP, DOWN_BOTTOM)
        item[state] = r
    font = [("fontname", "宋体"), ("fontheight", "12"), ("fontstyle", "")]
    ini.append(("mainmenubaritem", [
        ("hint", ""), ("activepictureindex", "0"), ("skinrectinapicture", "1"),
        ("skinrect", rect(item["normal"])), ("activeskinrect", rect(item["active"])),
        ("morphing", "1"), ("morphkind", "mkdefault"),
        ("itemleftoffset", "4"), ("itemrightoffset", "5"),
        ("downrect", rect(item["down"])), ("textrect", "4,3,46,17")] + font + [
        ("fontcolor", colour(TEXT)), ("activefontcolor", colour((16, 56, 120))),
        ("downfontcolor", colour((16, 48, 104))), ("unenabledfontColor", colour(DISABLED_TEXT)),
        ("stretcheffect", "1")]))
    objects.append("mainmenubaritem:mainmenubaritem")
    sheet.newline()
    names = []
    for name, command, glyph in [("menubarsysmenubutton", "cmsysmenu", None),
                                 ("menubarclosebutton", "cmclose", G.SMALL_CLOSE),
                                 ("menubarmaxbutton", "cmmaximize", G.SMALL_MAXIMIZE),
                                 ("menubarminbutton", "cmminimize", G.SMALL_MINIMIZE)]:
        rr = {}
        for state in ("normal", "active", "down"):
            r = sheet.alloc(16, 16)
            menubar_backdrop(cv, r, 2)
            if state == "active":
                cv.box(*r, HOT_BORDER, HOT_TOP, HOT_BOTTOM, inner=WHITE)
            elif state == "down":
                cv.box(*r, DOWN_BORDER, DOWN_TOP, DOWN_BOTTOM)
            d = 1 if state == "down" else 0
            if glyph is None:
                cv.box(r[0] + 3, r[1] + 3, r[0] + 13, r[1] + 13, OUTLINE, WHITE, (226, 236, 250))
                cv.fill(r[0] + 4, r[1] + 4, r[0] + 12, r[1] + 6, SELECT)
            else:
                centred(cv, r, glyph, GLYPH, d, d)
            rr[state] = r
        ini.append((name, [
            ("hint", ""), ("activepictureindex", "0"), ("skinrectinapicture", "1"),
            ("skinrect", rect(rr["normal"])), ("activeskinrect", rect(rr["active"])),
            ("morphing", "0"), ("downrect", rect(rr["down"])), ("command", command)]))
        objects.append(name + ":mainmenubarbutton")
        names.append(name)
    sheet.newline()
    controls.append("mainmenubar:mainmenubar")
    ini.append(("mainmenubar", [
        ("pictureindex", "0"), ("skinrect", rect(bar)), ("itemsrect", "2,0,38,20"),
        ("menubaritem", "mainmenubaritem"), ("closebutton", "menubarclosebutton"),
        ("minbutton", "menubarminbutton"), ("maxbutton", "menubarmaxbutton"),
        ("sysmenubutton", "menubarsysmenubutton"),
        ("trackmarkcolor", colour(GLYPH_OFF)), ("trackmarkactivecolor", colour(GLYPH))]))


def caption_record(ini, objects):
    objects.append("caption:caption")
    ini.append(("caption", [
        ("hint", ""), ("activepictureindex", "-1"), ("skinrectinapicture", "0"),
        ("skinrect", "5,4,280,24"), ("activeskinrect", "0,0,0,0"), ("inactiveskinrect", "0,0,0,0"),
        ("morphing", "0"), ("textrect", "4,0,271,20"),
        ("fontname", "Arial"), ("fontheight", "16"), ("fontstyle", "fsbold"),
        ("fontcolor", "16111036"), ("activefontcolor", "11168318"),
        ("alignment", "taleftjustify"), ("light", "0"),
        ("shadow", "1"), ("shadowcolor", colour(WHITE)), ("activeshadowcolor", colour(WHITE)),
        ("stretcheffect", "0"), ("framecount", "0")]))


def popup_item(sheet, ini, objects):
    cv = sheet.cv
    normal = sheet.alloc(40, 20)
    cv.fill(*normal, WHITE)
    active = sheet.alloc(40, 20)
    cv.fill(*active, WHITE)
    cv.box(active[0] + 1, active[1], active[2] - 1, active[3], HOT_BORDER,
           (236, 244, 254), (206, 224, 249), inner=WHITE)
    divider = sheet.alloc(40, 7)
    cv.fill(*divider, WHITE)
    cv.hline(divider[0] + 2, divider[2] - 2, divider[1] + 3, (208, 220, 238))
    cv.hline(divider[0] + 2, divider[2] - 2, divider[1] + 4, WHITE)
    sheet.newline()
    objects.append("menuitem:menuitem")
    ini.append(("menuitem", [
        ("hint", ""), ("activepictureindex", "0"), ("skinrectinapicture", "1"),
        ("skinrect", rect(normal)), ("activeskinrect", rect(active)),
        ("morphing", "1"), ("morphkind", "mkdefault"),
        ("itemleftoffset", "4"), ("itemrightoffset", "4"), ("dividerrect", rect(divider)),
        ("dividerleftoffset", "3"), ("dividerrightoffset", "3"),
        ("textrect", "6,0,36,20"), ("imagerect", "0,0,0,0"),
        ("fontname", "宋体"), ("fontheight", "12"), ("fontstyle", ""),
        ("fontcolor", colour(TEXT)), ("activefontcolor", colour((16, 48, 104))),
        ("unenabledfontcolor", colour(DISABLED_TEXT)),
        ("stretcheffect", "1"), ("inactivestretcheffect", "1"), ("dividerstretcheffect", "1"),
        ("framecount", "0"), ("useimagecolor", "0")]))

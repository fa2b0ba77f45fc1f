"""Control skins drawn into the shared sheet, each with its skin.ini section.
Corner points, client and button rectangles are relative to the control's
skin rectangle; state pieces are rectangles of the sheet."""

import glyphs as G
from raster import Canvas, mix
from style import (DISABLED_TEXT, DOWN_BORDER, DOWN_BOTTOM, DOWN_TOP, FACE, FIELD_BORDER,
                   FIELD_HOT, GLYPH, GLYPH_OFF, HOT_BORDER, HOT_BOTTOM, HOT_TOP, SELECT,
                   TEXT, WHITE, centred, colour, rect)

BTN_BORDER = (128, 156, 198)
BTN_TOP = (255, 255, 255)
BTN_BOTTOM = (222, 232, 246)
OFF_BORDER = (190, 200, 216)
OFF_TOP = (246, 248, 251)
OFF_BOTTOM = (236, 240, 246)
HOT_TEXT = (16, 56, 120)
DOWN_TEXT = (16, 48, 104)
PANEL_BORDER = (176, 196, 224)
PAGE = (250, 252, 255)
TRACK = (232, 238, 247)

FONT = [("fontname", "宋体"), ("fontheight", "12"), ("fontstyle", "")]


def points(l, t, r, b):
    return [("lefttoppoint", f"{l},{t}"), ("righttoppoint", f"{r},{t}"),
            ("leftbottompoint", f"{l},{b}"), ("rightbottompoint", f"{r},{b}")]


def stretch_all():
    return [("leftstretch", "1"), ("topstretch", "1"), ("rightstretch", "1"),
            ("bottomstretch", "1"), ("stretcheffect", "1")]


def button_state(cv, r, state, flat=False):
    if state == "normal":
        if not flat:
            cv.box(*r, BTN_BORDER, BTN_TOP, BTN_BOTTOM, inner=WHITE)
    elif state == "active":
        cv.box(*r, HOT_BORDER, HOT_TOP, HOT_BOTTOM, inner=WHITE)
    elif state == "down":
        cv.box(*r, DOWN_BORDER, DOWN_TOP, DOWN_BOTTOM)
        cv.hline(r[0] + 1, r[2] - 1, r[1] + 1, mix(DOWN_TOP, DOWN_BORDER, 0.35))
    else:
        if not flat:
            cv.box(*r, OFF_BORDER, OFF_TOP, OFF_BOTTOM)


def four_states(sheet, w, h, flat=False):
    out = {}
    for state in ("normal", "active", "down", "disabled"):
        r = sheet.alloc(w, h)
        button_state(sheet.cv, r, state, flat)
        out[state] = r
    return out


def button_keys(s, w, h, corner):
    return ([("pictureindex", "0"), ("skinrect", rect(s["normal"]))] +
            points(corner, corner, w - corner, h - corner) +
            [("clientrect", rect((corner, corner, w - corner, h - corner)))] + stretch_all() + FONT +
            [("fontcolor", colour(TEXT)), ("activefontcolor", colour(HOT_TEXT)),
             ("downfontcolor", colour(DOWN_TEXT)), ("disabledfontcolor", colour(DISABLED_TEXT)),
             ("activeskinrect", rect(s["active"])), ("downskinrect", rect(s["down"])),
             ("disabledskinrect", rect(s["disabled"])),
             ("morphing", "1"), ("morphkind", "mkdefault"), ("framecount", "0"),
             ("animateinterval", "25"), ("showfocus", "0")])


def buttons(sheet, ini, controls):
    s = four_states(sheet, 40, 25)
    ini.append(("button", button_keys(s, 40, 25, 4)))
    s = four_states(sheet, 16, 16)
    ini.append(("resizebutton", button_keys(s, 16, 16, 3)))
    sheet.newline()
    s = four_states(sheet, 22, 22, flat=True)
    ini.append(("toolbutton", button_keys(s, 22, 22, 3)))
    s = four_states(sheet, 22, 22, flat=True)
    markers = {}
    for state, c in (("flat", GLYPH_OFF), ("normal", GLYPH), ("active", HOT_TEXT), ("down", DOWN_TEXT)):
        r = sheet.alloc(7, 5)
        centred(sheet.cv, r, G.MENU_MARK, c)
        markers[state] = r
    ini.append(("toolmenubutton", button_keys(s, 22, 22, 3) + [
        ("menumarkerflatrect", rect(markers["flat"])), ("menumarkerrect", rect(markers["normal"])),
        ("menumarkeractiverect", rect(markers["active"])), ("menumarkerdownrect", rect(markers["down"])),
        ("menumarkertransparentcolor", colour(FACE)), ("trackbuttonrect", "12,0,22,22")]))
    sheet.newline()
    controls += ["button:button", "resizebutton:button", "toolbutton:button",
                 "toolmenubutton:menubutton"]


def panels(sheet, ini, controls):
    cv = sheet.cv
    font_keys = FONT[:2] + [("fontstyle", ""), ("fontcolor", colour((32, 64, 124)))]
    g = sheet.alloc(40, 50)
    cv.box(*g, PANEL_BORDER, PAGE, PAGE)
    cv.vgradient(g[0] + 1, g[1] + 1, g[2] - 1, g[1] + 21, (252, 253, 255), (222, 233, 248))
    cv.hline(g[0] + 1, g[2] - 1, g[1] + 21, (194, 210, 234))
    ini.append(("groupbox", [("pictureindex", "0"), ("skinrect", rect(g))] +
                points(4, 22, 36, 46) + [("clientrect", "2,23,38,48")] + stretch_all() +
                [("bgpictureindex", "-1"), ("captionrect", "6,1,37,21"),
                 ("alignment", "taleftjustify")] + font_keys))
    p = sheet.alloc(40, 40)
    cv.fill(*p, FACE)
    cv.hline(p[0], p[2] - 1, p[1], WHITE)
    cv.vline(p[0], p[1], p[3] - 1, WHITE)
    cv.hline(p[0], p[2], p[3] - 1, PANEL_BORDER)
    cv.vline(p[2] - 1, p[1], p[3], PANEL_BORDER)
    panel = ([("pictureindex", "0"), ("skinrect", rect(p))] + points(3, 3, 37, 37) +
             [("clientrect", "1,1,39,39")] + stretch_all() +
             [("bgpictureindex", "-1"), ("captionrect", "0,0,0,0"), ("alignment", "tacenter")] +
             FONT + [("fontcolor", colour(TEXT))])
    ini.append(("panel", panel))
    t = sheet.alloc(40, 30)
    cv.vgradient(t[0], t[1], t[2], t[3] - 1, (250, 252, 255), (226, 235, 248))
    cv.hline(t[0], t[2], t[3] - 1, PANEL_BORDER)
    ini.append(("toolpanel", [("pictureindex", "0"), ("skinrect", rect(t))] +
                points(3, 3, 37, 27) + [("clientrect", "2,2,38,28")] + stretch_all() +
                [("bgpictureindex", "-1"), ("alignment", "tacenter")] + FONT +
                [("fontcolor", colour(TEXT))]))
    st = sheet.alloc(40, 22)
    cv.hline(st[0], st[2], st[1], PANEL_BORDER)
    cv.vgradient(st[0], st[1] + 1, st[2], st[3], (248, 251, 255), (228, 236, 248))
    ini.append(("statusbar", [("pictureindex", "0"), ("skinrect", rect(st))] +
                points(3, 3, 37, 19) + [("clientrect", "2,3,38,20")] + stretch_all() +
                [("bgpictureindex", "-1"), ("alignment", "taleftjustify")] + FONT +
                [("fontcolor", colour(TEXT))]))
    sheet.newline()
    controls += ["groupbox:panel", "panel:panel", "toolpanel:panel", "statusbar:panel"]
    ini.append(("stdlabel", FONT + [("fontcolor", colour(TEXT)),
                                    ("activefontcolor", colour((20, 96, 204)))]))
    ini.append(("label", [("pictureindex", "-1"), ("skinrect", "0,0,0,0")] + FONT +
                [("fontcolor", colour(TEXT))]))
    ini.append(("bevel", [("lightcolor", colour(WHITE)), ("darkcolor", colour(PANEL_BORDER))]))
    controls += ["stdlabel:stdlabel", "label:label", "bevel:bevel"]


def field(cv, r, border):
    cv.fill(*r, WHITE)
    cv.hline(r[0] + 1, r[2] - 1, r[1] + 1, (234, 239, 247))
    for (x0, y0, x1, y1) in [(r[0], r[1], r[2], r[1] + 1), (r[0], r[3] - 1, r[2], r[3]),
                             (r[0], r[1], r[0] + 1, r[3]), (r[2] - 1, r[1], r[2], r[3])]:
        cv.fill(x0, y0, x1, y1, border)


def side_button(cv, r, arrow, state, sep=True):
    """A button inside a field: flat gradient, or the hot/pressed box."""
    if state == "normal":
        cv.vgradient(*r, (250, 252, 255), (224, 234, 248))
        if sep:
            cv.vline(r[0], r[1], r[3], (200, 214, 236))
    elif state == "active":
        cv.box(*r, HOT_BORDER, HOT_TOP, HOT_BOTTOM, inner=WHITE, round_=False)
    elif state == "down":
        cv.box(*r, DOWN_BORDER, DOWN_TOP, DOWN_BOTTOM, round_=False)
    else:
        cv.fill(*r, (244, 246, 250))
        if sep:
            cv.vline(r[0], r[1], r[3], (220, 226, 236))
    d = 1 if state == "down" else 0
    c = GLYPH_OFF if state == "disabled" else GLYPH
    centred(cv, r, arrow, c, d, d)


def spin(sheet, ini, name, h):
    cv = sheet.cv
    w, bx = 60, 48  # narrow buttons leave "-128" room in a 41-pixel field
    mid = h // 2
    up, down = (bx, 1, w - 1, mid), (bx, mid, w - 1, h - 1)
    normal, active = sheet.alloc(w, h), sheet.alloc(w, h)
    for r, border in ((normal, FIELD_BORDER), (active, FIELD_HOT)):
        field(cv, r, border)
        for b, arrow in ((up, G.SMALL_UP), (down, G.SMALL_DOWN)):
            side_button(cv, (r[0] + b[0], r[1] + b[1], r[0] + b[2], r[1] + b[3]), arrow, "normal")
        cv.hline(r[0] + bx + 1, r[0] + w - 1, r[1] + mid, (210, 222, 240))
    pieces = {}
    for key, b, arrow, state in (("activeupbuttonrect", up, G.SMALL_UP, "active"),
                                 ("downupbuttonrect", up, G.SMALL_UP, "down"),
                                 ("activedownbuttonrect", down, G.SMALL_DOWN, "active"),
                                 ("downdownbuttonrect", down, G.SMALL_DOWN, "down")):
        r = sheet.alloc(b[2] - b[0], b[3] - b[1])
        side_button(cv, r, arrow, state)
        pieces[key] = rect(r)
    sheet.newline()
    ini.append((name, [("pictureindex", "0"), ("skinrect", rect(normal))] +
                points(3, 0, bx - 2, 0) + [("clientrect", rect((2, 3, bx - 2, h - 3)))] +
                [("leftstretch", "0"), ("topstretch", "0"), ("rightstretch", "0"),
                 ("bottomstretch", "0"), ("stretcheffect", "1"),
                 ("activeskinrect", rect(active))] + FONT[:1] + [("FontCharset", "134")] + FONT[1:] +
                [("fontcolor", colour(TEXT)), ("activefontcolor", colour(DOWN_TEXT)),
                 ("disabledfontcolor", colour(DISABLED_TEXT)),
                 ("upbuttonrect", rect(up)), ("activeupbuttonrect", pieces["activeupbuttonrect"]),
                 ("downupbuttonrect", pieces["downupbuttonrect"]), ("downbuttonrect", rect(down)),
                 ("activedownbuttonrect", pieces["activedownbuttonrect"]),
                 ("downdownbuttonrect", pieces["downdownbuttonrect"])]))


def combo(sheet, ini, controls):
    cv = sheet.cv
    w, h, bx = 60, 22, 42
    btn = (bx, 1, w - 1, h - 1)
    normal, active = sheet.alloc(w, h), sheet.alloc(w, h)
    for r, border in ((normal, FIELD_BORDER), (active, FIELD_HOT)):
        field(cv, r, border)
        side_button(cv, (r[0] + btn[0], r[1] + btn[1], r[0] + btn[2], r[1] + btn[3]),
                    G.ARROW_DOWN, "normal")
    pieces = {}
    for key, state in (("activebuttonrect", "active"), ("downbuttonrect", "down"),
                       ("unenabledbuttonrect", "disabled")):
        r = sheet.alloc(btn[2] - btn[0], btn[3] - btn[1])
        side_button(cv, r, G.ARROW_DOWN, state)
        pieces[key] = rect(r)
    items = {}
    for key, c in (("itemrect", WHITE), ("activeitemrect", (232, 241, 253)), ("focusitemrect", SELECT)):
        r = sheet.alloc(20, 16)
        cv.fill(*r, c)
        items[key] = rect(r)
    sheet.newline()
    ini.append(("combobox", [("pictureindex", "0"), ("skinrect", rect(normal))] +
                points(3, 0, bx - 2, 0) + [("clientrect", rect((3, 3, bx - 1, h - 3)))] +
                [("stretcheffect", "1"), ("activeskinrect", rect(active))] +
                [(k, items[k]) for k in ("itemrect", "activeitemrect", "focusitemrect")] +
                [("itemleftoffset", "1"), ("itemrightoffset", "1"), ("itemtextrect", "2,0,18,16")] +
                FONT + [("fontcolor", colour(TEXT)), ("focusfontcolor", colour(WHITE)),
                        ("activefontcolor", colour(TEXT)), ("listboxname", "combolistbox"),
                        ("buttonrect", rect(btn))] +
                [(k, pieces[k]) for k in ("activebuttonrect", "downbuttonrect", "unenabledbuttonrect")] +
                [("itemstretcheffect", "1"), ("focusitemstretcheffect", "1"), ("showfocus", "0")]))
    # The drop-down list and the plain list box share one look.
    lb = sheet.alloc(40, 40)
    field(cv, lb, (112, 140, 186))
    cv.hline(lb[0] + 1, lb[2] - 1, lb[1] + 1, WHITE)
    rows = {}
    for key, c in (("itemrect", WHITE), ("activeitemrect", SELECT), ("focusitemrect", (40, 106, 196))):
        r = sheet.alloc(20, 18)
        cv.fill(*r, c)
        rows[key] = rect(r)
    sheet.newline()
    listbox = ([("pictureindex", "0"), ("skinrect", rect(lb))] + points(2, 2, 38, 38) +
               [("clientrect", "1,1,39,39")] + stretch_all() +
               [(k, rows[k]) for k in ("itemrect", "activeitemrect", "focusitemrect")] +
               [("itemleftoffset", "1"), ("itemrightoffset", "1"), ("itemtextrect", "3,0,17,18")] +
               FONT + [("fontcolor", colour(TEXT)), ("activefontcolor", colour(WHITE)),
                       ("focusfontcolor", colour(WHITE)), ("showfocus", "0")])
    ini.append(("combolistbox", listbox))
    ini.append(("listbox", listbox))
    ed, eda = sheet.alloc(40, 21), sheet.alloc(40, 21)
    field(cv, ed, FIELD_BORDER)
    field(cv, eda, FIELD_HOT)
    sheet.newline()
    ini.append(("edit", [("pictureindex", "0"), ("skinrect", rect(ed))] + points(3, 3, 37, 18) +
                [("clientrect", "3,3,37,18")] + stretch_all() + [("activeskinrect", rect(eda))] +
                FONT + [("fontcolor", colour(TEXT)), ("disabledfontcolor", colour(DISABLED_TEXT)),
                        ("activefontcolor", colour(TEXT))]))
    controls += ["combobox:combobox", "combolistbox:listbox", "listbox:listbox", "edit:edit"]


def check_radio_record(sheet, ini, controls, name, images):
    """A check or radio box record: its face strip, the image pieces, the box
    area and the text area beside it."""
    s = sheet.alloc(60, 17)
    sheet.cv.fill(*s, FACE)
    sheet.newline()
    ini.append((name, [("pictureindex", "0"), ("skinrect", rect(s))] + points(19, 0, 58, 0) +
                [("clientrect", "0,0,60,17"), ("stretcheffect", "1")] + FONT +
                [("fontcolor", colour(TEXT)), ("activefontcolor", colour(HOT_TEXT)),
                 ("unenabledfontcolor", colour(DISABLED_TEXT)), ("framefontcolor", colour(TEXT)),
                 ("checkimagearea", "1,2,14,15"), ("textarea", "18,0,60,17")] +
                [(k, images[k]) for k in ("checkimagerect", "uncheckimagerect", "activecheckimagerect",
                                          "activeuncheckimagerect", "unenabledcheckimagerect",
                                          "unenableduncheckimagerect")] +
                [("morphing", "0")]))
    controls.append(name + ":checkradio")


def check(sheet, ini, controls):
    cv = sheet.cv
    boxes = {}
    for key, border, top, bottom, mark in (
            ("checkimagerect", FIELD_BORDER, WHITE, (228, 236, 248), GLYPH),
            ("uncheckimagerect", FIELD_BORDER, WHITE, (228, 236, 248), None),
            ("activecheckimagerect", FIELD_HOT, WHITE, (212, 228, 250), (16, 56, 120)),
            ("activeuncheckimagerect", FIELD_HOT, WHITE, (212, 228, 250), None),
            ("unenabledcheckimagerect", OFF_BORDER, OFF_TOP, OFF_BOTTOM, GLYPH_OFF),
            ("unenableduncheckimagerect", OFF_BORDER, OFF_TOP, OFF_BOTTOM, None)):
        r = sheet.alloc(13, 13)
        cv.box(*r, border, top, bottom, round_=False)
        if mark is not None:
            cv.glyph(r[0] + 3, r[1] + 3, G.CHECK, mark)
        boxes[key] = rect(r)
    check_radio_record(sheet, ini, controls, "checkbox", boxes)
    # The radio box: a ring with a dot, on the same states as the check box.
    rings = {}
    for key, ring, fill, dot in (
            ("checkimagerect", FIELD_BORDER, WHITE, GLYPH),
            ("uncheckimagerect", FIELD_BORDER, WHITE, None),
            ("activecheckimagerect", FIELD_HOT, (236, 244, 254), (16, 56, 120)),
            ("activeuncheckimagerect", FIELD_HOT, (236, 244, 254), None),
            ("unenabledcheckimagerect", OFF_BORDER, OFF_TOP, GLYPH_OFF),
            ("unenableduncheckimagerect", OFF_BORDER, OFF_TOP, None)):
        r = sheet.alloc(13, 13)
        cv.fill(*r, FACE)
        inside = [(x, y) for y in range(11) for x in range(11)
                  if (x - 5) ** 2 + (y - 5) ** 2 <= 20]
        for (x, y) in inside:
            cv.set(r[0] + 1 + x, r[1] + 1 + y, fill)
        cv.glyph(r[0] + 1, r[1] + 1, G.RADIO_RING, ring)
        if dot is not None:
            cv.glyph(r[0] + 4, r[1] + 4, G.RADIO_DOT, dot)
        rings[key] = rect(r)
    check_radio_record(sheet, ini, controls, "radiobox", rings)
    # The open-file dialog's file list: text on the window colour.
    ini.append(("listview", [("pictureindex", "-1"), ("skinrect", "0,0,0,0")] + FONT +
                [("fontcolor", colour(TEXT)), ("bgcolor", colour(WHITE))]))
    controls.append("listview:listview")



def scrollbars(sheet, ini, controls):
    cv = sheet.cv

    def track(r, horizontal):
        cv.fill(*r, TRACK)
        if horizontal:
            cv.hline(r[0], r[2], r[1], (214, 224, 238))
        else:
            cv.vline(r[0], r[1], r[3], (214, 224, 238))

    def arrow_btn(r, arrow, state):
        track(r, r[2] - r[0] >= r[3] - r[1])
        if state == "normal":
            cv.box(*r, (176, 196, 226), (252, 253, 255), (226, 235, 249), inner=WHITE)
        else:
            button_state(cv, r, state)
        d = 1 if state == "down" else 0
        centred(cv, r, arrow, GLYPH, d, d)

    def thumb(r, state):
        border, top, bottom = {"normal": ((150, 176, 214), (250, 252, 255), (214, 228, 248)),
                               "active": (HOT_BORDER, HOT_TOP, (200, 222, 250)),
                               "down": (DOWN_BORDER, DOWN_TOP, DOWN_BOTTOM)}[state]
        cv.fill(*r, TRACK)
        cv.box(*r, border, top, bottom, inner=WHITE if state != "down" else None)

    def bar(name, horizontal, length, corner=0):
        s = 16
        full = sheet.alloc(length + corner, s) if horizontal else sheet.alloc(s, length)
        ox, oy = full[0], full[1]

        def place(a, b):  # a span along the bar, local coordinates
            return (a, 0, b, s) if horizontal else (0, a, s, b)
        first, second = (G.ARROW_LEFT, G.ARROW_RIGHT) if horizontal else (G.ARROW_UP, G.ARROW_DOWN)
        track(full, horizontal)
        up, down = place(0, s), place(length - s, length)
        for b, arrow in ((up, first), (down, second)):
            arrow_btn((ox + b[0], oy + b[1], ox + b[2], oy + b[3]), arrow, "normal")
        if corner:
            cv.fill(ox + length, oy, ox + length + corner, oy + s, FACE)
        pieces = {}
        for key, arrow, state in (("activeupbuttonrect", first, "active"), ("downupbuttonrect", first, "down"),
                                  ("activedownbuttonrect", second, "active"),
                                  ("downdownbuttonrect", second, "down")):
            r = sheet.alloc(s, s)
            arrow_btn(r, arrow, state)
            pieces[key] = rect(r)
        for key, state in (("thumbrect", "normal"), ("activethumbrect", "active"), ("downthumbrect", "down")):
            r = sheet.alloc(20, s) if horizontal else sheet.alloc(s, 20)
            thumb(r, state)
            pieces[key] = rect(r)
        for key, c in (("glyphrect", (120, 146, 188)), ("activeglyphrect", (84, 124, 190)),
                       ("downglyphrect", (60, 96, 156))):
            r = sheet.alloc(5, 5)
            top = mix(HOT_BOTTOM, WHITE, 0.2)
            cv.fill(*r, top)
            cv.glyph(r[0], r[1], G.GRIP_H if horizontal else G.GRIP_V, c, shade=WHITE)
            pieces[key] = rect(r)
        sheet.newline()
        if horizontal:
            pts = points(s, 0, length - s, 0)
        else:
            pts = [("lefttoppoint", f"0,{s}"), ("righttoppoint", "0,0"),
                   ("leftbottompoint", f"0,{length - s}"), ("rightbottompoint", "0,0")]
        ini.append((name, [("pictureindex", "0"), ("skinrect", rect(full))] + pts +
                    [("clientrect", "0,0,0,0"), ("stretcheffect", "1"),
                     ("trackarea", rect(place(s, length - s))),
                     ("upbuttonrect", rect(up)), ("activeupbuttonrect", pieces["activeupbuttonrect"]),
                     ("downupbuttonrect", pieces["downupbuttonrect"]), ("downbuttonrect", rect(down)),
                     ("activedownbuttonrect", pieces["activedownbuttonrect"]),
                     ("downdownbuttonrect", pieces["downdownbuttonrect"])] +
                    [(k, pieces[k]) for k in ("thumbrect", "activethumbrect", "downthumbrect")] +
                    [("thumboffset1", "4"), ("thumboffset2", "4"), ("thumbtransparent", "0")] +
                    [(k, pieces[k]) for k in ("glyphrect", "activeglyphrect", "downglyphrect")]))
        controls.append(name + ":scrollbar")

    bar("hscrollbar", True, 60)
    bar("bothhscrollbar", True, 60, corner=16)
    bar("vscrollbar", False, 60)


TAB_H = 20  # the main window's page control asks for 20-pixel tabs


def tabs(sheet, ini, controls):
    """Tabs stand on a 1-pixel baseline that the strip beside them draws:
    the page's own top edge lies under that strip. The selected tab is
    two pixels taller and white like the page."""
    cv = sheet.cv
    border = (150, 176, 214)
    states = {}
    for key in ("tabrect", "activetabrect", "mouseintabrect"):
        r = sheet.alloc(30, TAB_H)
        cv.fill(*r, FACE)
        edge = HOT_BORDER if key == "mouseintabrect" else border
        top, bottom = {"tabrect": ((246, 249, 254), (222, 232, 246)),
                       "activetabrect": (WHITE, PAGE),
                       "mouseintabrect": (WHITE, (230, 240, 253))}[key]
        raised = 0 if key == "activetabrect" else 2
        # Open at the bottom: the box runs one row past the piece.
        cv.box(r[0], r[1] + raised, r[2], r[3] + 1, edge, top, bottom,
               inner=WHITE if key != "activetabrect" else None)
        accent = {"activetabrect": SELECT, "mouseintabrect": (96, 150, 222)}.get(key)
        if accent:
            cv.hline(r[0] + 2, r[2] - 2, r[1] + raised + 1, accent)
        states[key] = rect(r)
    page = sheet.alloc(40, 40)
    cv.box(*page, border, PAGE, PAGE, round_=False)
    # The strip beside the tabs: the window's face, then the baseline, which
    # meets the page's side edges (the page's client starts one row lower).
    strip = sheet.alloc(8, TAB_H + 1)
    cv.fill(*strip, FACE)
    cv.hline(strip[0], strip[2], strip[3] - 1, border)
    sheet.newline()
    ini.append(("tab", [("pictureindex", "0"), ("skinrect", rect(page))] +
                [("tabrect", states["tabrect"]), ("activetabrect", states["activetabrect"]),
                 ("focustabrect", "0,0,0,0"), ("mouseintabrect", states["mouseintabrect"]),
                 ("clientrect", "2,1,38,38"), ("bgpictureindex", "-1")] +
                points(3, 3, 37, 37) +
                [("tableftoffset", "4"), ("tabrightoffset", "4"), ("tabsbgrect", rect(strip)),
                 ("tabstretcheffect", "1"), ("leftstretch", "1"), ("topstretch", "1"),
                 ("rightstretch", "1"), ("bottomstretch", "1")] + FONT +
                [("fontcolor", colour(TEXT)), ("activefontcolor", colour(DOWN_TEXT)),
                 ("focusfontcolor", colour(DOWN_TEXT)), ("mouseinfontcolor", colour(HOT_TEXT)),
                 ("updown", "hupdown"), ("showfocus", "0")]))
    # The tab scroller: a left ("down") and a right ("up") button side by
    # side as its skin image, the buttons' places relative to it, and the
    # hot and pressed looks as pieces.
    def scroller_button(r, arrow, state):
        if state == "normal":
            cv.box(*r, (176, 196, 226), (252, 253, 255), (226, 235, 249), inner=WHITE)
        else:
            button_state(cv, r, state)
        d = 1 if state == "down" else 0
        centred(cv, r, arrow, GLYPH, d, d)

    whole = sheet.alloc(32, 16)
    down, up = (0, 0, 16, 16), (16, 0, 32, 16)
    for b, arrow in ((down, G.ARROW_LEFT), (up, G.ARROW_RIGHT)):
        scroller_button((whole[0] + b[0], whole[1] + b[1], whole[0] + b[2], whole[1] + b[3]), arrow, "normal")
    ud = {}
    for key, arrow, state in (("activedownbuttonrect", G.ARROW_LEFT, "active"),
                              ("activeupbuttonrect", G.ARROW_RIGHT, "active"),
                              ("downdownbuttonrect", G.ARROW_LEFT, "down"),
                              ("downupbuttonrect", G.ARROW_RIGHT, "down")):
        r = sheet.alloc(16, 16)
        scroller_button(r, arrow, state)
        ud[key] = rect(r)
    sheet.newline()
    ini.append(("hupdown", [("pictureindex", "0"), ("skinrect", rect(whole)),
                            ("upbuttonrect", rect(up)), ("activeupbuttonrect", ud["activeupbuttonrect"]),
                            ("downupbuttonrect", ud["downupbuttonrect"]), ("downbuttonrect", rect(down)),
                            ("activedownbuttonrect", ud["activedownbuttonrect"]),
                            ("downdownbuttonrect", ud["downdownbuttonrect"])]))
    controls += ["tab:tab", "hupdown:updown"]


def window_pictures():
    """The popup-menu and hint window pictures (whole active pictures)."""
    popup = Canvas(40, 40, WHITE)
    popup.box(0, 0, 40, 40, (120, 148, 192), WHITE, WHITE, round_=False)
    popup.hline(1, 39, 1, (250, 252, 255))
    hint = Canvas(30, 24, WHITE)
    hint.box(0, 0, 30, 24, (110, 140, 190), WHITE, (230, 239, 251), inner=WHITE, round_=False)
    return popup, hint


def window_sections(ini):
    ini.append(("POPUPWINDOW", [
        ("windowpictureindex", "1"), ("maskpictureindex", "-1")] + points(3, 3, 37, 37) +
        [("itemsrect", "3,3,37,37"), ("scrollmarkercolor", colour(GLYPH_OFF)),
         ("scrollmarkeractivecolor", colour(GLYPH)), ("leftstretch", "1"), ("rightstretch", "1"),
         ("topstretch", "1"), ("bottomstretch", "1")]))
    ini.append(("HINTWINDOW", [
        ("windowpictureindex", "2"), ("maskpictureindex", "-1")] + points(4, 4, 26, 20) +
        [("clientrect", "6,4,24,20")] + FONT + [("fontcolor", colour(TEXT))] +
        [("leftstretch", "1"), ("rightstretch", "1"), ("topstretch", "1"), ("bottomstretch", "1")]))


def colours(ini):
    ini.append(("SKINCOLORS", [
        ("cbtnface", colour(FACE)), ("cbtntext", colour(TEXT)), ("cwindow", colour(WHITE)),
        ("cwindowtext", colour((20, 30, 50))), ("chighlight", colour(SELECT)),
        ("chighlighttext", colour(WHITE)), ("cbtnhighlight", colour(WHITE)),
        ("cbtnshadow", colour((150, 170, 200)))]))


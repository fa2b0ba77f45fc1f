// Painting the standard scroll bars in the 3-D look: arrow buttons, a
// dotted track and a raised thumb, from the system colours.

#include <algorithm>

#include "platform/window/Painting.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

RECT PartRect(const ScrollBarGeometry& g, int from, int to) {
  return g.Vertical ? RECT{g.Bar.Left, g.Bar.Top + from, g.Bar.Right, g.Bar.Top + to}
                    : RECT{g.Bar.Left + from, g.Bar.Top, g.Bar.Left + to, g.Bar.Bottom};
}

// A triangle pointing along the bar's direction: up/left for the first arrow.
void DrawArrowGlyph(HDC dc, const RECT& r, bool vertical, bool first, COLORREF color) {
  const int size = std::max((std::min(r.Width(), r.Height()) - 4) / 3, 1);
  const HBRUSH brush = CreateSolidBrush(color);
  const int tipX = r.Left + (r.Width() - 1) / 2;
  const int tipY = r.Top + (r.Height() - 1) / 2;
  for (int i = 0; i < size; ++i) {
    // Row i counts from the tip; each row is one pixel wider on both sides.
    const int across = first ? i : size - 1 - i;
    RECT line = vertical ? RECT{tipX - across, tipY - size / 2 + i, tipX + across + 1, tipY - size / 2 + i + 1}
                         : RECT{tipX - size / 2 + i, tipY - across, tipX - size / 2 + i + 1, tipY + across + 1};
    FillRect(dc, &line, brush);
  }
  DeleteObject(brush);
}

void DrawArrowButton(HDC dc, RECT r, bool vertical, bool first, bool pressed, bool disabled) {
  if (r.IsEmpty()) return;
  FillRect(dc, &r, HBRUSH(COLOR_BTNFACE + 1));
  RECT glyph = r;
  if (pressed) {
    FrameRect(dc, &r, HBRUSH(COLOR_BTNSHADOW + 1));
    glyph.Offset(1, 1);
  } else {
    RECT edge = r;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
  }
  if (disabled) {
    // Greyed: an etched glyph, light below and right of a shadow.
    DrawArrowGlyph(dc, glyph.Offsetted(1, 1), vertical, first, GetSysColor(COLOR_3DHILIGHT));
    DrawArrowGlyph(dc, glyph, vertical, first, GetSysColor(COLOR_3DSHADOW));
  } else {
    DrawArrowGlyph(dc, glyph, vertical, first, GetSysColor(COLOR_BTNTEXT));
  }
}

// The track: light dots on the face colour, or dark while pressed.
void DrawTrack(HDC dc, const RECT& r, bool pressed) {
  if (r.IsEmpty()) return;
  if (pressed) {
    FillRect(dc, &r, HBRUSH(COLOR_3DDKSHADOW + 1));
    return;
  }
  FillRect(dc, &r, HBRUSH(COLOR_BTNFACE + 1));
  const COLORREF light = GetSysColor(COLOR_3DHILIGHT);
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left + ((r.Left + y) & 1); x < r.Right; x += 2) SetPixel(dc, x, y, light);
  }
}

void DrawBar(HDC dc, const WindowRec& w, int bar) {
  const ScrollBarGeometry g = ComputeScrollBar(w, bar);
  if (g.Bar.IsEmpty()) return;
  const ScrollBarRec& r = bar == SB_VERT ? w.VScroll : w.HScroll;
  const bool active = ScrollBarActive(w, bar);
  const int length = g.Length();
  DrawArrowButton(dc, PartRect(g, 0, g.Arrow), g.Vertical, true, r.Pressed == SBP_LINEUP,
                  !active || (r.Disabled & ESB_DISABLE_LTUP));
  DrawArrowButton(dc, PartRect(g, length - g.Arrow, length), g.Vertical, false, r.Pressed == SBP_LINEDOWN,
                  !active || (r.Disabled & ESB_DISABLE_RTDN));
  if (g.ThumbEnd == 0) {
    DrawTrack(dc, PartRect(g, g.Arrow, length - g.Arrow), false);
    return;
  }
  DrawTrack(dc, PartRect(g, g.Arrow, g.ThumbStart), r.Pressed == SBP_PAGEUP);
  DrawTrack(dc, PartRect(g, g.ThumbEnd, length - g.Arrow), r.Pressed == SBP_PAGEDOWN);
  RECT thumb = PartRect(g, g.ThumbStart, g.ThumbEnd);
  FillRect(dc, &thumb, HBRUSH(COLOR_BTNFACE + 1));
  DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
}

}  // namespace

void PaintScrollBars(HWND hwnd, WPARAM region) {
  WindowRec* w = Win(hwnd);
  if (!w || !(w->Style & (WS_VSCROLL | WS_HSCROLL))) return;
  const HDC dc = region > 1 ? GetDCEx(hwnd, HRGN(uint64_t(region)), DCX_WINDOW | DCX_INTERSECTRGN) : GetWindowDC(hwnd);
  if (!dc) return;
  DrawBar(dc, *w, SB_VERT);
  DrawBar(dc, *w, SB_HORZ);
  const RECT corner = ScrollBarCorner(*w);
  if (!corner.IsEmpty()) FillRect(dc, &corner, HBRUSH(COLOR_BTNFACE + 1));
  ReleaseDC(hwnd, dc);
}

}  // namespace kora

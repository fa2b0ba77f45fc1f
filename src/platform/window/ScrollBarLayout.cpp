// Where a window's standard scroll bars lie: the bars inside the frame, the
// arrows, the thumb in proportion to the page, and the part under a point.

#include <algorithm>
#include <cstdint>

#include "platform/window/Screen.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

// Below this the thumb would be too small to grab.
constexpr int kMinThumb = 8;

DWORD BarStyle(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

// The window less its frame: the client area together with the bars.
RECT InnerRect(const WindowRec& w) {
  const RECT in = DefaultFrameInsets(w.Style, w.ExStyle);
  RECT r{in.Left, in.Top, w.Window.Width() - in.Right, w.Window.Height() - in.Bottom};
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

RECT BarRect(const WindowRec& w, int bar) {
  if (!(w.Style & BarStyle(bar))) return {};
  const RECT inner = InnerRect(w);
  const int cx = std::min<int>(GetSystemMetrics(SM_CXVSCROLL), inner.Width());
  const int cy = std::min<int>(GetSystemMetrics(SM_CYHSCROLL), inner.Height());
  const bool both = (w.Style & (WS_VSCROLL | WS_HSCROLL)) == (WS_VSCROLL | WS_HSCROLL);
  RECT r = bar == SB_VERT ? RECT{inner.Right - cx, inner.Top, inner.Right, inner.Bottom - (both ? cy : 0)}
                          : RECT{inner.Left, inner.Bottom - cy, inner.Right - (both ? cx : 0), inner.Bottom};
  return r.IsEmpty() ? RECT{} : r;
}

int64_t MaxPos(const ScrollBarRec& r) { return int64_t(r.Max) - std::max<int64_t>(int64_t(r.Page) - 1, 0); }

}  // namespace

ScrollBarRec& ScrollBarOf(WindowRec& w, int bar) { return bar == SB_VERT ? w.VScroll : w.HScroll; }

bool ScrollBarCanScroll(const ScrollBarRec& r) { return MaxPos(r) > r.Min; }

bool ScrollBarActive(const WindowRec& w, int bar) {
  const ScrollBarRec& r = bar == SB_VERT ? w.VScroll : w.HScroll;
  return (w.Style & BarStyle(bar)) && ScrollBarCanScroll(r) && r.Disabled != ESB_DISABLE_BOTH;
}

ScrollBarGeometry ComputeScrollBar(const WindowRec& w, int bar) {
  ScrollBarGeometry g;
  g.Vertical = bar == SB_VERT;
  g.Bar = BarRect(w, bar);
  if (g.Bar.IsEmpty()) return g;
  const int length = g.Length();
  g.Arrow = std::min(GetSystemMetrics(g.Vertical ? SM_CYVSCROLL : SM_CXHSCROLL), length / 2);
  if (!ScrollBarActive(w, bar)) return g;
  const ScrollBarRec& r = bar == SB_VERT ? w.VScroll : w.HScroll;
  const int track = length - 2 * g.Arrow;
  const int64_t span = int64_t(r.Max) - r.Min + 1;
  int thumb = r.Page ? int(int64_t(track) * r.Page / span) : GetSystemMetrics(g.Vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
  thumb = std::max(thumb, kMinThumb);
  if (thumb > track) return g;  // no room for a thumb: only the arrows work
  const int64_t pos = r.Tracking ? r.TrackPos : r.Pos;
  const int64_t offset = int64_t(track - thumb) * (pos - r.Min) / (MaxPos(r) - r.Min);
  g.ThumbStart = g.Arrow + int(std::clamp<int64_t>(offset, 0, track - thumb));
  g.ThumbEnd = g.ThumbStart + thumb;
  return g;
}

int ScrollPosAt(const WindowRec& w, int bar, int along) {
  const ScrollBarGeometry g = ComputeScrollBar(w, bar);
  const ScrollBarRec& r = bar == SB_VERT ? w.VScroll : w.HScroll;
  const int free = g.Length() - 2 * g.Arrow - (g.ThumbEnd - g.ThumbStart);
  if (g.ThumbEnd == 0 || free <= 0) return r.Min;
  const int64_t range = MaxPos(r) - r.Min;
  const int64_t offset = std::clamp(along - g.Arrow, 0, free);
  // Rounded to the nearest position, so the thumb lands where it is dropped.
  return int(r.Min + (offset * range + free / 2) / free);
}

RECT ScrollBarCorner(const WindowRec& w) {
  const RECT v = BarRect(w, SB_VERT);
  const RECT h = BarRect(w, SB_HORZ);
  if (v.IsEmpty() || h.IsEmpty()) return {};
  return {v.Left, h.Top, v.Right, h.Bottom};
}

ScrollPart ScrollPartAt(const ScrollBarGeometry& g, POINT p) {
  if (!g.Bar.Contains(p)) return SBP_NONE;
  const int at = g.Along(p);
  if (at < g.Arrow) return SBP_LINEUP;
  if (at >= g.Length() - g.Arrow) return SBP_LINEDOWN;
  if (g.ThumbEnd == 0) return SBP_NONE;
  if (at < g.ThumbStart) return SBP_PAGEUP;
  if (at < g.ThumbEnd) return SBP_THUMB;
  return SBP_PAGEDOWN;
}

void RemoveScrollBarArea(const WindowRec& w, RECT& rect) {
  if (w.Style & WS_VSCROLL) rect.Right = std::max(rect.Left, rect.Right - GetSystemMetrics(SM_CXVSCROLL));
  if (w.Style & WS_HSCROLL) rect.Bottom = std::max(rect.Top, rect.Bottom - GetSystemMetrics(SM_CYHSCROLL));
}

LRESULT ScrollBarHitTest(const WindowRec& w, POINT p) {
  if (BarRect(w, SB_VERT).Contains(p)) return HTVSCROLL;
  if (BarRect(w, SB_HORZ).Contains(p)) return HTHSCROLL;
  return HTNOWHERE;
}

void InvalidateScrollBar(WindowRec& w, int bar) {
  if (!(w.Style & WS_VISIBLE)) return;
  const RECT r = BarRect(w, bar);
  if (r.IsEmpty()) return;
  w.FrameUpdate = w.FrameUpdate.Union(Region(r));
  Sys().PaintMaybePending = true;
}

bool GetScrollBarInfo(HWND hwnd, LONG object, SCROLLBARINFO* info) {
  WindowRec* w = Win(hwnd);
  if (!w || !info || (object != OBJID_VSCROLL && object != OBJID_HSCROLL)) return false;
  const int bar = object == OBJID_VSCROLL ? SB_VERT : SB_HORZ;
  const ScrollBarRec& r = ScrollBarOf(*w, bar);
  const ScrollBarGeometry g = ComputeScrollBar(*w, bar);
  const POINT origin = ScreenWindowRect(*w).TopLeft();
  info->rcScrollBar = g.Bar.IsEmpty() ? RECT{} : g.Bar.Offsetted(origin.X, origin.Y);
  info->dxyLineButton = g.Arrow;
  info->xyThumbTop = g.ThumbStart;
  info->xyThumbBottom = g.ThumbEnd;
  std::fill(std::begin(info->rgstate), std::end(info->rgstate), 0);
  if (g.Bar.IsEmpty()) {
    info->rgstate[0] = STATE_SYSTEM_INVISIBLE;
    return true;
  }
  const bool active = ScrollBarActive(*w, bar);
  if (!active) info->rgstate[0] = STATE_SYSTEM_UNAVAILABLE;
  if (!active || (r.Disabled & ESB_DISABLE_LTUP)) info->rgstate[SBP_LINEUP] |= STATE_SYSTEM_UNAVAILABLE;
  if (!active || (r.Disabled & ESB_DISABLE_RTDN)) info->rgstate[SBP_LINEDOWN] |= STATE_SYSTEM_UNAVAILABLE;
  if (g.ThumbEnd == 0) {
    for (int part : {SBP_PAGEUP, SBP_THUMB, SBP_PAGEDOWN}) info->rgstate[part] |= STATE_SYSTEM_INVISIBLE;
  }
  if (r.Pressed != SBP_NONE) info->rgstate[r.Pressed] |= STATE_SYSTEM_PRESSED;
  return true;
}

}  // namespace kora

// The scroll bar calls: range, page and position of a window's standard
// bars, showing, hiding and disabling them.

#include <algorithm>
#include <cstdint>

#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

bool IsWindowBar(int bar) { return bar == SB_HORZ || bar == SB_VERT; }

// The page never exceeds the range, the position never leaves what the page allows.
void Normalize(ScrollBarRec& r) {
  const int64_t span = int64_t(r.Max) - r.Min + 1;
  if (int64_t(r.Page) > span) r.Page = UINT(span);
  const int64_t last = std::max<int64_t>(int64_t(r.Max) - std::max<int64_t>(int64_t(r.Page) - 1, 0), r.Min);
  r.Pos = int(std::clamp<int64_t>(r.Pos, r.Min, last));
}

DWORD StyleBits(int bar) {
  return bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : bar == SB_BOTH ? WS_VSCROLL | WS_HSCROLL : 0;
}

}  // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, bool redraw) {
  WindowRec* w = Win(hwnd);
  if (!w || !info || !IsWindowBar(bar)) return 0;
  ScrollBarRec& r = ScrollBarOf(*w, bar);
  // An inverted range is refused; the other fields still apply.
  if ((info->fMask & SIF_RANGE) && info->nMin <= info->nMax) {
    r.Min = info->nMin;
    r.Max = info->nMax;
  }
  if (info->fMask & SIF_PAGE) r.Page = info->nPage;
  if (info->fMask & SIF_POS) r.Pos = info->nPos;
  Normalize(r);
  const int pos = r.Pos;
  if (redraw) InvalidateScrollBar(*w, bar);
  if (!(info->fMask & (SIF_RANGE | SIF_PAGE))) return pos;

  // A new range or page decides whether the bar is needed at all.
  const bool needed = ScrollBarCanScroll(r);
  const bool keep = info->fMask & SIF_DISABLENOSCROLL;
  if (needed && r.Disabled == ESB_DISABLE_BOTH) EnableScrollBar(hwnd, UINT(bar), ESB_ENABLE_BOTH);
  if (!needed && keep) EnableScrollBar(hwnd, UINT(bar), ESB_DISABLE_BOTH);
  ShowScrollBar(hwnd, bar, needed || keep);
  return pos;
}

bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  WindowRec* w = Win(hwnd);
  if (!w || !info || !IsWindowBar(bar) || !(info->fMask & SIF_ALL)) return false;
  const ScrollBarRec& r = ScrollBarOf(*w, bar);
  if (info->fMask & SIF_RANGE) {
    info->nMin = r.Min;
    info->nMax = r.Max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = r.Page;
  if (info->fMask & SIF_POS) info->nPos = r.Pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = r.Tracking ? r.TrackPos : r.Pos;
  return true;
}

int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw) {
  WindowRec* w = Win(hwnd);
  if (!w || !IsWindowBar(bar)) return 0;
  const int old = ScrollBarOf(*w, bar).Pos;
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  WindowRec* w = Win(hwnd);
  return w && IsWindowBar(bar) ? ScrollBarOf(*w, bar).Pos : 0;
}

bool SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw) {
  if (!Win(hwnd) || !IsWindowBar(bar) || minPos > maxPos) return false;
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = minPos;
  si.nMax = maxPos;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return true;
}

bool GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
  WindowRec* w = Win(hwnd);
  if (!w || !IsWindowBar(bar) || !minPos || !maxPos) return false;
  *minPos = ScrollBarOf(*w, bar).Min;
  *maxPos = ScrollBarOf(*w, bar).Max;
  return true;
}

bool ShowScrollBar(HWND hwnd, int bar, bool show) {
  WindowRec* w = Win(hwnd);
  const DWORD bits = StyleBits(bar);
  if (!w || !bits) return false;
  const DWORD style = show ? (w->Style | bits) : (w->Style & ~bits);
  if (style == w->Style) return true;
  w->Style = style;
  // The client area grows or shrinks by the bar: the frame is recalculated.
  SetWindowPos(hwnd, {}, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return true;
}

bool EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  WindowRec* w = Win(hwnd);
  if (!w || !StyleBits(int(bar))) return false;
  bool changed = false;
  for (int one : {SB_HORZ, SB_VERT}) {
    if (bar != UINT(SB_BOTH) && UINT(one) != bar) continue;
    ScrollBarRec& r = ScrollBarOf(*w, one);
    if (r.Disabled == (arrows & ESB_DISABLE_BOTH)) continue;
    r.Disabled = arrows & ESB_DISABLE_BOTH;
    InvalidateScrollBar(*w, one);
    changed = true;
  }
  return changed;
}

}  // namespace kora

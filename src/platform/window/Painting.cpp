// Update regions, paint generation and BeginPaint/EndPaint.

#include "platform/window/Painting.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

RECT ClientBox(const WindowRec& w) { return RECT::FromSize(0, 0, w.Client.Width(), w.Client.Height()); }

// The window's frame (window minus client) in window coordinates.
Region FrameArea(const WindowRec& w) {
  const RECT box = RECT::FromSize(0, 0, w.Window.Width(), w.Window.Height());
  const RECT client = w.Client.Offsetted(-w.Window.Left, -w.Window.Top);
  return Region(box).Subtract(Region(client));
}

bool NeedsPaint(const WindowRec& w) { return !w.Update.IsEmpty() || !w.FrameUpdate.IsEmpty() || w.InternalPaint; }

HWND SearchPaint(HWND h, HWND filter) {
  WindowRec* w = Win(h);
  if (!w || !(w->Style & WS_VISIBLE)) return {};
  if (NeedsPaint(*w) && (!filter || h == filter || IsDescendant(filter, h))) return h;
  for (HWND c : w->Children) {
    if (HWND found = SearchPaint(c, filter)) return found;
  }
  return {};
}

void Validate(WindowRec& w, const Region* area, bool children) {
  if (area)
    w.Update = w.Update.Subtract(*area);
  else {
    w.Update.Clear();
    w.EraseNeeded = false;
    w.InternalPaint = false;
  }
  if (w.Update.IsEmpty()) w.EraseNeeded = false;
  if (!children) return;
  for (HWND c : w.Children) {
    WindowRec* cw = Win(c);
    if (!cw) continue;
    if (!area) {
      Validate(*cw, nullptr, true);
      continue;
    }
    Region sub = *area;
    sub.Offset(-cw->Client.Left, -cw->Client.Top);
    Validate(*cw, &sub, true);
  }
}

// Paints now what waits for paint in the window (and its children).
void PaintNow(HWND hwnd, bool children, bool eraseOnly) {
  WindowRec* w = Win(hwnd);
  if (!w || !IsReallyVisible(*w)) return;
  if (!w->FrameUpdate.IsEmpty()) SendNcPaint(hwnd);
  if (!(w = Win(hwnd))) return;
  if (eraseOnly) {
    if (w->EraseNeeded && !w->Update.IsEmpty()) {
      w->EraseNeeded = false;
      HDC dc = GetDCEx(hwnd, {}, 0);
      SendTo(*w, WM_ERASEBKGND, WPARAM(dc.Value()), 0);
      ReleaseDC(hwnd, dc);
    }
  } else if (!w->Update.IsEmpty() || w->InternalPaint) {
    SendTo(*w, WM_PAINT, 0, 0);
    FinishPaintDispatch(hwnd);
  }
  if (!children || !(w = Win(hwnd))) return;
  const std::vector<HWND> kids = w->Children;
  for (HWND c : kids) PaintNow(c, true, eraseOnly);
}

Region* RegionArg(HRGN region, bool* bad) {
  *bad = false;
  if (!region) return nullptr;
  Region* r = GetRegionObject(region);
  *bad = !r;
  return r;
}

}  // namespace

void InvalidateWindow(WindowRec& w, const Region* area, bool erase, bool frame, bool children) {
  if (!(w.Style & WS_VISIBLE) || w.NoRedraw) return;
  const Region add = area ? area->Intersect(ClientBox(w)) : Region(ClientBox(w));
  if (!add.IsEmpty()) {
    w.Update = w.Update.Union(add);
    if (erase) w.EraseNeeded = true;
    Sys().PaintMaybePending = true;
  }
  if (frame) {
    Region nc = FrameArea(w);
    if (area) {
      Region inWindow = *area;
      inWindow.Offset(w.Client.Left - w.Window.Left, w.Client.Top - w.Window.Top);
      nc = nc.Intersect(inWindow);
    }
    if (!nc.IsEmpty()) {
      w.FrameUpdate = w.FrameUpdate.Union(nc);
      Sys().PaintMaybePending = true;
    }
  }
  if (!children) return;
  for (HWND c : w.Children) {
    WindowRec* cw = Win(c);
    if (!cw) continue;
    if (!area) {
      InvalidateWindow(*cw, nullptr, erase, frame, true);
      continue;
    }
    if (!area->Intersects(cw->Window)) continue;
    Region sub = *area;
    sub.Offset(-cw->Client.Left, -cw->Client.Top);
    InvalidateWindow(*cw, &sub, erase, frame, true);
  }
}

void InvalidateFrame(WindowRec& w) {
  if (!(w.Style & WS_VISIBLE)) return;
  w.FrameUpdate = FrameArea(w);
  if (!w.FrameUpdate.IsEmpty()) Sys().PaintMaybePending = true;
}

HWND FindWindowToPaint(HWND filter) {
  auto& s = Sys();
  if (!s.PaintMaybePending) return {};
  for (HWND t : s.TopLevels) {
    if (HWND found = SearchPaint(t, filter)) return found;
  }
  if (!filter) s.PaintMaybePending = false;
  return {};
}

void SendNcPaint(HWND hwnd) {
  WindowRec* w = Win(hwnd);
  if (!w || w->FrameUpdate.IsEmpty()) return;
  Region area = std::move(w->FrameUpdate);
  w->FrameUpdate.Clear();
  if (area == FrameArea(*w)) {
    SendTo(*w, WM_NCPAINT, 1, 0);
    return;
  }
  const RECT screen = ScreenWindowRect(*w);
  area.Offset(screen.Left, screen.Top);
  const HRGN rgn = CreateRegionHandle(std::move(area));
  SendTo(*w, WM_NCPAINT, WPARAM(rgn.Value()), 0);
  DeleteObject(rgn);
}

void FinishPaintDispatch(HWND hwnd) {
  if (WindowRec* w = Win(hwnd); w && !w->FrameUpdate.IsEmpty()) SendNcPaint(hwnd);
  if (WindowRec* w = Win(hwnd)) Validate(*w, nullptr, false);
}

bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase) {
  return RedrawWindow(hwnd, rect, {}, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

bool UpdateWindow(HWND hwnd) { return RedrawWindow(hwnd, nullptr, {}, RDW_UPDATENOW | RDW_ALLCHILDREN); }

bool RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
  WindowRec* w = Win(hwnd);
  if (!w) return false;
  bool bad;
  const Region* given = RegionArg(region, &bad);
  if (bad) return false;
  std::optional<Region> area;
  if (given)
    area = *given;
  else if (rect)
    area = Region(*rect);
  const bool children = (flags & RDW_ALLCHILDREN) != 0;
  if (flags & RDW_INVALIDATE) {
    InvalidateWindow(*w, area ? &*area : nullptr, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0, children);
    if (flags & RDW_INTERNALPAINT) {
      w->InternalPaint = true;
      Sys().PaintMaybePending = true;
    }
  } else if (flags & RDW_VALIDATE) {
    Validate(*w, area ? &*area : nullptr, children);
    if (flags & RDW_NOFRAME) w->FrameUpdate.Clear();
    if (flags & RDW_NOINTERNALPAINT) w->InternalPaint = false;
  }
  if (flags & RDW_UPDATENOW)
    PaintNow(hwnd, children, false);
  else if (flags & RDW_ERASENOW)
    PaintNow(hwnd, children, true);
  return true;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  WindowRec* w = Win(hwnd);
  if (!w || !ps) return {};
  SendNcPaint(hwnd);
  if (!(w = Win(hwnd))) return {};
  Region area = w->Update.Intersect(ClientBox(*w));
  const bool erase = w->EraseNeeded;
  w->Update.Clear();
  w->EraseNeeded = false;
  w->InternalPaint = false;

  // Clipped to the update region: what is not invalid stays as it is.
  HDC dc = MakeWindowDC(*w, false, &area);
  if (!dc) return {};
  ps->hdc = dc;
  ps->rcPaint = area.Bounds();
  ps->fErase = false;
  if (erase) ps->fErase = SendTo(*w, WM_ERASEBKGND, WPARAM(dc.Value()), 0) == 0;
  return dc;
}

bool EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps) return false;
  return ReleaseDC(hwnd, ps->hdc) != 0;
}

}  // namespace kora

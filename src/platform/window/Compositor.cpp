// Window surfaces: every window draws into the pixels of its top-level
// window through a DC limited to its visible part; changed rectangles are
// collected per top-level window and handed to the backend.

#include <unordered_map>

#include "platform/window/Backend.h"
#include "platform/window/Painting.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

constexpr size_t kMaxDirtyRects = 32;

struct DcRecord {
  HWND Wnd;
  HWND Top;
  RECT Bounds;  // what the DC can reach, top-level window coordinates
};

std::unordered_map<uint64_t, DcRecord>& DcRecords() {
  static std::unordered_map<uint64_t, DcRecord> records;
  return records;
}

// What a child covers in its parent: its rectangle through its shape.
Region AreaInParent(const WindowRec& c, POINT parentClientOffset) {
  const RECT r = c.Window.Offsetted(parentClientOffset.X, parentClientOffset.Y);
  Region area(r);
  if (c.Shape) {
    Region shape = *c.Shape;
    shape.Offset(r.Left, r.Top);
    area = area.Intersect(shape);
  }
  return area;
}

POINT ClientInWindow(const WindowRec& w) { return w.Client.TopLeft() - w.Window.TopLeft(); }

}  // namespace

POINT OffsetInTopLevel(const WindowRec& w) {
  POINT p;
  for (const WindowRec* c = &w; c->Parent;) {
    const WindowRec* parent = Win(c->Parent);
    if (!parent) break;
    p = p + c->Window.TopLeft() + ClientInWindow(*parent);
    c = parent;
  }
  return p;
}

Region VisibleRegion(const WindowRec& w, bool clientOnly) {
  if (!IsReallyVisible(w)) return {};
  const POINT off = OffsetInTopLevel(w);
  const POINT clientOff = off + ClientInWindow(w);
  const RECT box = clientOnly ? RECT::FromSize(clientOff.X, clientOff.Y, w.Client.Width(), w.Client.Height())
                              : RECT::FromSize(off.X, off.Y, w.Window.Width(), w.Window.Height());
  Region vis(box);
  if (w.Shape) {
    Region shape = *w.Shape;
    shape.Offset(off.X, off.Y);
    vis = vis.Intersect(shape);
  }
  // Children are always clipped out.
  const RECT clientInParent = w.Client.Offsetted(-w.Client.Left, -w.Client.Top);
  for (HWND h : w.Children) {
    const WindowRec* c = Win(h);
    if (c && (c->Style & WS_VISIBLE) && c->Window.Intersects(clientInParent))
      vis = vis.Subtract(AreaInParent(*c, clientOff));
  }
  // Then every ancestor's client area and shape, and the siblings above
  // the window and above each ancestor.
  const WindowRec* cur = &w;
  POINT curOff = off;
  while (cur->Parent && !vis.IsEmpty()) {
    const WindowRec* parent = Win(cur->Parent);
    if (!parent) break;
    const POINT parentClientOff = curOff - cur->Window.TopLeft();
    const POINT parentOff = parentClientOff - ClientInWindow(*parent);
    for (HWND h : parent->Children) {
      if (h == cur->Handle) break;
      const WindowRec* sib = Win(h);
      if (sib && (sib->Style & WS_VISIBLE) && sib->Window.Intersects(cur->Window))
        vis = vis.Subtract(AreaInParent(*sib, parentClientOff));
    }
    vis = vis.Intersect(
        RECT::FromSize(parentClientOff.X, parentClientOff.Y, parent->Client.Width(), parent->Client.Height()));
    if (parent->Shape) {
      Region shape = *parent->Shape;
      shape.Offset(parentOff.X, parentOff.Y);
      vis = vis.Intersect(shape);
    }
    cur = parent;
    curOff = parentOff;
  }
  return vis;
}

HBITMAP SurfaceOf(WindowRec& top) {
  if (!top.Surface) {
    top.Surface = CreateCompatibleBitmap({}, std::max(top.Window.Width(), 1), std::max(top.Window.Height(), 1));
  }
  return top.Surface;
}

void DropSurface(WindowRec& top) {
  if (top.Surface) DeleteObject(top.Surface);
  top.Surface = {};
  top.Dirty.clear();
}

HDC MakeWindowDC(WindowRec& w, bool wholeWindow, const Region* clip) {
  WindowRec* top = Win(RootOf(w.Handle));
  if (!top) return {};
  const HBITMAP surface = SurfaceOf(*top);
  Region vis = VisibleRegion(w, !wholeWindow);
  const POINT off = OffsetInTopLevel(w);
  const POINT origin = wholeWindow ? off : off + ClientInWindow(w);
  if (clip) {
    Region c = *clip;
    c.Offset(origin.X, origin.Y);
    vis = vis.Intersect(c);
  }
  const HDC dc = CreateSurfaceDC(surface, origin, &vis);
  if (!dc) return {};
  SetDCOwnerTag(dc, uintptr_t(w.Handle.Value()));
  DcRecords()[dc.Value()] = DcRecord{w.Handle, top->Handle, vis.Bounds()};
  return dc;
}

HDC GetDC(HWND hwnd) {
  if (!hwnd) {
    // A scratch DC for measuring text and making compatible bitmaps.
    const HDC dc = CreateCompatibleDC({});
    if (dc) DcRecords()[dc.Value()] = DcRecord{};
    return dc;
  }
  return GetDCEx(hwnd, {}, 0);
}

HDC GetWindowDC(HWND hwnd) { return GetDCEx(hwnd, {}, DCX_WINDOW); }

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
  WindowRec* w = Win(hwnd);
  if (!w) return {};
  const Region* given = clip ? GetRegionObject(clip) : nullptr;
  if (!(flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) || !given) return MakeWindowDC(*w, flags & DCX_WINDOW, nullptr);
  // The region is in screen coordinates; the DC's are window or client ones.
  const RECT base = (flags & DCX_WINDOW) ? ScreenWindowRect(*w) : ScreenClientRect(*w);
  Region local = *given;
  local.Offset(-base.Left, -base.Top);
  if (flags & DCX_EXCLUDERGN) {
    local = Region(RECT::FromSize(0, 0, base.Width(), base.Height())).Subtract(local);
  }
  return MakeWindowDC(*w, flags & DCX_WINDOW, &local);
}

int ReleaseDC(HWND hwnd, HDC dc) {
  auto& records = DcRecords();
  auto it = records.find(dc.Value());
  // Only DCs handed out here are released: never a memory DC of the caller's.
  if (it == records.end() || it->second.Wnd != hwnd) return 0;
  if (WindowRec* top = Win(it->second.Top)) AddDirty(*top, it->second.Bounds);
  records.erase(it);
  DeleteDC(dc);
  return 1;
}

HWND WindowFromDC(HDC dc) {
  auto it = DcRecords().find(dc.Value());
  return it == DcRecords().end() ? HWND() : it->second.Wnd;
}

void AddDirty(WindowRec& top, const RECT& r) {
  const RECT clipped = r.Intersect(RECT::FromSize(0, 0, top.Window.Width(), top.Window.Height()));
  if (clipped.IsEmpty()) return;
  for (RECT& d : top.Dirty) {
    if (d.Contains(clipped)) return;
    if (clipped.Contains(d)) {
      d = clipped;
      return;
    }
  }
  if (top.Dirty.size() >= kMaxDirtyRects) {
    // Too many pieces: present their bounding box instead.
    RECT all = clipped;
    for (const RECT& d : top.Dirty) all = all.Union(d);
    top.Dirty.assign(1, all);
    return;
  }
  top.Dirty.push_back(clipped);
}

void PresentDirty() {
  auto& s = Sys();
  Backend* b = s.CurrentBackend;
  for (HWND t : s.TopLevels) {
    WindowRec* w = Win(t);
    if (!w || w->Dirty.empty()) continue;
    if (b && (w->Style & WS_VISIBLE)) b->Present(t, w->Dirty);
    w->Dirty.clear();
  }
}

bool GdiFlush() {
  PresentDirty();
  return true;
}

void ExposeArea(WindowRec& w, const RECT& oldWindowInParent) {
  WindowRec* parent = Win(w.Parent);
  if (!parent) return;
  const Region area(oldWindowInParent);
  InvalidateWindow(*parent, &area, true, true, true);
}

void NotifyBackend(HWND top) {
  if (Backend* b = Sys().CurrentBackend) b->WindowChanged(top);
}

void SetBackend(Backend* backend) {
  auto& s = Sys();
  s.CurrentBackend = backend;
  if (!backend) return;
  for (HWND t : TopLevelWindowsBottomUp()) backend->WindowChanged(t);
}

Backend* GetBackend() { return Sys().CurrentBackend; }

bool GetTopLevelInfo(HWND top, TopLevelInfo* info) {
  WindowRec* w = Win(top);
  if (!w || w->Parent || !info) return false;
  info->Wnd = top;
  info->Rect = w->Window;
  info->Visible = w->Style & WS_VISIBLE;
  info->Minimized = w->Style & WS_MINIMIZE;
  info->Topmost = w->ExStyle & WS_EX_TOPMOST;
  info->NoActivate = w->ExStyle & WS_EX_NOACTIVATE;
  info->ToolWindow = w->ExStyle & WS_EX_TOOLWINDOW;
  info->Alpha = (w->ExStyle & WS_EX_LAYERED) ? w->Alpha : 255;
  info->Shape = w->Shape ? &*w->Shape : nullptr;
  info->Pixels = w->Surface ? GetBitmapSurface(w->Surface) : PixelSurface{};
  info->Owner = w->Owner;
  return true;
}

std::vector<HWND> TopLevelWindowsBottomUp() {
  const auto& tops = Sys().TopLevels;
  return std::vector<HWND>(tops.rbegin(), tops.rend());
}

}  // namespace kora

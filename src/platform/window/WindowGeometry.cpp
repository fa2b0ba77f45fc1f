// Window and client rectangles, coordinate mapping, windows under a point,
// window shapes and opacity.

#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

bool PointInWindow(const WindowRec& w, POINT screen) {
  const RECT r = ScreenWindowRect(w);
  if (!r.Contains(screen)) return false;
  return !w.Shape || w.Shape->Contains(screen.X - r.Left, screen.Y - r.Top);
}

bool GetWindowRect(HWND hwnd, RECT* out) {
  WindowRec* w = Win(hwnd);
  if (!w || !out) return false;
  *out = ScreenWindowRect(*w);
  return true;
}

bool GetClientRect(HWND hwnd, RECT* out) {
  WindowRec* w = Win(hwnd);
  if (!w || !out) return false;
  *out = RECT::FromSize(0, 0, w->Client.Width(), w->Client.Height());
  return true;
}

bool ClientToScreen(HWND hwnd, POINT* p) {
  WindowRec* w = Win(hwnd);
  if (!w || !p) return false;
  *p = *p + ClientOrigin(*w);
  return true;
}

bool ScreenToClient(HWND hwnd, POINT* p) {
  WindowRec* w = Win(hwnd);
  if (!w || !p) return false;
  *p = *p - ClientOrigin(*w);
  return true;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  POINT a, b;
  if (from) {
    WindowRec* w = Win(from);
    if (!w) return 0;
    a = ClientOrigin(*w);
  }
  if (to) {
    WindowRec* w = Win(to);
    if (!w) return 0;
    b = ClientOrigin(*w);
  }
  const POINT d = a - b;
  for (UINT i = 0; points && i < count; ++i) points[i] = points[i] + d;
  return int(MAKELPARAM(d.X, d.Y));
}

int MapWindowPoints(HWND from, HWND to, RECT* rect) {
  if (!rect) return 0;
  POINT pts[2] = {rect->TopLeft(), rect->BottomRight()};
  const int r = MapWindowPoints(from, to, pts, 2);
  *rect = {pts[0].X, pts[0].Y, pts[1].X, pts[1].Y};
  return r;
}

namespace {

// The deepest visible, enabled window under the point in this list.
HWND DeepestAt(const std::vector<HWND>& list, POINT screen) {
  for (HWND h : list) {
    WindowRec* w = Win(h);
    if (!w || !(w->Style & WS_VISIBLE) || (w->Style & WS_DISABLED) || !PointInWindow(*w, screen)) continue;
    if (ScreenClientRect(*w).Contains(screen)) {
      if (HWND child = DeepestAt(w->Children, screen)) return child;
    }
    return h;
  }
  return {};
}

}  // namespace

HWND WindowFromPoint(POINT screen) { return DeepestAt(Sys().TopLevels, screen); }

HWND ChildWindowFromPointEx(HWND parent, POINT client, UINT flags) {
  WindowRec* p = Win(parent);
  if (!p) return {};
  const RECT bounds = p->Window.Offsetted(-p->Client.Left, -p->Client.Top);
  if (!bounds.Contains(client)) return {};
  const POINT screen = client + ClientOrigin(*p);
  for (HWND h : p->Children) {
    WindowRec* w = Win(h);
    if (!w || !PointInWindow(*w, screen)) continue;
    if ((flags & CWP_SKIPINVISIBLE) && !(w->Style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (w->Style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (w->ExStyle & WS_EX_TRANSPARENT)) continue;
    return h;
  }
  return parent;
}

int SetWindowRgn(HWND hwnd, HRGN region, bool /*redraw*/) {
  WindowRec* w = Win(hwnd);
  if (!w) return 0;
  const Region* shape = region ? GetRegionObject(region) : nullptr;
  if (region && !shape) return 0;
  const RECT oldWindow = w->Window;
  if (w->ShapeHandle && w->ShapeHandle != region) DeleteObject(w->ShapeHandle);
  w->ShapeHandle = region;
  if (shape)
    w->Shape = *shape;
  else
    w->Shape.reset();
  // Pixels outside the old shape were never painted: repaint whatever the
  // redraw flag says, so no stale surface shows through.
  if (w->Style & WS_VISIBLE) {
    if (!IsTopLevel(*w)) ExposeArea(*w, oldWindow);
    InvalidateWindow(*w, nullptr, true, true, true);
  }
  if (IsTopLevel(*w)) NotifyBackend(hwnd);
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
  WindowRec* w = Win(hwnd);
  Region* out = GetRegionObject(region);
  if (!w || !out || !w->Shape) return ERROR;
  *out = *w->Shape;
  return out->Type();
}

bool SetLayeredWindowAttributes(HWND hwnd, COLORREF /*key*/, uint8_t alpha, DWORD flags) {
  WindowRec* w = Win(hwnd);
  if (!w || !IsTopLevel(*w) || !(w->ExStyle & WS_EX_LAYERED)) return false;
  if (flags & LWA_ALPHA) w->Alpha = alpha;
  NotifyBackend(hwnd);
  return true;
}

bool GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, uint8_t* alpha, DWORD* flags) {
  WindowRec* w = Win(hwnd);
  if (!w || !(w->ExStyle & WS_EX_LAYERED)) return false;
  if (key) *key = 0;
  if (alpha) *alpha = w->Alpha;
  if (flags) *flags = LWA_ALPHA;
  return true;
}

}  // namespace kora

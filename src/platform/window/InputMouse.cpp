// Routing mouse events: capture, hit tests, activation, cursors,
// double-clicks and mouse-leave tracking.

#include <cstdlib>

#include "platform/window/Backend.h"
#include "platform/window/Input.h"
#include "platform/window/Screen.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

constexpr UINT kNcOffset = WM_MOUSEMOVE - WM_NCMOUSEMOVE;

struct Hit {
  HWND Wnd;
  LRESULT Code = HTNOWHERE;
};

// Candidates under the point: each window's descendants before the window
// itself, and both before the windows below, so HTTRANSPARENT passes the
// mouse on to what lies beneath.
void Candidates(const std::vector<HWND>& list, POINT pt, std::vector<HWND>& out) {
  for (HWND h : list) {
    WindowRec* w = Win(h);
    if (!w || !(w->Style & WS_VISIBLE) || !PointInWindow(*w, pt)) continue;
    if (!(w->Style & (WS_DISABLED | WS_MINIMIZE)) && ScreenClientRect(*w).Contains(pt))
      Candidates(w->Children, pt, out);
    out.push_back(h);
  }
}

Hit HitTest(POINT pt) {
  std::vector<HWND> list;
  Candidates(Sys().TopLevels, pt, list);
  for (HWND h : list) {
    WindowRec* w = Win(h);
    if (!w) continue;
    // A disabled window takes the click away from everything else.
    if (w->Style & WS_DISABLED) return {h, HTERROR};
    const LRESULT code = SendTo(*w, WM_NCHITTEST, 0, PointToLParam(pt));
    if (code != HTTRANSPARENT && Win(h)) return {h, code};
  }
  return {};
}

// Geometry only, for leave tracking while the mouse is captured.
Hit GeometryHit(POINT pt) {
  const HWND h = WindowFromPoint(pt);
  WindowRec* w = Win(h);
  if (!w) return {};
  return {h, ScreenClientRect(*w).Contains(pt) ? HTCLIENT : HTBORDER};
}

void CheckLeave(const Hit& real) {
  auto& m = Sys().Mouse;
  if (!m.TrackWnd) return;
  const bool nonClient = m.TrackFlags & TME_NONCLIENT;
  const bool inside = real.Wnd == m.TrackWnd && (nonClient ? real.Code != HTCLIENT : real.Code == HTCLIENT);
  if (inside) return;
  const HWND wnd = m.TrackWnd;
  m.TrackWnd = {};
  m.TrackFlags = 0;
  PostMessage(wnd, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

UINT ButtonMessage(int button, bool down) {
  const UINT base = button == MOUSE_RIGHT ? WM_RBUTTONDOWN : button == MOUSE_MIDDLE ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
  return down ? base : base + 1;
}

// Turns a press into a double-click when it repeats the last one closely
// enough in time and place; client double-clicks need CS_DBLCLKS.
UINT ApplyDoubleClick(UINT msg, const Hit& hit, POINT pt, DWORD time) {
  auto& m = Sys().Mouse;
  WindowRec* w = Win(hit.Wnd);
  const bool allowed = hit.Code != HTCLIENT || (w && (w->Class->Style & CS_DBLCLKS));
  const bool near = std::abs(pt.X - m.LastDownPt.X) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                    std::abs(pt.Y - m.LastDownPt.Y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  if (allowed && m.LastDownMsg == msg && m.LastDownWnd == hit.Wnd && near &&
      time - m.LastDownTime <= GetDoubleClickTime()) {
    m.LastDownMsg = 0;
    return msg + 2;
  }
  m.LastDownMsg = msg;
  m.LastDownWnd = hit.Wnd;
  m.LastDownTime = time;
  m.LastDownPt = pt;
  return msg;
}

void NotifyParentsOfClick(HWND hwnd, UINT msg, POINT pt) {
  for (WindowRec* w = Win(hwnd); w && (w->Style & WS_CHILD) && !(w->ExStyle & WS_EX_NOPARENTNOTIFY);) {
    WindowRec* parent = Win(w->Parent);
    if (!parent) return;
    const HWND next = parent->Handle;
    POINT p = pt - ClientOrigin(*parent);
    SendTo(*parent, WM_PARENTNOTIFY, WPARAM(msg), PointToLParam(p));
    w = Win(next);
  }
}

// WM_MOUSEACTIVATE and the activation it asks for; true when the click is eaten.
bool ClickActivation(const Hit& hit, UINT msg) {
  auto& s = Sys();
  const HWND top = RootOf(hit.Wnd);
  if (top == s.Active && s.AppActive) return false;
  WindowRec* w = Win(hit.Wnd);
  if (!w) return true;
  const LRESULT r = SendTo(*w, WM_MOUSEACTIVATE, WPARAM(top.Value()), MAKELPARAM(int(hit.Code), int(msg)));
  WindowRec* t = Win(top);
  if (r != MA_NOACTIVATE && r != MA_NOACTIVATEANDEAT && t && !(t->ExStyle & WS_EX_NOACTIVATE)) {
    // A click brings the whole application to the front: its windows hear
    // of it before the clicked one is activated.
    if (!s.AppActive) {
      s.Deactivated = {};
      RouteAppActivation(true);
    }
    if (!Win(top)) return true;
    ActivateWindow(top, true);
  }
  return r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
}

}  // namespace

bool RouteMouse(const RawInput& in, MSG& out) {
  auto& s = Sys();
  const POINT pt = in.Pt;
  if (in.Type == RawInput::ButtonDown) s.AltAlone = false;
  if (in.Type == RawInput::Wheel) {
    // The wheel turns what the pointer is over, as desktops do today, not a
    // focus the person may not be looking at; a window that takes no wheel
    // hands it to its parent (DefWindowProc). Over a disabled window it
    // does nothing.
    const Hit hit = Win(s.Capture) ? Hit{s.Capture, HTCLIENT} : HitTest(pt);
    if (!Win(hit.Wnd) || hit.Code == HTERROR) return false;
    const HWND target = hit.Wnd;
    out.hwnd = target;
    out.message = WM_MOUSEWHEEL;
    out.wParam = MAKEWPARAM(int(MouseKeyFlags()), in.Delta);
    out.lParam = PointToLParam(pt);
    return true;
  }

  // 1. The target: the capture window, else the hit-tested window under the point.
  Hit hit;
  const bool captured = Win(s.Capture) != nullptr;
  if (captured) {
    hit = {s.Capture, HTCLIENT};
    CheckLeave(GeometryHit(pt));
  } else {
    hit = HitTest(pt);
    CheckLeave(hit);
  }
  if (!Win(hit.Wnd)) return false;

  UINT msg = in.Type == RawInput::MouseMove ? WM_MOUSEMOVE : ButtonMessage(in.Button, in.Type == RawInput::ButtonDown);

  // 2. A disabled window gets only its cursor set; the click goes nowhere.
  if (hit.Code == HTERROR) {
    if (WindowRec* w = Win(hit.Wnd))
      SendTo(*w, WM_SETCURSOR, WPARAM(hit.Wnd.Value()), MAKELPARAM(int(HTERROR), int(msg)));
    return false;
  }

  // 3. Presses: double-clicks, activation, parent notification.
  const bool press = in.Type == RawInput::ButtonDown;
  if (press) {
    msg = ApplyDoubleClick(msg, hit, pt, DWORD(NowMs()));
    if (!captured && ClickActivation(hit, msg)) return false;
    if (!Win(hit.Wnd)) return false;
  }

  // 4. The cursor shape, unless the mouse is captured.
  if (!captured) {
    if (WindowRec* w = Win(hit.Wnd))
      SendTo(*w, WM_SETCURSOR, WPARAM(hit.Wnd.Value()), MAKELPARAM(int(hit.Code), int(msg)));
    if (!Win(hit.Wnd)) return false;
  }
  if (press && hit.Code == HTCLIENT) NotifyParentsOfClick(hit.Wnd, msg, pt);
  WindowRec* w = Win(hit.Wnd);
  if (!w) return false;

  // 5. Client messages carry client coordinates, the others screen ones and the hit code.
  out.hwnd = hit.Wnd;
  if (hit.Code == HTCLIENT) {
    out.message = msg;
    out.wParam = MouseKeyFlags();
    out.lParam = PointToLParam(pt - ClientOrigin(*w));
  } else {
    out.message = msg - kNcOffset;
    out.wParam = WPARAM(hit.Code);
    out.lParam = PointToLParam(pt);
  }
  return true;
}

bool TrackMouseEvent(TRACKMOUSEEVENT* tme) {
  if (!tme) return false;
  auto& m = Sys().Mouse;
  if (tme->dwFlags & TME_QUERY) {
    tme->dwFlags = m.TrackFlags;
    tme->hwndTrack = m.TrackWnd;
    return true;
  }
  if (tme->dwFlags & TME_CANCEL) {
    if (m.TrackWnd == tme->hwndTrack) {
      m.TrackWnd = {};
      m.TrackFlags = 0;
    }
    return true;
  }
  if (!Win(tme->hwndTrack) || !(tme->dwFlags & TME_LEAVE)) return false;
  m.TrackWnd = tme->hwndTrack;
  m.TrackFlags = tme->dwFlags & (TME_LEAVE | TME_NONCLIENT);
  // Already outside: the leave message comes at once.
  CheckLeave(GeometryHit(m.Pos));
  return true;
}

void RecheckMouseAfterLayout() {
  if (Sys().Mouse.TrackWnd) CheckLeave(GeometryHit(Sys().Mouse.Pos));
}

}  // namespace kora

// Keyboard focus, activation, capture and enabling.

#include "platform/window/Focus.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

bool CanActivate(const WindowRec& w) {
  return (w.Style & WS_VISIBLE) && !(w.Style & WS_DISABLED) && !(w.ExStyle & WS_EX_NOACTIVATE);
}

// Moves the focus without activating anything; WM_KILLFOCUS goes first.
HWND SetFocusWindow(HWND hwnd) {
  auto& s = Sys();
  const HWND old = s.Focus;
  if (old == hwnd) return old;
  s.Focus = hwnd;
  if (WindowRec* o = Win(old)) SendTo(*o, WM_KILLFOCUS, WPARAM(hwnd.Value()), 0);
  if (s.Focus != hwnd) return old;  // the handler moved the focus elsewhere
  if (WindowRec* n = Win(hwnd)) SendTo(*n, WM_SETFOCUS, WPARAM(old.Value()), 0);
  return old;
}

// Brings a top-level window to the top of its band without activating it.
void RaiseTopLevel(HWND hwnd) {
  auto& tops = Sys().TopLevels;
  WindowRec* w = Win(hwnd);
  if (!w) return;
  const bool topmost = w->ExStyle & WS_EX_TOPMOST;
  for (HWND t : tops) {
    WindowRec* r = Win(t);
    if (!r || (r->ExStyle & WS_EX_TOPMOST) != (topmost ? WS_EX_TOPMOST : 0)) continue;
    if (t == hwnd) return;  // already first of its band
    // Windows owned by this one may stay above it.
    if (r->Owner == hwnd) continue;
    break;
  }
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

bool ActivateWindow(HWND hwnd, bool byMouse) {
  auto& s = Sys();
  if (hwnd) {
    if (!Win(hwnd)) return false;
    hwnd = RootOf(hwnd);
  }
  const HWND prev = s.Active;
  if (hwnd == prev) return true;
  if (hwnd) RaiseTopLevel(hwnd);
  if (!Win(hwnd) && hwnd) return false;
  s.Active = hwnd;
  if (WindowRec* p = Win(prev)) {
    SendTo(*p, WM_NCACTIVATE, false, HwndToParam(hwnd));
    if ((p = Win(prev))) {
      SendTo(*p, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (p->Style & WS_MINIMIZE) != 0), HwndToParam(hwnd));
    }
  }
  if (s.Active != hwnd) return false;  // a handler activated something else
  if (WindowRec* n = Win(hwnd)) {
    SendTo(*n, WM_NCACTIVATE, true, HwndToParam(prev));
    if ((n = Win(hwnd))) {
      SendTo(*n, WM_ACTIVATE, MAKEWPARAM(byMouse ? WA_CLICKACTIVE : WA_ACTIVE, (n->Style & WS_MINIMIZE) != 0),
             HwndToParam(prev));
    }
  }
  // The new window's handlers usually placed the focus; if not, it goes to the window itself.
  if (s.Active == hwnd) {
    if (!hwnd)
      SetFocusWindow({});
    else if (RootOf(s.Focus) != hwnd && Win(hwnd) && !(Win(hwnd)->Style & WS_MINIMIZE))
      SetFocusWindow(hwnd);
  }
  return true;
}

void ActivateOtherWindow(HWND leaving) {
  auto& s = Sys();
  WindowRec* w = Win(leaving);
  HWND next;
  if (w) {
    WindowRec* owner = Win(w->Owner);
    if (owner && CanActivate(*owner) && !(owner->Style & WS_MINIMIZE)) next = owner->Handle;
  }
  if (!next) {
    for (HWND t : s.TopLevels) {
      WindowRec* r = Win(t);
      if (!r || t == leaving || r->Owner == leaving || !CanActivate(*r) || (r->Style & WS_MINIMIZE)) continue;
      next = t;
      break;
    }
  }
  ActivateWindow(next, false);
}

void ForgetWindowInFocus(HWND hwnd) {
  auto& s = Sys();
  if (s.Focus == hwnd) s.Focus = {};
  if (s.Active == hwnd) s.Active = {};
  if (s.Capture == hwnd) s.Capture = {};
  if (s.Deactivated == hwnd) s.Deactivated = {};
}

HWND SetFocus(HWND hwnd) {
  auto& s = Sys();
  if (!hwnd) return SetFocusWindow({});
  if (!Win(hwnd)) return {};
  if (hwnd == s.Focus) return hwnd;
  // Neither a disabled nor a minimized window (or ancestor) can have the focus.
  for (WindowRec* a = Win(hwnd); a; a = Win(a->Parent)) {
    if (a->Style & (WS_MINIMIZE | WS_DISABLED)) return {};
  }
  const HWND top = RootOf(hwnd);
  if (top != s.Active) {
    if (!ActivateWindow(top, false) || !Win(hwnd) || top != s.Active) return {};
  }
  return SetFocusWindow(hwnd);
}

HWND GetFocus() { return Sys().Focus; }

HWND SetActiveWindow(HWND hwnd) {
  const HWND prev = Sys().Active;
  if (hwnd && !Win(hwnd)) return {};
  return ActivateWindow(hwnd, false) ? prev : HWND();
}

HWND GetActiveWindow() { return Sys().Active; }

bool SetForegroundWindow(HWND hwnd) {
  if (!Win(hwnd)) return false;
  const HWND top = RootOf(hwnd);
  RaiseTopLevel(top);
  return ActivateWindow(top, false);
}

HWND SetCapture(HWND hwnd) {
  auto& s = Sys();
  const HWND old = s.Capture;
  if (hwnd && !Win(hwnd)) return {};
  if (old == hwnd) return old;
  s.Capture = hwnd;
  if (WindowRec* o = Win(old)) SendTo(*o, WM_CAPTURECHANGED, 0, HwndToParam(hwnd));
  return old;
}

bool ReleaseCapture() {
  auto& s = Sys();
  const HWND old = s.Capture;
  if (!old) return true;
  s.Capture = {};
  if (WindowRec* o = Win(old)) SendTo(*o, WM_CAPTURECHANGED, 0, 0);
  return true;
}

HWND GetCapture() { return Sys().Capture; }

bool EnableWindow(HWND hwnd, bool enable) {
  WindowRec* w = Win(hwnd);
  if (!w) return false;
  const bool wasDisabled = w->Style & WS_DISABLED;
  if (enable && wasDisabled) {
    w->Style &= ~WS_DISABLED;
    SendTo(*w, WM_ENABLE, true, 0);
  } else if (!enable && !wasDisabled) {
    SendTo(*w, WM_CANCELMODE, 0, 0);
    if (!(w = Win(hwnd))) return false;
    w->Style |= WS_DISABLED;
    auto& s = Sys();
    if (s.Focus == hwnd || IsChild(hwnd, s.Focus)) SetFocus({});
    if (s.Capture == hwnd || IsChild(hwnd, s.Capture)) ReleaseCapture();
    if ((w = Win(hwnd))) SendTo(*w, WM_ENABLE, false, 0);
  }
  return wasDisabled;
}

}  // namespace kora

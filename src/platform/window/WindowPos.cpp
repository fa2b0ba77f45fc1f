// Placing windows: SetWindowPos, ShowWindow, minimize, maximize, restore.

#include <algorithm>

#include "platform/window/Focus.h"
#include "platform/window/Painting.h"
#include "platform/window/Screen.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

constexpr int kMinimizedPos = -32000;

bool SpecialInsertAfter(HWND after) {
  return !after || after == HWND_BOTTOM || after == HWND_TOPMOST || after == HWND_NOTOPMOST;
}

// Windows owned by a raised window stay above it, as in the classic system.
void LiftOwnedWindows(HWND hwnd) {
  auto& tops = Sys().TopLevels;
  WindowRec* w = Win(hwnd);
  if (!w || w->Parent) return;
  const DWORD band = w->ExStyle & WS_EX_TOPMOST;
  std::vector<HWND> owned;
  for (HWND t : tops) {
    WindowRec* r = Win(t);
    if (r && r->Owner == hwnd && (r->ExStyle & WS_EX_TOPMOST) == band) owned.push_back(t);
  }
  if (owned.empty()) return;
  for (HWND o : owned) tops.erase(std::find(tops.begin(), tops.end(), o));
  auto at = std::find(tops.begin(), tops.end(), hwnd);
  tops.insert(at, owned.begin(), owned.end());
  for (HWND o : owned) LiftOwnedWindows(o);
}

void InvalidateAll(WindowRec& w) { InvalidateWindow(w, nullptr, true, true, true); }

RECT ParentClientArea(const WindowRec& w) {
  if (WindowRec* p = Win(w.Parent)) return RECT::FromSize(0, 0, p->Client.Width(), p->Client.Height());
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

}  // namespace

MINMAXINFO QueryMinMaxInfo(HWND hwnd) {
  MINMAXINFO mmi;
  WindowRec* w = Win(hwnd);
  if (!w) return mmi;
  const RECT area = ParentClientArea(*w);
  const RECT insets = DefaultFrameInsets(w->Style, w->ExStyle);
  // A maximized window hides its border (not its caption) beyond the work area.
  const int fx = insets.Left;
  const int fy = insets.Bottom;
  mmi.ptMaxSize = {area.Width() + 2 * fx, area.Height() + 2 * fy};
  mmi.ptMaxPosition = {area.Left - fx, area.Top - fy};
  mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  SendTo(*w, WM_GETMINMAXINFO, 0, ToLParam(&mmi));
  return mmi;
}

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowRec* w = Win(hwnd);
  if (!w) return false;
  if (!SpecialInsertAfter(insertAfter)) {
    WindowRec* a = Win(insertAfter);
    if (!a || a->Parent != w->Parent) flags |= SWP_NOZORDER;
  }
  const bool wasVisible = w->Style & WS_VISIBLE;
  if (wasVisible)
    flags &= ~SWP_SHOWWINDOW;
  else
    flags &= ~SWP_HIDEWINDOW;
  if ((flags & SWP_SHOWWINDOW) && (flags & SWP_HIDEWINDOW)) flags &= ~SWP_HIDEWINDOW;
  if (insertAfter == hwnd) flags |= SWP_NOZORDER;
  if (w->Parent && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)) insertAfter = HWND_TOP;

  WINDOWPOS wp{hwnd, insertAfter, x, y, std::max(cx, 0), std::max(cy, 0), flags};
  if (flags & SWP_NOMOVE) {
    wp.x = w->Window.Left;
    wp.y = w->Window.Top;
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = w->Window.Width();
    wp.cy = w->Window.Height();
  }
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendTo(*w, WM_WINDOWPOSCHANGING, 0, ToLParam(&wp));
    if (!(w = Win(hwnd))) return false;
  }
  wp.cx = std::max(wp.cx, 0);
  wp.cy = std::max(wp.cy, 0);
  if (wp.x == w->Window.Left && wp.y == w->Window.Top) wp.flags |= SWP_NOMOVE;
  if (wp.cx == w->Window.Width() && wp.cy == w->Window.Height()) wp.flags |= SWP_NOSIZE;

  const RECT oldWindow = w->Window;
  const RECT oldClient = w->Client;
  const RECT newWindow = RECT::FromSize(wp.x, wp.y, wp.cx, wp.cy);
  RECT newClient;
  if (!(wp.flags & SWP_NOSIZE) || (wp.flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS calc;
    calc.rgrc[0] = newWindow;
    calc.rgrc[1] = oldWindow;
    calc.rgrc[2] = oldClient;
    calc.lppos = &wp;
    SendTo(*w, WM_NCCALCSIZE, true, ToLParam(&calc));
    if (!(w = Win(hwnd))) return false;
    newClient = calc.rgrc[0];
    newClient.Right = std::max(newClient.Left, newClient.Right);
    newClient.Bottom = std::max(newClient.Top, newClient.Bottom);
  } else {
    newClient = oldClient.Offsetted(newWindow.Left - oldWindow.Left, newWindow.Top - oldWindow.Top);
  }
  if (newClient.Width() == oldClient.Width() && newClient.Height() == oldClient.Height()) wp.flags |= SWP_NOCLIENTSIZE;
  if (newClient.Left == oldClient.Left && newClient.Top == oldClient.Top) wp.flags |= SWP_NOCLIENTMOVE;

  w->Window = newWindow;
  w->Client = newClient;
  bool restacked = false;
  if (!(wp.flags & SWP_NOZORDER)) {
    const auto& list = SiblingList(*w);
    const std::vector<HWND> before = list;
    InsertIntoZOrder(hwnd, wp.hwndInsertAfter);
    if (!(wp.flags & SWP_NOOWNERZORDER)) LiftOwnedWindows(hwnd);
    restacked = before != SiblingList(*w);
  }
  if (wp.flags & SWP_SHOWWINDOW) w->Style |= WS_VISIBLE;
  if (wp.flags & SWP_HIDEWINDOW) w->Style &= ~WS_VISIBLE;

  const bool moved = !(wp.flags & SWP_NOMOVE);
  const bool sized = !(wp.flags & SWP_NOSIZE);
  if (IsTopLevel(*w)) {
    if (sized) DropSurface(*w);
    if (sized || (wp.flags & (SWP_SHOWWINDOW | SWP_FRAMECHANGED))) InvalidateAll(*w);
    NotifyBackend(hwnd);
  } else if (!(wp.flags & SWP_NOREDRAW)) {
    if (wasVisible && ((wp.flags & SWP_HIDEWINDOW) || moved || sized)) ExposeArea(*w, oldWindow);
    if ((w->Style & WS_VISIBLE) && (moved || sized || restacked || (wp.flags & (SWP_SHOWWINDOW | SWP_FRAMECHANGED))))
      InvalidateAll(*w);
  }

  if (wp.flags & SWP_HIDEWINDOW) {
    auto& s = Sys();
    if (s.Focus == hwnd || IsChild(hwnd, s.Focus)) {
      if (w->Parent)
        SetFocus(w->Parent);
      else if (s.Active != hwnd)
        SetFocus({});
    }
    if (s.Capture == hwnd || IsChild(hwnd, s.Capture)) ReleaseCapture();
    if (s.Active == hwnd) ActivateOtherWindow(hwnd);
    if (!(w = Win(hwnd))) return true;
  }

  // Activation comes before WM_WINDOWPOSCHANGED, as in the classic system.
  if (!(wp.flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) && IsTopLevel(*w) && (w->Style & WS_VISIBLE) &&
      !(w->ExStyle & WS_EX_NOACTIVATE)) {
    ActivateWindow(hwnd, false);
    if (!(w = Win(hwnd))) return true;
  }
  SendTo(*w, WM_WINDOWPOSCHANGED, 0, ToLParam(&wp));
  RecheckMouseAfterLayout();
  return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint) {
  return SetWindowPos(hwnd, {}, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

bool ShowWindow(HWND hwnd, int cmd) {
  WindowRec* w = Win(hwnd);
  if (!w) return false;
  const bool wasVisible = w->Style & WS_VISIBLE;
  const bool minimized = w->Style & WS_MINIMIZE;
  const bool maximized = w->Style & WS_MAXIMIZE;
  UINT swp = 0;
  bool show = true;
  std::optional<RECT> target;
  DWORD newState = w->Style & (WS_MINIMIZE | WS_MAXIMIZE);

  auto rememberNormal = [&] {
    if (!minimized && !maximized) w->NormalRect = w->Window;
  };
  switch (cmd) {
    case SW_HIDE:
      if (!wasVisible) return false;
      show = false;
      swp = SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE;
      if (hwnd != Sys().Active) swp |= SWP_NOACTIVATE | SWP_NOZORDER;
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_SHOWMINIMIZED:
      swp = SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_STATECHANGED;
      if (cmd != SW_SHOWMINIMIZED) swp |= SWP_NOACTIVATE;
      if (!minimized) {
        rememberNormal();
        w->RestoreMaximized = maximized;
        newState = WS_MINIMIZE;
        target = RECT::FromSize(kMinimizedPos, kMinimizedPos, GetSystemMetrics(SM_CXMINIMIZED),
                                GetSystemMetrics(SM_CYMINIMIZED));
      } else {
        swp |= SWP_NOSIZE | SWP_NOMOVE;
      }
      break;
    case SW_SHOWMAXIMIZED:
      swp = SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_STATECHANGED;
      if (!maximized) {
        rememberNormal();
        newState = WS_MAXIMIZE;
      }
      break;
    case SW_SHOWNA: swp = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE; break;
    case SW_SHOW: swp = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE; break;
    case SW_SHOWNOACTIVATE:
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
      swp = SWP_SHOWWINDOW;
      if (cmd == SW_SHOWNOACTIVATE) swp |= SWP_NOACTIVATE | SWP_NOZORDER;
      if (minimized && w->RestoreMaximized && cmd == SW_RESTORE) {
        newState = WS_MAXIMIZE;
        swp |= SWP_FRAMECHANGED | SWP_STATECHANGED;
      } else if (minimized || maximized) {
        newState = 0;
        target = w->NormalRect;
        swp |= SWP_FRAMECHANGED | SWP_STATECHANGED;
      } else {
        swp |= SWP_NOSIZE | SWP_NOMOVE;
      }
      break;
    default: return wasVisible;
  }
  if (newState == WS_MAXIMIZE && !maximized) {
    w->Style = (w->Style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | WS_MAXIMIZE;
    const MINMAXINFO mmi = QueryMinMaxInfo(hwnd);
    if (!(w = Win(hwnd))) return wasVisible;
    target = RECT::FromSize(mmi.ptMaxPosition.X, mmi.ptMaxPosition.Y, mmi.ptMaxSize.X, mmi.ptMaxSize.Y);
  }
  w->Style = (w->Style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | newState;
  if ((w->Style & WS_CHILD) || (w->ExStyle & WS_EX_NOACTIVATE)) swp |= SWP_NOACTIVATE;
  if (w->Style & WS_CHILD) swp |= SWP_NOZORDER;

  if (show != wasVisible) {
    SendTo(*w, WM_SHOWWINDOW, show, 0);
    if (!(w = Win(hwnd))) return wasVisible;
  }
  const RECT r = target.value_or(w->Window);
  if (!target) swp |= SWP_NOMOVE | SWP_NOSIZE;
  SetWindowPos(hwnd, HWND_TOP, r.Left, r.Top, r.Width(), r.Height(), swp);
  if ((w = Win(hwnd)) && (w->Style & WS_MINIMIZE) && Sys().Active == hwnd) ActivateOtherWindow(hwnd);
  return wasVisible;
}

bool GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* out) {
  WindowRec* w = Win(hwnd);
  if (!w || !out) return false;
  const bool iconic = w->Style & WS_MINIMIZE;
  const bool zoomed = w->Style & WS_MAXIMIZE;
  out->showCmd = iconic ? SW_SHOWMINIMIZED : zoomed ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  out->rcNormalPosition = (iconic || zoomed) ? w->NormalRect : w->Window;
  out->ptMinPosition = {kMinimizedPos, kMinimizedPos};
  out->ptMaxPosition = zoomed ? w->Window.TopLeft() : POINT{-1, -1};
  return true;
}

}  // namespace kora

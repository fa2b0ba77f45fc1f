// Creating and destroying windows.

#include <algorithm>

#include "platform/window/Screen.h"
#include "platform/window/Timers.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

void SendParentNotify(HWND hwnd, UINT event) {
  for (WindowRec* w = Win(hwnd); w && (w->Style & WS_CHILD) && !(w->ExStyle & WS_EX_NOPARENTNOTIFY);) {
    WindowRec* parent = Win(w->Parent);
    if (!parent) break;
    const HWND next = parent->Handle;
    SendTo(*parent, WM_PARENTNOTIFY, MAKEWPARAM(int(event), int(Win(hwnd) ? Win(hwnd)->Id : 0)), HwndToParam(hwnd));
    w = Win(next);
  }
}

// Cascades new overlapped windows over the work area as the classic system does.
RECT DefaultOverlappedRect(int x, int y, int width, int height) {
  static int cascade = 0;
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  if (x == CW_USEDEFAULT) {
    const int step = 26 * (cascade++ % 8);
    x = work.Left + step;
    y = work.Top + step;
  }
  if (width == CW_USEDEFAULT) {
    width = work.Width() * 3 / 4;
    height = work.Height() * 3 / 4;
  }
  return RECT::FromSize(x, y, width, height);
}

void ApplyTrackLimits(WindowRec& w) {
  MINMAXINFO mmi;
  mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  const HWND h = w.Handle;
  SendTo(w, WM_GETMINMAXINFO, 0, ToLParam(&mmi));
  WindowRec* r = Win(h);
  if (!r) return;
  const int cx =
      std::clamp(r->Window.Width(), std::min(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X), mmi.ptMaxTrackSize.X);
  const int cy =
      std::clamp(r->Window.Height(), std::min(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y), mmi.ptMaxTrackSize.Y);
  r->Window.Right = r->Window.Left + cx;
  r->Window.Bottom = r->Window.Top + cy;
  r->Client = r->Window;
}

// WM_DESTROY goes to the window before its children, as in the classic system.
void SendDestroyMessages(HWND hwnd) {
  auto& s = Sys();
  if (hwnd == s.Capture) ReleaseCapture();
  WindowRec* w = Win(hwnd);
  if (!w) return;
  SendTo(*w, WM_DESTROY, 0, 0);
  w = Win(hwnd);
  if (!w) return;
  const std::vector<HWND> children = w->Children;
  for (HWND c : children) SendDestroyMessages(c);
}

// WM_NCDESTROY goes to the children first; then the window leaves the table.
void FreeWindowTree(HWND hwnd) {
  WindowRec* w = Win(hwnd);
  if (!w) return;
  const std::vector<HWND> children = w->Children;
  for (HWND c : children) FreeWindowTree(c);
  w = Win(hwnd);
  if (!w) return;
  SendTo(*w, WM_NCDESTROY, 0, 0);
  w = Win(hwnd);
  if (!w) return;
  KillWindowTimers(hwnd);
  PurgePostedMessages(hwnd);
  ForgetWindowInInput(hwnd);
  ForgetWindowInFocus(hwnd);
  if (w->ShapeHandle) DeleteObject(w->ShapeHandle);
  const bool topLevel = IsTopLevel(*w);
  if (topLevel) DropSurface(*w);
  RemoveFromZOrder(hwnd);
  FreeWindow(hwnd);
  if (topLevel) NotifyBackend(hwnd);
}

}  // namespace

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, UINT_PTR id, void* param) {
  auto& s = Sys();
  if (!className) return {};
  auto cls = s.Classes.find(std::string_view(className));
  if (cls == s.Classes.end()) return {};
  if (parent && !Win(parent)) return {};
  if ((style & WS_CHILD) && !parent) return {};

  auto rec = std::make_unique<WindowRec>();
  rec->Class = cls->second;
  rec->Proc = cls->second->Proc;
  if (style & WS_CHILD) {
    rec->Parent = parent;
    rec->Id = id;
  } else {
    rec->Owner = parent ? RootOf(parent) : HWND();
    if (!(style & WS_POPUP)) {
      // Overlapped windows always have a caption.
      style |= WS_CLIPSIBLINGS | WS_CAPTION;
      exStyle |= WS_EX_WINDOWEDGE;
    }
  }
  const DWORD requested = style;
  rec->Style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  rec->ExStyle = exStyle;
  rec->Text = windowName ? windowName : "";
  rec->IconBig = cls->second->Icon;
  rec->IconSmall = cls->second->IconSmall;

  if (!(style & (WS_CHILD | WS_POPUP))) {
    rec->Window = DefaultOverlappedRect(x, y, width, height);
  } else {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = height = 0;
    rec->Window = RECT::FromSize(x, y, std::max(width, 0), std::max(height, 0));
  }
  rec->Client = rec->Window;
  rec->NormalRect = rec->Window;

  const HWND hwnd = AllocateWindow(std::move(rec));
  WindowRec* w = Win(hwnd);
  InsertIntoZOrder(hwnd, (exStyle & WS_EX_TOPMOST) && !(style & WS_CHILD) ? HWND_TOPMOST : HWND_TOP);
  if (IsTopLevel(*w)) NotifyBackend(hwnd);

  if ((style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD))) ApplyTrackLimits(*w);
  if (!(w = Win(hwnd))) return {};

  CREATESTRUCT cs;
  cs.lpCreateParams = param;
  cs.hMenu = id;
  cs.hwndParent = parent;
  cs.x = w->Window.Left;
  cs.y = w->Window.Top;
  cs.cx = w->Window.Width();
  cs.cy = w->Window.Height();
  cs.style = LONG(requested);
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;

  if (!SendTo(*w, WM_NCCREATE, 0, ToLParam(&cs))) {
    if (Win(hwnd)) FreeWindowTree(hwnd);
    return {};
  }
  if (!(w = Win(hwnd))) return {};
  NCCALCSIZE_PARAMS calc;
  calc.rgrc[0] = w->Window;
  SendTo(*w, WM_NCCALCSIZE, 0, ToLParam(&calc.rgrc[0]));
  if (!(w = Win(hwnd))) return {};
  w->Client = calc.rgrc[0];
  w->Client.Right = std::max(w->Client.Left, w->Client.Right);
  w->Client.Bottom = std::max(w->Client.Top, w->Client.Bottom);

  if (SendTo(*w, WM_CREATE, 0, ToLParam(&cs)) == -1) {
    DestroyWindow(hwnd);
    return {};
  }
  if (!(w = Win(hwnd))) return {};
  SendTo(*w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->Client.Width(), w->Client.Height()));
  if (!(w = Win(hwnd))) return {};
  SendTo(*w, WM_MOVE, 0, MAKELPARAM(w->Client.Left, w->Client.Top));
  if (!Win(hwnd)) return {};
  SendParentNotify(hwnd, WM_CREATE);
  if (!Win(hwnd)) return {};

  if (requested & WS_MAXIMIZE)
    ShowWindow(hwnd, (requested & WS_VISIBLE) ? SW_SHOWMAXIMIZED : SW_MAXIMIZE);
  else if (requested & WS_MINIMIZE)
    ShowWindow(hwnd, (requested & WS_VISIBLE) ? SW_SHOWMINIMIZED : SW_MINIMIZE);
  else if (requested & WS_VISIBLE)
    ShowWindow(hwnd, SW_SHOW);
  return Win(hwnd) ? hwnd : HWND();
}

bool DestroyWindow(HWND hwnd) {
  WindowRec* w = Win(hwnd);
  if (!w) return false;
  if (w->Destroying) return true;
  w->Destroying = true;

  if (w->Style & WS_CHILD) SendParentNotify(hwnd, WM_DESTROY);
  if (!(w = Win(hwnd))) return true;
  if (w->Style & WS_VISIBLE) {
    SetWindowPos(hwnd, {}, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (Sys().Active == hwnd ? 0 : SWP_NOACTIVATE));
  }
  if (!(w = Win(hwnd))) return true;
  if (IsTopLevel(*w)) {
    // Owned windows go first.
    std::vector<HWND> owned;
    for (HWND t : Sys().TopLevels) {
      WindowRec* o = Win(t);
      if (o && o->Owner == hwnd) owned.push_back(t);
    }
    for (HWND o : owned) DestroyWindow(o);
    if (Sys().Active == hwnd) ActivateOtherWindow(hwnd);
  }
  if (!Win(hwnd)) return true;
  SendDestroyMessages(hwnd);
  FreeWindowTree(hwnd);
  return true;
}

}  // namespace kora

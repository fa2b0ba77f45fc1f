// The system move/size loop and caption-button tracking: nested message
// loops driven by the mouse while the window holds the capture.

#include <algorithm>

#include "platform/window/Focus.h"
#include "platform/window/Input.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

constexpr int kKeyStep = 8;

RECT ResizedRect(const RECT& orig, int edge, POINT d, const MINMAXINFO& mmi) {
  RECT r = orig;
  const bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
  const bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
  const bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
  const bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
  if (left) r.Left += d.X;
  if (right) r.Right += d.X;
  if (top) r.Top += d.Y;
  if (bottom) r.Bottom += d.Y;
  const int cx = std::clamp(r.Width(), std::min(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X), mmi.ptMaxTrackSize.X);
  const int cy = std::clamp(r.Height(), std::min(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y), mmi.ptMaxTrackSize.Y);
  if (left)
    r.Left = r.Right - cx;
  else
    r.Right = r.Left + cx;
  if (top)
    r.Top = r.Bottom - cy;
  else
    r.Bottom = r.Top + cy;
  return r;
}

// Places the window at a screen rectangle.
void PlaceAt(HWND hwnd, const RECT& screen, POINT parentOrigin, bool sizeToo) {
  SetWindowPos(hwnd, {}, screen.Left - parentOrigin.X, screen.Top - parentOrigin.Y, screen.Width(), screen.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | (sizeToo ? 0 : SWP_NOSIZE));
}

bool IsLoopMouse(UINT m) {
  return m == WM_MOUSEMOVE || m == WM_NCMOUSEMOVE || m == WM_LBUTTONUP || m == WM_NCLBUTTONUP;
}

}  // namespace

void RunMoveSizeLoop(HWND hwnd, WPARAM command) {
  WindowRec* w = Win(hwnd);
  if (!w || !IsReallyVisible(*w)) return;
  const bool moving = (command & 0xFFF0) == SC_MOVE;
  const int edge = moving ? 0 : int(command & 0x0F);
  const bool byMouse = (command & 0x0F) != 0;
  if (moving && (w->Style & WS_MAXIMIZE)) return;
  if (!moving && (edge < int(WMSZ_LEFT) || edge > int(WMSZ_BOTTOMRIGHT))) return;
  if (byMouse && GetKeyState(int(VK_LBUTTON)) >= 0) return;  // the button is up already: a click, not a drag

  // Where the drag began: the press that led here (the message just
  // retrieved), also when the command is sent with lParam 0 after
  // ReleaseCapture, as programs dragging borderless windows do.
  POINT start;
  if (byMouse)
    start = LParamToPoint(LPARAM(int32_t(GetMessagePos())));
  else
    GetCursorPos(&start);
  const RECT origScreen = ScreenWindowRect(*w);
  const POINT parentOrigin = origScreen.TopLeft() - w->Window.TopLeft();
  const MINMAXINFO mmi = QueryMinMaxInfo(hwnd);
  bool full = true;
  SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);

  SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  if (!Win(hwnd)) return;
  SetCapture(hwnd);
  RECT current = origScreen;
  POINT pointer = start;
  bool cancelled = false;
  bool done = false;
  while (!done && Win(hwnd) && GetCapture() == hwnd) {
    MSG msg;
    if (!GetMessage(&msg, {}, 0, 0)) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.hwnd == hwnd && IsLoopMouse(msg.message)) {
      // The release ends the drag where it happened, which may be past the last motion.
      done = msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP;
      if (msg.pt == pointer) continue;
      pointer = msg.pt;
      const POINT d = pointer - start;
      RECT proposed = moving ? origScreen.Offsetted(d.X, d.Y) : ResizedRect(origScreen, edge, d, mmi);
      // The handler may change the proposed rectangle; the window follows its answer.
      SendMessage(hwnd, moving ? WM_MOVING : WM_SIZING, WPARAM(edge), ToLParam(&proposed));
      if (!Win(hwnd)) return;
      current = proposed;
      if (full) PlaceAt(hwnd, current, parentOrigin, !moving);
      continue;
    }
    if (msg.hwnd == hwnd && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
      switch (msg.wParam) {
        case VK_ESCAPE: cancelled = done = true; break;
        case VK_RETURN: done = true; break;
        case VK_LEFT: SetCursorPos(pointer.X - kKeyStep, pointer.Y); break;
        case VK_RIGHT: SetCursorPos(pointer.X + kKeyStep, pointer.Y); break;
        case VK_UP: SetCursorPos(pointer.X, pointer.Y - kKeyStep); break;
        case VK_DOWN: SetCursorPos(pointer.X, pointer.Y + kKeyStep); break;
        default: break;
      }
      continue;
    }
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
    ProcessMessage(msg);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  if (!Win(hwnd)) return;
  // Escape puts the window back where it was, dragged in full or not.
  if (cancelled)
    PlaceAt(hwnd, origScreen, parentOrigin, !moving);
  else if (!full)
    PlaceAt(hwnd, current, parentOrigin, !moving);
  if (Win(hwnd)) SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

bool TrackCaptionButton(HWND hwnd, LRESULT hit) {
  WindowRec* w = Win(hwnd);
  if (!w || GetKeyState(int(VK_LBUTTON)) >= 0) return false;
  auto press = [&](bool down) {
    if (WindowRec* r = Win(hwnd)) {
      r->PressedButton = down ? hit : 0;
      InvalidateFrame(*r);
      SendNcPaint(hwnd);
    }
  };
  SetCapture(hwnd);
  bool inside = true;
  press(true);
  while (Win(hwnd) && GetCapture() == hwnd) {
    MSG msg;
    if (!GetMessage(&msg, {}, 0, 0)) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.hwnd == hwnd && msg.message == WM_MOUSEMOVE) {
      WindowRec* r = Win(hwnd);
      const bool now = r && DefaultHitTest(*r, msg.pt) == hit;
      if (now != inside) press(inside = now);
      continue;
    }
    if (msg.hwnd == hwnd && msg.message == WM_LBUTTONUP) break;
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
    ProcessMessage(msg);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  press(false);
  return inside && Win(hwnd);
}

}  // namespace kora

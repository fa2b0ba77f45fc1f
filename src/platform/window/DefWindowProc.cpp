// The default window procedure: text, closing, erasing, cursors,
// activation, placement messages, system commands and system keys. The
// frame's messages are in DefWindowProc_NonClient.cpp.

#include <algorithm>

#include "platform/window/Cursor.h"
#include "platform/window/Focus.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Painting.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

bool KeyDown(UINT vk) { return (Sys().Keys[vk & 0xFF] & 0x80) != 0; }

// Copies at most size - 1 bytes without cutting a character in two.
LRESULT CopyText(const std::string& text, WPARAM size, LPARAM buffer) {
  char* out = FromLParam<char>(buffer);
  if (!out || size == 0) return 0;
  size_t n = std::min<size_t>(text.size(), size - 1);
  while (n > 0 && n < text.size() && (uint8_t(text[n]) & 0xC0) == 0x80) --n;
  text.copy(out, n);
  out[n] = 0;
  return LRESULT(n);
}

LRESULT DefSetCursor(WindowRec& w, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = w.Handle;
  const int hit = int16_t(LOWORD(uintptr_t(lParam)));
  // Parents first, except over a child's own sizing border.
  if ((w.Style & WS_CHILD) && (hit < HTLEFT || hit > HTBOTTOMRIGHT)) {
    if (SendMessage(w.Parent, WM_SETCURSOR, wParam, lParam)) return true;
  }
  WindowRec* self = Win(hwnd);
  if (!self || ParamToHwnd(wParam) != hwnd) return false;  // only for the window under the mouse
  int id = IDC_ARROW;
  switch (hit) {
    case HTCLIENT:
      if (self->Class->Cursor) {
        SetCursor(self->Class->Cursor);
        return true;
      }
      return false;
    case HTLEFT:
    case HTRIGHT: id = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: id = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: id = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: id = IDC_SIZENESW; break;
    default: break;
  }
  SetCursor(LoadCursor(nullptr, id));
  return true;
}

// Keeps a sizable window within its tracking limits.
void ClampWindowPos(WindowRec& w, WINDOWPOS* wp) {
  if (!wp || (wp->flags & SWP_NOSIZE)) return;
  if (!(w.Style & WS_THICKFRAME) && (w.Style & (WS_POPUP | WS_CHILD))) return;
  if (w.Style & (WS_MINIMIZE | WS_MAXIMIZE)) return;
  const MINMAXINFO mmi = QueryMinMaxInfo(w.Handle);
  wp->cx = std::clamp(wp->cx, std::min(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X), mmi.ptMaxTrackSize.X);
  wp->cy = std::clamp(wp->cy, std::min(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y), mmi.ptMaxTrackSize.Y);
}

void DefPosChanged(WindowRec& w, const WINDOWPOS* wp) {
  if (!wp) return;
  const HWND hwnd = w.Handle;
  if (!(wp->flags & SWP_NOCLIENTMOVE)) SendTo(w, WM_MOVE, 0, MAKELPARAM(w.Client.Left, w.Client.Top));
  WindowRec* r = Win(hwnd);
  if (!r) return;
  if (!(wp->flags & SWP_NOCLIENTSIZE) || (wp->flags & SWP_STATECHANGED)) {
    const WPARAM type = (r->Style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                        : (r->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                   : SIZE_RESTORED;
    SendTo(*r, WM_SIZE, type, MAKELPARAM(r->Client.Width(), r->Client.Height()));
  }
}

LRESULT DefSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  switch (wParam & 0xFFF0) {
    case SC_VSCROLL:
    case SC_HSCROLL:
      TrackScrollBar(hwnd, (wParam & 0xFFF0) == SC_VSCROLL ? SB_VERT : SB_HORZ, LParamToPoint(lParam));
      break;
    case SC_MOVE:
    case SC_SIZE: RunMoveSizeLoop(hwnd, wParam); break;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
    case SC_CLOSE: SendMessage(hwnd, WM_CLOSE, 0, 0); break;
    default: break;  // no menus of the system's own
  }
  return 0;
}

LRESULT DefSysKey(HWND hwnd, UINT msg, WPARAM wParam) {
  const HWND top = RootOf(hwnd);
  auto& s = Sys();
  if (msg == WM_SYSKEYDOWN && wParam == VK_F4 && KeyDown(VK_MENU)) {
    WindowRec* t = Win(top);
    if (t && !(t->Class->Style & CS_NOCLOSE)) PostMessage(top, WM_SYSCOMMAND, SC_CLOSE, 0);
  } else if (msg == WM_SYSKEYUP && (wParam == VK_MENU || wParam == VK_F10)) {
    const bool tapped = wParam == VK_F10 || s.AltTapped;
    s.AltTapped = false;
    if (tapped) SendMessage(top, WM_SYSCOMMAND, SC_KEYMENU, 0);
  } else if (msg == WM_SYSCHAR) {
    SendMessage(top, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
  }
  return 0;
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowRec* w = Win(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: return true;
    case WM_NCCALCSIZE: DefaultCalcSize(*w, FromLParam<RECT>(lParam)); return 0;
    case WM_NCHITTEST: return DefaultHitTest(*w, LParamToPoint(lParam));
    case WM_NCPAINT:
      PaintDefaultFrame(hwnd, wParam);
      PaintScrollBars(hwnd, wParam);
      return 0;
    case WM_NCACTIVATE:
      w->FrameActive = wParam != 0;
      InvalidateFrame(*w);
      return true;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONUP: return DefNcMouse(hwnd, msg, wParam, lParam);
    case WM_RBUTTONUP: {
      POINT p = LParamToPoint(lParam);
      ClientToScreen(hwnd, &p);
      SendMessage(hwnd, WM_CONTEXTMENU, WPARAM(hwnd.Value()), PointToLParam(p));
      return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
      if (w->Style & WS_CHILD) return SendMessage(w->Parent, msg, wParam, lParam);
      return 0;
    case WM_SETTEXT:
      w->Text = lParam ? FromLParam<const char>(lParam) : "";
      if (HasDefaultCaption(w->Style)) InvalidateFrame(*w);
      return true;
    case WM_GETTEXT: return CopyText(w->Text, wParam, lParam);
    case WM_GETTEXTLENGTH: return LRESULT(w->Text.size());
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SETREDRAW:
      // While off, invalidating collects nothing; the window stays on screen.
      w->NoRedraw = wParam == 0;
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      const HBRUSH brush = w->Class->Background;
      if (!brush) return 0;
      RECT rc;
      GetClientRect(hwnd, &rc);
      FillRect(HDC(uint64_t(wParam)), &rc, brush);
      return 1;
    }
    case WM_SETCURSOR: return DefSetCursor(*w, wParam, lParam);
    case WM_MOUSEACTIVATE:
      if (w->Style & WS_CHILD) {
        if (const LRESULT r = SendMessage(w->Parent, WM_MOUSEACTIVATE, wParam, lParam)) return r;
      }
      return MA_ACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !(w->Style & WS_MINIMIZE)) SetFocus(hwnd);
      return 0;
    case WM_WINDOWPOSCHANGING: ClampWindowPos(*w, FromLParam<WINDOWPOS>(lParam)); return 0;
    case WM_WINDOWPOSCHANGED: DefPosChanged(*w, FromLParam<WINDOWPOS>(lParam)); return 0;
    case WM_SYSCOMMAND: return DefSysCommand(hwnd, wParam, lParam);
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR: return DefSysKey(hwnd, msg, wParam);
    case WM_CANCELMODE:
      if (Sys().Capture == hwnd) ReleaseCapture();
      return 0;
    case WM_SETICON: {
      HICON& slot = wParam == ICON_SMALL ? w->IconSmall : w->IconBig;
      const HICON old = slot;
      slot = HICON(uint64_t(lParam));
      if (HasDefaultCaption(w->Style)) InvalidateFrame(*w);
      return LRESULT(old.Value());
    }
    case WM_GETICON: return LRESULT((wParam == ICON_SMALL ? w->IconSmall : w->IconBig).Value());
    default: return 0;
  }
}

}  // namespace kora

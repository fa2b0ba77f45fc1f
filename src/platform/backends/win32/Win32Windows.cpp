#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "platform/backends/win32/Win32Backend.h"
#include "platform/text/WideText.h"
#include "platform/window/DropFiles.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyles.h"

#include "platform/backends/win32/Win32Windows.h"
#include "platform/gdi/WinApi_Win32.h"

namespace kora {

namespace {

constexpr const wchar_t* kClassName = L"KoraWindow";
// The system's HWND_TOPMOST and HWND_NOTOPMOST (whose macros would name our HWND here).
const ::HWND kTopmost = reinterpret_cast<::HWND>(-1);
const ::HWND kNotTopmost = reinterpret_cast<::HWND>(-2);

// The set the window procedure serves; there is one display at a time.
Win32WindowSet* gSet = nullptr;

POINT ToPoint(const ::POINT& p) { return {int(p.x), int(p.y)}; }

// A region of the system from ours (window coordinates); null for none.
::HRGN NativeRegion(const Region& region) {
  const std::span<const RECT> rects = region.Rects();
  std::vector<uint8_t> data(sizeof(::RGNDATAHEADER) + rects.size() * sizeof(::RECT));
  auto* header = reinterpret_cast<::RGNDATA*>(data.data());
  header->rdh.dwSize = sizeof(::RGNDATAHEADER);
  header->rdh.iType = RDH_RECTANGLES;
  header->rdh.nCount = ::DWORD(rects.size());
  header->rdh.nRgnSize = ::DWORD(rects.size() * sizeof(::RECT));
  const RECT& b = region.Bounds();
  header->rdh.rcBound = {b.Left, b.Top, b.Right, b.Bottom};
  auto* out = reinterpret_cast<::RECT*>(header->Buffer);
  for (size_t i = 0; i < rects.size(); ++i) out[i] = {rects[i].Left, rects[i].Top, rects[i].Right, rects[i].Bottom};
  return ::ExtCreateRegion(nullptr, ::DWORD(data.size()), header);
}

bool SameShape(const std::optional<Region>& applied, const Region* wanted) {
  if (!applied || !wanted) return !applied && !wanted;
  return *applied == *wanted;
}

// Both Shift (Ctrl, Alt) keys share one virtual key: releasing one while
// the other is held must not release it.
bool OtherSideStillHeld(::WPARAM vk) {
  const auto held = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
  switch (vk) {
    case VK_SHIFT: return held(VK_LSHIFT) || held(VK_RSHIFT);
    case VK_CONTROL: return held(VK_LCONTROL) || held(VK_RCONTROL);
    case VK_MENU: return held(VK_LMENU) || held(VK_RMENU);
    default: return false;
  }
}

}  // namespace

Win32WindowSet::Win32WindowSet(Win32Backend& backend) : FBackend(backend) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Win32WindowSet::WindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hIcon = ::LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = kClassName;
  // No double-click style: double-clicks are found above the backend.
  if (!::RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::runtime_error("Cannot register the window class");
  gSet = this;
}

Win32WindowSet::~Win32WindowSet() {
  for (auto& [key, w] : FWindows)
    if (w->Native) ::DestroyWindow(w->Native);
  FWindows.clear();
  if (gSet == this) gSet = nullptr;
}

NativeWindow* Win32WindowSet::FromNative(::HWND native) {
  if (!native) return nullptr;
  for (auto& [key, w] : FWindows)
    if (w->Native == native) return w.get();
  return nullptr;
}

NativeWindow* Win32WindowSet::FromHwnd(HWND top) {
  const auto it = FWindows.find(top.Value());
  return it == FWindows.end() ? nullptr : it->second.get();
}

bool Win32WindowSet::OwnsActivation() const {
  const ::HWND active = ::GetForegroundWindow();
  for (const auto& [key, w] : FWindows)
    if (w->Native == active) return true;
  return false;
}

void Win32WindowSet::Sync(HWND top) {
  TopLevelInfo info;
  const bool alive = GetTopLevelInfo(top, &info);
  auto it = FWindows.find(top.Value());
  if (!alive) {
    if (it != FWindows.end()) {
      Destroy(*it->second);
      FWindows.erase(it);
      Restack();
    }
    return;
  }
  // Native windows are made when first shown; an empty one cannot exist.
  const bool visible = info.Visible && !info.Rect.IsEmpty();
  if (it == FWindows.end()) {
    if (!visible) return;
    auto w = std::make_unique<NativeWindow>();
    w->Wnd = top;
    it = FWindows.emplace(top.Value(), std::move(w)).first;
  }
  NativeWindow& w = *it->second;
  const bool popup = info.NoActivate || info.ToolWindow;
  // Whether it may take the activation is fixed when the window is made.
  if (w.Native && w.Popup != popup) Destroy(w);
  w.Popup = popup;
  if (!visible) {
    if (w.Shown) {
      ::ShowWindow(w.Native, SW_HIDE);
      w.Shown = false;
      w.Minimized = false;
    }
    return;
  }
  if (!w.Native) Create(w, info);
  ApplyAttributes(w, info);
  if (info.Minimized != w.Minimized) {
    w.Minimized = info.Minimized;
    ::ShowWindow(w.Native, info.Minimized ? SW_MINIMIZE : SW_RESTORE);
  }
  if (!w.Minimized && w.Rect != info.Rect) {
    w.Rect = info.Rect;
    ::SetWindowPos(w.Native, nullptr, w.Rect.Left, w.Rect.Top, w.Rect.Width(), w.Rect.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  }
  if (!w.Shown) {
    w.Shown = true;
    ::ShowWindow(w.Native, w.Popup ? SW_SHOWNOACTIVATE : SW_SHOW);
    ::UpdateWindow(w.Native);
  }
  Restack();
}

void Win32WindowSet::Create(NativeWindow& w, const TopLevelInfo& info) {
  ::DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  ::DWORD exStyle = 0;
  if (w.Popup) {
    exStyle |= WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  } else {
    // The task bar's button can minimise and restore it through us.
    style |= WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    exStyle |= WS_EX_ACCEPTFILES;
  }
  const NativeWindow* owner = FromHwnd(info.Owner);
  w.Owner = owner ? info.Owner : HWND();
  // A window of its own has a task-bar button (and is one a window manager
  // under Wine manages).
  if (!w.Popup && !owner) exStyle |= WS_EX_APPWINDOW;
  w.Title = w.Popup ? std::string() : GetWindowText(w.Wnd);
  w.Rect = info.Rect;
  w.Native = ::CreateWindowExW(exStyle, kClassName, ToWide(w.Title).c_str(), style, w.Rect.Left, w.Rect.Top,
                               w.Rect.Width(), w.Rect.Height(), owner ? owner->Native : nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  if (!w.Native) throw std::runtime_error("Cannot create a window");
  // Keys and characters reach us; the system's composition window shows
  // what is being composed, the result comes as text.
  ::ImmAssociateContextEx(w.Native, nullptr, IACE_DEFAULT);
}

void Win32WindowSet::Destroy(NativeWindow& w) {
  if (!w.Native) return;
  std::erase(FStack, w.Native);
  ::DestroyWindow(w.Native);
  const HWND wnd = w.Wnd;
  w = NativeWindow{};
  w.Wnd = wnd;
}

void Win32WindowSet::ApplyAttributes(NativeWindow& w, const TopLevelInfo& info) {
  if (info.Topmost != w.Topmost) {
    ::SetWindowPos(w.Native, info.Topmost ? kTopmost : kNotTopmost, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    w.Topmost = info.Topmost;
  }
  if (!SameShape(w.Shape, info.Shape)) {
    // The system owns the region once it is set.
    ::SetWindowRgn(w.Native, info.Shape ? NativeRegion(*info.Shape) : nullptr, TRUE);
    w.Shape = info.Shape ? std::optional<Region>(*info.Shape) : std::nullopt;
  }
  if (info.Alpha != w.Alpha) {
    const LONG_PTR exStyle = ::GetWindowLongPtrW(w.Native, GWL_EXSTYLE);
    if (info.Alpha < 255) {
      ::SetWindowLongPtrW(w.Native, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
      ::SetLayeredWindowAttributes(w.Native, 0, info.Alpha, LWA_ALPHA);
    } else {
      ::SetWindowLongPtrW(w.Native, GWL_EXSTYLE, exStyle & ~LONG_PTR(WS_EX_LAYERED));
      ::RedrawWindow(w.Native, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    w.Alpha = info.Alpha;
  }
  if (!w.Popup) {
    const NativeWindow* owner = FromHwnd(info.Owner);
    const HWND ownerWnd = owner && owner->Native ? info.Owner : HWND();
    if (ownerWnd != w.Owner) {
      ::SetWindowLongPtrW(w.Native, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner ? owner->Native : nullptr));
      w.Owner = ownerWnd;
    }
    SyncTitle(w);
  }
}

void Win32WindowSet::SyncTitle(NativeWindow& w) {
  const std::string title = GetWindowText(w.Wnd);
  if (title == w.Title) return;
  ::SetWindowTextW(w.Native, ToWide(title).c_str());
  w.Title = title;
}

void Win32WindowSet::Restack() {
  std::vector<::HWND> wanted;
  for (HWND h : TopLevelWindowsBottomUp()) {
    const NativeWindow* n = FromHwnd(h);
    if (n && n->Shown && n->Native) wanted.push_back(n->Native);
  }
  if (wanted == FStack) return;
  // From the top down, each window goes right below the one above it.
  for (size_t i = wanted.size(); i-- > 1;) {
    ::SetWindowPos(wanted[i - 1], wanted[i], 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  }
  FStack = std::move(wanted);
}

void Win32WindowSet::Present(HWND top, std::span<const RECT> dirty) {
  NativeWindow* w = FromHwnd(top);
  if (!w || !w->Shown) return;
  // A new caption is drawn when the text changes: the task bar's follows.
  if (!w->Popup) SyncTitle(*w);
  if (w->Minimized) return;
  ::HDC dc = ::GetDC(w->Native);
  if (!dc) return;
  for (const RECT& r : dirty) PaintFromSurface(*w, dc, r);
  ::ReleaseDC(w->Native, dc);
}

void Win32WindowSet::PaintFromSurface(NativeWindow& w, ::HDC dc, const RECT& area) {
  TopLevelInfo info;
  if (!GetTopLevelInfo(w.Wnd, &info) || !info.Pixels.Bits) return;
  const PixelSurface& px = info.Pixels;
  const RECT r = area.Intersect({0, 0, px.Width, px.Height});
  if (r.IsEmpty()) return;
  // The band of rows the rectangle covers, as a top-down bitmap of its own.
  ::BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(::BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = px.Stride;
  bmi.bmiHeader.biHeight = -r.Height();
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  const uint32_t* band = px.Bits + size_t(r.Top) * size_t(px.Stride);
  ::StretchDIBits(dc, r.Left, r.Top, r.Width(), r.Height(), r.Left, 0, r.Width(), r.Height(), band, &bmi,
                  DIB_RGB_COLORS, SRCCOPY);
}

::LRESULT CALLBACK Win32WindowSet::WindowProc(::HWND native, ::UINT message, ::WPARAM wParam, ::LPARAM lParam) {
  NativeWindow* w = gSet ? gSet->FromNative(native) : nullptr;
  if (!w) return DefWindowProcW(native, message, wParam, lParam);
  return gSet->Handle(*w, message, wParam, lParam);
}

::LRESULT Win32WindowSet::Handle(NativeWindow& w, ::UINT message, ::WPARAM wParam, ::LPARAM lParam) {
  switch (message) {
    // Every point is client area: moving, sizing and the frame are ours.
    case WM_NCHITTEST: return HTCLIENT;
    case WM_MOUSEACTIVATE: return w.Popup ? MA_NOACTIVATE : MA_ACTIVATE;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) break;
      FBackend.ApplyCursor();
      return TRUE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: Mouse(w, message, lParam); return 0;
    case WM_MOUSEWHEEL: {
      // Screen coordinates already; high-resolution wheels send parts of a notch.
      const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      PostMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), p);
      return 0;
    }
    case WM_MOUSELEAVE: {
      FTrackingLeave = false;
      ::POINT p;
      if (::GetCursorPos(&p)) PostMouseMove(ToPoint(p));
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<::HWND>(lParam) != w.Native) FButtonsDown = 0;
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: Key(wParam, true); return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP: Key(wParam, false); return 0;
    case WM_CHAR:
    case WM_IME_CHAR: Character(wchar_t(wParam)); return 0;
    // Alt+letter is ours to turn into WM_SYSCHAR; the system's menu never opens.
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR: return 0;
    case WM_IME_COMPOSITION:
      if (lParam & GCS_RESULTSTR) {
        const HIMC context = ::ImmGetContext(w.Native);
        const LONG bytes = ::ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
        if (bytes > 0) {
          std::wstring text(size_t(bytes) / sizeof(wchar_t), L'\0');
          ::ImmGetCompositionStringW(context, GCS_RESULTSTR, text.data(), ::DWORD(bytes));
          PostText(FromWide(text));
        }
        ::ImmReleaseContext(w.Native, context);
        // Handled here: passed on, the same text would come again as characters.
        if (!(lParam & (GCS_COMPSTR | GCS_COMPATTR))) return 0;
        lParam &= ~LPARAM(GCS_RESULTSTR | GCS_RESULTCLAUSE | GCS_RESULTREADSTR | GCS_RESULTREADCLAUSE);
      }
      break;
    case WM_ACTIVATEAPP: PostAppActivation(wParam != 0); return 0;
    case WM_CLOSE: PostMessage(w.Wnd, WM_SYSCOMMAND, SC_CLOSE, 0); return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
        case SC_RESTORE:
        case SC_CLOSE: PostMessage(w.Wnd, WM_SYSCOMMAND, wParam & 0xFFF0, 0); return 0;
        case SC_KEYMENU:
        case SC_MOUSEMENU:
        case SC_MOVE:
        case SC_SIZE: return 0;
        default: break;
      }
      break;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      ::PAINTSTRUCT ps;
      ::HDC dc = ::BeginPaint(w.Native, &ps);
      if (dc) PaintFromSurface(w, dc, {ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom});
      ::EndPaint(w.Native, &ps);
      return 0;
    }
    case WM_DROPFILES: Drop(reinterpret_cast<::HDROP>(wParam)); return 0;
    default: break;
  }
  return DefWindowProcW(w.Native, message, wParam, lParam);
}

void Win32WindowSet::Mouse(NativeWindow& w, ::UINT message, ::LPARAM lParam) {
  ::POINT native{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ClientToScreen(w.Native, &native);
  const POINT p = ToPoint(native);
  if (message == WM_MOUSEMOVE) {
    if (!FTrackingLeave) {
      ::TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, w.Native, 0};
      FTrackingLeave = ::TrackMouseEvent(&track) != 0;
    }
    PostMouseMove(p);
    return;
  }
  const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
  const int button = (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)   ? MOUSE_LEFT
                     : (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) ? MOUSE_RIGHT
                                                                              : MOUSE_MIDDLE;
  // The pointer stays ours while a button is held, also outside the window.
  if (down && FButtonsDown++ == 0) ::SetCapture(w.Native);
  if (!down && FButtonsDown > 0 && --FButtonsDown == 0) ::ReleaseCapture();
  PostMouseButton(button, down, p);
}

void Win32WindowSet::Key(::WPARAM vk, bool down) {
  // The input method's own keys reach it, not us.
  if (vk == VK_PROCESSKEY || vk == 0 || vk > 0xFE) return;
  if (!down && OtherSideStillHeld(vk)) return;
  PostKey(UINT(vk), down);
}

void Win32WindowSet::Character(wchar_t unit) {
  // Control characters come from the keys through our own TranslateMessage.
  if (unit < 0x20 || unit == 0x7F) return;
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    FHighSurrogate = unit;
    return;
  }
  std::wstring text;
  if (unit >= 0xDC00 && unit <= 0xDFFF && FHighSurrogate) text += FHighSurrogate;
  FHighSurrogate = 0;
  text += unit;
  PostText(FromWide(text));
}

void Win32WindowSet::Drop(::HDROP drop) {
  std::vector<std::string> paths;
  const ::UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (::UINT i = 0; i < count; ++i) {
    std::wstring name(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    name.resize(::DragQueryFileW(drop, i, name.data(), ::UINT(name.size())));
    paths.push_back(FromWide(name));
  }
  ::POINT at{};
  ::HWND target = nullptr;
  // The point is in the client coordinates of the window dropped on.
  if (::DragQueryPoint(drop, &at)) {
    ::POINT cursor;
    ::GetCursorPos(&cursor);
    target = ::WindowFromPoint(cursor);
    if (!FromNative(target)) target = nullptr;
  }
  if (target)
    ::ClientToScreen(target, &at);
  else
    ::GetCursorPos(&at);
  ::DragFinish(drop);
  if (!paths.empty()) PostDropFiles(ToPoint(at), std::move(paths));
}

}  // namespace kora

#include "platform/backends/win32/Win32Tray.h"

#include <algorithm>
#include <stdexcept>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/text/WideText.h"
#include "platform/window/Messages.h"

#include "platform/gdi/WinApi_Win32.h"

namespace kora {

namespace {

constexpr const wchar_t* kClassName = L"KoraNotifyArea";
constexpr ::UINT kCallback = WM_APP + 1;

Win32Tray* gTray = nullptr;

::LRESULT CALLBACK TrayProc(::HWND window, ::UINT message, ::WPARAM wParam, ::LPARAM lParam) {
  if (gTray && reinterpret_cast<::HWND>(gTray->Owner()) == window) return gTray->Heard(message, wParam, lParam);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// The system's icon for one of ours: its colour with straight alpha, or
// with the AND mask for transparency when it has none.
::HICON NativeIcon(HICON icon) {
  ICONINFO info;
  if (!icon || !GetIconInfo(icon, &info)) return nullptr;
  const PixelSurface color = GetBitmapSurface(info.hbmColor);
  const PixelSurface mask = GetBitmapSurface(info.hbmMask);
  ::HICON native = nullptr;
  if (color.Bits && color.Width > 0 && color.Height > 0) {
    const int w = color.Width, h = color.Height;
    bool hasAlpha = false;
    for (int y = 0; y < h && !hasAlpha; ++y)
      for (int x = 0; x < w && !hasAlpha; ++x) hasAlpha = (color.Bits[y * color.Stride + x] >> 24) != 0;
    ::BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = w;
    header.bV5Height = -h;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    ::HDC screen = ::GetDC(nullptr);
    ::HBITMAP image =
        ::CreateDIBSection(screen, reinterpret_cast<::BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    ::HBITMAP monochrome = ::CreateBitmap(w, h, 1, 1, nullptr);
    if (image && bits && monochrome) {
      auto* out = static_cast<uint32_t*>(bits);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          uint32_t p = color.Bits[y * color.Stride + x];
          if (!hasAlpha) {
            const bool clear =
                mask.Bits && y < mask.Height && x < mask.Width && (mask.Bits[y * mask.Stride + x] & 0xFFFFFF) != 0;
            p = clear ? 0 : (p | 0xFF000000);
          }
          out[size_t(y) * w + x] = p;
        }
      ::ICONINFO made{TRUE, 0, 0, monochrome, image};
      native = ::CreateIconIndirect(&made);
    }
    if (image) ::DeleteObject(image);
    if (monochrome) ::DeleteObject(monochrome);
  }
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return native;
}

}  // namespace

struct Win32Tray::Icon {
  HWND Wnd;
  UINT Id = 0;
  UINT ShellId = 0;
  UINT CallbackMessage = 0;
  std::string Tip;
  ::HICON Native = nullptr;
  bool Shown = false;
};

Win32Tray::Win32Tray() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &TrayProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::runtime_error("Cannot register the notification area's window class");
  // A top-level window that is never shown: only those hear "TaskbarCreated".
  FWindow = ::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance,
                              nullptr);
  if (!FWindow) throw std::runtime_error("Cannot make the notification area's window");
  FTaskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
  gTray = this;
}

Win32Tray::~Win32Tray() {
  for (const auto& icon : FIcons) {
    if (icon->Shown) Send(NIM_DELETE, *icon, false);
    if (icon->Native) ::DestroyIcon(icon->Native);
  }
  if (gTray == this) gTray = nullptr;
  ::DestroyWindow(static_cast<::HWND>(FWindow));
}

bool Win32Tray::Present() const { return ::FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; }

Win32Tray::Icon* Win32Tray::Find(HWND wnd, UINT id) const {
  for (const auto& icon : FIcons)
    if (icon->Wnd == wnd && icon->Id == id) return icon.get();
  return nullptr;
}

Win32Tray::Icon* Win32Tray::FindShellId(UINT shellId) const {
  for (const auto& icon : FIcons)
    if (icon->ShellId == shellId) return icon.get();
  return nullptr;
}

UINT Win32Tray::ShellId(HWND wnd, UINT id) const {
  const Icon* icon = Find(wnd, id);
  return icon && icon->Shown ? icon->ShellId : 0;
}

bool Win32Tray::Send(unsigned long message, Icon& icon, bool withIcon) {
  ::NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = static_cast<::HWND>(FWindow);
  data.uID = icon.ShellId;
  data.uFlags = NIF_MESSAGE | NIF_TIP | (withIcon && icon.Native ? NIF_ICON : 0);
  data.uCallbackMessage = kCallback;
  data.hIcon = icon.Native;
  const std::wstring tip = ToWide(icon.Tip).substr(0, std::size(data.szTip) - 1);
  std::copy(tip.begin(), tip.end(), data.szTip);
  return ::Shell_NotifyIconW(message, &data) != 0;
}

void Win32Tray::IconAdded(const NotifyIconInfo& info) {
  auto icon = std::make_unique<Icon>();
  icon->Wnd = info.Wnd;
  icon->Id = info.Id;
  icon->ShellId = FNextId++;
  icon->CallbackMessage = info.CallbackMessage;
  icon->Tip = info.Tip;
  icon->Native = NativeIcon(info.Icon);
  icon->Shown = Send(NIM_ADD, *icon, true);
  FIcons.push_back(std::move(icon));
}

void Win32Tray::IconChanged(const NotifyIconInfo& info) {
  Icon* icon = Find(info.Wnd, info.Id);
  if (!icon) return;
  icon->CallbackMessage = info.CallbackMessage;
  icon->Tip = info.Tip;
  ::HICON old = icon->Native;
  icon->Native = NativeIcon(info.Icon);
  icon->Shown = icon->Shown ? Send(NIM_MODIFY, *icon, true) : Send(NIM_ADD, *icon, true);
  if (old) ::DestroyIcon(old);
}

void Win32Tray::IconRemoved(HWND wnd, UINT id) {
  Icon* icon = Find(wnd, id);
  if (!icon) return;
  if (icon->Shown) Send(NIM_DELETE, *icon, false);
  if (icon->Native) ::DestroyIcon(icon->Native);
  std::erase_if(FIcons, [icon](const std::unique_ptr<Icon>& i) { return i.get() == icon; });
}

intptr_t Win32Tray::Heard(unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (message == kCallback) {
    // The classic callback: wParam the icon, lParam the mouse message.
    if (const Icon* icon = FindShellId(UINT(wParam))) PostNotifyIconInput(icon->Wnd, icon->Id, UINT(LOWORD(lParam)));
    return 0;
  }
  if (FTaskbarCreated != 0 && message == FTaskbarCreated) {
    // The shell's icons are gone with the old task bar; ours are forgotten
    // and every window of ours hears it and adds its own again.
    for (const auto& icon : FIcons)
      if (icon->Native) ::DestroyIcon(icon->Native);
    FIcons.clear();
    NotifyAreaRestarted();
    return 0;
  }
  return ::DefWindowProcW(static_cast<::HWND>(FWindow), message, wParam, lParam);
}

}  // namespace kora

#include "platform/backends/win32/Win32Backend.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/backends/win32/Win32Tray.h"
#include "platform/shell/NotifyArea.h"
#include "platform/text/WideText.h"

#include "platform/backends/win32/Win32Windows.h"
#include "platform/gdi/WinApi_Win32.h"

namespace kora {

namespace {

// No wait for events is unbounded: the caller's loop comes round at least
// this often.
constexpr int kLongestWaitMs = 500;

const wchar_t* SystemCursorOf(CursorShape shape) {
  switch (shape) {
    case CursorShape::Arrow: return IDC_ARROW;
    case CursorShape::IBeam: return IDC_IBEAM;
    case CursorShape::Wait: return IDC_WAIT;
    case CursorShape::Cross: return IDC_CROSS;
    case CursorShape::UpArrow: return IDC_UPARROW;
    case CursorShape::SizeNWSE: return IDC_SIZENWSE;
    case CursorShape::SizeNESW: return IDC_SIZENESW;
    case CursorShape::SizeWE: return IDC_SIZEWE;
    case CursorShape::SizeNS: return IDC_SIZENS;
    case CursorShape::SizeAll: return IDC_SIZEALL;
    case CursorShape::No: return IDC_NO;
    case CursorShape::Hand: return IDC_HAND;
  }
  return IDC_ARROW;
}

RECT ToRect(const ::RECT& r) { return {int(r.left), int(r.top), int(r.right), int(r.bottom)}; }

BOOL CALLBACK AddMonitor(::HMONITOR monitor, ::HDC, ::LPRECT, ::LPARAM out) {
  ::MONITORINFO info{};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoW(monitor, &info)) {
    reinterpret_cast<std::vector<MonitorDesc>*>(out)->push_back(
        {ToRect(info.rcMonitor), ToRect(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  }
  return TRUE;
}

// The clipboard needs a window of ours to own what we put there.
::HWND ClipboardOwner() {
  static ::HWND owner =
      ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, reinterpret_cast<::HWND>(-3) /* HWND_MESSAGE */, nullptr,
                        ::GetModuleHandleW(nullptr), nullptr);
  return owner;
}

// Opening the clipboard fails while another program has it open: a few
// short tries, bounded.
bool OpenClipboardBriefly() {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (::OpenClipboard(ClipboardOwner())) return true;
    ::Sleep(5);
  }
  return false;
}

}  // namespace

Win32Backend::Win32Backend() {
  FWake = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!FWake) throw std::runtime_error("Cannot make the event loop's wake-up");
  try {
    FWindows = std::make_unique<Win32WindowSet>(*this);
    FTray = std::make_unique<Win32Tray>();
  } catch (...) {
    ::CloseHandle(FWake);
    throw;
  }
  SetNotifyAreaHost(FTray.get());
}

Win32Backend::~Win32Backend() {
  if (GetBackend() == this) SetBackend(nullptr);
  if (GetNotifyAreaHost() == FTray.get()) SetNotifyAreaHost(nullptr);
  FTray.reset();
  FWindows.reset();
  ::CloseHandle(FWake);
}

std::vector<MonitorDesc> Win32Backend::Monitors() const {
  std::vector<MonitorDesc> out;
  ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<::LPARAM>(&out));
  std::stable_partition(out.begin(), out.end(), [](const MonitorDesc& m) { return m.Primary; });
  return out;
}

void Win32Backend::PollEvents() {
  ::MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;  // our loop ends by our own messages
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void Win32Backend::WaitEvents(int timeoutMs) {
  const int limit = timeoutMs < 0 ? kLongestWaitMs : std::min(timeoutMs, kLongestWaitMs);
  if (limit > 0 && HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0) {
    ::MsgWaitForMultipleObjectsEx(1, &FWake, ::DWORD(limit), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  PollEvents();
}

void Win32Backend::Wake() { ::SetEvent(FWake); }

void Win32Backend::WindowChanged(HWND top) { FWindows->Sync(top); }

void Win32Backend::Present(HWND top, std::span<const RECT> dirty) { FWindows->Present(top, dirty); }

void Win32Backend::SetCursorShape(CursorShape shape) {
  FCursor = shape;
  // Only while the pointer is over a window of ours (or held by one).
  ::POINT p;
  if (::GetCapture() || (::GetCursorPos(&p) && FWindows->FromNative(::WindowFromPoint(p)))) ApplyCursor();
}

void Win32Backend::ApplyCursor() const { ::SetCursor(::LoadCursorW(nullptr, SystemCursorOf(FCursor))); }

void Win32Backend::WarpCursor(POINT screen) { ::SetCursorPos(screen.X, screen.Y); }

void Win32Backend::Beep() { ::MessageBeep(MB_OK); }

void Win32Backend::SetClipboardText(const std::string& utf8) {
  const std::wstring text = ToWide(utf8);
  if (!OpenClipboardBriefly()) return;
  ::EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (::HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* target = ::GlobalLock(memory)) {
      std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(target));
      ::GlobalUnlock(memory);
      if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
    } else {
      ::GlobalFree(memory);
    }
  }
  ::CloseClipboard();
}

std::string Win32Backend::GetClipboardText() {
  if (!OpenClipboardBriefly()) return {};
  std::string out;
  if (::HANDLE memory = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(::GlobalLock(memory))) {
      out = FromWide(text);
      ::GlobalUnlock(memory);
    }
  }
  ::CloseClipboard();
  return out;
}

}  // namespace kora

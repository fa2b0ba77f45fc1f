#pragma once
// One native top-level window per shown top-level window of ours. Our own
// rectangles stay the truth: the native windows follow them, are never
// moved or sized by the system (every point of them is client area), and
// turn what the system reports into the window system's Post* calls.
// Windows TUs only, after every header of ours.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "platform/window/Backend.h"

#include "platform/gdi/WinApi_Win32.h"

namespace kora {

class Win32Backend;

struct NativeWindow {
  HWND Wnd;
  ::HWND Native = nullptr;
  // Never takes the activation or the focus (menus, hints).
  bool Popup = false;
  bool Shown = false;
  bool Topmost = false;
  bool Minimized = false;
  RECT Rect;  // ours, screen coordinates
  std::optional<Region> Shape;
  uint8_t Alpha = 255;
  HWND Owner;
  std::string Title;
};

class Win32WindowSet {
public:
  explicit Win32WindowSet(Win32Backend& backend);
  ~Win32WindowSet();
  Win32WindowSet(const Win32WindowSet&) = delete;
  Win32WindowSet& operator=(const Win32WindowSet&) = delete;

  // Brings the native window of a top-level window in line with it.
  void Sync(HWND top);
  void Present(HWND top, std::span<const RECT> dirty);

  NativeWindow* FromNative(::HWND native);
  NativeWindow* FromHwnd(HWND top);

  // Whether a native window of ours has the system's activation.
  bool OwnsActivation() const;

private:
  static LRESULT CALLBACK WindowProc(::HWND native, ::UINT message, ::WPARAM wParam, ::LPARAM lParam);
  ::LRESULT Handle(NativeWindow& w, ::UINT message, ::WPARAM wParam, ::LPARAM lParam);
  // Mouse input in the window's client coordinates.
  void Mouse(NativeWindow& w, ::UINT message, ::LPARAM lParam);
  void Key(::WPARAM vk, bool down);
  void Character(wchar_t unit);
  void Drop(::HDROP drop);
  void PaintFromSurface(NativeWindow& w, ::HDC dc, const RECT& area);

  void Create(NativeWindow& w, const TopLevelInfo& info);
  void Destroy(NativeWindow& w);
  void ApplyAttributes(NativeWindow& w, const TopLevelInfo& info);
  void SyncTitle(NativeWindow& w);
  void Restack();

  Win32Backend& FBackend;
  std::unordered_map<uint64_t, std::unique_ptr<NativeWindow>> FWindows;  // by HWND value
  std::vector<::HWND> FStack;  // shown native windows, bottom first, as last arranged
  int FButtonsDown = 0;        // while any is held the pointer is captured
  wchar_t FHighSurrogate = 0;
  bool FTrackingLeave = false;
};

}  // namespace kora

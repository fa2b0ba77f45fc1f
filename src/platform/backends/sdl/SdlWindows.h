#pragma once
// One borderless SDL window per shown top-level window. Our own rectangles
// stay the truth: the native windows follow them, and mouse coordinates
// are turned into screen coordinates with them.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "platform/backends/sdl/X11Bridge.h"
#include "platform/window/Backend.h"

struct SDL_Window;

namespace kora {

struct NativeWindow {
  HWND Wnd;
  SDL_Window* Sdl = nullptr;
  uint32_t SdlId = 0;
  X11WindowId XId = 0;
  // Override-redirect, never keeps the input focus (menus, hints).
  bool Popup = false;
  bool Shown = false;
  bool Topmost = false;
  bool Iconified = false;  // minimized through a window manager
  // What we asked the window manager for and it has not yet done: until
  // then its state changes in the other direction are old news.
  bool AwaitIconic = false;
  bool AwaitNormal = false;
  // The server unmapped the window since we asked for the iconic state:
  // the window manager has done it, even if it has undone it since.
  bool UnmappedSinceAsked = false;
  RECT Rect;    // ours, screen coordinates
  RECT Placed;  // what the native window was last given
  std::optional<Region> Shape;
  uint8_t Alpha = 255;
  X11WindowId TransientFor = 0;
};

class SdlWindowSet {
public:
  SdlWindowSet() = default;
  ~SdlWindowSet();
  SdlWindowSet(const SdlWindowSet&) = delete;
  SdlWindowSet& operator=(const SdlWindowSet&) = delete;

  // Brings the native window of a top-level window in line with it.
  void Sync(HWND top);
  void Present(HWND top, std::span<const RECT> dirty);
  // X keeps no copy of covered pixels: an expose needs the whole surface.
  void PresentAll(NativeWindow& w);
  void DestroyAll();

  NativeWindow* FromSdlId(uint32_t id);
  NativeWindow* FromHwnd(HWND top);
  NativeWindow* FromXId(X11WindowId id);
  // Whether the X input focus is on one of our windows (popups included).
  bool OwnsInputFocus() const;
  // SDL's X connection, empty until the first window exists.
  const X11Display& Display() const { return FDisplay; }
  // Whether a window manager runs on the server (asked once).
  bool HasWindowManager();

private:
  void Create(NativeWindow& w, const TopLevelInfo& info);
  void Destroy(NativeWindow& w);
  void Show(NativeWindow& w);
  void Hide(NativeWindow& w);
  void SetIconified(NativeWindow& w, bool iconify);
  void Place(NativeWindow& w);
  void ApplyAttributes(NativeWindow& w, const TopLevelInfo& info);
  // Gives the focus to our topmost shown ordinary window when it was on w.
  void RefocusAway(const NativeWindow& w, bool hadFocus);
  // Raises native windows where their order differs from ours.
  void Restack();
  void CopyPixels(NativeWindow& w, std::span<const RECT> rects);

  std::unordered_map<uint64_t, std::unique_ptr<NativeWindow>> FWindows;  // by HWND value
  std::vector<X11WindowId> FStack;  // shown X windows, bottom first, as last arranged
  X11Display FDisplay;
  std::optional<bool> FWindowManager;
};

}  // namespace kora

#pragma once
// The display backend on SDL2 under X11: one borderless native window per
// shown top-level window, software presentation of the dirty rectangles,
// window regions as X shapes, opacity where a compositor shows it, native
// input turned into the window system's Post* calls. SDL headers stay out
// of this header so the program entry can include it.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/window/Backend.h"

union SDL_Event;
struct SDL_Cursor;
struct SDL_WindowEvent;
struct SDL_SysWMmsg;

namespace kora {

class SdlWindowSet;
class X11Tray;

class SdlBackend final : public Backend {
public:
  // Opens the display (the DISPLAY environment variable); throws
  // std::runtime_error when there is none.
  SdlBackend();
  // Detaches itself when still attached, closes the windows and the display.
  ~SdlBackend() override;
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

  Clock& GetClock() override { return FClock; }
  std::vector<MonitorDesc> Monitors() const override;
  void PollEvents() override;
  void WaitEvents(int timeoutMs) override;
  void Wake() override;
  void WindowChanged(HWND top) override;
  void Present(HWND top, std::span<const RECT> dirty) override;
  void SetCursorShape(CursorShape shape) override;
  void WarpCursor(POINT screen) override;
  void Beep() override;
  void SetClipboardText(const std::string& utf8) override;
  std::string GetClipboardText() override;

  // The notification area it installed; null when it has none.
  X11Tray* Tray() const { return FTray.get(); }

private:
  // SdlBackend_Events.cpp
  void Translate(const SDL_Event& e);
  void TranslateWindowEvent(const SDL_WindowEvent& e);
  // The server's own events: the pointer in root coordinates, exactly as it
  // moved, and the window manager's changes of a window's state.
  void TranslateX11Event(const SDL_SysWMmsg* msg);
  void WindowManagerChangedState(unsigned long xWindow);
  // Called by SDL while it reports an event, before it is queued.
  static int FilterEvent(void* backend, SDL_Event* e);
  // Screen coordinates of a window-relative SDL position, by our rectangles.
  bool ToScreen(uint32_t windowId, int x, int y, POINT* out);
  // Work that needs the whole batch of events: the application's
  // activation and the pointer outside our windows.
  void AfterEvents();

  RealClock FClock;
  std::unique_ptr<SdlWindowSet> FWindows;
  std::unique_ptr<X11Tray> FTray;
  // Wake writes to it, WaitEvents waits on it with the X connections.
  int FWakeFd = -1;
  std::array<SDL_Cursor*, 12> FCursors{};
  CursorShape FCursor = CursorShape::Arrow;

  POINT FPointer;  // screen, as last posted
  bool FPointerInside = false;
  uint64_t FLastPointerQuery = 0;
  uint16_t FKeyMods = 0;
  int32_t FLastKey = 0;
  bool FFocusChanged = false;
  bool FAppActive = true;
};

}  // namespace kora

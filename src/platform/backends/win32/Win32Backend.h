#pragma once
// The display backend on Windows: one real top-level window of the system
// per shown top-level window of ours (borderless: our frame is drawn by
// the skin), window regions through SetWindowRgn, opacity through layered
// windows, our compositor's pixels presented as device-independent
// bitmaps, native input turned into the window system's Post* calls, and
// the notification area through the shell. Windows headers stay out of
// this header so the program entry can include it.

#include <array>
#include <memory>

#include "platform/window/Backend.h"

namespace kora {

class Win32WindowSet;
class Win32Tray;

class Win32Backend final : public Backend {
public:
  // Registers the window class; throws std::runtime_error when it cannot.
  Win32Backend();
  // Detaches itself when still attached and destroys the native windows.
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

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

  // The shown cursor, for the windows' cursor requests.
  void ApplyCursor() const;
  // The notification area it installed.
  Win32Tray* Tray() const { return FTray.get(); }

private:
  RealClock FClock;
  std::unique_ptr<Win32WindowSet> FWindows;
  std::unique_ptr<Win32Tray> FTray;
  void* FWake = nullptr;  // an event Wake sets, WaitEvents waits on
  CursorShape FCursor = CursorShape::Arrow;
};

}  // namespace kora

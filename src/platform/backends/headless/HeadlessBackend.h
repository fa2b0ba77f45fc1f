#pragma once
// A complete screen without a display: a virtual monitor with a task-bar
// work area, a virtual clock the caller advances, injected mouse, keyboard
// and text, and screenshots of every visible top-level window drawn in
// z-order through its shape and opacity. Tests drive the real program
// through it like a person: move, click, type, wait, look.

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/Colors.h"
#include "platform/window/Backend.h"

namespace kora {

class VirtualClock final : public Clock {
public:
  uint64_t NowMs() const override { return FNow; }
  void Advance(uint64_t ms) { FNow += ms; }
  void Set(uint64_t ms) { FNow = ms; }

private:
  uint64_t FNow = 1000000;
};

struct HeadlessOptions {
  int Width = 1024;
  int Height = 768;
  int TaskBarHeight = 40;  // kept free at the bottom of the work area
  COLORREF Desktop = RGB(58, 110, 165);
};

// 0x00RRGGBB pixels, rows top-down.
struct ScreenImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  uint32_t At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
  COLORREF ColorAt(int x, int y) const;  // as a COLORREF, for comparisons with RGB()
};

class HeadlessBackend final : public Backend {
public:
  explicit HeadlessBackend(HeadlessOptions options = {});
  ~HeadlessBackend() override;  // detaches itself when still attached

  // ---- Backend ----
  Clock& GetClock() override { return FClock; }
  std::vector<MonitorDesc> Monitors() const override { return FMonitors; }
  void PollEvents() override {}
  // While a message loop waits: run the next idle step if any, else let
  // the time pass (virtual clock); waiting without a time limit and with
  // nothing to do throws instead of hanging.
  void WaitEvents(int timeoutMs) override;
  void Wake() override { FWoken = true; }
  void WindowChanged(HWND top) override;
  void Present(HWND top, std::span<const RECT> dirty) override;
  void SetCursorShape(CursorShape shape) override { FCursor = shape; }
  void WarpCursor(POINT screen) override { FWarped = screen; }
  void Beep() override { ++FBeeps; }
  void SetClipboardText(const std::string& utf8) override { FClipboard = utf8; }
  std::string GetClipboardText() override { return FClipboard; }

  // ---- The screen ----
  void SetMonitors(std::vector<MonitorDesc> monitors) { FMonitors = std::move(monitors); }
  VirtualClock& Time() { return FClock; }

  // ---- Input (queued; handled when messages are next retrieved) ----
  void MouseMove(POINT p);
  void MouseDown(POINT p, int button = MOUSE_LEFT);
  void MouseUp(POINT p, int button = MOUSE_LEFT);
  // Move, press and release at p.
  void Click(POINT p, int button = MOUSE_LEFT);
  void Wheel(POINT p, int delta);
  void KeyDown(UINT vk);
  void KeyUp(UINT vk);
  void PressKey(UINT vk);  // down and up
  void Type(std::string_view utf8);
  // Files dragged from the desktop and dropped at p.
  void DropFiles(POINT p, std::vector<std::string> paths);

  // ---- Running ----
  // Retrieves and dispatches (through the message hooks) everything
  // queued, including generated paints and due timers, then presents.
  // Returns the number of messages handled; stops at WM_QUIT.
  int RunUntilIdle();
  // Lets ms pass on the virtual clock, stopping at each due timer to run
  // until idle, as time passes for a person waiting.
  void Wait(uint64_t ms);
  // Steps run one at a time whenever a message loop waits for input: the
  // way to drive nested loops (move/size, modal windows) from a test.
  void WhenIdle(std::function<void()> step) { FIdleSteps.push_back(std::move(step)); }
  size_t PendingIdleSteps() const { return FIdleSteps.size(); }
  bool QuitReceived(int* code = nullptr) const;

  // ---- Looking ----
  // What the screen shows: each window as far as it was presented, the way
  // a real display only shows what reached it (shown or resized whole,
  // then the dirty rectangles).
  ScreenImage Capture() const;
  // Writes a PNG of the screen.
  void SaveScreenshot(const std::string& path) const;
  // When KORA_ARTIFACTS names a folder, saves the screen there as name.png.
  void SaveArtifact(const std::string& name) const;

  CursorShape Cursor() const { return FCursor; }
  int Beeps() const { return FBeeps; }
  struct PresentedRect {
    HWND Top;
    RECT Rect;
  };
  const std::vector<PresentedRect>& Presented() const { return FPresented; }
  void ClearPresented() { FPresented.clear(); }

private:
  // A top-level window's pixels as last presented.
  struct ShownWindow {
    int Width = 0;
    int Height = 0;
    bool Visible = false;
    std::vector<uint32_t> Pixels;
  };
  void CopyPresented(HWND top, ShownWindow& shown, const RECT& area);

  HeadlessOptions FOptions;
  std::unordered_map<uint64_t, ShownWindow> FShown;  // by HWND value
  VirtualClock FClock;
  std::vector<MonitorDesc> FMonitors;
  std::atomic<bool> FWoken{false};
  std::deque<std::function<void()>> FIdleSteps;
  CursorShape FCursor = CursorShape::Arrow;
  POINT FWarped;
  int FBeeps = 0;
  std::string FClipboard;
  std::vector<PresentedRect> FPresented;
  bool FQuit = false;
  int FQuitCode = 0;
};

}  // namespace kora

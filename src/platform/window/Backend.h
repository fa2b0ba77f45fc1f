#pragma once
// The whole interface between the window system and a display backend.
// Targeting, capture, double-clicks, focus and activation live above this
// line, once for every backend: a backend only turns native events into the
// Post* calls below and shows the pixels of the top-level windows.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/GdiInternal.h"
#include "platform/window/Clock.h"
#include "platform/window/WinTypes.h"

namespace kora {

struct MonitorDesc {
  RECT Monitor;
  RECT Work;
  bool Primary = false;
};

enum class CursorShape { Arrow, IBeam, Wait, Cross, UpArrow, SizeNWSE, SizeNESW, SizeWE, SizeNS, SizeAll, No, Hand };

class Backend {
public:
  virtual ~Backend() = default;

  virtual Clock& GetClock() = 0;
  // The first monitor is the primary one.
  virtual std::vector<MonitorDesc> Monitors() const = 0;

  // Turns pending native events into Post* calls without waiting.
  virtual void PollEvents() = 0;
  // Waits until native events arrive, Wake is called or timeoutMs passes
  // (negative: no limit), then polls.
  virtual void WaitEvents(int timeoutMs) = 0;
  // Ends a WaitEvents early; callable from any thread.
  virtual void Wake() = 0;

  // A top-level window was created, destroyed, shown, hidden, moved,
  // resized, reshaped, re-layered or restacked: read it with
  // GetTopLevelInfo (false once it is destroyed).
  virtual void WindowChanged(HWND top) = 0;
  // Pixels of a top-level window changed inside these rectangles (window coordinates).
  virtual void Present(HWND top, std::span<const RECT> dirty) = 0;

  virtual void SetCursorShape(CursorShape shape) = 0;
  virtual void WarpCursor(POINT screen) = 0;
  virtual void Beep() = 0;
  virtual void SetClipboardText(const std::string& utf8) = 0;
  virtual std::string GetClipboardText() = 0;
};

// The backend in use (not owned); null detaches it. Without a backend the
// screen is 1024 x 768, the clock is real and nothing is shown.
void SetBackend(Backend* backend);
Backend* GetBackend();

// ---- What backends read ---------------------------------------------------------

struct TopLevelInfo {
  HWND Wnd;
  RECT Rect;  // screen coordinates
  bool Visible = false;
  bool Minimized = false;
  bool Topmost = false;
  bool NoActivate = false;  // WS_EX_NOACTIVATE: never take the keyboard
  bool ToolWindow = false;  // WS_EX_TOOLWINDOW: no task-bar entry
  uint8_t Alpha = 255;
  const Region* Shape = nullptr;  // window coordinates; null = rectangular
  PixelSurface Pixels;            // Width x Height of Rect; may be empty before the first paint
  HWND Owner;
};
bool GetTopLevelInfo(HWND top, TopLevelInfo* info);
// Every top-level window, bottom of the z-order first.
std::vector<HWND> TopLevelWindowsBottomUp();

// ---- What backends post (GUI thread; screen coordinates) -------------------------
// Native events become these calls and nothing else: a close request of a
// native window becomes PostMessage(top, WM_SYSCOMMAND, SC_CLOSE, 0), a
// native restore SC_RESTORE, focus gained or lost by the application
// PostAppActivation. Keys are posted with their virtual key codes (the
// left/right variants also set the shared Shift/Ctrl/Alt state).

constexpr int MOUSE_LEFT = 0;
constexpr int MOUSE_RIGHT = 1;
constexpr int MOUSE_MIDDLE = 2;

void PostMouseMove(POINT screen);
void PostMouseButton(int button, bool down, POINT screen);
// delta in WHEEL_DELTA units (120 per notch), positive away from the user.
void PostMouseWheel(int delta, POINT screen);
void PostKey(UINT vk, bool down);
// Text typed or composed by an input method: one WM_CHAR per code point.
void PostText(std::string_view utf8);
// The application as a whole gained or lost the foreground.
void PostAppActivation(bool active);

}  // namespace kora

#include "platform/backends/sdl/SdlBackend.h"

#include <SDL.h>

#include <stdexcept>
#include <string>

#include "platform/backends/sdl/SdlWindows.h"
#include "platform/backends/sdl/X11Bridge.h"
#include "platform/backends/sdl/X11Tray.h"

// SDL starts D-Bus for screen-saver and input-method support, and libdbus
// keeps a buffer for the life of the process. A sanitizer build's leak
// checker reads these suppressions itself, in every program that shows an
// SDL window, however it is started.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace kora {

namespace {

SDL_SystemCursor SystemCursorOf(CursorShape shape) {
  switch (shape) {
    case CursorShape::Arrow: return SDL_SYSTEM_CURSOR_ARROW;
    case CursorShape::IBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case CursorShape::Wait: return SDL_SYSTEM_CURSOR_WAIT;
    case CursorShape::Cross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case CursorShape::UpArrow: return SDL_SYSTEM_CURSOR_ARROW;
    case CursorShape::SizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case CursorShape::SizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case CursorShape::SizeWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case CursorShape::SizeNS: return SDL_SYSTEM_CURSOR_SIZENS;
    case CursorShape::SizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case CursorShape::No: return SDL_SYSTEM_CURSOR_NO;
    case CursorShape::Hand: return SDL_SYSTEM_CURSOR_HAND;
  }
  return SDL_SYSTEM_CURSOR_ARROW;
}

RECT ToRect(const SDL_Rect& r) { return RECT::FromSize(r.x, r.y, r.w, r.h); }

// The tray icons' clicks arrive on a connection of their own, which SDL's
// wait does not see: while icons are out the wait stays this short.
constexpr int kTrayPollMs = 50;

}  // namespace

SdlBackend::SdlBackend() {
  // Shapes, stacking and focus are done through X; SDL_VIDEODRIVER still wins.
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  // Without this the first window surface re-creates the X window (losing
  // its shape) and partial updates are ignored.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Ctrl+C and SIGTERM end the program as usual instead of becoming SDL_QUIT.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The pointer stays ours while a button is held, also outside the window.
  SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "1");
  // SDL under X drops a click that comes right after the window got the
  // focus; activation is ours to decide.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // Bypassing the compositor would also lose the windows' opacity.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    throw std::runtime_error(std::string("Cannot open the display: ") + SDL_GetError());
  InstallX11ErrorHandler();
  FWakeEvent = SDL_RegisterEvents(1);
  FWindows = std::make_unique<SdlWindowSet>();
  FTray = std::make_unique<X11Tray>();
  SetNotifyAreaHost(FTray.get());
  SDL_StartTextInput();
}

SdlBackend::~SdlBackend() {
  if (GetBackend() == this) SetBackend(nullptr);
  if (GetNotifyAreaHost() == FTray.get()) SetNotifyAreaHost(nullptr);
  FTray.reset();
  FWindows.reset();
  for (SDL_Cursor* c : FCursors)
    if (c) SDL_FreeCursor(c);
  RemoveX11ErrorHandler();
  SDL_Quit();
}

std::vector<MonitorDesc> SdlBackend::Monitors() const {
  std::vector<MonitorDesc> out;
  const int count = SDL_GetNumVideoDisplays();
  for (int i = 0; i < count; ++i) {
    SDL_Rect bounds, usable;
    if (SDL_GetDisplayBounds(i, &bounds) != 0) continue;
    if (SDL_GetDisplayUsableBounds(i, &usable) != 0) usable = bounds;
    // SDL lists the primary display first.
    out.push_back({ToRect(bounds), ToRect(usable), i == 0});
  }
  return out;
}

void SdlBackend::PollEvents() {
  SDL_Event e;
  while (SDL_PollEvent(&e)) Translate(e);
  FTray->Poll();
  AfterEvents();
}

void SdlBackend::WaitEvents(int timeoutMs) {
  SDL_Event e;
  if (FTray->Busy() && (timeoutMs < 0 || timeoutMs > kTrayPollMs)) timeoutMs = kTrayPollMs;
  if (SDL_WaitEventTimeout(&e, timeoutMs < 0 ? -1 : timeoutMs)) Translate(e);
  PollEvents();
}

void SdlBackend::Wake() {
  if (FWakePending.exchange(true)) return;
  SDL_Event e{};
  e.type = FWakeEvent;
  SDL_PushEvent(&e);
}

void SdlBackend::WindowChanged(HWND top) { FWindows->Sync(top); }

void SdlBackend::Present(HWND top, std::span<const RECT> dirty) { FWindows->Present(top, dirty); }

void SdlBackend::SetCursorShape(CursorShape shape) {
  SDL_Cursor*& cursor = FCursors[size_t(shape)];
  if (!cursor) cursor = SDL_CreateSystemCursor(SystemCursorOf(shape));
  if (cursor && (shape != FCursor || SDL_GetCursor() != cursor)) SDL_SetCursor(cursor);
  FCursor = shape;
}

void SdlBackend::WarpCursor(POINT screen) { SDL_WarpMouseGlobal(screen.X, screen.Y); }

void SdlBackend::Beep() { FWindows->Display().Bell(); }

void SdlBackend::SetClipboardText(const std::string& utf8) { SDL_SetClipboardText(utf8.c_str()); }

std::string SdlBackend::GetClipboardText() {
  char* text = SDL_GetClipboardText();
  std::string out = text ? text : "";
  SDL_free(text);
  return out;
}

}  // namespace kora

#include "platform/backends/sdl/SdlBackend.h"

#include <SDL.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
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

// No wait for events is unbounded: the caller's loop comes round at least
// this often.
constexpr int kLongestWaitMs = 500;

}  // namespace

SdlBackend::SdlBackend() {
  // Before SDL's first request: SDL's own handler then passes errors on to
  // ours, and hands ours back when it quits.
  InstallX11ErrorHandlers();
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
  FWakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (FWakeFd < 0) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    throw std::runtime_error("Cannot make the event loop's wake-up");
  }
  // The server's events come to us too, in order with SDL's own.
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  SDL_SetEventFilter(&SdlBackend::FilterEvent, this);
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
  SDL_SetEventFilter(nullptr, nullptr);
  close(FWakeFd);
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
  // SDL's own wait wakes itself by sending an event to one of our windows
  // over a second connection, which fails when that window has gone
  // meanwhile; the sockets are waited on here instead.
  const X11Display& x = FWindows->Display();
  x.Flush();
  const bool pending = SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) || x.HasQueuedEvents() || FTray->HasQueuedEvents();
  const int limit = timeoutMs < 0 ? kLongestWaitMs : std::min(timeoutMs, kLongestWaitMs);
  if (!pending && limit > 0) {
    pollfd fds[3] = {{FWakeFd, POLLIN, 0}, {x.ConnectionFd(), POLLIN, 0}, {FTray->ConnectionFd(), POLLIN, 0}};
    if (poll(fds, 3, limit) < 0 && errno != EINTR) throw std::runtime_error("Cannot wait for events");
  }
  uint64_t wakes = 0;
  while (read(FWakeFd, &wakes, sizeof wakes) > 0) {}
  PollEvents();
}

void SdlBackend::Wake() {
  const uint64_t one = 1;
  // Cannot fail but for an overflow of the counter, which wakes the loop just as well.
  [[maybe_unused]] const ssize_t written = write(FWakeFd, &one, sizeof one);
}

int SdlBackend::FilterEvent(void* backend, SDL_Event* e) {
  if (e->type == SDL_SYSWMEVENT)
    static_cast<SdlBackend*>(backend)->FWindows->Display().NormalizePointerEvent(e->syswm.msg);
  return 1;
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

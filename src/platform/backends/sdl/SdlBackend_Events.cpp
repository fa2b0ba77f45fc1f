#include <SDL.h>

#include "platform/backends/sdl/SdlBackend.h"
#include "platform/backends/sdl/SdlKeys.h"
#include "platform/backends/sdl/SdlWindows.h"
#include "platform/window/DropFiles.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Messages.h"

namespace kora {

namespace {

// SDL_GetGlobalMouseState goes stale under X, so the pointer is asked for
// directly, but not more often than this while it is outside our windows.
constexpr uint64_t kPointerPollMs = 40;

int ButtonOf(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return MOUSE_LEFT;
    case SDL_BUTTON_RIGHT: return MOUSE_RIGHT;
    case SDL_BUTTON_MIDDLE: return MOUSE_MIDDLE;
    default: return -1;
  }
}

}  // namespace

bool SdlBackend::ToScreen(uint32_t windowId, int x, int y, POINT* out) {
  const NativeWindow* w = FWindows->FromSdlId(windowId);
  if (!w) return false;
  *out = {w->Rect.Left + x, w->Rect.Top + y};
  return true;
}

void SdlBackend::Translate(const SDL_Event& e) {
  // On X the pointer comes from the server's own events (TranslateX11Event):
  // SDL reports it relative to windows that may have moved since, and drops
  // a motion that leaves the pointer where it was in its window, which is
  // every step of a window dragged by its caption.
  const bool fromX = bool(FWindows->Display());
  POINT p;
  switch (e.type) {
    case SDL_SYSWMEVENT: TranslateX11Event(e.syswm.msg); break;
    case SDL_MOUSEMOTION:
      if (fromX || e.motion.which == SDL_TOUCH_MOUSEID || !ToScreen(e.motion.windowID, e.motion.x, e.motion.y, &p))
        break;
      FPointer = p;
      PostMouseMove(p);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      // SDL's click counts keep running; double-clicks are found above us.
      const int button = ButtonOf(e.button.button);
      if (fromX || button < 0 || e.button.which == SDL_TOUCH_MOUSEID) break;
      if (!ToScreen(e.button.windowID, e.button.x, e.button.y, &p)) break;
      FPointer = p;
      PostMouseButton(button, e.type == SDL_MOUSEBUTTONDOWN, p);
      break;
    }
    case SDL_MOUSEWHEEL: {
      if (fromX) break;
      int notches = e.wheel.y;
      if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
      if (notches != 0) PostMouseWheel(notches * WHEEL_DELTA, FPointer);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const bool down = e.type == SDL_KEYDOWN;
      FKeyMods = e.key.keysym.mod;
      if (down) FLastKey = e.key.keysym.sym;
      if (!down && OtherSideStillHeld(e.key.keysym.sym, FKeyMods)) break;
      if (const UINT vk = VirtualKeyFromSdl(e.key.keysym.sym)) PostKey(vk, down);
      break;
    }
    case SDL_TEXTINPUT:
      if (!IsAltShortcutText(e.text.text, FKeyMods, FLastKey)) PostText(e.text.text);
      break;
    case SDL_WINDOWEVENT: TranslateWindowEvent(e.window); break;
    case SDL_DROPFILE:
      // Dropped where the pointer is; the window there decides whether it takes files.
      if (e.drop.file) {
        PostDropFiles(FPointer, {std::string(e.drop.file)});
        SDL_free(e.drop.file);
      }
      break;
    default: break;
  }
}

void SdlBackend::TranslateX11Event(const SDL_SysWMmsg* msg) {
  const X11Display& x = FWindows->Display();
  X11WindowId changed = 0;
  if (x.WmStateChanged(msg, &changed)) {
    WindowManagerChangedState(changed);
    return;
  }
  if (X11Display::Unmapped(msg, &changed)) {
    if (NativeWindow* w = FWindows->FromXId(changed); w && w->AwaitIconic) w->UnmappedSinceAsked = true;
    return;
  }
  X11PointerEvent pe;
  if (!X11Display::ReadPointerEvent(msg, &pe)) return;
  NativeWindow* w = FWindows->FromXId(pe.Window);
  if (!w) return;
  FPointer = pe.Root;
  if (pe.What == X11PointerEvent::Motion) {
    PostMouseMove(pe.Root);
    return;
  }
  const bool down = pe.What == X11PointerEvent::Press;
  if (pe.Button == 4 || pe.Button == 5) {
    // The wheel: a press per notch, and a release to ignore.
    if (down) PostMouseWheel(pe.Button == 4 ? WHEEL_DELTA : -WHEEL_DELTA, pe.Root);
    return;
  }
  const int button = pe.Button == 1 ? MOUSE_LEFT : pe.Button == 2 ? MOUSE_MIDDLE : pe.Button == 3 ? MOUSE_RIGHT : -1;
  if (button < 0) return;
  // Without a window manager nobody moves the keyboard focus to a window
  // clicked after another program had it; keys would go on going there.
  if (down && !w->Popup && !FWindows->HasWindowManager() && !FWindows->OwnsInputFocus()) x.GiveFocusTo(w->XId);
  PostMouseButton(button, down, pe.Root);
}

void SdlBackend::WindowManagerChangedState(unsigned long xWindow) {
  NativeWindow* w = FWindows->FromXId(xWindow);
  TopLevelInfo info;
  if (!w || !w->Shown || w->Popup || !GetTopLevelInfo(w->Wnd, &info)) return;
  // What it did on its own (a task bar, a key of its own) is news to us;
  // what we asked of it is not, nor is a change from before we asked.
  if (FWindows->Display().IsIconic(w->XId)) {
    w->AwaitIconic = false;
    if (!w->AwaitNormal && !info.Minimized) {
      w->Iconified = true;
      PostMessage(w->Wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
  } else {
    w->AwaitNormal = false;
    // Iconified and brought back before we read its state: the state we
    // read is the window manager's own doing, not old news.
    if (w->AwaitIconic && w->UnmappedSinceAsked) w->AwaitIconic = false;
    if (!w->AwaitIconic && info.Minimized) {
      w->Iconified = false;
      PostMessage(w->Wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    }
  }
}

void SdlBackend::TranslateWindowEvent(const SDL_WindowEvent& e) {
  NativeWindow* w = FWindows->FromSdlId(e.windowID);
  if (!w) return;
  switch (e.event) {
    case SDL_WINDOWEVENT_EXPOSED: FWindows->PresentAll(*w); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
      // A popup only holds the focus for a moment after it is shown.
      if (!w->Popup) FFocusChanged = true;
      break;
    case SDL_WINDOWEVENT_ENTER: FPointerInside = true; break;
    case SDL_WINDOWEVENT_LEAVE:
      FPointerInside = false;
      FLastPointerQuery = 0;
      break;
    case SDL_WINDOWEVENT_CLOSE: PostMessage(w->Wnd, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_RESTORED: {
      // On X the window manager's WM_STATE tells (WindowManagerChangedState).
      if (FWindows->Display()) break;
      TopLevelInfo info;
      const bool minimized = e.event == SDL_WINDOWEVENT_MINIMIZED;
      if (GetTopLevelInfo(w->Wnd, &info) && info.Minimized != minimized && w->Shown)
        PostMessage(w->Wnd, WM_SYSCOMMAND, minimized ? SC_MINIMIZE : SC_RESTORE, 0);
      break;
    }
    default: break;  // moves and sizes: our own rectangles are the truth
  }
}

void SdlBackend::AfterEvents() {
  if (FFocusChanged) {
    FFocusChanged = false;
    const bool active = FWindows->OwnsInputFocus();
    if (active != FAppActive) {
      FAppActive = active;
      PostAppActivation(active);
    }
  }
  if (FPointerInside || !FWindows->Display()) return;
  const uint64_t now = FClock.NowMs();
  if (FLastPointerQuery != 0 && now - FLastPointerQuery < kPointerPollMs) return;
  FLastPointerQuery = now;
  POINT p;
  if (FWindows->Display().QueryPointer(&p) && p != FPointer) {
    FPointer = p;
    PostMouseMove(p);
  }
}

}  // namespace kora

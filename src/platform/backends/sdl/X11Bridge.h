#pragma once
// The X11 calls SDL does not offer, or offers only with unbounded waits:
// window shapes, stacking, input focus, mapping and unmapping, pointer
// queries, the bell, reading pointer events, and error handling. The X11
// headers stay in the .cpp because their macros (None, Bool, Status, ...)
// clash with ordinary names.

#include <cstdint>
#include <span>

#include "platform/gdi/Region.h"

struct SDL_Window;
struct SDL_SysWMmsg;

namespace kora {

using X11WindowId = unsigned long;

// How long a show, hide or restore waits for the server or the window
// manager to carry it out before going on regardless.
constexpr int kX11WaitMs = 500;

// A pointer event as the server reported it, in root coordinates.
struct X11PointerEvent {
  enum Kind { Motion, Press, Release };
  Kind What = Motion;
  X11WindowId Window = 0;  // the window the event was reported to
  POINT Root;
  unsigned Button = 0;  // 1 left, 2 middle, 3 right, 4 and 5 the wheel
};

// SDL's connection to the X server, borrowed: it lives until SDL quits.
class X11Display {
public:
  // Empty when the window does not run on X11.
  static X11Display Of(SDL_Window* window);
  static X11WindowId WindowOf(SDL_Window* window);

  explicit operator bool() const { return FDisplay != nullptr; }
  bool operator==(const X11Display& other) const { return FDisplay == other.FDisplay; }

  // The bounding (and so input) shape in window coordinates; null makes
  // the window rectangular again.
  void SetShape(X11WindowId window, const Region* shape) const;
  // Keeps an owned window above its owner under a window manager.
  void SetTransientFor(X11WindowId window, X11WindowId owner) const;
  // Raises the windows in order, the last ending on top.
  void RaiseInOrder(std::span<const X11WindowId> bottomUp) const;

  // Maps (and raises) a window and waits at most timeoutMs for the server
  // or the window manager to do it; false when it was not done in time.
  // The MapNotify stays queued for SDL.
  bool Map(X11WindowId window, int timeoutMs = kX11WaitMs) const;
  // Unmaps a window and tells the window manager it is withdrawn, waiting
  // at most timeoutMs for the UnmapNotify (which stays queued for SDL).
  bool Withdraw(X11WindowId window, int timeoutMs = kX11WaitMs) const;
  // Asks the window manager to iconify a window; does not wait.
  void Iconify(X11WindowId window) const;
  // Asks the window manager to activate a window, as a task bar does.
  void Activate(X11WindowId window) const;
  // Whether the window manager holds the window iconified.
  bool IsIconic(X11WindowId window) const;
  bool Viewable(X11WindowId window) const;

  X11WindowId FocusedWindow() const;
  // Also takes the special values the server reports (none, pointer root).
  void GiveFocusTo(X11WindowId window) const;
  // The pointer's position on the screen of the default root window.
  bool QueryPointer(POINT* out) const;
  bool HasWindowManager() const;
  void Bell() const;
  // Waits until the server has handled every request sent so far.
  void Sync() const;
  void Flush() const;
  // The connection's socket, to wait on; -1 without a connection.
  int ConnectionFd() const;
  // Whether events were read from the server but not yet taken.
  bool HasQueuedEvents() const;

  // What an X event of SDL's carries about the pointer; false for other
  // events. Pointer motion may arrive through the input extension, whose
  // data SDL frees right after reporting it: Normalize (called while SDL
  // reports it, from an event filter) turns such an event into the core
  // event it stands for, so Read can take it later from SDL's queue.
  void NormalizePointerEvent(SDL_SysWMmsg* msg) const;
  static bool ReadPointerEvent(const SDL_SysWMmsg* msg, X11PointerEvent* out);
  // Whether an X event of SDL's says the window manager changed a
  // window's state (normal, iconic, withdrawn); the window is set.
  bool WmStateChanged(const SDL_SysWMmsg* msg, X11WindowId* window) const;
  // Whether an X event of SDL's says the server unmapped a window; the window is set.
  static bool Unmapped(const SDL_SysWMmsg* msg, X11WindowId* window);

private:
  void* FDisplay = nullptr;    // Display*
  int FInputOpcode = -1;       // the input extension's major opcode
  unsigned long FWmState = 0;  // the WM_STATE atom
};

// A request about a window that vanished meanwhile (another client
// destroyed it, a tray went, a popup closed while a request for it was in
// flight) must not end the program: from the first call on, for the
// process's whole life, protocol errors are counted instead, and only a
// lost connection to the server ends the program, with one line on stderr.
// Call it before the first X connection is opened; calling it again does
// nothing.
void InstallX11ErrorHandlers();
uint64_t X11ErrorCount();
// The request code of the last error counted, 0 before the first.
int X11LastErrorRequest();

}  // namespace kora

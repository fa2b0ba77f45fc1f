#pragma once
// The X11 calls SDL does not offer: window shapes, stacking, input focus,
// pointer queries, the bell and error handling. The X11 headers stay in the
// .cpp because their macros (None, Bool, Status, ...) clash with ordinary
// names.

#include <cstdint>
#include <span>

#include "platform/gdi/Region.h"

struct SDL_Window;

namespace kora {

using X11WindowId = unsigned long;

// SDL's connection to the X server, borrowed: it lives until SDL quits.
class X11Display {
public:
  // Empty when the window does not run on X11.
  static X11Display Of(SDL_Window* window);
  static X11WindowId WindowOf(SDL_Window* window);

  explicit operator bool() const { return FDisplay != nullptr; }
  bool operator==(const X11Display&) const = default;

  // The bounding (and so input) shape in window coordinates; null makes
  // the window rectangular again.
  void SetShape(X11WindowId window, const Region* shape) const;
  // Keeps an owned window above its owner under a window manager.
  void SetTransientFor(X11WindowId window, X11WindowId owner) const;
  // Raises the windows in order, the last ending on top.
  void RaiseInOrder(std::span<const X11WindowId> bottomUp) const;

  X11WindowId FocusedWindow() const;
  // Also takes the special values the server reports (none, pointer root).
  void GiveFocusTo(X11WindowId window) const;
  // The pointer's position on the screen of the default root window.
  bool QueryPointer(POINT* out) const;
  bool HasWindowManager() const;
  void Bell() const;
  // Waits until the server has handled every request sent so far.
  void Sync() const;

private:
  void* FDisplay = nullptr;  // Display*
};

// A request about a window that vanished meanwhile must not end the
// program: the handler counts X errors instead of exiting. Installed once
// per backend; the previous handler returns on removal.
void InstallX11ErrorHandler();
void RemoveX11ErrorHandler();
uint64_t X11ErrorCount();

}  // namespace kora

#include "platform/backends/sdl/X11Bridge.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <atomic>
#include <vector>

namespace kora {

namespace {

Display* AsDisplay(void* d) { return static_cast<Display*>(d); }

bool WmInfo(SDL_Window* window, SDL_SysWMinfo* info) {
  SDL_VERSION(&info->version);
  return window && SDL_GetWindowWMInfo(window, info) == SDL_TRUE && info->subsystem == SDL_SYSWM_X11;
}

std::atomic<uint64_t> gErrorCount{0};
XErrorHandler gPreviousHandler = nullptr;
int gInstallCount = 0;

int CountError(Display*, XErrorEvent*) {
  ++gErrorCount;
  return 0;
}

}  // namespace

X11Display X11Display::Of(SDL_Window* window) {
  X11Display d;
  SDL_SysWMinfo info;
  if (WmInfo(window, &info)) d.FDisplay = info.info.x11.display;
  return d;
}

X11WindowId X11Display::WindowOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  return WmInfo(window, &info) ? info.info.x11.window : 0;
}

void X11Display::SetShape(X11WindowId window, const Region* shape) const {
  if (!FDisplay || !window) return;
  if (!shape) {
    XShapeCombineMask(AsDisplay(FDisplay), window, ShapeBounding, 0, 0, None, ShapeSet);
    return;
  }
  // The region is already YX-banded, which lets the server skip sorting.
  std::vector<XRectangle> rects;
  rects.reserve(shape->Rects().size());
  for (const RECT& r : shape->Rects())
    rects.push_back({short(r.Left), short(r.Top), (unsigned short)(r.Width()), (unsigned short)(r.Height())});
  XShapeCombineRectangles(AsDisplay(FDisplay), window, ShapeBounding, 0, 0, rects.data(), int(rects.size()), ShapeSet,
                          YXBanded);
}

void X11Display::SetTransientFor(X11WindowId window, X11WindowId owner) const {
  if (!FDisplay || !window) return;
  if (owner)
    XSetTransientForHint(AsDisplay(FDisplay), window, owner);
  else
    XDeleteProperty(AsDisplay(FDisplay), window, XA_WM_TRANSIENT_FOR);
}

void X11Display::RaiseInOrder(std::span<const X11WindowId> bottomUp) const {
  if (!FDisplay) return;
  for (X11WindowId w : bottomUp) XRaiseWindow(AsDisplay(FDisplay), w);
  XFlush(AsDisplay(FDisplay));
}

X11WindowId X11Display::FocusedWindow() const {
  if (!FDisplay) return 0;
  Window focus = None;
  int revert = 0;
  XGetInputFocus(AsDisplay(FDisplay), &focus, &revert);
  return focus;
}

void X11Display::GiveFocusTo(X11WindowId window) const {
  if (!FDisplay) return;
  XSetInputFocus(AsDisplay(FDisplay), window, RevertToParent, CurrentTime);
  XFlush(AsDisplay(FDisplay));
}

bool X11Display::QueryPointer(POINT* out) const {
  if (!FDisplay) return false;
  Display* d = AsDisplay(FDisplay);
  Window root = None, child = None;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned int mask = 0;
  if (!XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &winX, &winY, &mask)) return false;
  *out = {rootX, rootY};
  return true;
}

bool X11Display::HasWindowManager() const {
  if (!FDisplay) return false;
  Display* d = AsDisplay(FDisplay);
  const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const int status =
      XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data);
  const bool found = status == Success && type == XA_WINDOW && count == 1;
  if (data) XFree(data);
  return found;
}

void X11Display::Bell() const {
  if (!FDisplay) return;
  XBell(AsDisplay(FDisplay), 0);
  XFlush(AsDisplay(FDisplay));
}

void X11Display::Sync() const {
  if (FDisplay) XSync(AsDisplay(FDisplay), False);
}

void InstallX11ErrorHandler() {
  if (gInstallCount++ == 0) gPreviousHandler = XSetErrorHandler(CountError);
}

void RemoveX11ErrorHandler() {
  if (gInstallCount > 0 && --gInstallCount == 0) XSetErrorHandler(gPreviousHandler);
}

uint64_t X11ErrorCount() { return gErrorCount.load(); }

}  // namespace kora

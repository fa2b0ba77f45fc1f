#include "platform/backends/sdl/X11Bridge.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/shape.h>
#include <errno.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace kora {

namespace {

Display* AsDisplay(void* d) { return static_cast<Display*>(d); }

bool WmInfo(SDL_Window* window, SDL_SysWMinfo* info) {
  SDL_VERSION(&info->version);
  return window && SDL_GetWindowWMInfo(window, info) == SDL_TRUE && info->subsystem == SDL_SYSWM_X11;
}

std::atomic<uint64_t> gErrorCount{0};
std::atomic<int> gLastErrorRequest{0};

int CountError(Display*, XErrorEvent* e) {
  gLastErrorRequest = e->request_code;
  ++gErrorCount;
  if (std::getenv("KORA_X11_ERRORS")) {
    std::fprintf(stderr, "X error %d on request %d.%d for resource 0x%lx (survived)\n", e->error_code, e->request_code,
                 e->minor_code, e->resourceid);
  }
  return 0;
}

// Xlib ends the process when this returns; nothing more can be shown
// without the server, so the one line says why.
int LostConnection(Display* d) {
  const char* name = d ? DisplayString(d) : nullptr;
  std::fprintf(stderr, "%s: lost the connection to the X server %s; exiting\n", program_invocation_short_name,
               name && *name ? name : "");
  std::fflush(stderr);
  _exit(1);
}

// Looks through the queue for one event without taking anything out of
// it: SDL still handles the event itself.
struct Wanted {
  int Type;
  Window Target;
  bool Found = false;
};

Bool NoteWanted(Display*, XEvent* e, XPointer arg) {
  auto* wanted = reinterpret_cast<Wanted*>(arg);
  if (e->type == wanted->Type && !e->xany.send_event) {
    const Window w = e->type == MapNotify ? e->xmap.window : e->type == UnmapNotify ? e->xunmap.window : e->xany.window;
    if (w == wanted->Target) wanted->Found = true;
  }
  return False;
}

bool WaitForEvent(Display* d, int type, Window target, int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  Wanted wanted{type, target};
  XEvent scratch;
  XFlush(d);
  for (;;) {
    // Also reads what has arrived, without blocking.
    XCheckIfEvent(d, &scratch, NoteWanted, reinterpret_cast<XPointer>(&wanted));
    if (wanted.Found) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd p{ConnectionNumber(d), POLLIN, 0};
    if (poll(&p, 1, int(left)) < 0 && errno != EINTR) return false;
  }
}

Atom AtomOf(Display* d, const char* name) { return XInternAtom(d, name, False); }

}  // namespace

void InstallX11ErrorHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    XSetErrorHandler(CountError);
    XSetIOErrorHandler(LostConnection);
  });
}

uint64_t X11ErrorCount() { return gErrorCount.load(); }

int X11LastErrorRequest() { return gLastErrorRequest.load(); }

X11Display X11Display::Of(SDL_Window* window) {
  X11Display d;
  SDL_SysWMinfo info;
  if (!WmInfo(window, &info)) return d;
  d.FDisplay = info.info.x11.display;
  d.FWmState = AtomOf(info.info.x11.display, "WM_STATE");
  int event = 0, error = 0;
  if (!XQueryExtension(info.info.x11.display, "XInputExtension", &d.FInputOpcode, &event, &error)) d.FInputOpcode = -1;
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

bool X11Display::Map(X11WindowId window, int timeoutMs) const {
  if (!FDisplay || !window) return false;
  Display* d = AsDisplay(FDisplay);
  // A window already shown sends no MapNotify: raising it is all.
  XWindowAttributes attrs;
  if (XGetWindowAttributes(d, window, &attrs) && attrs.map_state == IsViewable) {
    XRaiseWindow(d, window);
    XFlush(d);
    return true;
  }
  XMapRaised(d, window);
  return WaitForEvent(d, MapNotify, window, timeoutMs);
}

bool X11Display::Withdraw(X11WindowId window, int timeoutMs) const {
  if (!FDisplay || !window) return false;
  Display* d = AsDisplay(FDisplay);
  // An unmapped (say iconified) window sends no UnmapNotify: nothing to wait for.
  XWindowAttributes attrs;
  const bool mapped = XGetWindowAttributes(d, window, &attrs) && attrs.map_state != IsUnmapped;
  XWithdrawWindow(d, window, DefaultScreen(d));
  if (!mapped) {
    XFlush(d);
    return true;
  }
  return WaitForEvent(d, UnmapNotify, window, timeoutMs);
}

void X11Display::Iconify(X11WindowId window) const {
  if (!FDisplay || !window) return;
  XIconifyWindow(AsDisplay(FDisplay), window, DefaultScreen(AsDisplay(FDisplay)));
  XFlush(AsDisplay(FDisplay));
}

void X11Display::Activate(X11WindowId window) const {
  if (!FDisplay || !window) return;
  Display* d = AsDisplay(FDisplay);
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = AtomOf(d, "_NET_ACTIVE_WINDOW");
  e.xclient.format = 32;
  e.xclient.data.l[0] = 1;  // from an application
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  XFlush(d);
}

bool X11Display::IsIconic(X11WindowId window) const {
  if (!FDisplay || !window) return false;
  Display* d = AsDisplay(FDisplay);
  const Atom state = FWmState;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool iconic = false;
  if (XGetWindowProperty(d, window, state, 0, 1, False, state, &type, &format, &count, &after, &data) == Success &&
      type == state && format == 32 && count == 1)
    iconic = *reinterpret_cast<unsigned long*>(data) == IconicState;
  if (data) XFree(data);
  return iconic;
}

bool X11Display::Viewable(X11WindowId window) const {
  if (!FDisplay || !window) return false;
  XWindowAttributes attrs;
  return XGetWindowAttributes(AsDisplay(FDisplay), window, &attrs) && attrs.map_state == IsViewable;
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

void X11Display::Flush() const {
  if (FDisplay) XFlush(AsDisplay(FDisplay));
}

int X11Display::ConnectionFd() const { return FDisplay ? ConnectionNumber(AsDisplay(FDisplay)) : -1; }

bool X11Display::HasQueuedEvents() const { return FDisplay && XEventsQueued(AsDisplay(FDisplay), QueuedAlready) > 0; }

void X11Display::NormalizePointerEvent(SDL_SysWMmsg* msg) const {
  if (!msg || msg->subsystem != SDL_SYSWM_X11 || FInputOpcode < 0) return;
  XEvent& e = msg->msg.x11.event;
  if (e.type != GenericEvent || e.xcookie.extension != FInputOpcode || !e.xcookie.data) return;
  const int kind = e.xcookie.evtype;
  if (kind != XI_Motion && kind != XI_ButtonPress && kind != XI_ButtonRelease) return;
  const auto* xi = static_cast<const XIDeviceEvent*>(e.xcookie.data);
  // Touches the server turns into pointer events are handled as touches.
  if (xi->flags & XIPointerEmulated) {
    e.type = 0;
    return;
  }
  XEvent core{};
  core.type = kind == XI_Motion ? MotionNotify : kind == XI_ButtonPress ? ButtonPress : ButtonRelease;
  core.xany.display = e.xany.display;
  core.xany.serial = e.xany.serial;
  core.xbutton.window = xi->event;
  core.xbutton.root = xi->root;
  core.xbutton.time = xi->time;
  core.xbutton.x = int(xi->event_x);
  core.xbutton.y = int(xi->event_y);
  core.xbutton.x_root = int(xi->root_x);
  core.xbutton.y_root = int(xi->root_y);
  core.xbutton.button = kind == XI_Motion ? 0 : unsigned(xi->detail);
  e = core;
}

bool X11Display::WmStateChanged(const SDL_SysWMmsg* msg, X11WindowId* window) const {
  if (!msg || msg->subsystem != SDL_SYSWM_X11 || !FWmState) return false;
  const XEvent& e = msg->msg.x11.event;
  if (e.type != PropertyNotify || e.xproperty.atom != FWmState) return false;
  *window = e.xproperty.window;
  return true;
}

bool X11Display::Unmapped(const SDL_SysWMmsg* msg, X11WindowId* window) {
  if (!msg || msg->subsystem != SDL_SYSWM_X11) return false;
  const XEvent& e = msg->msg.x11.event;
  if (e.type != UnmapNotify || e.xunmap.send_event) return false;
  *window = e.xunmap.window;
  return true;
}

bool X11Display::ReadPointerEvent(const SDL_SysWMmsg* msg, X11PointerEvent* out) {
  if (!msg || msg->subsystem != SDL_SYSWM_X11) return false;
  const XEvent& e = msg->msg.x11.event;
  switch (e.type) {
    case MotionNotify:
      *out = {X11PointerEvent::Motion, e.xmotion.window, {e.xmotion.x_root, e.xmotion.y_root}, 0};
      return true;
    case ButtonPress:
    case ButtonRelease:
      *out = {e.type == ButtonPress ? X11PointerEvent::Press : X11PointerEvent::Release,
              e.xbutton.window,
              {e.xbutton.x_root, e.xbutton.y_root},
              e.xbutton.button};
      return true;
    default: return false;
  }
}

}  // namespace kora

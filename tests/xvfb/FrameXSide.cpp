#include "xvfb/FrameXSide.h"

#include "xvfb/XvfbServer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace kora::test {

namespace {
Display* XDisplayOf(void* d) { return static_cast<Display*>(d); }
}  // namespace

XSide::XSide() : FDisplay(XOpenDisplay(nullptr)) {}

XSide::~XSide() {
  if (FDisplay) XCloseDisplay(XDisplayOf(FDisplay));
}

void XSide::InitThreads() { XInitThreads(); }

void XSide::MoveTo(POINT p) const {
  XTestFakeMotionEvent(XDisplayOf(FDisplay), -1, p.X, p.Y, CurrentTime);
  XFlush(XDisplayOf(FDisplay));
}

void XSide::Button(int button, bool down) const {
  XTestFakeButtonEvent(XDisplayOf(FDisplay), unsigned(button), down ? True : False, CurrentTime);
  XFlush(XDisplayOf(FDisplay));
}

void XSide::Tap(const char* keysym) const {
  const KeyCode code = XKeysymToKeycode(XDisplayOf(FDisplay), XStringToKeysym(keysym));
  XTestFakeKeyEvent(XDisplayOf(FDisplay), code, True, CurrentTime);
  XTestFakeKeyEvent(XDisplayOf(FDisplay), code, False, CurrentTime);
  XFlush(XDisplayOf(FDisplay));
}

unsigned long XSide::Focus() const {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(XDisplayOf(FDisplay), &focus, &revert);
  return focus == PointerRoot ? 0 : focus;
}

bool XSide::HasWindowManager() const {
  Display* d = XDisplayOf(FDisplay);
  const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool found = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type, &format, &count,
                                        &after, &data) == Success &&
                     type == XA_WINDOW && count == 1;
  if (data) XFree(data);
  return found;
}

unsigned long XSide::FindByName(const std::string& name) const {
  return FindByName(name, DefaultRootWindow(XDisplayOf(FDisplay)));
}

unsigned long XSide::FindByName(const std::string& name, unsigned long from) const {
  Display* d = XDisplayOf(FDisplay);
  char* title = nullptr;
  if (XFetchName(d, from, &title) && title) {
    const bool same = name == title;
    XFree(title);
    if (same) return from;
  }
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(d, from, &root, &parent, &children, &count)) return 0;
  unsigned long found = 0;
  for (unsigned i = 0; i < count && !found; ++i) found = FindByName(name, children[i]);
  if (children) XFree(children);
  return found;
}

void XSide::Activate(unsigned long window) const {
  Display* d = XDisplayOf(FDisplay);
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = 2;
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  XFlush(d);
}

bool XSide::MapsAWindow(int limitMs) const {
  Display* d = XDisplayOf(FDisplay);
  const Window probe = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 10, 10, 0, 0, 0);
  XMapWindow(d, probe);
  XSync(d, False);
  bool shown = false;
  for (int waited = 0; waited < limitMs && !(shown = Viewable(probe)); waited += 10)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  XDestroyWindow(d, probe);
  XSync(d, False);
  return shown;
}

bool XSide::Viewable(unsigned long window) const {
  XWindowAttributes attrs;
  return XGetWindowAttributes(XDisplayOf(FDisplay), window, &attrs) && attrs.map_state == IsViewable;
}

RECT XSide::Geometry(unsigned long window) const {
  Display* d = XDisplayOf(FDisplay);
  XWindowAttributes attrs;
  int x = 0, y = 0;
  Window child = None;
  if (!XGetWindowAttributes(d, window, &attrs) ||
      !XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child))
    return {};
  return RECT::FromSize(x, y, attrs.width, attrs.height);
}

bool WindowManager::Start(const XSide& x) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  char* argv[] = {const_cast<char*>("openbox"), const_cast<char*>("--sm-disable"), nullptr};
  const int spawned = posix_spawnp(&FPid, "openbox", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    FPid = 0;
    return false;
  }
  // Ready is not when it announces itself but when it maps a window it was
  // asked to: while it starts up it may drop a map request, and a window of
  // the program's would then never show. A window of our own is mapped
  // until one shows.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    if (!x.HasWindowManager()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    if (x.MapsAWindow(500)) return true;
  }
  return false;
}

WindowManager::~WindowManager() {
  if (FPid <= 0) return;
  EndChild(FPid);
}

}  // namespace kora::test

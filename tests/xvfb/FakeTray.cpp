#include "xvfb/FakeTray.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <string>

namespace kora::test {

namespace {

Display* AsDisplay(void* d) { return static_cast<Display*>(d); }

}  // namespace

FakeTray::FakeTray() { FDisplay = XOpenDisplay(nullptr); }

FakeTray::~FakeTray() {
  Stop();
  if (FDisplay) XCloseDisplay(AsDisplay(FDisplay));
}

bool FakeTray::Start() {
  Display* d = AsDisplay(FDisplay);
  if (!d) return false;
  const Window root = DefaultRootWindow(d);
  // A panel of the desktop's own: placed where it is put and shown at once,
  // whatever window manager runs.
  XSetWindowAttributes attributes;
  attributes.override_redirect = True;
  attributes.background_pixel = 0x404040;
  FWindow = XCreateWindow(d, root, 900, 0, 120, 24, 0, CopyFromParent, InputOutput, CopyFromParent,
                          CWOverrideRedirect | CWBackPixel, &attributes);
  XMapRaised(d, FWindow);
  const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(d));
  const Atom selection = XInternAtom(d, name.c_str(), False);
  XSetSelectionOwner(d, selection, FWindow, CurrentTime);
  if (XGetSelectionOwner(d, selection) != FWindow) return false;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = root;
  e.xclient.message_type = XInternAtom(d, "MANAGER", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = CurrentTime;
  e.xclient.data.l[1] = long(selection);
  e.xclient.data.l[2] = long(FWindow);
  XSendEvent(d, root, False, StructureNotifyMask, &e);
  XSync(d, False);
  FDocked.clear();
  return true;
}

void FakeTray::Stop() {
  if (!FDisplay || !FWindow) return;
  XDestroyWindow(AsDisplay(FDisplay), FWindow);
  XSync(AsDisplay(FDisplay), False);
  FWindow = 0;
}

void FakeTray::Poll() {
  Display* d = AsDisplay(FDisplay);
  if (!d) return;
  const Atom opcode = XInternAtom(d, "_NET_SYSTEM_TRAY_OPCODE", False);
  while (XPending(d)) {
    XEvent e;
    XNextEvent(d, &e);
    if (e.type != ClientMessage || e.xclient.message_type != opcode || e.xclient.data.l[1] != 0) continue;
    const Window icon = Window(e.xclient.data.l[2]);
    FDocked.push_back(icon);
    XReparentWindow(d, icon, FWindow, 24 * int(FDocked.size() - 1), 0);
    XResizeWindow(d, icon, 24, 24);
    XMapWindow(d, icon);
    if (VanishOnDock) {
      Stop();
      break;
    }
  }
  XSync(d, False);
}

bool FakeTray::Viewable(unsigned long window) const {
  XWindowAttributes attrs;
  return FDisplay && XGetWindowAttributes(AsDisplay(FDisplay), window, &attrs) && attrs.map_state == IsViewable;
}

bool FakeTray::HasXembedInfo(unsigned long window) const {
  Display* d = AsDisplay(FDisplay);
  const Atom info = XInternAtom(d, "_XEMBED_INFO", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const int status =
      XGetWindowProperty(d, window, info, 0, 2, False, AnyPropertyType, &type, &format, &count, &after, &data);
  const bool found = status == Success && format == 32 && count == 2;
  if (data) XFree(data);
  return found;
}

void FakeTray::Centre(unsigned long window, int* x, int* y) const {
  Display* d = AsDisplay(FDisplay);
  *x = *y = -1;
  XWindowAttributes a;
  if (!XGetWindowAttributes(d, window, &a)) return;
  Window child = 0;
  XTranslateCoordinates(d, window, DefaultRootWindow(d), a.width / 2, a.height / 2, x, y, &child);
}

}  // namespace kora::test

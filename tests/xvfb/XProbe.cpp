#include "xvfb/XProbe.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/gdi/PngFile.h"

namespace kora::test {

namespace {
Display* D(void* d) { return static_cast<Display*>(d); }
}  // namespace

XProbe::XProbe() {
  FDisplay = XOpenDisplay(nullptr);
  if (!FDisplay) throw std::runtime_error("cannot connect to the X server");
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(D(FDisplay), &event, &error, &major, &minor))
    throw std::runtime_error("the X server lacks the XTEST extension");
}

XProbe::~XProbe() { XCloseDisplay(D(FDisplay)); }

void XProbe::PaintDesktop(uint32_t pixel) const {
  Display* d = D(FDisplay);
  XSetWindowBackground(d, DefaultRootWindow(d), pixel);
  XClearWindow(d, DefaultRootWindow(d));
  XSync(d, False);
}

RootImage XProbe::Capture() const {
  Display* d = D(FDisplay);
  XSync(d, False);
  const Window root = DefaultRootWindow(d);
  XWindowAttributes attrs;
  XGetWindowAttributes(d, root, &attrs);
  XImage* image = XGetImage(d, root, 0, 0, unsigned(attrs.width), unsigned(attrs.height), AllPlanes, ZPixmap);
  if (!image) throw std::runtime_error("XGetImage failed");
  RootImage out{attrs.width, attrs.height, {}};
  out.Pixels.resize(size_t(attrs.width) * size_t(attrs.height));
  for (int y = 0; y < attrs.height; ++y)
    for (int x = 0; x < attrs.width; ++x)
      out.Pixels[size_t(y) * size_t(attrs.width) + size_t(x)] = uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF;
  XDestroyImage(image);
  return out;
}

void XProbe::SaveArtifact(const RootImage& image, const std::string& name) {
  const char* folder = std::getenv("KORA_ARTIFACTS");
  if (!folder || !*folder) return;
  SavePngFile(std::string(folder) + "/" + name + ".png",
              EncodePng(image.Pixels.data(), image.Width, image.Height, image.Width));
}

unsigned long XProbe::WindowAt(POINT p) const {
  Display* d = D(FDisplay);
  const Window root = DefaultRootWindow(d);
  int x = 0, y = 0;
  Window child = None;
  XTranslateCoordinates(d, root, root, p.X, p.Y, &x, &y, &child);
  return child;
}

unsigned long XProbe::FocusWindow() const {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(D(FDisplay), &focus, &revert);
  return focus;
}

std::optional<uint32_t> XProbe::CardinalProperty(unsigned long window, const char* name) const {
  Display* d = D(FDisplay);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::optional<uint32_t> out;
  if (XGetWindowProperty(d, window, XInternAtom(d, name, False), 0, 1, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) == Success &&
      type == XA_CARDINAL && format == 32 && count == 1)
    out = uint32_t(*reinterpret_cast<unsigned long*>(data));
  if (data) XFree(data);
  return out;
}

unsigned long XProbe::ShowForeignWindow(RECT r) const {
  Display* d = D(FDisplay);
  const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), r.Left, r.Top, unsigned(r.Width()),
                                       unsigned(r.Height()), 0, 0, 0x404040);
  XMapRaised(d, w);
  XSync(d, False);
  return w;
}

void XProbe::Focus(unsigned long window) const {
  XSetInputFocus(D(FDisplay), window, RevertToParent, CurrentTime);
  XFlush(D(FDisplay));
}

void XProbe::Destroy(unsigned long window) const {
  XDestroyWindow(D(FDisplay), window);
  XSync(D(FDisplay), False);
}

void XProbe::MoveTo(POINT p) const {
  XTestFakeMotionEvent(D(FDisplay), -1, p.X, p.Y, CurrentTime);
  XFlush(D(FDisplay));
}

void XProbe::Click(POINT p) const {
  MoveTo(p);
  XTestFakeButtonEvent(D(FDisplay), 1, True, CurrentTime);
  XTestFakeButtonEvent(D(FDisplay), 1, False, CurrentTime);
  XFlush(D(FDisplay));
}

void XProbe::Key(const char* keysym, bool down) const {
  Display* d = D(FDisplay);
  const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(keysym));
  if (code == 0) throw std::runtime_error(std::string("no key for ") + keysym);
  XTestFakeKeyEvent(d, code, down ? True : False, CurrentTime);
  XFlush(d);
}

void XProbe::Tap(const char* keysym) const {
  Key(keysym, true);
  Key(keysym, false);
}

}  // namespace kora::test

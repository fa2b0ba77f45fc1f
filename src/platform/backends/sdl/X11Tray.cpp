#include "platform/backends/sdl/X11Tray.h"

#include <algorithm>
#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/window/Backend.h"
#include "platform/window/Screen.h"

// Last: their macros (None, Bool, CursorShape, ...) clash with our names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace kora {

namespace {

Display* AsDisplay(void* d) { return static_cast<Display*>(d); }

constexpr long kRequestDock = 0;
constexpr unsigned long kXembedMapped = 1;
constexpr int kIconSize = 22;

}  // namespace

struct X11Tray::Icon {
  HWND Wnd;
  UINT Id = 0;
  HICON Handle;
  std::string Tip;
  Window XWindow = 0;
  int Width = kIconSize;
  int Height = kIconSize;
};

X11Tray::X11Tray() {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return;
  FDisplay = d;
  FRoot = DefaultRootWindow(d);
  const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(d));
  FSelection = XInternAtom(d, name.c_str(), False);
  FOpcode = XInternAtom(d, "_NET_SYSTEM_TRAY_OPCODE", False);
  FManager = XInternAtom(d, "MANAGER", False);
  FXembedInfo = XInternAtom(d, "_XEMBED_INFO", False);
  // A tray that starts announces itself to the root window.
  XSelectInput(d, FRoot, StructureNotifyMask);
  WatchOwner();
  XFlush(d);
}

X11Tray::~X11Tray() {
  if (!FDisplay) return;
  DropIcons();
  XCloseDisplay(AsDisplay(FDisplay));
}

unsigned long X11Tray::Owner() const { return FDisplay ? XGetSelectionOwner(AsDisplay(FDisplay), FSelection) : 0; }

void X11Tray::WatchOwner() {
  const unsigned long owner = Owner();
  if (owner == FWatched) return;
  FWatched = owner;
  if (owner) XSelectInput(AsDisplay(FDisplay), owner, StructureNotifyMask);
}

int X11Tray::ConnectionFd() const { return FDisplay ? ConnectionNumber(AsDisplay(FDisplay)) : -1; }

bool X11Tray::HasQueuedEvents() const { return FDisplay && XEventsQueued(AsDisplay(FDisplay), QueuedAlready) > 0; }

bool X11Tray::Present() const { return Owner() != 0; }

X11Tray::Icon* X11Tray::Find(HWND wnd, UINT id) const {
  for (const auto& icon : FIcons)
    if (icon->Wnd == wnd && icon->Id == id) return icon.get();
  return nullptr;
}

X11Tray::Icon* X11Tray::FindWindow(unsigned long window) const {
  for (const auto& icon : FIcons)
    if (icon->XWindow == window) return icon.get();
  return nullptr;
}

X11WindowId X11Tray::IconWindow(HWND wnd, UINT id) const {
  const Icon* icon = Find(wnd, id);
  return icon ? icon->XWindow : 0;
}

void X11Tray::IconAdded(const NotifyIconInfo& info) {
  if (!FDisplay) return;
  Display* d = AsDisplay(FDisplay);
  auto icon = std::make_unique<Icon>();
  icon->Wnd = info.Wnd;
  icon->Id = info.Id;
  icon->Handle = info.Icon;
  icon->Tip = info.Tip;
  XSetWindowAttributes attributes;
  attributes.background_pixmap = ParentRelative;
  attributes.event_mask = ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  icon->XWindow = XCreateWindow(d, FRoot, 0, 0, kIconSize, kIconSize, 0, CopyFromParent, InputOutput, CopyFromParent,
                                CWBackPixmap | CWEventMask, &attributes);
  const unsigned long xembed[2] = {0, kXembedMapped};
  XChangeProperty(d, icon->XWindow, FXembedInfo, FXembedInfo, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(xembed), 2);
  XStoreName(d, icon->XWindow, icon->Tip.c_str());
  Dock(*icon);
  FIcons.push_back(std::move(icon));
  XFlush(d);
}

void X11Tray::Dock(Icon& icon) {
  Display* d = AsDisplay(FDisplay);
  WatchOwner();
  const unsigned long owner = Owner();
  if (!owner) return;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = owner;
  e.xclient.message_type = FOpcode;
  e.xclient.format = 32;
  e.xclient.data.l[0] = CurrentTime;
  e.xclient.data.l[1] = kRequestDock;
  e.xclient.data.l[2] = long(icon.XWindow);
  XSendEvent(d, owner, False, NoEventMask, &e);
}

void X11Tray::IconChanged(const NotifyIconInfo& info) {
  Icon* icon = Find(info.Wnd, info.Id);
  if (!icon) return;
  icon->Handle = info.Icon;
  icon->Tip = info.Tip;
  XStoreName(AsDisplay(FDisplay), icon->XWindow, icon->Tip.c_str());
  Paint(*icon);
  XFlush(AsDisplay(FDisplay));
}

void X11Tray::IconRemoved(HWND wnd, UINT id) {
  Icon* icon = Find(wnd, id);
  if (!icon) return;
  XDestroyWindow(AsDisplay(FDisplay), icon->XWindow);
  XFlush(AsDisplay(FDisplay));
  std::erase_if(FIcons, [icon](const std::unique_ptr<Icon>& i) { return i.get() == icon; });
}

void X11Tray::DropIcons() {
  for (const auto& icon : FIcons) XDestroyWindow(AsDisplay(FDisplay), icon->XWindow);
  FIcons.clear();
  XFlush(AsDisplay(FDisplay));
}

void X11Tray::Paint(Icon& icon) {
  Display* d = AsDisplay(FDisplay);
  const int w = std::max(icon.Width, 1);
  const int h = std::max(icon.Height, 1);
  // The icon over a key colour; what keeps the key shows the tray.
  constexpr COLORREF kKey = RGB(255, 0, 255);
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(HDC{});
  HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH key = CreateSolidBrush(kKey);
  const RECT all{0, 0, w, h};
  FillRect(dc, &all, key);
  DeleteObject(key);
  const int size = std::min(w, h) >= 16 ? 16 : std::min(w, h);
  if (icon.Handle) DrawIconEx(dc, (w - size) / 2, (h - size) / 2, icon.Handle, size, size, 0, HBRUSH{}, DI_NORMAL);
  const auto* pixels = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> image(size_t(w) * size_t(h));
  std::vector<uint8_t> mask(size_t((w + 7) / 8) * size_t(h), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t p = pixels[size_t(y) * size_t(w) + size_t(x)] & 0xFFFFFF;
      image[size_t(y) * size_t(w) + size_t(x)] = p;
      if (p != 0xFF00FF) mask[size_t(y) * size_t((w + 7) / 8) + size_t(x / 8)] |= uint8_t(1 << (x % 8));
    }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);

  XClearWindow(d, icon.XWindow);
  Visual* visual = DefaultVisual(d, DefaultScreen(d));
  const int depth = DefaultDepth(d, DefaultScreen(d));
  if (depth < 24) return;
  XImage* ximage = XCreateImage(d, visual, unsigned(depth), ZPixmap, 0, reinterpret_cast<char*>(image.data()),
                                unsigned(w), unsigned(h), 32, 0);
  if (!ximage) return;
  const Pixmap clip =
      XCreateBitmapFromData(d, icon.XWindow, reinterpret_cast<const char*>(mask.data()), unsigned(w), unsigned(h));
  GC gc = XCreateGC(d, icon.XWindow, 0, nullptr);
  XSetClipMask(d, gc, clip);
  XPutImage(d, icon.XWindow, gc, ximage, 0, 0, 0, 0, unsigned(w), unsigned(h));
  XFreeGC(d, gc);
  XFreePixmap(d, clip);
  ximage->data = nullptr;  // ours, not Xlib's
  XDestroyImage(ximage);
}

void X11Tray::Pointer(Icon& icon, int type, unsigned button, int rootX, int rootY, unsigned long time) {
  // The cursor is where the pointer is, so a menu opens under it.
  PostMouseMove({rootX, rootY});
  UINT message = 0;
  if (type == MotionNotify) {
    message = WM_MOUSEMOVE;
  } else if (button == Button1) {
    message = type == ButtonPress ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    if (type == ButtonPress) {
      if (FLastPressWindow == icon.XWindow && time - FLastPress <= GetDoubleClickTime()) {
        message = WM_LBUTTONDBLCLK;
        FLastPressWindow = 0;
      } else {
        FLastPress = time;
        FLastPressWindow = icon.XWindow;
      }
    }
  } else if (button == Button2) {
    message = type == ButtonPress ? WM_MBUTTONDOWN : WM_MBUTTONUP;
  } else if (button == Button3) {
    message = type == ButtonPress ? WM_RBUTTONDOWN : WM_RBUTTONUP;
  }
  if (message) PostNotifyIconInput(icon.Wnd, icon.Id, message);
}

void X11Tray::Poll() {
  if (!FDisplay) return;
  Display* d = AsDisplay(FDisplay);
  while (XPending(d)) {
    XEvent e;
    XNextEvent(d, &e);
    switch (e.type) {
      case ClientMessage:
        if (e.xclient.window == FRoot && e.xclient.message_type == FManager &&
            static_cast<unsigned long>(e.xclient.data.l[1]) == FSelection) {
          // A tray (re)started: it knows none of our icons; they come again
          // as their owners hear "TaskbarCreated".
          DropIcons();
          WatchOwner();
          NotifyAreaRestarted();
        }
        break;
      case DestroyNotify:
        if (e.xdestroywindow.window == FWatched) {
          // The tray went: its icons would be left on the desktop.
          FWatched = 0;
          DropIcons();
        }
        break;
      case ConfigureNotify:
        if (Icon* icon = FindWindow(e.xconfigure.window)) {
          icon->Width = e.xconfigure.width;
          icon->Height = e.xconfigure.height;
        }
        break;
      case Expose:
        if (Icon* icon = FindWindow(e.xexpose.window); icon && e.xexpose.count == 0) Paint(*icon);
        break;
      case ButtonPress:
      case ButtonRelease:
        if (Icon* icon = FindWindow(e.xbutton.window))
          Pointer(*icon, e.type, e.xbutton.button, e.xbutton.x_root, e.xbutton.y_root, e.xbutton.time);
        break;
      case MotionNotify:
        if (Icon* icon = FindWindow(e.xmotion.window))
          Pointer(*icon, e.type, 0, e.xmotion.x_root, e.xmotion.y_root, e.xmotion.time);
        break;
      default: break;
    }
  }
  XFlush(d);
}

}  // namespace kora

#pragma once
// The notification area on X11: the desktop's system tray (the owner of
// the _NET_SYSTEM_TRAY_Sn selection) docks one small window of ours per
// icon by XEmbed. The windows show the icon, turn the pointer over them
// into the icons' callback messages, and go when the tray goes; a tray
// that (re)starts announces itself and every top-level window hears
// "TaskbarCreated". Its own connection to the server keeps it apart from
// SDL's; X headers stay in the .cpp.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/backends/sdl/X11Bridge.h"
#include "platform/shell/NotifyArea.h"

namespace kora {

class X11Tray final : public NotifyAreaHost {
public:
  // Connects to DISPLAY; without a server the area is never present.
  X11Tray();
  ~X11Tray() override;
  X11Tray(const X11Tray&) = delete;
  X11Tray& operator=(const X11Tray&) = delete;

  bool Present() const override;
  void IconAdded(const NotifyIconInfo& icon) override;
  void IconChanged(const NotifyIconInfo& icon) override;
  void IconRemoved(HWND wnd, UINT id) override;

  // Handles what the server sent: the tray coming and going, the icons'
  // painting and the pointer over them.
  void Poll();
  // Its connection's socket, to wait on with the others; -1 without one.
  int ConnectionFd() const;
  // Whether events were read from the server but not yet handled.
  bool HasQueuedEvents() const;
  // The X window of an icon, 0 when it has none.
  X11WindowId IconWindow(HWND wnd, UINT id) const;

private:
  struct Icon;
  Icon* Find(HWND wnd, UINT id) const;
  Icon* FindWindow(unsigned long window) const;
  unsigned long Owner() const;
  void WatchOwner();
  void Dock(Icon& icon);
  void Paint(Icon& icon);
  void DropIcons();
  void Pointer(Icon& icon, int type, unsigned button, int rootX, int rootY, unsigned long time);

  void* FDisplay = nullptr;  // Display*
  unsigned long FRoot = 0;
  unsigned long FSelection = 0, FOpcode = 0, FManager = 0, FXembedInfo = 0;
  unsigned long FWatched = 0;  // the tray window we follow
  std::vector<std::unique_ptr<Icon>> FIcons;
  unsigned long FLastPress = 0;
  unsigned long FLastPressWindow = 0;
};

}  // namespace kora

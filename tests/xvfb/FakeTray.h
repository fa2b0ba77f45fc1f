#pragma once
// A notification area of the test's own on the X server: it takes the
// system-tray selection, announces itself, and docks the icon windows
// that ask, as a desktop's tray does. The X headers stay in the .cpp.

#include <cstdint>
#include <vector>

namespace kora::test {

class FakeTray {
public:
  // Connects to DISPLAY; Start() makes it a tray.
  FakeTray();
  ~FakeTray();  // stops being a tray and closes the connection
  FakeTray(const FakeTray&) = delete;
  FakeTray& operator=(const FakeTray&) = delete;

  // Takes the selection and tells the root window (MANAGER).
  bool Start();
  // Goes away as a crashed tray does: its window is destroyed.
  void Stop();
  // Handles dock requests: each docked window is embedded and shown.
  void Poll();
  // A tray that crashes while it docks: the first window it embeds goes
  // with it, as the icon is being shown.
  bool VanishOnDock = false;
  // The windows docked since the start, in order.
  const std::vector<unsigned long>& Docked() const { return FDocked; }
  // Whether a docked window is on the screen (it and the tray mapped).
  bool Viewable(unsigned long window) const;
  // Whether a window carries the XEmbed information a tray icon must have.
  bool HasXembedInfo(unsigned long window) const;
  // The embedded window's place on the screen, (-1, -1) when unknown.
  void Centre(unsigned long window, int* x, int* y) const;

private:
  void* FDisplay = nullptr;
  unsigned long FWindow = 0;
  std::vector<unsigned long> FDocked;
};

}  // namespace kora::test

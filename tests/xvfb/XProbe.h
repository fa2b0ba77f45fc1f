#pragma once
// The test's own connection to the X server: it reads back what the server
// shows and types and clicks like a person (XTest), independent of SDL.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/Geometry.h"

namespace kora::test {

// 0x00RRGGBB pixels of the whole root window, rows top-down.
struct RootImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  // No pixel is kOutside: a point off the root (a window the window
  // manager has partly moved off the screen) or in a failed capture.
  static constexpr uint32_t kOutside = 0x01000000;
  uint32_t At(POINT p) const {
    if (p.X < 0 || p.Y < 0 || p.X >= Width || p.Y >= Height || Pixels.size() < size_t(Width) * size_t(Height))
      return kOutside;
    return Pixels[size_t(p.Y) * size_t(Width) + size_t(p.X)] & 0xFFFFFF;
  }
};

class XProbe {
public:
  // Connects to DISPLAY; throws std::runtime_error when it cannot.
  XProbe();
  ~XProbe();
  XProbe(const XProbe&) = delete;
  XProbe& operator=(const XProbe&) = delete;

  // An even desktop colour (0xRRGGBB), so a missing shape cannot pass for it.
  void PaintDesktop(uint32_t pixel) const;
  RootImage Capture() const;
  // When KORA_ARTIFACTS names a folder, saves the image there as name.png.
  static void SaveArtifact(const RootImage& image, const std::string& name);

  // The top-level X window that shows at a point (shapes respected), 0 for the root.
  unsigned long WindowAt(POINT p) const;
  unsigned long FocusWindow() const;
  // A 32-bit cardinal property of a window, none when it is not set.
  std::optional<uint32_t> CardinalProperty(unsigned long window, const char* name) const;

  // A window of another program, shown; it goes with the connection.
  unsigned long ShowForeignWindow(RECT r) const;
  void Focus(unsigned long window) const;
  // Destroys any window, another program's too, as a misbehaving client
  // may; waits until the server has done it.
  void Destroy(unsigned long window) const;

  void MoveTo(POINT p) const;
  void Click(POINT p) const;
  // keysym names as XStringToKeysym takes them ("a", "Alt_L").
  void Key(const char* keysym, bool down) const;
  void Tap(const char* keysym) const;

private:
  void* FDisplay = nullptr;
};

}  // namespace kora::test

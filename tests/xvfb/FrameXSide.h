#pragma once
// The test's own X connection for the frame tests: input like a person
// (XTest), what the server knows about windows, and a window manager
// (Openbox) started on the server. The X headers stay in the .cpp.

#include <sys/types.h>

#include <string>

#include "platform/gdi/Geometry.h"

namespace kora::test {

class XSide {
public:
  // Connects to DISPLAY; false from operator bool when it cannot.
  XSide();
  ~XSide();
  XSide(const XSide&) = delete;
  XSide& operator=(const XSide&) = delete;
  explicit operator bool() const { return FDisplay != nullptr; }
  // Lets several threads use connections of their own; first of all X calls.
  static void InitThreads();

  void MoveTo(POINT p) const;
  void Button(int button, bool down) const;
  void Tap(const char* keysym) const;
  // The focus window; 0 for none or the pointer root.
  unsigned long Focus() const;
  bool HasWindowManager() const;
  // A window by its title anywhere below the root (a window manager reparents it); 0 when none.
  unsigned long FindByName(const std::string& name) const;
  // What a task bar does to bring a window back.
  void Activate(unsigned long window) const;
  bool Viewable(unsigned long window) const;
  // Maps a window of its own and waits at most limitMs for it to show (a
  // window manager mapping it); the window goes again either way.
  bool MapsAWindow(int limitMs) const;
  // The window's rectangle on the root; empty when it is gone.
  RECT Geometry(unsigned long window) const;

private:
  unsigned long FindByName(const std::string& name, unsigned long from) const;
  void* FDisplay = nullptr;
};

// Openbox on the server of DISPLAY until destroyed.
class WindowManager {
public:
  WindowManager() = default;
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;
  // False when it cannot be started or does not manage windows within 10 s.
  bool Start(const XSide& x);

private:
  pid_t FPid = 0;
};

}  // namespace kora::test

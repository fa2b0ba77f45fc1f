#pragma once
// A private X server for one test process: Xvfb picks a free display
// number itself (-displayfd) and reports it once it accepts connections.

#include <sys/types.h>
#include <memory>
#include <string>

namespace kora::test {

// Ends a child process (a server, a window manager), politely first; one
// that does not go within two seconds is killed, so no test waits for ever.
void EndChild(pid_t pid);

class XvfbServer {
public:
  // Null with the reason when the server did not come up. *missing tells
  // whether the Xvfb program is not installed at all.
  static std::unique_ptr<XvfbServer> Start(std::string* reason, bool* missing);
  ~XvfbServer();  // stops the server and waits for it
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // ":N", also set as DISPLAY for this process.
  const std::string& Display() const { return FDisplay; }

private:
  XvfbServer(pid_t pid, std::string display) : FPid(pid), FDisplay(std::move(display)) {}

  pid_t FPid;
  std::string FDisplay;
};

}  // namespace kora::test

#include "xvfb/XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/backends/sdl/X11Bridge.h"

extern char** environ;

namespace kora::test {

namespace {

constexpr int kStartTimeoutMs = 10000;

bool FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':'))
    if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0) return true;
  return false;
}

}  // namespace

void EndChild(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

std::unique_ptr<XvfbServer> XvfbServer::Start(std::string* reason, bool* missing) {
  // The program's own rule holds in the tests too: no X error ends the
  // process, whichever connection it comes on and whenever.
  InstallX11ErrorHandlers();
  *missing = !FindProgram("Xvfb");
  if (*missing) {
    *reason = "Xvfb is not installed (scripts/install-deps.sh installs it)";
    return nullptr;
  }
  int fds[2];
  if (pipe(fds) != 0) {
    *reason = "pipe failed";
    return nullptr;
  }
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  const std::string writeFd = std::to_string(fds[1]);
  std::vector<std::string> args = {"Xvfb",        "-displayfd", writeFd,     "-screen", "0",
                                   "1024x768x24", "-noreset",   "-nolisten", "tcp"};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    close(fds[0]);
    *reason = "cannot start Xvfb";
    return nullptr;
  }

  // The display number arrives, newline-terminated, once the server is ready.
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
  while (number.empty() || number.back() != '\n') {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd p{fds[0], POLLIN, 0};
    if (left.count() <= 0 || poll(&p, 1, int(left.count())) <= 0) break;
    char buffer[32];
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    number.append(buffer, size_t(n));
  }
  close(fds[0]);
  if (number.empty() || number.back() != '\n') {
    EndChild(pid);
    *reason = "Xvfb did not report a display in time";
    return nullptr;
  }
  number.pop_back();
  std::string display = ":" + number;
  setenv("DISPLAY", display.c_str(), 1);
  return std::unique_ptr<XvfbServer>(new XvfbServer(pid, std::move(display)));
}

XvfbServer::~XvfbServer() { EndChild(FPid); }

}  // namespace kora::test

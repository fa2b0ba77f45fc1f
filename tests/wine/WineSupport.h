#pragma once
// The Windows build's programs run under Wine from a Linux test: where the
// build is, a copy of its program folder, Windows paths for Linux ones, and
// a Windows program started or run to its end. A test skips when there is
// no Windows build, unless KORA_REQUIRE_WINDOWS is set (CI sets it).

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace kora::test {

// The Windows build's program folder, with '/'.
inline std::string WindowsProgramFolder() { return std::string(KORA_WINDOWS_BUILD) + "/kora/"; }

// Why the Windows programs cannot run here; empty when they can.
inline std::string WhyNoWindowsBuild() {
  namespace fs = std::filesystem;
  if (!fs::exists(WindowsProgramFolder() + "kora-editor.exe"))
    return "no Windows build in " + std::string(KORA_WINDOWS_BUILD) + " (scripts/build.sh --windows)";
  if (!fs::exists("/usr/lib/wine/wine64")) return "wine64 is not installed (scripts/install-deps.sh --windows)";
  return {};
}

#define KORA_NEED_WINDOWS_BUILD()                             \
  do {                                                        \
    const std::string why = WhyNoWindowsBuild();              \
    if (!why.empty()) {                                       \
      if (std::getenv("KORA_REQUIRE_WINDOWS")) FAIL() << why; \
      GTEST_SKIP() << why;                                    \
    }                                                         \
  } while (false)

// A Linux path as a Windows program under Wine names it (drive Z: is /).
inline std::string WindowsPath(const std::string& path) {
  std::string out = "Z:" + path;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

// A copy of the Windows program folder under `dir`; returned with '/'.
inline std::string MakeWindowsProgramCopy(const std::string& dir) {
  namespace fs = std::filesystem;
  const fs::path source = WindowsProgramFolder(), target = dir + "kora";
  fs::create_directories(target / "RomData");
  for (const char* part : {"kora-editor.exe", "kora-cli.exe"}) fs::copy_file(source / part, target / part);
  for (const char* part : {"Tool", "Data", "Image"})
    fs::copy(source / part, target / part, fs::copy_options::recursive);
  return target.string() + "/";
}

// Starts a Windows program under Wine in the build's Wine prefix, its
// standard output and errors into `output`; returns its process (Wine's).
inline pid_t StartWindowsProgram(const std::vector<std::string>& args, const std::string& output) {
  setenv("WINEPREFIX", (std::string(KORA_WINDOWS_BUILD) + "/wine-prefix").c_str(), 1);
  const std::string runner = std::string(KORA_SOURCE_DIR) + "/scripts/wine-run.sh";
  std::vector<char*> argv{const_cast<char*>(runner.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = 0;
  if (posix_spawn(&pid, runner.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = 0;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Waits for a process within a bound; its exit status, or -1 when it did
// not end in time (it is killed then).
inline int WaitForProgram(pid_t pid, int limitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) != pid) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs a Windows program to its end (at most a minute); its exit status.
inline int RunWindowsProgram(const std::vector<std::string>& args, const std::string& output) {
  const pid_t pid = StartWindowsProgram(args, output);
  return pid > 0 ? WaitForProgram(pid, 60000) : -1;
}

}  // namespace kora::test

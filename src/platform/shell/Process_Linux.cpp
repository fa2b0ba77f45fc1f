#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>

#include "platform/shell/Process.h"

extern char** environ;

namespace kora {

namespace {

// One of posix_spawn's option objects, made and destroyed with the scope.
template <class T, int (*Init)(T*), int (*Destroy)(T*)>
class SpawnOptions {
public:
  SpawnOptions() { Init(&FValue); }
  ~SpawnOptions() { Destroy(&FValue); }
  SpawnOptions(const SpawnOptions&) = delete;
  SpawnOptions& operator=(const SpawnOptions&) = delete;
  T* Get() { return &FValue; }

private:
  T FValue;
};

using SpawnActions =
    SpawnOptions<posix_spawn_file_actions_t, posix_spawn_file_actions_init, posix_spawn_file_actions_destroy>;
using SpawnAttributes = SpawnOptions<posix_spawnattr_t, posix_spawnattr_init, posix_spawnattr_destroy>;

// Waits until the child ends or the time is up; false when it is up.
bool WaitUntilEnded(pid_t pid, int timeLimitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
  const int handle = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  for (;;) {
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid) break;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) {
      if (handle >= 0) ::close(handle);
      return false;
    }
    if (handle >= 0) {
      // Readable once the child has ended.
      pollfd ready{handle, POLLIN, 0};
      ::poll(&ready, 1, static_cast<int>(std::min<long long>(left, 1000)));
    } else {
      // A kernel without process handles: look again every few milliseconds.
      ::usleep(static_cast<useconds_t>(std::min<long long>(left, 10)) * 1000);
    }
  }
  if (handle >= 0) ::close(handle);
  return true;
}

}  // namespace

int RunProcess(const std::vector<std::string>& argv, const std::string& workingDir,
               const std::function<void()>& afterStart, int timeLimitMs) {
  if (argv.empty() || argv[0].empty()) return -1;

  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  SpawnActions actions;
  // The child reports a failed chdir or exec through posix_spawn's result,
  // so "cannot start" is never mistaken for an exit code.
  if (!workingDir.empty() && posix_spawn_file_actions_addchdir_np(actions.Get(), workingDir.c_str()) != 0) {
    return -1;
  }
  if (posix_spawn_file_actions_addopen(actions.Get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0) != 0) {
    return -1;
  }

  SpawnAttributes attributes;
  const bool limited = timeLimitMs >= 0;
  // A group of its own, so that a time-out also ends what the child started.
  if (limited && (posix_spawnattr_setflags(attributes.Get(), POSIX_SPAWN_SETPGROUP) != 0 ||
                  posix_spawnattr_setpgroup(attributes.Get(), 0) != 0)) {
    return -1;
  }

  pid_t pid = 0;
  if (posix_spawnp(&pid, args[0], actions.Get(), attributes.Get(), args.data(), environ) != 0) return -1;

  if (afterStart) {
    try {
      afterStart();
    } catch (...) {
      // Never leave the child unreaped; the handler's error still reaches the caller.
      if (limited && !WaitUntilEnded(pid, timeLimitMs)) ::kill(-pid, SIGKILL);
      int ignored = 0;
      while (waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {}
      throw;
    }
  }

  const bool timedOut = limited && !WaitUntilEnded(pid, timeLimitMs);
  if (timedOut) ::kill(-pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (timedOut) return kProcessTimedOut;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace kora

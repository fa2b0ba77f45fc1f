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
#include <cstring>

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

// The read end of a pipe the child's error output goes to, and what came
// through it, its last kErrorOutputKept bytes.
struct ErrorCapture {
  int Handle = -1;
  std::string* Sink = nullptr;

  // Takes what is there now; false once the child's side is closed.
  bool Drain() {
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(Handle, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno == EAGAIN) return true;
      if (n <= 0) return false;
      Sink->append(buffer, static_cast<std::size_t>(n));
      if (Sink->size() > kErrorOutputKept) Sink->erase(0, Sink->size() - kErrorOutputKept);
    }
  }
};

// Waits until the child ends or the time is up (a negative limit: no
// limit), meanwhile taking its error output; false when the time is up.
bool WaitUntilEnded(pid_t pid, int timeLimitMs, ErrorCapture* capture) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeLimitMs, 0));
  const int handle = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  bool piped = capture != nullptr;
  for (;;) {
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid) break;
    long long left = 1000;
    if (timeLimitMs >= 0) {
      left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
      if (left <= 0) {
        if (handle >= 0) ::close(handle);
        return false;
      }
    }
    // Readable once the child has ended, or has written; without process
    // handles (an old kernel) the child is looked at every few milliseconds.
    pollfd ready[2] = {{handle, POLLIN, 0}, {piped ? capture->Handle : -1, POLLIN, 0}};
    ::poll(ready, 2, static_cast<int>(std::min<long long>(left, handle >= 0 ? 1000 : 10)));
    if (piped && ready[1].revents) piped = capture->Drain();
  }
  if (handle >= 0) ::close(handle);
  // What it wrote last, up to its end; a grandchild that holds the pipe
  // open does not keep us.
  if (piped) capture->Drain();
  return true;
}

// Closes a descriptor with the scope.
struct Descriptor {
  int Handle = -1;
  ~Descriptor() {
    if (Handle >= 0) ::close(Handle);
  }
};

}  // namespace

int RunProcess(const std::vector<std::string>& argv, const std::string& workingDir,
               const std::function<void()>& afterStart, int timeLimitMs, std::string* errorOutput) {
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
  Descriptor readEnd, writeEnd;
  if (errorOutput) {
    errorOutput->clear();
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return -1;
    readEnd.Handle = ends[0];
    writeEnd.Handle = ends[1];
    // Reading never blocks: the wait goes on while the child is silent.
    ::fcntl(readEnd.Handle, F_SETFL, ::fcntl(readEnd.Handle, F_GETFL) | O_NONBLOCK);
    if (posix_spawn_file_actions_adddup2(actions.Get(), writeEnd.Handle, STDERR_FILENO) != 0) return -1;
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
  // Only the child writes into the pipe now: its end tells us when it is done.
  ::close(writeEnd.Handle);
  writeEnd.Handle = -1;
  ErrorCapture capture{readEnd.Handle, errorOutput};
  ErrorCapture* const captured = errorOutput ? &capture : nullptr;

  if (afterStart) {
    try {
      afterStart();
    } catch (...) {
      // Never leave the child unreaped; the handler's error still reaches the caller.
      if (!WaitUntilEnded(pid, timeLimitMs, captured)) ::kill(-pid, SIGKILL);
      int ignored = 0;
      while (waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {}
      throw;
    }
  }

  const bool timedOut = !WaitUntilEnded(pid, timeLimitMs, captured);
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

std::string SignalName(int signal) { return ::strsignal(signal); }

}  // namespace kora

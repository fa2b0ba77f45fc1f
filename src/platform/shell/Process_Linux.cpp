#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/shell/Process.h"

extern char** environ;

namespace kora {

namespace {

class SpawnActions {
public:
  SpawnActions() { posix_spawn_file_actions_init(&FActions); }
  ~SpawnActions() { posix_spawn_file_actions_destroy(&FActions); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  posix_spawn_file_actions_t* Get() { return &FActions; }

private:
  posix_spawn_file_actions_t FActions;
};

}  // namespace

int RunProcess(const std::vector<std::string>& argv, const std::string& workingDir,
               const std::function<void()>& afterStart) {
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

  pid_t pid = 0;
  if (posix_spawnp(&pid, args[0], actions.Get(), nullptr, args.data(), environ) != 0) return -1;

  if (afterStart) {
    try {
      afterStart();
    } catch (...) {
      // Never leave the child unreaped; the handler's error still reaches the caller.
      int ignored = 0;
      while (waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {}
      throw;
    }
  }

  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

std::vector<std::string> ProgramArguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

}  // namespace kora

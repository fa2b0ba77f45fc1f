#pragma once
// Starting a child process without a shell and waiting for it.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kora {

// What RunProcess returns for a child it ended because it ran too long.
inline constexpr int kProcessTimedOut = -2;

// Runs argv[0] with the given arguments (no shell; a name without '/' is
// searched in PATH; on Windows ".exe" may be left out), with workingDir as
// its current directory, stdin from /dev/null (NUL) and no window of its
// own, and waits for it. `afterStart`, when given, runs once after the
// child has started and before the wait. With a timeLimitMs of 0 or more,
// the child runs in a process group (on Windows a job) of its own, and when
// it has not ended after that many milliseconds the group (the child and
// whatever it started) is killed and kProcessTimedOut returned; a negative
// limit waits for as long as the child runs.
// Returns the exit code; 128 + the signal number when a signal killed the
// child; -1 when the child cannot be started (empty argv, missing or
// non-executable program, missing working directory).
// With errorOutput, what the child writes to its error output is taken
// instead of going to ours, and the last kErrorOutputKept bytes of it are
// stored there.
int RunProcess(const std::vector<std::string>& argv, const std::string& workingDir,
               const std::function<void()>& afterStart = {}, int timeLimitMs = -1, std::string* errorOutput = nullptr);
inline constexpr std::size_t kErrorOutputKept = 4096;

// The system's name of a signal ("Killed"); a number where there are none.
std::string SignalName(int signal);

// Splits a command line into arguments. Blanks (space, tab) separate
// arguments; a double-quoted part may hold blanks and joins the text around
// it ("a"b is ab); inside quotes a doubled quote "" stands for one quote
// character; a quote left open runs to the end. A backslash is an ordinary
// character, so both "C:\dir" and "/dir" style paths pass unchanged. ""
// alone is an empty argument.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Quotes one argument so that SplitCommandLine gives it back unchanged.
std::string QuoteArgument(std::string_view argument);

}  // namespace kora

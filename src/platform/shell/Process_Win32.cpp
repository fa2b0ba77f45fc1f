#include "platform/shell/Process.h"
#include "platform/text/WideText.h"

#include "platform/gdi/WinApi_Win32.h"

namespace kora {

namespace {

// One argument as the C runtime's parser of the child reads it back:
// backslashes are literal except before a quote, where they are doubled.
void AppendQuoted(std::wstring& line, const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    line += argument;
    return;
  }
  line += L'"';
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

// The program's own path with the system's separators and no doubled one
// (a folder name ending in a separator joined to "/Tool").
std::wstring ProgramPath(const std::string& program) {
  std::wstring path;
  for (const wchar_t c : ToWide(program)) {
    const wchar_t d = c == L'/' ? L'\\' : c;
    if (d == L'\\' && path.size() > 1 && path.back() == L'\\') continue;
    path += d;
  }
  return path;
}

class Handle {
public:
  explicit Handle(HANDLE h = nullptr) : FHandle(h) {}
  ~Handle() {
    if (FHandle && FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return FHandle; }

private:
  HANDLE FHandle;
};

// A copy of one of our standard handles for the child to inherit; none when
// we have none (a program started from the desktop).
HANDLE InheritableCopy(::DWORD which) {
  const HANDLE own = GetStdHandle(which);
  HANDLE copy = nullptr;
  if (!own || own == INVALID_HANDLE_VALUE ||
      !DuplicateHandle(GetCurrentProcess(), own, GetCurrentProcess(), &copy, 0, TRUE, DUPLICATE_SAME_ACCESS))
    return nullptr;
  return copy;
}

// Waits for the child; false when the time ran out first.
bool WaitUntilEnded(HANDLE child, int timeLimitMs) {
  return WaitForSingleObject(child, timeLimitMs < 0 ? INFINITE : ::DWORD(timeLimitMs)) == WAIT_OBJECT_0;
}

}  // namespace

int RunProcess(const std::vector<std::string>& argv, const std::string& workingDir,
               const std::function<void()>& afterStart, int timeLimitMs) {
  if (argv.empty() || argv[0].empty()) return -1;
  std::wstring line;
  AppendQuoted(line, ProgramPath(argv[0]));
  for (size_t i = 1; i < argv.size(); ++i) {
    line += L' ';
    AppendQuoted(line, ToWide(argv[i]));
  }

  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  Handle input(
      CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
  Handle output(InheritableCopy(STD_OUTPUT_HANDLE));
  Handle error(InheritableCopy(STD_ERROR_HANDLE));
  STARTUPINFOW start{};
  start.cb = sizeof start;
  // A console program shows no window of its own; a GUI one starts hidden.
  start.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  start.wShowWindow = SW_HIDE;
  start.hStdInput = input.Get();
  start.hStdOutput = output.Get();
  start.hStdError = error.Get();

  // With a limit the child runs in a job of its own, so that a time-out
  // also ends what the child started; it is put there before it runs.
  const bool limited = timeLimitMs >= 0;
  Handle job(limited ? CreateJobObjectW(nullptr, nullptr) : nullptr);
  if (limited && !job.Get()) return -1;
  const std::wstring folder = ToWide(workingDir);
  PROCESS_INFORMATION process{};
  const ::DWORD flags = CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT | (limited ? CREATE_SUSPENDED : 0);
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, flags, nullptr,
                      workingDir.empty() ? nullptr : folder.c_str(), &start, &process))
    return -1;
  Handle child(process.hProcess);
  Handle thread(process.hThread);
  if (limited) {
    if (!AssignProcessToJobObject(job.Get(), child.Get())) {
      TerminateProcess(child.Get(), 1);
      WaitForSingleObject(child.Get(), INFINITE);
      return -1;
    }
    ResumeThread(thread.Get());
  }

  if (afterStart) {
    try {
      afterStart();
    } catch (...) {
      // The child is waited for on every way out; the handler's error still reaches the caller.
      if (!WaitUntilEnded(child.Get(), timeLimitMs)) TerminateJobObject(job.Get(), 1);
      WaitForSingleObject(child.Get(), INFINITE);
      throw;
    }
  }
  if (!WaitUntilEnded(child.Get(), timeLimitMs)) {
    TerminateJobObject(job.Get(), 1);
    WaitForSingleObject(child.Get(), INFINITE);
    return kProcessTimedOut;
  }
  ::DWORD code = 0;
  if (!GetExitCodeProcess(child.Get(), &code)) return -1;
  return int(code);
}

}  // namespace kora

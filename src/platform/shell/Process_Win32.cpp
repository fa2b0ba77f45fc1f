#include <algorithm>

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
  void Release() { FHandle = nullptr; }

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

// The read end of the pipe the child's error output goes to, and what came
// through it, its last kErrorOutputKept bytes.
struct ErrorCapture {
  HANDLE Pipe = nullptr;
  std::string* Sink = nullptr;

  // Takes what is there now, never waiting for more.
  void Drain() {
    char buffer[4096];
    for (;;) {
      ::DWORD ready = 0, got = 0;
      if (!PeekNamedPipe(Pipe, nullptr, 0, nullptr, &ready, nullptr) || ready == 0) return;
      if (!ReadFile(Pipe, buffer, std::min<::DWORD>(ready, sizeof buffer), &got, nullptr) || got == 0) return;
      Sink->append(buffer, got);
      if (Sink->size() > kErrorOutputKept) Sink->erase(0, Sink->size() - kErrorOutputKept);
    }
  }
};

// Waits for the child, meanwhile taking its error output; false when the
// time ran out first. An anonymous pipe cannot be waited on together with
// the child, so it is looked at between short waits.
bool WaitUntilEnded(HANDLE child, int timeLimitMs, ErrorCapture* capture) {
  if (!capture) return WaitForSingleObject(child, timeLimitMs < 0 ? INFINITE : ::DWORD(timeLimitMs)) == WAIT_OBJECT_0;
  const ULONGLONG deadline = GetTickCount64() + ULONGLONG(std::max(timeLimitMs, 0));
  for (;;) {
    capture->Drain();
    ::DWORD slice = 10;
    if (timeLimitMs >= 0) {
      const ULONGLONG now = GetTickCount64();
      slice = now >= deadline ? 0 : ::DWORD(std::min<ULONGLONG>(deadline - now, 10));
    }
    if (WaitForSingleObject(child, slice) == WAIT_OBJECT_0) {
      // What it wrote last, up to its end; a grandchild that holds the
      // pipe open does not keep us.
      capture->Drain();
      return true;
    }
    if (slice == 0) return false;
  }
}

}  // namespace

int RunProcess(const std::vector<std::string>& argv, const std::string& workingDir,
               const std::function<void()>& afterStart, int timeLimitMs, std::string* errorOutput) {
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
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (errorOutput) {
    errorOutput->clear();
    // Only the child's end is inherited.
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16)) return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  }
  Handle errorRead(readEnd);
  Handle error(errorOutput ? writeEnd : InheritableCopy(STD_ERROR_HANDLE));
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
  // Only the child writes into the pipe now.
  if (errorOutput) {
    CloseHandle(error.Get());
    error.Release();
  }
  ErrorCapture capture{errorRead.Get(), errorOutput};
  ErrorCapture* const captured = errorOutput ? &capture : nullptr;
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
      if (!WaitUntilEnded(child.Get(), timeLimitMs, captured)) TerminateJobObject(job.Get(), 1);
      WaitForSingleObject(child.Get(), INFINITE);
      throw;
    }
  }
  if (!WaitUntilEnded(child.Get(), timeLimitMs, captured)) {
    TerminateJobObject(job.Get(), 1);
    WaitForSingleObject(child.Get(), INFINITE);
    return kProcessTimedOut;
  }
  ::DWORD code = 0;
  if (!GetExitCodeProcess(child.Get(), &code)) return -1;
  return int(code);
}

std::string SignalName(int signal) { return "signal " + std::to_string(signal); }

}  // namespace kora

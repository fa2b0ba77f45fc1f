#include <algorithm>
#include <chrono>
#include <system_error>
#include <thread>

#include "platform/shell/FolderWatcher.h"
#include "platform/shell/SysFiles_Win32.h"
#include "platform/text/WideText.h"

#include "platform/gdi/WinApi_Win32.h"

namespace kora {

namespace {

using WatchClock = std::chrono::steady_clock;
constexpr auto kReportInterval = std::chrono::milliseconds(100);
// A folder moved or deleted away sends nothing to its own watch on every
// system: whether it is still there is asked this often.
constexpr ::DWORD kPresenceCheckMs = 250;

::DWORD NotifyFilter(uint32_t filter) {
  ::DWORD mask = 0;
  if (filter & FOLDER_CHANGE_NAME) mask |= FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
  if (filter & FOLDER_CHANGE_CONTENT) mask |= FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;
  if (filter & FOLDER_CHANGE_ATTRIBUTES) mask |= FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY;
  return mask;
}

// A "modified" entry does not say whether data or attributes changed.
uint32_t ChangesOf(::DWORD action, uint32_t filter) {
  switch (action) {
    case FILE_ACTION_ADDED:
    case FILE_ACTION_REMOVED:
    case FILE_ACTION_RENAMED_OLD_NAME:
    case FILE_ACTION_RENAMED_NEW_NAME: return FOLDER_CHANGE_NAME & filter;
    default: return (FOLDER_CHANGE_CONTENT | FOLDER_CHANGE_ATTRIBUTES) & filter;
  }
}

class OwnedHandle {
public:
  explicit OwnedHandle(HANDLE h) : FHandle(h) {}
  ~OwnedHandle() {
    if (FHandle && FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  HANDLE Get() const { return FHandle; }
  bool Valid() const { return FHandle && FHandle != INVALID_HANDLE_VALUE; }

private:
  HANDLE FHandle;
};

}  // namespace

struct FolderWatcher::Worker {
  Worker(const std::string& folder, Notify notify, uint32_t filter, bool subtree)
      : Path(ToWide(folder)),
        Folder(CreateFileW(Path.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr)),
        Arrived(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        Stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        OnChange(std::move(notify)),
        Filter(filter),
        Subtree(subtree) {
    const std::string what = "Cannot watch the folder \"" + folder + "\"";
    if (!Folder.Valid()) throw std::system_error(SetErrnoFromLastError(), std::generic_category(), what);
    const ::DWORD attributes = GetFileAttributesW(Path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
      throw std::system_error(ENOTDIR, std::generic_category(), what);
    if (!Arrived.Valid() || !Stop.Valid() || !Listen())
      throw std::system_error(SetErrnoFromLastError(), std::generic_category(), what);
    Thread = std::thread([this] { Run(); });
  }

  ~Worker() {
    SetEvent(Stop.Get());
    Thread.join();
    // The pending read must end before its buffer goes.
    if (Listening && CancelIoEx(Folder.Get(), &Overlapped)) {
      ::DWORD ignored = 0;
      GetOverlappedResult(Folder.Get(), &Overlapped, &ignored, TRUE);
    }
  }

  bool Listen() {
    Overlapped = OVERLAPPED{};
    Overlapped.hEvent = Arrived.Get();
    // Names must be seen in a subtree too, or new folders' changes would
    // be lost to a filter without them; they are filtered out below.
    const ::DWORD mask = NotifyFilter(Filter | (Subtree ? FOLDER_CHANGE_NAME : 0)) | FILE_NOTIFY_CHANGE_DIR_NAME;
    Listening =
        ReadDirectoryChangesW(Folder.Get(), Buffer, sizeof Buffer, Subtree, mask, nullptr, &Overlapped, nullptr) != 0;
    return Listening;
  }

  // What the finished read reported; FOLDER_CHANGE_GONE when the watch ended.
  uint32_t Collect() {
    ::DWORD bytes = 0;
    Listening = false;
    ResetEvent(Arrived.Get());
    if (!GetOverlappedResult(Folder.Get(), &Overlapped, &bytes, FALSE)) {
      // Too many changes for the buffer: anything may have changed.
      if (GetLastError() == ERROR_NOTIFY_ENUM_DIR) return Listen() ? FOLDER_CHANGE_ALL & Filter : FOLDER_CHANGE_GONE;
      return FOLDER_CHANGE_GONE;
    }
    uint32_t changes = bytes == 0 ? FOLDER_CHANGE_ALL & Filter : 0;
    for (::DWORD at = 0; at < bytes;) {
      const auto* entry = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(Buffer + at);
      changes |= ChangesOf(entry->Action, Filter);
      if (entry->NextEntryOffset == 0) break;
      at += entry->NextEntryOffset;
    }
    if (!StillThere() || !Listen()) changes |= FOLDER_CHANGE_GONE;
    return changes;
  }

  bool StillThere() const {
    const ::DWORD attributes = GetFileAttributesW(Path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  void Run() {
    uint32_t pending = 0;
    bool gone = false;
    auto lastReport = WatchClock::now() - kReportInterval;
    for (;;) {
      ::DWORD timeoutMs = gone ? INFINITE : kPresenceCheckMs;
      if (pending) {
        const auto wait = lastReport + kReportInterval - WatchClock::now();
        timeoutMs = ::DWORD(std::max<int64_t>(0, std::chrono::ceil<std::chrono::milliseconds>(wait).count()));
      }
      // Once the folder is gone only the stop request is of interest.
      const HANDLE events[2] = {Stop.Get(), Arrived.Get()};
      const ::DWORD ready = WaitForMultipleObjects(gone ? 1 : 2, events, FALSE, timeoutMs);
      if (ready == WAIT_OBJECT_0 || ready == WAIT_FAILED) return;
      if (!gone && ready == WAIT_OBJECT_0 + 1) pending |= Collect();
      if (!gone && ready == WAIT_TIMEOUT && !StillThere()) pending |= FOLDER_CHANGE_GONE;
      gone = (pending & FOLDER_CHANGE_GONE) != 0;
      const auto now = WatchClock::now();
      if (pending && now - lastReport >= kReportInterval) {
        if (OnChange) OnChange(pending);
        pending = 0;
        lastReport = now;
      }
    }
  }

  std::wstring Path;
  OwnedHandle Folder;
  OwnedHandle Arrived;
  OwnedHandle Stop;
  Notify OnChange;
  uint32_t Filter;
  bool Subtree;
  OVERLAPPED Overlapped{};
  bool Listening = false;
  alignas(::DWORD) BYTE Buffer[32 * 1024];
  std::thread Thread;
};

FolderWatcher::FolderWatcher(const std::string& folder, Notify notify, uint32_t filter, bool subtree)
    : FFolder(folder),
      FFilter(filter & FOLDER_CHANGE_ALL),
      FSubtree(subtree),
      FWorker(std::make_unique<Worker>(folder, std::move(notify), FFilter, subtree)) {}

FolderWatcher::~FolderWatcher() = default;

}  // namespace kora

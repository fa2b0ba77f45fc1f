#include "platform/shell/FolderWatcher.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <system_error>
#include <thread>

#include "platform/window/MessageQueue.h"

namespace kora {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kReportInterval = std::chrono::milliseconds(100);

class FileDescriptor {
public:
  explicit FileDescriptor(int fd) : FFd(fd) {}
  ~FileDescriptor() {
    if (FFd >= 0) ::close(FFd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return FFd; }

private:
  int FFd;
};

uint32_t InotifyMask(uint32_t filter) {
  uint32_t mask = IN_ONLYDIR | IN_EXCL_UNLINK | IN_DELETE_SELF | IN_MOVE_SELF;
  if (filter & FOLDER_CHANGE_NAME) mask |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
  if (filter & FOLDER_CHANGE_CONTENT) mask |= IN_MODIFY;
  if (filter & FOLDER_CHANGE_ATTRIBUTES) mask |= IN_ATTRIB;
  return mask;
}

uint32_t ChangesOf(uint32_t mask, uint32_t filter) {
  uint32_t changes = 0;
  if (mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO)) changes |= FOLDER_CHANGE_NAME;
  if (mask & IN_MODIFY) changes |= FOLDER_CHANGE_CONTENT;
  if (mask & IN_ATTRIB) changes |= FOLDER_CHANGE_ATTRIBUTES;
  if (mask & IN_Q_OVERFLOW) changes |= FOLDER_CHANGE_ALL;  // events were lost: anything may have changed
  changes &= filter;
  if (mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT)) changes |= FOLDER_CHANGE_GONE;
  return changes;
}

}  // namespace

struct FolderWatcher::Worker {
  Worker(const std::string& folder, Notify notify, uint32_t filter)
      : Inotify(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
        Wake(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)),
        OnChange(std::move(notify)),
        Filter(filter) {
    if (Inotify.Get() < 0 || Wake.Get() < 0) {
      throw std::system_error(errno, std::generic_category(), "Cannot watch the folder \"" + folder + "\"");
    }
    if (::inotify_add_watch(Inotify.Get(), folder.c_str(), InotifyMask(filter)) < 0) {
      throw std::system_error(errno, std::generic_category(), "Cannot watch the folder \"" + folder + "\"");
    }
    Thread = std::thread([this] { Run(); });
  }

  ~Worker() {
    const uint64_t one = 1;
    // A full counter still wakes the poll, so a failed write is harmless.
    [[maybe_unused]] const ssize_t written = ::write(Wake.Get(), &one, sizeof one);
    Thread.join();
  }

  // Reads every queued event; returns the kinds of change among them.
  uint32_t Drain() {
    alignas(inotify_event) char buffer[4096];
    uint32_t changes = 0;
    for (;;) {
      const ssize_t n = ::read(Inotify.Get(), buffer, sizeof buffer);
      if (n <= 0) return changes;  // EAGAIN: drained
      for (ssize_t at = 0; at < n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
        changes |= ChangesOf(e->mask, Filter);
        at += ssize_t(sizeof(inotify_event) + e->len);
      }
    }
  }

  void Run() {
    uint32_t pending = 0;
    bool gone = false;
    auto lastReport = Clock::now() - kReportInterval;
    for (;;) {
      pollfd fds[2] = {{Wake.Get(), POLLIN, 0}, {Inotify.Get(), POLLIN, 0}};
      int timeoutMs = -1;
      if (pending) {
        const auto wait = lastReport + kReportInterval - Clock::now();
        timeoutMs = int(std::max<int64_t>(0, std::chrono::ceil<std::chrono::milliseconds>(wait).count()));
      }
      // Once the folder is gone only the stop request is of interest.
      const int ready = ::poll(fds, gone ? 1 : 2, timeoutMs);
      if (ready < 0 && errno != EINTR) return;
      if (fds[0].revents) return;
      if (!gone && fds[1].revents) {
        pending |= Drain();
        gone = (pending & FOLDER_CHANGE_GONE) != 0;
      }
      const auto now = Clock::now();
      if (pending && now - lastReport >= kReportInterval) {
        if (OnChange) OnChange(pending);
        pending = 0;
        lastReport = now;
      }
    }
  }

  FileDescriptor Inotify;
  FileDescriptor Wake;
  Notify OnChange;
  uint32_t Filter;
  std::thread Thread;
};

FolderWatcher::FolderWatcher(const std::string& folder, Notify notify, uint32_t filter)
    : FFolder(folder),
      FFilter(filter & FOLDER_CHANGE_ALL),
      FWorker(std::make_unique<Worker>(folder, std::move(notify), FFilter)) {}

FolderWatcher::FolderWatcher(const std::string& folder, HWND target, UINT message, WPARAM wParam, uint32_t filter)
    : FolderWatcher(
          folder,
          [target, message, wParam](uint32_t changes) { PostMessage(target, message, wParam, LPARAM(changes)); },
          filter) {}

FolderWatcher::~FolderWatcher() = default;

}  // namespace kora

#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/shell/FolderWatcher.h"

namespace kora {

// Owns a descriptor; not in the anonymous namespace because the watcher's
// worker holds two.
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

namespace {

using WatchClock = std::chrono::steady_clock;
constexpr auto kReportInterval = std::chrono::milliseconds(100);

uint32_t InotifyMask(uint32_t filter, bool subtree) {
  uint32_t mask = IN_ONLYDIR | IN_EXCL_UNLINK | IN_DELETE_SELF | IN_MOVE_SELF;
  // New folders must be seen to be watched, whatever the filter.
  if ((filter & FOLDER_CHANGE_NAME) || subtree) mask |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
  if (filter & FOLDER_CHANGE_CONTENT) mask |= IN_MODIFY;
  if (filter & FOLDER_CHANGE_ATTRIBUTES) mask |= IN_ATTRIB;
  return mask;
}

// `root`: the event is about the watched folder itself rather than one below.
uint32_t ChangesOf(uint32_t mask, uint32_t filter, bool root) {
  uint32_t changes = 0;
  if (mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO)) changes |= FOLDER_CHANGE_NAME;
  if (mask & IN_MODIFY) changes |= FOLDER_CHANGE_CONTENT;
  if (mask & IN_ATTRIB) changes |= FOLDER_CHANGE_ATTRIBUTES;
  if (mask & IN_Q_OVERFLOW) changes |= FOLDER_CHANGE_ALL;  // events were lost: anything may have changed
  changes &= filter;
  if (root && (mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT))) changes |= FOLDER_CHANGE_GONE;
  return changes;
}

}  // namespace

struct FolderWatcher::Worker {
  Worker(const std::string& folder, Notify notify, uint32_t filter, bool subtree)
      : Inotify(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
        Wake(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)),
        OnChange(std::move(notify)),
        Filter(filter),
        Subtree(subtree) {
    if (Inotify.Get() < 0 || Wake.Get() < 0) {
      throw std::system_error(errno, std::generic_category(), "Cannot watch the folder \"" + folder + "\"");
    }
    RootWatch = ::inotify_add_watch(Inotify.Get(), folder.c_str(), InotifyMask(filter, subtree));
    if (RootWatch < 0) {
      throw std::system_error(errno, std::generic_category(), "Cannot watch the folder \"" + folder + "\"");
    }
    if (Subtree) {
      Folders[RootWatch] = folder;
      WatchBelow(folder);
    }
    Thread = std::thread([this] { Run(); });
  }

  // Adds a watch for every folder below `folder` (symbolic links are not
  // followed, so a loop cannot trap us). Folders that cannot be watched are
  // left out; at the system's limit the rest is left out too.
  void WatchBelow(const std::string& folder) {
    std::vector<std::string> pending{folder};
    while (!pending.empty()) {
      const std::string current = std::move(pending.back());
      pending.pop_back();
      DIR* dir = ::opendir(current.c_str());
      if (!dir) continue;
      while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN) continue;
        const std::string path = current == "/" ? "/" + name : current + "/" + name;
        const int wd = ::inotify_add_watch(Inotify.Get(), path.c_str(), InotifyMask(Filter, true) | IN_DONT_FOLLOW);
        if (wd < 0) {
          if (errno == ENOSPC) {
            ::closedir(dir);
            return;
          }
          continue;  // not a folder after all, or not ours to read
        }
        Folders[wd] = path;
        pending.push_back(path);
      }
      ::closedir(dir);
    }
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
        changes |= ChangesOf(e->mask, Filter, e->wd == RootWatch);
        if (Subtree) FollowFolders(*e);
        at += ssize_t(sizeof(inotify_event) + e->len);
      }
    }
  }

  void Run() {
    uint32_t pending = 0;
    bool gone = false;
    auto lastReport = WatchClock::now() - kReportInterval;
    for (;;) {
      pollfd fds[2] = {{Wake.Get(), POLLIN, 0}, {Inotify.Get(), POLLIN, 0}};
      int timeoutMs = -1;
      if (pending) {
        const auto wait = lastReport + kReportInterval - WatchClock::now();
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
      const auto now = WatchClock::now();
      if (pending && now - lastReport >= kReportInterval) {
        if (OnChange) OnChange(pending);
        pending = 0;
        lastReport = now;
      }
    }
  }

  // A folder made or moved in below is watched from now on; one that went
  // away is forgotten.
  void FollowFolders(const inotify_event& e) {
    if (e.mask & IN_IGNORED) {
      if (e.wd != RootWatch) Folders.erase(e.wd);
      return;
    }
    if (!(e.mask & IN_ISDIR) || !(e.mask & (IN_CREATE | IN_MOVED_TO)) || e.len == 0) return;
    const auto parent = Folders.find(e.wd);
    if (parent == Folders.end()) return;
    const std::string path = (parent->second == "/" ? "" : parent->second) + "/" + e.name;
    const int wd = ::inotify_add_watch(Inotify.Get(), path.c_str(), InotifyMask(Filter, true) | IN_DONT_FOLLOW);
    if (wd < 0) return;
    Folders[wd] = path;
    WatchBelow(path);
  }

  FileDescriptor Inotify;
  FileDescriptor Wake;
  Notify OnChange;
  uint32_t Filter;
  bool Subtree;
  int RootWatch = -1;
  // The watched folders by their watch, with Subtree only; the thread's own.
  std::unordered_map<int, std::string> Folders;
  std::thread Thread;
};

FolderWatcher::FolderWatcher(const std::string& folder, Notify notify, uint32_t filter, bool subtree)
    : FFolder(folder),
      FFilter(filter & FOLDER_CHANGE_ALL),
      FSubtree(subtree),
      FWorker(std::make_unique<Worker>(folder, std::move(notify), FFilter, subtree)) {}

FolderWatcher::~FolderWatcher() = default;

}  // namespace kora

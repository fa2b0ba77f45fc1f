#pragma once
// Watches one folder, and if asked every folder below it, on a thread of
// its own and hands each change on to the GUI thread. Bursts are coalesced: the first change
// is reported at once, later ones at most once every 100 ms, each report
// carrying every kind of change seen since the one before. Destroying the
// watcher stops its thread promptly and closes everything it opened.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/window/WinTypes.h"

namespace kora {

// Kinds of change, used both as the filter and as the report (lParam).
constexpr uint32_t FOLDER_CHANGE_NAME = 0x1;        // an entry was created, deleted or renamed
constexpr uint32_t FOLDER_CHANGE_CONTENT = 0x2;     // a file was written (size, last write)
constexpr uint32_t FOLDER_CHANGE_ATTRIBUTES = 0x4;  // permissions, owner, times
constexpr uint32_t FOLDER_CHANGE_ALL = 0x7;
// Always reported, never filtered: the folder itself was deleted or moved
// away; the watch has ended and no further reports follow. (A sub-folder
// that goes away is only a name change of the folder above it.)
constexpr uint32_t FOLDER_CHANGE_GONE = 0x8;

class FolderWatcher {
public:
  // Runs on the watcher's thread; it must only hand the news on (as
  // PostMessage does) and must not throw.
  using Notify = std::function<void(uint32_t changes)>;

  // Throws std::system_error when the folder cannot be watched (missing,
  // not a folder, no permission, the system's watch limit reached). With
  // `subtree` the folders below are watched too, those made later as well;
  // one that cannot be watched (no permission, the limit reached) is left
  // out without an error.
  FolderWatcher(const std::string& folder, Notify notify, uint32_t filter = FOLDER_CHANGE_ALL, bool subtree = false);
  // Posts (message, wParam, changes) to target; a report for a window that
  // is gone is dropped.
  FolderWatcher(const std::string& folder, HWND target, UINT message, WPARAM wParam = 0,
                uint32_t filter = FOLDER_CHANGE_ALL, bool subtree = false);
  ~FolderWatcher();
  FolderWatcher(const FolderWatcher&) = delete;
  FolderWatcher& operator=(const FolderWatcher&) = delete;

  const std::string& Folder() const { return FFolder; }
  uint32_t Filter() const { return FFilter; }
  bool Subtree() const { return FSubtree; }

private:
  struct Worker;
  std::string FFolder;
  uint32_t FFilter;
  bool FSubtree;
  std::unique_ptr<Worker> FWorker;
};

}  // namespace kora

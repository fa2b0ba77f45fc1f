#pragma once
// One program folder, one user of its working files.

#include <string>

#include "editor/ProgramPaths.h"
#include "framework/core/SysUtils.h"

namespace kora {

// Another program holds the working folder.
class EWorkFolderLocked : public Exception {
public:
  using Exception::Exception;
};

// The working files are shared by every program that uses one working folder
// (a program folder's RomData/, or a user's cache): the editor window and
// each kora-cli run. Two at once would overwrite each other's blocks, and
// one's recovery could undo the other's save in progress. The lock is an
// exclusive system lock (flock, LockFileEx) on kora-cli.lock in the working folder
// (the name older kora-cli runs lock too), held for the life of the object;
// the window holds one while it runs, kora-cli one per command. The lock file
// stays: deleting it would let a third program lock a different file than
// the second. It names its holder for the message a second one gets.
class WorkLock {
public:
  // Never waits. Makes the working folder when it is the cache. Raises
  // EFCreateError when the folder is missing or cannot be made,
  // EWorkFolderLocked "another <holder> is using the working files (<path>
  // is locked)" when someone holds it.
  WorkLock(const ProgramPaths& paths, const std::string& holder);
  ~WorkLock();
  WorkLock(const WorkLock&) = delete;
  WorkLock& operator=(const WorkLock&) = delete;

  static std::string LockFileName(const ProgramPaths& paths);

private:
  int FHandle;
};

}  // namespace kora

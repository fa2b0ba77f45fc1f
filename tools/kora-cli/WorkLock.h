#pragma once

#include <string>

// The working files in RomData/ are shared by every run in one program folder;
// two runs at once would overwrite each other's blocks. The lock is an
// exclusive flock on RomData/kora-cli.lock, held for the life of the object.
// The lock file itself stays: deleting it would let a third run lock a
// different file than the second.
namespace kora::cli {

class WorkLock {
public:
  // Raises EFCreateError when RomData/ is missing, Exception when another
  // run holds the lock.
  explicit WorkLock(const std::string& appPath);
  ~WorkLock();
  WorkLock(const WorkLock&) = delete;
  WorkLock& operator=(const WorkLock&) = delete;

private:
  int FHandle;
};

}  // namespace kora::cli

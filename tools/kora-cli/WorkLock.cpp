#include "kora-cli/WorkLock.h"

#include "framework/Classes.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>

namespace kora::cli {

WorkLock::WorkLock(const std::string& appPath) {
  const std::string path = IncludeTrailingPathDelimiter(appPath) + "RomData/kora-cli.lock";
  FHandle = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (FHandle < 0)
    throw EFCreateError(Format("Cannot create file \"%s\". %s", path.c_str(), SysErrorMessage(errno).c_str()));
  if (::flock(FHandle, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(FHandle);
    if (error == EWOULDBLOCK) throw Exception("another kora-cli is using the working files (" + path + " is locked)");
    throw EInOutError("Cannot lock \"" + path + "\". " + SysErrorMessage(error), error);
  }
}

WorkLock::~WorkLock() {
  ::close(FHandle);  // releases the lock
}

}  // namespace kora::cli

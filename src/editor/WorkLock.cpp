#include "editor/WorkLock.h"

#include <cerrno>

#include "framework/core/Exceptions.h"
#include "platform/shell/SysFiles.h"

namespace kora {

namespace {

constexpr std::size_t kMaxHolderLength = 64;

// The holder's name as it wrote it. Older kora-cli runs wrote none, so a
// file without a readable name is taken for one of them.
std::string HolderOf(int handle) {
  char buffer[kMaxHolderLength];
  const int64_t n = SysReadAt(handle, buffer, sizeof buffer, 0);
  std::string name(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < ' ' || c == 0x7F) return "kora-cli";
  }
  return name.empty() ? "kora-cli" : name;
}

}  // namespace

std::string WorkLock::LockFileName(const ProgramPaths& paths) { return paths.WorkFolder + "kora-cli.lock"; }

WorkLock::WorkLock(const ProgramPaths& paths, const std::string& holder) {
  paths.MakeWorkFolder();
  const std::string path = LockFileName(paths);
  FHandle = SysOpen(path, SysOpenMode::OpenOrMake);
  if (FHandle < 0)
    throw EFCreateError(Format("Cannot create file \"%s\". %s", path.c_str(), SysErrorMessage(errno).c_str()));
  if (!SysLockExclusive(FHandle)) {
    const int error = errno;
    const std::string other = error == EWOULDBLOCK ? HolderOf(FHandle) : "";
    SysClose(FHandle);
    if (error == EWOULDBLOCK)
      throw EWorkFolderLocked("another " + other + " is using the working files (" + path + " is locked)");
    throw EInOutError("Cannot lock \"" + path + "\". " + SysErrorMessage(error), error);
  }
  // Only a courtesy for the message above; the lock holds without it.
  const std::string name = holder.substr(0, kMaxHolderLength);
  if (SysTruncate(FHandle, 0) && SysWriteAt(FHandle, name.data(), int64_t(name.size()), 0) < 0) {
    // ignored, see above
  }
}

WorkLock::~WorkLock() {
  SysClose(FHandle);  // releases the lock
}

}  // namespace kora

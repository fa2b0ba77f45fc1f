#include "editor/RomBackup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "editor/Texts.h"
#include "framework/SysUtils.h"

namespace kora {

namespace {

// Closes a descriptor with the scope.
struct Handle {
  int Value = -1;
  ~Handle() {
    if (Value >= 0) ::close(Value);
  }
};

}  // namespace

std::string RomBackupFileName(const std::string& romPath) { return romPath + ".bak"; }

bool MakeRomBackup(const std::string& romPath) {
  const std::string backup = RomBackupFileName(romPath);
  struct stat existing {};
  if (::lstat(backup.c_str(), &existing) == 0) return false;
  const std::string temporary = backup + ".part";
  const auto fail = [&](int error) {
    ::unlink(temporary.c_str());
    throw EInOutError(Format(Tr("Cannot make the backup \"%s\" of the ROM. %s; the ROM was not changed",
                                "无法建立 ROM 的备份 \"%s\"。%s; ROM 未被改动"),
                             backup.c_str(), SysErrorMessage(error).c_str()),
                      error);
  };
  Handle source{::open(romPath.c_str(), O_RDONLY | O_CLOEXEC)};
  if (source.Value < 0) fail(errno);
  struct stat rom {};
  if (::fstat(source.Value, &rom) != 0) fail(errno);
  // A temporary left by a copy that was cut short is worth nothing.
  ::unlink(temporary.c_str());
  Handle target{::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, rom.st_mode & 0666)};
  if (target.Value < 0) fail(errno);
  std::vector<char> buffer(size_t(1) << 20);
  for (;;) {
    const ssize_t got = ::read(source.Value, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) fail(errno);
    if (got == 0) break;
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = ::write(target.Value, buffer.data() + done, size_t(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) fail(put < 0 ? errno : ENOSPC);
      done += put;
    }
  }
  if (::fsync(target.Value) != 0) fail(errno);
  const int closed = ::close(target.Value);
  target.Value = -1;
  if (closed != 0) fail(errno);
  if (std::rename(temporary.c_str(), backup.c_str()) != 0) fail(errno);
  // The rename is on disk once the folder is.
  const std::string folder = ExtractFilePath(backup).empty() ? "." : ExtractFilePath(backup);
  Handle directory{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (directory.Value >= 0) ::fsync(directory.Value);
  return true;
}

}  // namespace kora

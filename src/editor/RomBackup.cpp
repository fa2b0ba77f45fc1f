#include "editor/RomBackup.h"

#include <cerrno>
#include <vector>

#include "editor/Texts.h"
#include "framework/core/SysUtils.h"
#include "platform/shell/SysFiles.h"

namespace kora {

namespace {

// Closes a descriptor with the scope.
struct Handle {
  int Value = -1;
  ~Handle() {
    if (Value >= 0) SysClose(Value);
  }
};

}  // namespace

std::string RomBackupFileName(const std::string& romPath) { return romPath + ".bak"; }

bool MakeRomBackup(const std::string& romPath) {
  const std::string backup = RomBackupFileName(romPath);
  // Anything of that name is kept (a dangling link is not seen; the
  // rename would only replace the link).
  if (SysStat(backup)) return false;
  const std::string temporary = backup + ".part";
  const auto fail = [&](int error) {
    SysRemove(temporary);
    throw EInOutError(Format(Tr("Cannot make the backup \"%s\" of the ROM. %s; the ROM was not changed",
                                "无法建立 ROM 的备份 \"%s\"。%s; ROM 未被改动"),
                             backup.c_str(), SysErrorMessage(error).c_str()),
                      error);
  };
  Handle source{SysOpen(romPath, SysOpenMode::Read)};
  if (source.Value < 0) fail(errno);
  // A temporary left by a copy that was cut short is worth nothing.
  SysRemove(temporary);
  Handle target{SysCreateLike(temporary, source.Value)};
  if (target.Value < 0) fail(errno);
  std::vector<char> buffer(size_t(1) << 20);
  for (;;) {
    const int64_t got = SysRead(source.Value, buffer.data(), int64_t(buffer.size()));
    if (got < 0) fail(errno);
    if (got == 0) break;
    const int64_t put = SysWrite(target.Value, buffer.data(), got);
    if (put < 0) fail(errno);
    if (put < got) fail(ENOSPC);
  }
  if (!SysSync(target.Value)) fail(errno);
  const bool closed = SysClose(target.Value);
  target.Value = -1;
  if (!closed) fail(errno);
  if (!SysRename(temporary, backup)) fail(errno);
  // The rename is on disk once the folder is.
  SysSyncFolder(ExtractFilePath(backup).empty() ? "." : ExtractFilePath(backup));
  return true;
}

}  // namespace kora

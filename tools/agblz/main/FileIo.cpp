#include "agblz/main/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "agblz/Lz.h"
#include "platform/shell/SysFiles.h"

namespace kora::agblz {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  throw std::runtime_error(what + " \"" + path + "\": " + SysErrorText(errno));
}

// Closes the descriptor on every way out.
class FileHandle {
public:
  explicit FileHandle(int fd) : FFd(fd) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }

  int Fd() const { return FFd; }

  bool Close() {
    const bool closed = FFd < 0 || SysClose(FFd);
    FFd = -1;
    return closed;
  }

private:
  int FFd;
};

std::string FolderOf(const std::string& path) {
  std::size_t end = path.size();
  while (end > 0 && !IsPathDelimiter(path[end - 1])) --end;
  return end == 0 ? "." : path.substr(0, end);
}

void WriteAll(int fd, std::span<const uint8_t> bytes, const std::string& path) {
  const int64_t written = SysWrite(fd, bytes.data(), static_cast<int64_t>(bytes.size()));
  if (written < 0) Fail("cannot write", path);
  if (written != static_cast<int64_t>(bytes.size())) {
    errno = ENOSPC;
    Fail("cannot write", path);
  }
}

}  // namespace

std::vector<uint8_t> ReadPackerInput(const std::string& path, bool unpack) {
  // Not blocking: a named pipe would otherwise wait here for a writer.
  FileHandle file(SysOpen(path, SysOpenMode::ReadNoWait));
  if (file.Fd() < 0) Fail("cannot open", path);
  const auto info = SysStatOf(file.Fd());
  if (!info) Fail("cannot read", path);
  if (info->Special != SysSpecialKind::None) throw std::runtime_error("cannot read \"" + path + "\": it is not a file");
  const auto size = static_cast<uint64_t>(info->Size);
  if (!unpack && size >= lz::kSizeLimit)
    throw lz::LzError("the input is " + std::to_string(size) + " bytes; a block holds fewer than " +
                      std::to_string(lz::kSizeLimit));
  std::vector<uint8_t> bytes;
  // A file that grows while it is read stops at what Pack refuses.
  uint64_t limit = unpack ? UINT64_MAX : lz::kSizeLimit;
  uint8_t buffer[1 << 16];
  while (bytes.size() < limit) {
    const int64_t got =
        SysRead(file.Fd(), buffer, static_cast<int64_t>(std::min<uint64_t>(sizeof buffer, limit - bytes.size())));
    if (got < 0) Fail("cannot read", path);
    if (got == 0) break;
    bytes.insert(bytes.end(), buffer, buffer + got);
    if (unpack && limit == UINT64_MAX && bytes.size() >= 4) {
      if (bytes[0] != lz::kTypeLz10 && bytes[0] != lz::kTypeLz11) {
        limit = 4;
        bytes.resize(4);
        break;
      }
      const std::size_t declared = bytes[1] | bytes[2] << 8 | bytes[3] << 16;
      limit = lz::MaxPackedSize(declared) + lz::kTrailingSlack;
      if (size > limit)
        throw lz::LzError("the input is " + std::to_string(size) + " bytes, more than a stream of " +
                          std::to_string(declared) + " bytes can take (" + std::to_string(limit) + ")");
    }
  }
  return bytes;
}

void ReplaceFile(const std::string& path, std::span<const uint8_t> bytes) {
  std::string temporary;
  FileHandle file(SysMakeTemporary(path + ".", &temporary));
  if (file.Fd() < 0) Fail("cannot create a temporary file for", path);
  try {
    WriteAll(file.Fd(), bytes, temporary);
    if (!SysSync(file.Fd())) Fail("cannot sync", temporary);
    if (!file.Close()) Fail("cannot close", temporary);
    if (!SysRename(temporary, path)) Fail("cannot replace", path);
  } catch (...) {
    file.Close();
    SysRemove(temporary);
    throw;
  }
  // Make the rename itself durable; the data is already safe, so a folder
  // that cannot be synced is not worth failing for.
  SysSyncFolder(FolderOf(path));
}

}  // namespace kora::agblz

#include "agblz/main/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "agblz/Lz.h"

namespace kora::agblz {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  throw std::runtime_error(what + " \"" + path + "\": " + std::strerror(errno));
}

// Closes the descriptor on every way out.
class FileHandle {
public:
  explicit FileHandle(int fd) : FFd(fd) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }

  int Fd() const { return FFd; }

  int Close() {
    const int result = FFd >= 0 ? ::close(FFd) : 0;
    FFd = -1;
    return result;
  }

private:
  int FFd;
};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

void WriteAll(int fd, std::span<const uint8_t> bytes, const std::string& path) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail("cannot write", path);
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
}

// mkstemp creates files readable by the owner only; give the output the mode
// a plain create would.
void SetDefaultMode(int fd, const std::string& path) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (::fchmod(fd, 0666 & ~mask) != 0) Fail("cannot set the mode of", path);
}

}  // namespace

std::vector<uint8_t> ReadPackerInput(const std::string& path, bool unpack) {
  // Not blocking: a named pipe would otherwise wait here for a writer.
  FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Fd() < 0) Fail("cannot open", path);
  struct stat info;
  if (::fstat(file.Fd(), &info) != 0) Fail("cannot read", path);
  if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
    throw std::runtime_error("cannot read \"" + path + "\": it is not a file");
  const auto size = static_cast<uint64_t>(info.st_size);
  if (!unpack && size >= lz::kSizeLimit)
    throw lz::LzError("the input is " + std::to_string(size) + " bytes; a block holds fewer than " +
                      std::to_string(lz::kSizeLimit));
  std::vector<uint8_t> bytes;
  // A file that grows while it is read stops at what Pack refuses.
  uint64_t limit = unpack ? UINT64_MAX : lz::kSizeLimit;
  uint8_t buffer[1 << 16];
  while (bytes.size() < limit) {
    const ssize_t got =
        ::read(file.Fd(), buffer, static_cast<std::size_t>(std::min<uint64_t>(sizeof buffer, limit - bytes.size())));
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail("cannot read", path);
    }
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
  std::string temporary = path + ".XXXXXX";
  FileHandle file(::mkstemp(temporary.data()));
  if (file.Fd() < 0) Fail("cannot create a temporary file for", path);
  try {
    WriteAll(file.Fd(), bytes, temporary);
    SetDefaultMode(file.Fd(), temporary);
    if (::fsync(file.Fd()) != 0) Fail("cannot sync", temporary);
    if (file.Close() != 0) Fail("cannot close", temporary);
    if (::rename(temporary.c_str(), path.c_str()) != 0) Fail("cannot replace", path);
  } catch (...) {
    file.Close();
    ::unlink(temporary.c_str());
    throw;
  }
  // Make the rename itself durable; the data is already safe, so a folder
  // that cannot be synced is not worth failing for.
  FileHandle folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Fd() >= 0) ::fsync(folder.Fd());
}

}  // namespace kora::agblz

#include "platform/shell/SysFiles_Linux.h"
#include "platform/shell/SysFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace kora {

const char PathDelim = '/';
const char* const ExecutableExtension = "";

bool IsPathDelimiter(char c) { return c == '/'; }

namespace {

// Loops over short transfers and interruptions; -1 only when nothing moved.
template <class TCall>
int64_t Transfer(int64_t count, TCall call) {
  int64_t done = 0;
  while (done < count) {
    const ssize_t n = call(done, static_cast<std::size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && done == 0) return -1;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

}  // namespace

int SysOpen(const std::string& path, SysOpenMode mode) {
  int flags = O_CLOEXEC;
  switch (mode) {
    case SysOpenMode::Read: flags |= O_RDONLY; break;
    case SysOpenMode::ReadNoWait: flags |= O_RDONLY | O_NONBLOCK; break;
    case SysOpenMode::Write: flags |= O_WRONLY; break;
    case SysOpenMode::ReadWrite: flags |= O_RDWR; break;
    case SysOpenMode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    case SysOpenMode::OpenOrMake: flags |= O_RDWR | O_CREAT; break;
  }
  const int fd = ::open(path.c_str(), flags, 0666);
  if (fd < 0) return -1;
  // A folder opens for reading here but is not a file.
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    errno = EISDIR;
    return -1;
  }
  return fd;
}

int SysCreateLike(const std::string& path, int like) {
  struct stat info;
  if (::fstat(like, &info) != 0) return -1;
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 0666);
}

int64_t SysRead(int fd, void* buffer, int64_t count) {
  auto* bytes = static_cast<uint8_t*>(buffer);
  return Transfer(count, [&](int64_t done, std::size_t n) { return ::read(fd, bytes + done, n); });
}

int64_t SysWrite(int fd, const void* buffer, int64_t count) {
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  return Transfer(count, [&](int64_t done, std::size_t n) { return ::write(fd, bytes + done, n); });
}

int64_t SysReadAt(int fd, void* buffer, int64_t count, int64_t offset) {
  auto* bytes = static_cast<uint8_t*>(buffer);
  return Transfer(count, [&](int64_t done, std::size_t n) { return ::pread(fd, bytes + done, n, offset + done); });
}

int64_t SysWriteAt(int fd, const void* buffer, int64_t count, int64_t offset) {
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  return Transfer(count, [&](int64_t done, std::size_t n) { return ::pwrite(fd, bytes + done, n, offset + done); });
}

int64_t SysSeek(int fd, int64_t offset, int whence) { return ::lseek(fd, static_cast<off_t>(offset), whence); }

bool SysTruncate(int fd, int64_t size) { return ::ftruncate(fd, static_cast<off_t>(size)) == 0; }

bool SysSync(int fd) { return ::fsync(fd) == 0; }

bool SysClose(int fd) { return ::close(fd) == 0; }

bool SysLockExclusive(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

int SysMakeTemporary(const std::string& prefix, std::string* path) {
  std::string name = prefix + "XXXXXX";
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return -1;
  // mkstemp makes the file private; give it the mode a new file would get.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  *path = std::move(name);
  return fd;
}

bool SysRename(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

bool SysRemove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool SysMakeFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool SysMakePrivateFolder(const std::string& path) { return ::mkdir(path.c_str(), 0700) == 0; }

bool SysSyncFolder(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  const int error = errno;
  ::close(fd);
  errno = error;
  return synced;
}

bool SysWritable(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

SysFileStatus StatusOf(const struct stat& st) {
  using namespace std::chrono;
  SysFileStatus s;
  s.IsFolder = S_ISDIR(st.st_mode);
  s.IsFile = S_ISREG(st.st_mode);
  if (!s.IsFolder && !s.IsFile) {
    s.Special = S_ISFIFO(st.st_mode)   ? SysSpecialKind::Pipe
                : S_ISSOCK(st.st_mode) ? SysSpecialKind::Socket
                : S_ISCHR(st.st_mode)  ? SysSpecialKind::CharacterDevice
                : S_ISBLK(st.st_mode)  ? SysSpecialKind::BlockDevice
                                       : SysSpecialKind::Other;
  }
  s.Executable = s.IsFile && (st.st_mode & 0111) != 0;
  s.Size = s.IsFile ? int64_t(st.st_size) : 0;
  s.LastWrite =
      FileTime(duration_cast<FileTime::duration>(seconds(st.st_mtim.tv_sec) + nanoseconds(st.st_mtim.tv_nsec)));
  return s;
}

std::optional<SysFileStatus> SysStat(const std::string& path) {
  struct stat st;
  if (path.empty()) errno = ENOENT;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
  return StatusOf(st);
}

std::optional<SysFileStatus> SysStatOf(int fd) {
  struct stat st;
  if (::fstat(fd, &st) != 0) return std::nullopt;
  return StatusOf(st);
}

std::string SysErrorText(int error) {
  char buffer[256];
  // The GNU variant may return a static string instead of filling the buffer.
  return strerror_r(error, buffer, sizeof buffer);
}

std::string SysExecutableFile() {
  std::string buffer(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || std::size_t(length) >= buffer.size()) {
    throw std::system_error(length < 0 ? errno : ENAMETOOLONG, std::generic_category(),
                            "Cannot find the program's own folder");
  }
  buffer.resize(std::size_t(length));
  return buffer;
}

std::vector<std::string> ProgramArguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

}  // namespace kora

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#include "platform/shell/SysFiles.h"
#include "platform/shell/SysFiles_Win32.h"
#include "platform/text/WideText.h"

#include <fcntl.h>
#include <io.h>
#include "platform/gdi/WinApi_Win32.h"

namespace kora {

const char PathDelim = '\\';
const char* const ExecutableExtension = ".exe";

bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

int ErrnoOfWin32Error(unsigned long error) {
  switch (error) {
    case ERROR_SUCCESS: return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_BAD_NETPATH:
    case ERROR_NOT_READY: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_CANNOT_MAKE: return EACCES;
    case ERROR_LOCK_VIOLATION: return EWOULDBLOCK;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    case ERROR_INVALID_HANDLE: return EBADF;
    case ERROR_INVALID_PARAMETER: return EINVAL;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    default: return EIO;
  }
}

int SetErrnoFromLastError() {
  errno = ErrnoOfWin32Error(GetLastError());
  return errno;
}

FileTime FileTimeOf(const FILETIME& t) {
  // 100-nanosecond ticks since 1601; the system clock counts from 1970.
  constexpr int64_t kTicksTo1970 = 116444736000000000LL;
  const int64_t ticks = (int64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime) - kTicksTo1970;
  return FileTime(std::chrono::duration_cast<FileTime::duration>(std::chrono::nanoseconds(ticks * 100)));
}

namespace {

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

// Descriptors wrap handles shared as POSIX files are: others may read,
// write, rename and delete the file while it is open.
constexpr ::DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

int WrapHandle(HANDLE h, int flags) {
  if (h == INVALID_HANDLE_VALUE) {
    SetErrnoFromLastError();
    return -1;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), flags | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) {
    CloseHandle(h);
    errno = EMFILE;
  }
  return fd;
}

bool IsFolder(const std::wstring& path) {
  const ::DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// One call moves at most this much: ReadFile counts in 32 bits.
constexpr int64_t kMaxChunk = 1 << 30;

template <class TCall>
int64_t Transfer(int64_t count, TCall call) {
  int64_t done = 0;
  while (done < count) {
    ::DWORD moved = 0;
    if (!call(done, ::DWORD(std::min(count - done, kMaxChunk)), &moved)) {
      if (done == 0) {
        SetErrnoFromLastError();
        return -1;
      }
      break;
    }
    if (moved == 0) break;
    done += moved;
  }
  return done;
}

OVERLAPPED At(int64_t offset) {
  OVERLAPPED o{};
  o.Offset = ::DWORD(uint64_t(offset) & 0xFFFFFFFF);
  o.OffsetHigh = ::DWORD(uint64_t(offset) >> 32);
  return o;
}

// A read or write at an offset moves the file pointer of a synchronous
// handle on this system; the POSIX calls leave it where it was.
template <class TCall>
int64_t KeepingPosition(int fd, TCall call) {
  const int64_t position = SysSeek(fd, 0, SEEK_CUR);
  const int64_t result = call();
  const int error = errno;
  if (position >= 0) SysSeek(fd, position, SEEK_SET);
  errno = error;
  return result;
}

// Windows locks are mandatory: a lock on the bytes the holder writes its
// name into would keep others from reading it. The lock covers one byte
// far past any end instead, which every one of our programs agrees on.
constexpr uint64_t kLockOffset = uint64_t(1) << 62;

}  // namespace

int SysOpen(const std::string& path, SysOpenMode mode) {
  const std::wstring wide = ToWide(path);
  if (IsFolder(wide)) {
    errno = EISDIR;
    return -1;
  }
  ::DWORD access = GENERIC_READ | GENERIC_WRITE, disposition = OPEN_EXISTING;
  int flags = _O_RDWR;
  switch (mode) {
    case SysOpenMode::Read:
    case SysOpenMode::ReadNoWait:
      access = GENERIC_READ;
      flags = _O_RDONLY;
      break;
    case SysOpenMode::Write:
      access = GENERIC_WRITE;
      flags = _O_WRONLY;
      break;
    case SysOpenMode::ReadWrite: break;
    case SysOpenMode::Create: disposition = CREATE_ALWAYS; break;
    case SysOpenMode::OpenOrMake: disposition = OPEN_ALWAYS; break;
  }
  return WrapHandle(CreateFileW(wide.c_str(), access, kShareAll, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr),
                    flags);
}

int SysCreateLike(const std::string& path, int) {
  return WrapHandle(
      CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr),
      _O_WRONLY);
}

int64_t SysRead(int fd, void* buffer, int64_t count) {
  auto* bytes = static_cast<uint8_t*>(buffer);
  return Transfer(count, [&](int64_t done, ::DWORD n, ::DWORD* moved) {
    return ReadFile(HandleOf(fd), bytes + done, n, moved, nullptr) != 0;
  });
}

int64_t SysWrite(int fd, const void* buffer, int64_t count) {
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  return Transfer(count, [&](int64_t done, ::DWORD n, ::DWORD* moved) {
    return WriteFile(HandleOf(fd), bytes + done, n, moved, nullptr) != 0;
  });
}

int64_t SysReadAt(int fd, void* buffer, int64_t count, int64_t offset) {
  auto* bytes = static_cast<uint8_t*>(buffer);
  return KeepingPosition(fd, [&] {
    return Transfer(count, [&](int64_t done, ::DWORD n, ::DWORD* moved) {
      OVERLAPPED o = At(offset + done);
      // Reading at or past the end is no error here: nothing moved.
      if (ReadFile(HandleOf(fd), bytes + done, n, moved, &o)) return true;
      if (GetLastError() != ERROR_HANDLE_EOF) return false;
      *moved = 0;
      return true;
    });
  });
}

int64_t SysWriteAt(int fd, const void* buffer, int64_t count, int64_t offset) {
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  return KeepingPosition(fd, [&] {
    return Transfer(count, [&](int64_t done, ::DWORD n, ::DWORD* moved) {
      OVERLAPPED o = At(offset + done);
      return WriteFile(HandleOf(fd), bytes + done, n, moved, &o) != 0;
    });
  });
}

int64_t SysSeek(int fd, int64_t offset, int whence) {
  const ::DWORD method = whence == SEEK_SET ? FILE_BEGIN : whence == SEEK_CUR ? FILE_CURRENT : FILE_END;
  LARGE_INTEGER distance, result;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(HandleOf(fd), distance, &result, method)) {
    SetErrnoFromLastError();
    return -1;
  }
  return result.QuadPart;
}

bool SysTruncate(int fd, int64_t size) {
  if (size < 0) {
    errno = EINVAL;
    return false;
  }
  const int64_t position = SysSeek(fd, 0, SEEK_CUR);
  if (position < 0 || SysSeek(fd, size, SEEK_SET) < 0) return false;
  const bool cut = SetEndOfFile(HandleOf(fd)) != 0;
  if (!cut) SetErrnoFromLastError();
  const int error = errno;
  SysSeek(fd, position, SEEK_SET);
  errno = error;
  return cut;
}

bool SysSync(int fd) {
  if (FlushFileBuffers(HandleOf(fd))) return true;
  SetErrnoFromLastError();
  return false;
}

bool SysClose(int fd) { return _close(fd) == 0; }

bool SysLockExclusive(int fd) {
  OVERLAPPED o = At(int64_t(kLockOffset));
  if (LockFileEx(HandleOf(fd), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &o)) return true;
  SetErrnoFromLastError();
  return false;
}

int SysMakeTemporary(const std::string& prefix, std::string* path) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<int> pick(0, int(sizeof kLetters) - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
    const HANDLE h = CreateFileW(ToWide(name).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS) continue;
    const int fd = WrapHandle(h, _O_RDWR);
    if (fd >= 0) *path = std::move(name);
    return fd;
  }
  errno = EEXIST;
  return -1;
}

bool SysRename(const std::string& from, const std::string& to) {
  if (MoveFileExW(ToWide(from).c_str(), ToWide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  SetErrnoFromLastError();
  return false;
}

bool SysRemove(const std::string& path) {
  const std::wstring wide = ToWide(path);
  if (IsFolder(wide)) {
    errno = EISDIR;
    return false;
  }
  if (DeleteFileW(wide.c_str())) return true;
  SetErrnoFromLastError();
  return false;
}

bool SysMakeFolder(const std::string& path) {
  if (CreateDirectoryW(ToWide(path).c_str(), nullptr)) return true;
  SetErrnoFromLastError();
  return false;
}

bool SysMakePrivateFolder(const std::string& path) { return SysMakeFolder(path); }

// The names' journal of the file system keeps a rename made with
// MOVEFILE_WRITE_THROUGH; there is no folder to flush.
bool SysSyncFolder(const std::string& path) {
  if (IsFolder(ToWide(path))) return true;
  errno = ENOENT;
  return false;
}

bool SysWritable(const std::string& path) {
  const HANDLE h = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    SetErrnoFromLastError();
    return false;
  }
  CloseHandle(h);
  return true;
}

std::optional<SysFileStatus> SysStat(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty()) {
    errno = ENOENT;
    return std::nullopt;
  }
  if (!GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data)) {
    SetErrnoFromLastError();
    return std::nullopt;
  }
  return StatusOf(path, data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
}

std::optional<SysFileStatus> SysStatOf(int fd) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(HandleOf(fd), &info)) {
    // Not a file on a disk (a console or a pipe).
    if (GetFileType(HandleOf(fd)) == FILE_TYPE_UNKNOWN) return std::nullopt;
    SysFileStatus s;
    s.Special = GetFileType(HandleOf(fd)) == FILE_TYPE_PIPE ? SysSpecialKind::Pipe : SysSpecialKind::CharacterDevice;
    return s;
  }
  return StatusOf({}, info.dwFileAttributes, info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime);
}

SysFileStatus StatusOf(std::string_view name, unsigned long attributes, unsigned long sizeHigh, unsigned long sizeLow,
                       const FILETIME& lastWrite) {
  SysFileStatus s;
  s.IsFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  s.IsFile = !s.IsFolder && !(attributes & FILE_ATTRIBUTE_DEVICE);
  if (!s.IsFolder && !s.IsFile) s.Special = SysSpecialKind::CharacterDevice;
  if (s.IsFile) {
    s.Size = int64_t(uint64_t(sizeHigh) << 32 | sizeLow);
    const size_t dot = name.rfind('.');
    std::string ext = dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
    for (char& c : ext) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    s.Executable = ext == ".exe" || ext == ".com" || ext == ".bat" || ext == ".cmd";
  }
  s.LastWrite = FileTimeOf(lastWrite);
  return s;
}

std::string SysErrorText(int error) {
  char buffer[256];
  if (strerror_s(buffer, sizeof buffer, error) != 0) return "Unknown error " + std::to_string(error);
  return buffer;
}

std::string SysExecutableFile() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const ::DWORD length = GetModuleFileNameW(nullptr, buffer.data(), ::DWORD(buffer.size()));
    if (length == 0) {
      throw std::system_error(SetErrnoFromLastError(), std::generic_category(), "Cannot find the program's own folder");
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      return FromWide(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  // The narrow arguments are in the ANSI code page; the wide ones say
  // every name as it is.
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(FromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

}  // namespace kora

#include "framework/Classes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace kora {

// --- TStream ---------------------------------------------------------------

int64_t TStream::Position() { return Seek(0, TSeekOrigin::soCurrent); }

void TStream::SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

int64_t TStream::Size() {
  const int64_t position = Position();
  const int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(position, TSeekOrigin::soBeginning);
  return size;
}

void TStream::SetSize(int64_t) { throw EStreamError("Stream does not support SetSize"); }

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count > 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  constexpr int64_t kChunk = 64 * 1024;
  std::vector<uint8_t> buffer(static_cast<std::size_t>(std::min(count, kChunk)));
  int64_t left = count;
  while (left > 0) {
    const int64_t n = std::min(left, kChunk);
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    left -= n;
  }
  return count;
}

// --- THandleStream ---------------------------------------------------------

int64_t THandleStream::Read(void* buffer, int64_t count) {
  auto* bytes = static_cast<uint8_t*>(buffer);
  int64_t done = 0;
  // A plain file may hand out fewer bytes than asked; keep going until EOF.
  while (done < count) {
    const ssize_t n = ::read(FHandle, bytes + done, static_cast<std::size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t THandleStream::Write(const void* buffer, int64_t count) {
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  int64_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(FHandle, bytes + done, static_cast<std::size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                     : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                        : SEEK_END;
  const off_t result = ::lseek(FHandle, static_cast<off_t>(offset), whence);
  if (result < 0) throw EStreamError(Format("Stream seek error. %s", SysErrorMessage(errno).c_str()));
  return result;
}

void THandleStream::SetSize(int64_t size) {
  if (::ftruncate(FHandle, static_cast<off_t>(size)) != 0) {
    throw EWriteError("Stream write error");
  }
  if (Position() > size) Seek(size, TSeekOrigin::soBeginning);
}

void THandleStream::Flush() {
  if (::fsync(FHandle) != 0) {
    const int error = errno;
    throw EInOutError(Format("Cannot flush file to disk. %s", SysErrorMessage(error).c_str()), error);
  }
}

// --- TFileStream -----------------------------------------------------------

namespace {

std::string FullName(const std::string& fileName) {
  std::error_code error;
  const auto full = std::filesystem::absolute(fileName, error);
  return error ? fileName : full.string();
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : THandleStream(-1), FFileName(fileName) {
  const bool create = (mode & fmCreate) == fmCreate;
  int flags = O_CLOEXEC;
  if (create) {
    flags |= O_RDWR | O_CREAT | O_TRUNC;
  } else {
    switch (mode & 0x0003) {
      case fmOpenWrite: flags |= O_WRONLY; break;
      case fmOpenReadWrite: flags |= O_RDWR; break;
      default: flags |= O_RDONLY; break;
    }
  }
  FHandle = ::open(fileName.c_str(), flags, 0666);
  int error = errno;
  if (FHandle >= 0) {
    // A folder opens for reading on this platform but is not a file.
    struct stat info;
    if (::fstat(FHandle, &info) == 0 && S_ISDIR(info.st_mode)) {
      ::close(FHandle);
      FHandle = -1;
      error = EISDIR;
    }
  }
  if (FHandle < 0) {
    const std::string message = Format(create ? "Cannot create file \"%s\". %s" : "Cannot open file \"%s\". %s",
                                       FullName(fileName).c_str(), SysErrorMessage(error).c_str());
    if (create) throw EFCreateError(message);
    throw EFOpenError(message);
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

// --- Whole files -------------------------------------------------------------

void WriteWholeFile(const std::string& path, const std::function<void(const std::string& temporary)>& write) {
  std::string temporary = path + ".tmp-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    const int error = errno;
    throw EFCreateError(Format("Cannot create file \"%s\". %s", path.c_str(), SysErrorMessage(error).c_str()));
  }
  // mkstemp makes the file private; give it the mode a new file would get.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  ::close(fd);
  auto fail = [&](int error) {
    ::unlink(temporary.c_str());
    throw EFCreateError(Format("Cannot create file \"%s\". %s", path.c_str(), SysErrorMessage(error).c_str()));
  };
  try {
    write(temporary);
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  const int written = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
  if (written < 0) fail(errno);
  const bool synced = ::fsync(written) == 0;
  const int syncError = errno;
  ::close(written);
  if (!synced) fail(syncError);
  if (std::rename(temporary.c_str(), path.c_str()) != 0) fail(errno);
}

// --- TMemoryStream ---------------------------------------------------------

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  const int64_t available = Size() - FPosition;
  const int64_t n = std::clamp<int64_t>(count, 0, std::max<int64_t>(available, 0));
  if (n > 0) {
    std::memcpy(buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
    FPosition += n;
  }
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  const int64_t end = FPosition + count;
  if (end > Size()) FData.resize(static_cast<std::size_t>(end));
  std::memcpy(FData.data() + FPosition, buffer, static_cast<std::size_t>(count));
  FPosition = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? FPosition : Size();
  if (base + offset < 0) throw EStreamError("Stream seek error. Invalid argument");
  FPosition = base + offset;
  return FPosition;
}

void TMemoryStream::SetSize(int64_t size) {
  if (size < 0) throw EWriteError("Stream write error");
  FData.resize(static_cast<std::size_t>(size));
  if (FPosition > size) FPosition = size;
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  const int64_t size = stream.Size();
  std::vector<uint8_t> data(static_cast<std::size_t>(size));
  stream.ReadBuffer(data.data(), size);
  FData = std::move(data);
  FPosition = 0;
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

void TMemoryStream::SaveToStream(TStream& stream) const {
  stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

}  // namespace kora

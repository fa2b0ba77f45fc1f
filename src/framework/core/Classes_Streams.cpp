#include "framework/core/Classes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "platform/shell/FileSystem.h"
#include "platform/shell/SysFiles.h"

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

// A plain file may hand out fewer bytes than asked; the system calls go on
// until the end of the file.
int64_t THandleStream::Read(void* buffer, int64_t count) {
  return count <= 0 ? 0 : std::max<int64_t>(0, SysRead(FHandle, buffer, count));
}

int64_t THandleStream::Write(const void* buffer, int64_t count) {
  return count <= 0 ? 0 : std::max<int64_t>(0, SysWrite(FHandle, buffer, count));
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                     : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                        : SEEK_END;
  const int64_t result = SysSeek(FHandle, offset, whence);
  if (result < 0) throw EStreamError(Format("Stream seek error. %s", SysErrorMessage(errno).c_str()));
  return result;
}

void THandleStream::SetSize(int64_t size) {
  if (!SysTruncate(FHandle, size)) throw EWriteError("Stream write error");
  if (Position() > size) Seek(size, TSeekOrigin::soBeginning);
}

void THandleStream::Flush() {
  if (!SysSync(FHandle)) {
    const int error = errno;
    throw EInOutError(Format("Cannot flush file to disk. %s", SysErrorMessage(error).c_str()), error);
  }
}

// --- TFileStream -----------------------------------------------------------

namespace {

std::string FullName(const std::string& fileName) {
  try {
    return ExpandFileName(fileName);
  } catch (const std::system_error&) {
    return fileName;
  }
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : THandleStream(-1), FFileName(fileName) {
  const bool create = (mode & fmCreate) == fmCreate;
  SysOpenMode open = SysOpenMode::Create;
  if (!create) {
    switch (mode & 0x0003) {
      case fmOpenWrite: open = SysOpenMode::Write; break;
      case fmOpenReadWrite: open = SysOpenMode::ReadWrite; break;
      default: open = SysOpenMode::Read; break;
    }
  }
  FHandle = SysOpen(fileName, open);
  const int error = errno;
  if (FHandle < 0) {
    const std::string message = Format(create ? "Cannot create file \"%s\". %s" : "Cannot open file \"%s\". %s",
                                       FullName(fileName).c_str(), SysErrorMessage(error).c_str());
    if (create) throw EFCreateError(message);
    throw EFOpenError(message);
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) SysClose(FHandle);
}

// --- Whole files -------------------------------------------------------------

void WriteWholeFile(const std::string& path, const std::function<void(const std::string& temporary)>& write) {
  std::string temporary;
  const int fd = SysMakeTemporary(path + ".tmp-", &temporary);
  if (fd < 0) {
    const int error = errno;
    throw EFCreateError(Format("Cannot create file \"%s\". %s", path.c_str(), SysErrorMessage(error).c_str()));
  }
  SysClose(fd);
  auto fail = [&](int error) {
    SysRemove(temporary);
    throw EFCreateError(Format("Cannot create file \"%s\". %s", path.c_str(), SysErrorMessage(error).c_str()));
  };
  try {
    write(temporary);
  } catch (...) {
    SysRemove(temporary);
    throw;
  }
  // Writable: some systems flush only what they may write to.
  const int written = SysOpen(temporary, SysOpenMode::ReadWrite);
  if (written < 0) fail(errno);
  const bool synced = SysSync(written);
  const int syncError = errno;
  SysClose(written);
  if (!synced) fail(syncError);
  if (!SysRename(temporary, path)) fail(errno);
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

#pragma once
// Streams and string lists with the runtime's classic behaviour and messages.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/SysUtils.h"

namespace kora {

class TObject;

// Stream errors.
class EStreamError : public Exception {
public:
  using Exception::Exception;
};
// "Cannot open file "%s". %s"
class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
// "Cannot create file "%s". %s"
class EFCreateError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
// "Stream read error"
class EReadError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
// "Stream write error"
class EWriteError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
// An index outside a list: "List index out of bounds (%d)".
class EStringListError : public Exception {
public:
  using Exception::Exception;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
  virtual ~TStream() = default;

  // Reads or writes up to `count` bytes; returns how many were transferred.
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  // Returns the new position.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position();
  void SetPosition(std::int64_t position);
  virtual std::int64_t Size();
  virtual void SetSize(std::int64_t size);

  // All or nothing: EReadError / EWriteError when fewer bytes move.
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);

  // Copies `count` bytes from the source's current position; a count of 0
  // copies the whole source from its start. Returns the bytes copied.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);

  // Pushes written bytes to the storage device; a no-op for memory.
  virtual void Flush() {}
};

// Open modes of TFileStream. The share flags are accepted and ignored.
inline constexpr std::uint16_t fmOpenRead = 0x0000;
inline constexpr std::uint16_t fmOpenWrite = 0x0001;
inline constexpr std::uint16_t fmOpenReadWrite = 0x0002;
inline constexpr std::uint16_t fmShareCompat = 0x0000;
inline constexpr std::uint16_t fmShareExclusive = 0x0010;
inline constexpr std::uint16_t fmShareDenyWrite = 0x0020;
inline constexpr std::uint16_t fmShareDenyRead = 0x0030;
inline constexpr std::uint16_t fmShareDenyNone = 0x0040;
// Creates the file, or truncates an existing one; opened for reading and
// writing.
inline constexpr std::uint16_t fmCreate = 0xFF00;

// A stream over an open file descriptor that it does not own.
class THandleStream : public TStream {
public:
  explicit THandleStream(int handle) : FHandle(handle) {}

  int Handle() const { return FHandle; }

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;
  // fsync; raises EInOutError when the system refuses.
  void Flush() override;

protected:
  int FHandle;
};

// A file opened by name. fmOpenWrite and fmOpenReadWrite never truncate.
class TFileStream : public THandleStream {
public:
  TFileStream(const std::string& fileName, std::uint16_t mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  const std::string& FileName() const { return FFileName; }

private:
  std::string FFileName;
};

// A growable byte buffer.
class TMemoryStream : public TStream {
public:
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }
  void SetSize(std::int64_t size) override;

  std::uint8_t* Memory() { return FData.data(); }
  const std::uint8_t* Memory() const { return FData.data(); }
  const std::vector<std::uint8_t>& Bytes() const { return FData; }

  void Clear();
  // Replaces the contents with the whole file / the whole source stream and
  // leaves the position at 0.
  void LoadFromFile(const std::string& fileName);
  void LoadFromStream(TStream& stream);
  // Writes the whole contents, whatever the position.
  void SaveToFile(const std::string& fileName) const;
  void SaveToStream(TStream& stream) const;

private:
  std::vector<std::uint8_t> FData;
  std::int64_t FPosition = 0;
};

// A list of 8-bit strings with optional object references. Text splits on
// CR LF, LF or CR; a final line break adds no empty entry. Text joins with LF.
class TStrings {
public:
  virtual ~TStrings() = default;

  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& value) = 0;
  virtual TObject* GetObject(int index) const = 0;
  virtual void PutObject(int index, TObject* object) = 0;
  virtual void Insert(int index, const std::string& value) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  std::string operator[](int index) const { return Get(index); }
  std::string Strings(int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }

  int Add(const std::string& value);
  int AddObject(const std::string& value, TObject* object);
  void AddStrings(const TStrings& strings);
  void Assign(const TStrings& strings);
  // Compares without regard to ASCII case unless CaseSensitive is set.
  int IndexOf(std::string_view value) const;

  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value) { FCaseSensitive = value; }

  std::string Text() const;
  void SetText(std::string_view text);

  void LoadFromFile(const std::string& fileName);
  void LoadFromStream(TStream& stream);
  void SaveToFile(const std::string& fileName) const;
  void SaveToStream(TStream& stream) const;

protected:
  bool SameText(std::string_view a, std::string_view b) const;

private:
  bool FCaseSensitive = false;
};

class TStringList : public TStrings {
public:
  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& value) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void Insert(int index, const std::string& value) override;
  void Delete(int index) override;
  void Clear() override { FItems.clear(); }

private:
  struct TStringItem {
    std::string FString;
    TObject* FObject = nullptr;
  };
  void CheckIndex(int index) const;
  std::vector<TStringItem> FItems;
};

}  // namespace kora

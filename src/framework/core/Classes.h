#pragma once
// Persistent objects, streams and string lists with the runtime's classic
// behaviour and messages.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Events.h"
#include "framework/core/Exceptions.h"
#include "framework/core/TypInfo.h"

namespace kora {

class TFiler;

// Modifier keys and mouse buttons held during an input event.
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// Objects that can copy themselves from others and take part in form
// streaming beyond their published properties.
class TPersistent : public TObject {
  KORA_CLASS(TPersistent, TObject)

  // Copies `source` into this object by asking source->AssignTo(this);
  // raises EConvertError "Cannot assign a %s to a %s" when neither class
  // knows how (a null source reads "nil").
  virtual void Assign(const TPersistent* source);
  // The object that owns this one, for sub-objects such as fonts.
  virtual TPersistent* GetOwner() const { return nullptr; }
  // Declares stored values that are not published properties (binary
  // data, lists) through filer.DefineProperty / DefineBinaryProperty.
  virtual void DefineProperties(TFiler& filer);

protected:
  virtual void AssignTo(TPersistent* dest) const;
  [[noreturn]] void AssignError(const TPersistent* source) const;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
  virtual ~TStream() = default;

  // Reads or writes up to `count` bytes; returns how many were transferred.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Returns the new position.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position();
  void SetPosition(int64_t position);
  virtual int64_t Size();
  virtual void SetSize(int64_t size);

  // All or nothing: EReadError / EWriteError when fewer bytes move.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);

  // Copies `count` bytes from the source's current position; a count of 0
  // copies the whole source from its start. Returns the bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);

  // Pushes written bytes to the storage device; a no-op for memory.
  virtual void Flush() {}
};

// Open modes of TFileStream. The share flags are accepted and ignored.
inline constexpr uint16_t fmOpenRead = 0x0000;
inline constexpr uint16_t fmOpenWrite = 0x0001;
inline constexpr uint16_t fmOpenReadWrite = 0x0002;
inline constexpr uint16_t fmShareCompat = 0x0000;
inline constexpr uint16_t fmShareExclusive = 0x0010;
inline constexpr uint16_t fmShareDenyWrite = 0x0020;
inline constexpr uint16_t fmShareDenyRead = 0x0030;
inline constexpr uint16_t fmShareDenyNone = 0x0040;
// Creates the file, or truncates an existing one; opened for reading and
// writing.
inline constexpr uint16_t fmCreate = 0xFF00;

// A stream over an open file descriptor that it does not own.
class THandleStream : public TStream {
public:
  explicit THandleStream(int handle) : FHandle(handle) {}

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t size) override;
  // fsync; raises EInOutError when the system refuses.
  void Flush() override;

protected:
  int FHandle;
};

// A file opened by name. fmOpenWrite and fmOpenReadWrite never truncate.
class TFileStream : public THandleStream {
public:
  TFileStream(const std::string& fileName, uint16_t mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

private:
  std::string FFileName;
};

// A file that appears whole or not at all: `write` fills a new temporary
// file beside `path` (given by name), which is flushed to disk and then
// renamed over `path`. When write throws or the file cannot be put in place,
// the temporary is removed, the error raised and `path` left as it was.
void WriteWholeFile(const std::string& path, const std::function<void(const std::string& temporary)>& write);

// A growable byte buffer.
class TMemoryStream : public TStream {
public:
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(FData.size()); }
  void SetSize(int64_t size) override;

  uint8_t* Memory() { return FData.data(); }
  const uint8_t* Memory() const { return FData.data(); }
  const std::vector<uint8_t>& Bytes() const { return FData; }

  void Clear();
  // Replaces the contents with the whole file / the whole source stream and
  // leaves the position at 0.
  void LoadFromFile(const std::string& fileName);
  void LoadFromStream(TStream& stream);
  // Writes the whole contents, whatever the position.
  void SaveToFile(const std::string& fileName) const;
  void SaveToStream(TStream& stream) const;

private:
  std::vector<uint8_t> FData;
  int64_t FPosition = 0;
};

// A list of 8-bit strings with optional object references. Text splits on
// CR LF, LF or CR; a final line break adds no empty entry. Text joins the
// lines with LineBreak (LF unless set). Lines of the form name=value make
// the list a dictionary (Names, Values); names ignore ASCII case unless
// CaseSensitive is set. Streams as the defined property "Strings", a list
// of strings.
class TStrings : public TPersistent {
  KORA_CLASS(TStrings, TPersistent)

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

  // Appends (a sorted list inserts in order); returns the index.
  virtual int Add(const std::string& value);
  int AddObject(const std::string& value, TObject* object);
  void AddStrings(const TStrings& strings);
  void Assign(const TStrings& strings);
  void Assign(const TPersistent* source) override;
  // Compares without regard to ASCII case unless CaseSensitive is set.
  virtual int IndexOf(std::string_view value) const;
  virtual void Exchange(int index1, int index2);

  bool CaseSensitive() const { return FCaseSensitive; }
  virtual void SetCaseSensitive(bool value) { FCaseSensitive = value; }

  // name=value lines. Names(i) is "" for a line without the separator.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  // The value of the first line with that name; "" when there is none.
  std::string Values(std::string_view name) const;
  // Replaces the first line with that name, or appends one; an empty value
  // deletes the line.
  void SetValue(std::string_view name, const std::string& value);
  int IndexOfName(std::string_view name) const;

  // Items joined by Delimiter (',' unless set); items with blanks,
  // delimiters, quotes or control characters are quoted with '"', quotes
  // inside doubled. SetDelimitedText splits the same way and also at blanks
  // outside quotes unless StrictDelimiter is set. CommaText is the same with
  // ',', never strict.
  void SetDelimitedText(std::string_view text);
  std::string CommaText() const;
  void SetCommaText(std::string_view text);
  void SetDelimiter(char value) { FDelimiter = value; }
  void SetStrictDelimiter(bool value) { FStrictDelimiter = value; }

  std::string Text() const;
  void SetText(std::string_view text);
  void SetLineBreak(std::string value) { FLineBreak = std::move(value); }

  void LoadFromFile(const std::string& fileName);
  void LoadFromStream(TStream& stream);
  void SaveToFile(const std::string& fileName) const;
  void SaveToStream(TStream& stream) const;

  // Batches changes: change notifications wait for the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  void DefineProperties(TFiler& filer) override;

protected:
  bool SameText(std::string_view a, std::string_view b) const;
  // Called when the first BeginUpdate starts (true) and the last EndUpdate ends (false).
  virtual void SetUpdateState(bool) {}

private:
  std::string DelimitedTextWith(char delimiter, char quote) const;
  void SetDelimitedTextWith(std::string_view text, char delimiter, char quote, bool strict);

  bool FCaseSensitive = false;
  static constexpr char kNameValueSeparator = '=';
  static constexpr char kQuoteChar = '"';
  char FDelimiter = ',';
  bool FStrictDelimiter = false;
  std::string FLineBreak = "\n";
  int FUpdateCount = 0;
};

// Keeps a batch of changes open for a scope, also when it ends by an exception.
class TStringsUpdate {
public:
  explicit TStringsUpdate(TStrings& strings) : FStrings(strings) { FStrings.BeginUpdate(); }
  ~TStringsUpdate() { FStrings.EndUpdate(); }
  TStringsUpdate(const TStringsUpdate&) = delete;
  TStringsUpdate& operator=(const TStringsUpdate&) = delete;

private:
  TStrings& FStrings;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// <0, 0, >0 for the items at index1 and index2.
using TStringListSortCompare = std::function<int(TStringList& list, int index1, int index2)>;

class TStringList : public TStrings {
  KORA_CLASS(TStringList, TStrings)

  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int index) const override;
  // Raises EStringListError "Operation not allowed on sorted list" when Sorted.
  void Put(int index, const std::string& value) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  // Raises EStringListError "Operation not allowed on sorted list" when Sorted.
  void Insert(int index, const std::string& value) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;

  // In a sorted list: the place of the string, by Duplicates: dupIgnore
  // returns the existing index, dupError raises EStringListError "String
  // list does not allow duplicates", dupAccept adds another.
  int Add(const std::string& value) override;
  // A binary search in a sorted list, a linear one otherwise.
  int IndexOf(std::string_view value) const override;
  // Sorted lists only: true when found; `index` is where it is or would go.
  bool Find(std::string_view value, int& index) const;

  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }
  void SetCaseSensitive(bool value) override;
  // Stable sorts: equal strings keep their order.
  virtual void Sort();
  void CustomSort(const TStringListSortCompare& compare);

  // Raised around every change, and once after a batch of updates.
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  void SetUpdateState(bool updating) override;
  virtual void Changing();
  virtual void Changed();

private:
  struct TStringItem {
    std::string FString;
    TObject* FObject = nullptr;
  };
  void CheckIndex(int index) const;
  int CompareStrings(std::string_view a, std::string_view b) const;
  void InsertItem(int index, const std::string& value, TObject* object);

  std::vector<TStringItem> FItems;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
};

}  // namespace kora

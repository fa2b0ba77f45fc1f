#pragma once
// The binary form stream at the level of bytes: value types, object
// headers and values, read from memory with every access checked against
// the end, and written to memory. The reader, the writer and the text
// conversion share these.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/TypInfo.h"

namespace kora {

enum TValueType : uint8_t {
  vaNull = 0,  // ends lists and property lists
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,  // 80-bit float
  vaString = 6,    // up to 255 bytes
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,  // 32-bit count, bytes
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,  // 64-bit integer of ten-thousandths
  vaDate = 17,      // 64-bit float
  vaWString = 18,   // UTF-16
  vaInt64 = 19,
  vaUTF8String = 20,
};

enum TFilerFlag { ffInherited, ffChildPos, ffInline };
using TFilerFlags = TSet<TFilerFlag>;

// Objects, lists and collections nest at most this deep in a form stream
// or text; deeper input is rejected rather than exhausting the stack.
inline constexpr int kMaxFormNesting = 64;

// What precedes an object's properties.
struct TObjectHeader {
  TFilerFlags Flags;
  int32_t ChildPos = 0;  // with ffChildPos
  std::string ClassName;
  std::string ObjectName;
};

// 80-bit extended floats, as the form stream stores them.
double ExtendedToDouble(const uint8_t bytes[10]);
void DoubleToExtended(double value, uint8_t bytes[10]);

class TFormInput {
public:
  TFormInput(const uint8_t* data, std::size_t size) : FData(data), FSize(size) {}

  std::size_t Position() const { return FPosition; }
  // EReadError "<message> at offset N".
  [[noreturn]] void Error(const std::string& message) const;

  // "TPF0", else "Invalid stream format".
  void ReadSignature();
  TObjectHeader ReadObjectHeader();
  // A property name; "" ends the property list.
  std::string ReadShortString();

  // The next value type without consuming it; an unknown one raises.
  TValueType NextValue();
  TValueType ReadValue();
  // Whether a list, property list or child list ends here (a zero byte).
  bool EndOfList();
  // Consumes the vaNull that ends a list.
  void ReadListEnd();

  // Whole values of the given kinds; another value type raises
  // "Invalid property value".
  int64_t ReadInteger();     // vaInt8, vaInt16, vaInt32, vaInt64
  double ReadFloat();        // also vaSingle, vaCurrency, vaDate, integers
  std::string ReadString();  // vaString, vaLString, vaWString, vaUTF8String (as UTF-8)
  std::string ReadIdent();   // vaIdent; vaFalse, vaTrue, vaNil read as their names
  std::vector<uint8_t> ReadBinary();
  std::vector<std::string> ReadSet();

  // Payloads after the value type has been read.
  int64_t ReadIntegerPayload(TValueType type);
  std::string ReadStringPayload(TValueType type);
  double ReadExtendedPayload();
  float ReadSinglePayload();
  int64_t ReadInt64Payload();
  double ReadDatePayload();
  std::vector<uint8_t> ReadBinaryPayload();
  std::vector<std::string> ReadSetPayload();
  // The 32-bit count of a long value, checked against what is left.
  std::size_t ReadCount(std::size_t unitSize);

  // Skips one value of any kind, lists and collections included.
  void SkipValue(int depth = 0);

private:
  uint8_t ReadByte();
  void ReadBytes(void* buffer, std::size_t count);
  template <typename T>
  T ReadLittle();

  const uint8_t* FData;
  std::size_t FSize;
  std::size_t FPosition = 0;
};

class TFormOutput {
public:
  const std::vector<uint8_t>& Bytes() const { return FBytes; }

  void WriteSignature();
  void WriteObjectHeader(const TObjectHeader& header);
  // Names and set elements: at most 255 bytes, else EWriteError.
  void WriteShortString(std::string_view text);
  void WriteValue(TValueType type) { FBytes.push_back(type); }
  void WriteListEnd() { WriteValue(vaNull); }

  // The smallest of vaInt8, vaInt16, vaInt32, vaInt64.
  void WriteInteger(int64_t value);
  void WriteExtended(double value);
  void WriteSingle(float value);
  void WriteCurrency(int64_t tenThousandths);
  void WriteDate(double value);
  // vaString for ASCII up to 255 bytes, vaLString for longer ASCII,
  // vaUTF8String when there are other bytes.
  void WriteString(std::string_view text);
  // vaFalse / vaTrue / vaNil for those words (any case), else vaIdent.
  void WriteIdent(std::string_view ident);
  void WriteBinary(const uint8_t* data, std::size_t size);
  void WriteSet(const std::vector<std::string>& names);

private:
  void WriteCount(std::size_t count);
  template <typename T>
  void WriteLittle(T value);

  std::vector<uint8_t> FBytes;
};

}  // namespace kora

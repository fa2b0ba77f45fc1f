#include "framework/core/FormBinary.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/text/Utf8.h"

namespace kora {

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

double ExtendedToDouble(const uint8_t bytes[10]) {
  uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = mantissa << 8 | bytes[i];
  const unsigned signAndExponent = bytes[8] | bytes[9] << 8;
  const bool negative = (signAndExponent & 0x8000) != 0;
  const int exponent = static_cast<int>(signAndExponent & 0x7FFF);
  double value;
  if (exponent == 0x7FFF) {
    value = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
  } else {
    // Denormals (exponent 0) scale like exponent 1.
    value = std::ldexp(static_cast<double>(mantissa), std::max(exponent, 1) - 16383 - 63);
  }
  return negative ? -value : value;
}

void DoubleToExtended(double value, uint8_t bytes[10]) {
  uint64_t mantissa = 0;
  unsigned exponent = 0;
  if (std::isnan(value)) {
    mantissa = 0xC000000000000000ull;
    exponent = 0x7FFF;
  } else if (std::isinf(value)) {
    mantissa = 0x8000000000000000ull;
    exponent = 0x7FFF;
  } else if (value != 0) {
    int e = 0;
    const double fraction = std::frexp(std::fabs(value), &e);  // in [0.5, 1)
    mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
    exponent = static_cast<unsigned>(e + 16382);
  }
  if (std::signbit(value)) exponent |= 0x8000;
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(mantissa >> (8 * i));
  bytes[8] = static_cast<uint8_t>(exponent);
  bytes[9] = static_cast<uint8_t>(exponent >> 8);
}

// --- TFormInput ------------------------------------------------------------

void TFormInput::Error(const std::string& message) const {
  throw EReadError(message + " at offset " + std::to_string(FPosition));
}

uint8_t TFormInput::ReadByte() {
  if (FPosition >= FSize) Error("Stream read error");
  return FData[FPosition++];
}

void TFormInput::ReadBytes(void* buffer, std::size_t count) {
  if (count > FSize - FPosition) Error("Stream read error");
  if (count > 0) std::memcpy(buffer, FData + FPosition, count);
  FPosition += count;
}

template <typename T>
T TFormInput::ReadLittle() {
  uint8_t bytes[sizeof(T)];
  ReadBytes(bytes, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(bytes, bytes + sizeof(T));
  T value;
  std::memcpy(&value, bytes, sizeof(T));
  return value;
}

void TFormInput::ReadSignature() {
  char signature[4];
  if (FSize - FPosition < sizeof signature) Error("Invalid stream format");
  ReadBytes(signature, sizeof signature);
  if (std::memcmp(signature, kSignature, sizeof signature) != 0) {
    FPosition -= sizeof signature;
    Error("Invalid stream format");
  }
}

TObjectHeader TFormInput::ReadObjectHeader() {
  TObjectHeader header;
  if (FPosition < FSize && (FData[FPosition] & 0xF0) == 0xF0) {
    const unsigned flags = ReadByte() & 0x0F;
    if (flags & ~0x07u) Error("Invalid stream format");
    header.Flags = TFilerFlags::FromBits(flags);
    if (header.Flags.Contains(ffChildPos)) {
      const int64_t position = ReadInteger();
      if (position < std::numeric_limits<int32_t>::min() || position > std::numeric_limits<int32_t>::max()) {
        Error("Invalid property value");
      }
      header.ChildPos = static_cast<int32_t>(position);
    }
  }
  header.ClassName = ReadShortString();
  if (header.ClassName.empty()) Error("Class name expected");
  header.ObjectName = ReadShortString();
  return header;
}

std::string TFormInput::ReadShortString() {
  const std::size_t length = ReadByte();
  std::string text(length, '\0');
  ReadBytes(text.data(), length);
  return text;
}

TValueType TFormInput::NextValue() {
  if (FPosition >= FSize) Error("Stream read error");
  const uint8_t type = FData[FPosition];
  if (type > vaUTF8String) Error("Invalid value type " + std::to_string(type));
  return static_cast<TValueType>(type);
}

TValueType TFormInput::ReadValue() {
  const TValueType type = NextValue();
  ++FPosition;
  return type;
}

bool TFormInput::EndOfList() {
  if (FPosition >= FSize) Error("Stream read error");
  return FData[FPosition] == vaNull;
}

void TFormInput::ReadListEnd() {
  if (ReadValue() != vaNull) {
    --FPosition;
    Error("Invalid property value");
  }
}

int64_t TFormInput::ReadIntegerPayload(TValueType type) {
  switch (type) {
    case vaInt8: return ReadLittle<int8_t>();
    case vaInt16: return ReadLittle<int16_t>();
    case vaInt32: return ReadLittle<int32_t>();
    case vaInt64: return ReadLittle<int64_t>();
    default: Error("Invalid property value");
  }
}

std::size_t TFormInput::ReadCount(std::size_t unitSize) {
  const int32_t count = ReadLittle<int32_t>();
  // A count beyond the bytes that are left is damage, not a reason to allocate.
  if (count < 0 || static_cast<std::size_t>(count) > (FSize - FPosition) / unitSize) Error("Stream read error");
  return static_cast<std::size_t>(count);
}

std::string TFormInput::ReadStringPayload(TValueType type) {
  switch (type) {
    case vaString:
    case vaIdent: return ReadShortString();
    case vaLString:
    case vaUTF8String: {
      std::string text(ReadCount(1), '\0');
      ReadBytes(text.data(), text.size());
      return text;
    }
    case vaWString: {
      const std::size_t count = ReadCount(2);
      std::string text;
      for (std::size_t i = 0; i < count; ++i) {
        char32_t unit = ReadLittle<uint16_t>();
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < count) {
          const char32_t low = ReadLittle<uint16_t>();
          if (low >= 0xDC00 && low < 0xE000) {
            AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
            ++i;
            continue;
          }
          FPosition -= 2;
        }
        // An unpaired surrogate cannot be UTF-8; it becomes U+FFFD.
        if (unit >= 0xD800 && unit < 0xE000) unit = 0xFFFD;
        AppendUtf8(text, unit);
      }
      return text;
    }
    default: Error("Invalid property value");
  }
}

double TFormInput::ReadExtendedPayload() {
  uint8_t bytes[10];
  ReadBytes(bytes, sizeof bytes);
  return ExtendedToDouble(bytes);
}

float TFormInput::ReadSinglePayload() { return ReadLittle<float>(); }

int64_t TFormInput::ReadInt64Payload() { return ReadLittle<int64_t>(); }

double TFormInput::ReadDatePayload() { return ReadLittle<double>(); }

std::vector<uint8_t> TFormInput::ReadBinaryPayload() {
  std::vector<uint8_t> data(ReadCount(1));
  ReadBytes(data.data(), data.size());
  return data;
}

std::vector<std::string> TFormInput::ReadSetPayload() {
  std::vector<std::string> names;
  for (std::string name = ReadShortString(); !name.empty(); name = ReadShortString()) names.push_back(name);
  return names;
}

int64_t TFormInput::ReadInteger() {
  const std::size_t start = FPosition;
  const TValueType type = ReadValue();
  if (type != vaInt8 && type != vaInt16 && type != vaInt32 && type != vaInt64) {
    FPosition = start;
    Error("Invalid property value");
  }
  return ReadIntegerPayload(type);
}

double TFormInput::ReadFloat() {
  const std::size_t start = FPosition;
  switch (const TValueType type = ReadValue()) {
    case vaExtended: return ReadExtendedPayload();
    case vaSingle: return ReadSinglePayload();
    case vaCurrency: return static_cast<double>(ReadInt64Payload()) / 10000.0;
    case vaDate: return ReadDatePayload();
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64: return static_cast<double>(ReadIntegerPayload(type));
    default: FPosition = start; Error("Invalid property value");
  }
}

std::string TFormInput::ReadString() {
  const std::size_t start = FPosition;
  const TValueType type = ReadValue();
  if (type != vaString && type != vaLString && type != vaWString && type != vaUTF8String) {
    FPosition = start;
    Error("Invalid property value");
  }
  return ReadStringPayload(type);
}

std::string TFormInput::ReadIdent() {
  const std::size_t start = FPosition;
  switch (ReadValue()) {
    case vaIdent: return ReadShortString();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    default: FPosition = start; Error("Invalid property value");
  }
}

std::vector<uint8_t> TFormInput::ReadBinary() {
  if (NextValue() != vaBinary) Error("Invalid property value");
  ReadValue();
  return ReadBinaryPayload();
}

std::vector<std::string> TFormInput::ReadSet() {
  if (NextValue() != vaSet) Error("Invalid property value");
  ReadValue();
  return ReadSetPayload();
}

void TFormInput::SkipValue(int depth) {
  if (depth > kMaxFormNesting) Error("Nesting too deep");
  const TValueType type = ReadValue();
  switch (type) {
    case vaNull: --FPosition; Error("Invalid property value");
    case vaList:
      while (!EndOfList()) SkipValue(depth + 1);
      ReadListEnd();
      break;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64: ReadIntegerPayload(type); break;
    case vaExtended: ReadExtendedPayload(); break;
    case vaString:
    case vaIdent:
    case vaLString:
    case vaUTF8String:
    case vaWString: ReadStringPayload(type); break;
    case vaFalse:
    case vaTrue:
    case vaNil: break;
    case vaBinary: FPosition += ReadCount(1); break;
    case vaSet: ReadSetPayload(); break;
    case vaCollection:
      while (!EndOfList()) {
        const TValueType next = NextValue();
        if (next == vaInt8 || next == vaInt16 || next == vaInt32) ReadInteger();
        if (ReadValue() != vaList) Error("Invalid property value");
        while (!EndOfList()) {
          ReadShortString();
          SkipValue(depth + 1);
        }
        ReadListEnd();
      }
      ReadListEnd();
      break;
    case vaSingle: ReadSinglePayload(); break;
    case vaCurrency:
    case vaDate: ReadInt64Payload(); break;
  }
}

// --- TFormOutput -----------------------------------------------------------

template <typename T>
void TFormOutput::WriteLittle(T value) {
  uint8_t bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  // Stored little-endian whatever the host.
  if constexpr (std::endian::native == std::endian::big) std::reverse(bytes, bytes + sizeof(T));
  FBytes.insert(FBytes.end(), bytes, bytes + sizeof(T));
}

void TFormOutput::WriteSignature() { FBytes.insert(FBytes.end(), kSignature, kSignature + sizeof kSignature); }

void TFormOutput::WriteObjectHeader(const TObjectHeader& header) {
  // A class name of 240 bytes or more would read as a flags byte; the
  // flags prefix (even an empty one) keeps it unambiguous.
  if (!header.Flags.Empty() || header.ClassName.size() >= 0xF0) {
    WriteValue(static_cast<TValueType>(0xF0 | header.Flags.Bits()));
    if (header.Flags.Contains(ffChildPos)) WriteInteger(header.ChildPos);
  }
  WriteShortString(header.ClassName);
  WriteShortString(header.ObjectName);
}

void TFormOutput::WriteShortString(std::string_view text) {
  if (text.size() > 255)
    throw EWriteError("Name too long for a form stream: " + std::string(text.substr(0, 32)) + "...");
  FBytes.push_back(static_cast<uint8_t>(text.size()));
  FBytes.insert(FBytes.end(), text.begin(), text.end());
}

void TFormOutput::WriteInteger(int64_t value) {
  if (value >= -128 && value <= 127) {
    WriteValue(vaInt8);
    WriteLittle(static_cast<int8_t>(value));
  } else if (value >= -32768 && value <= 32767) {
    WriteValue(vaInt16);
    WriteLittle(static_cast<int16_t>(value));
  } else if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max()) {
    WriteValue(vaInt32);
    WriteLittle(static_cast<int32_t>(value));
  } else {
    WriteValue(vaInt64);
    WriteLittle(value);
  }
}

void TFormOutput::WriteExtended(double value) {
  WriteValue(vaExtended);
  uint8_t bytes[10];
  DoubleToExtended(value, bytes);
  FBytes.insert(FBytes.end(), bytes, bytes + sizeof bytes);
}

void TFormOutput::WriteSingle(float value) {
  WriteValue(vaSingle);
  WriteLittle(value);
}

void TFormOutput::WriteCurrency(int64_t tenThousandths) {
  WriteValue(vaCurrency);
  WriteLittle(tenThousandths);
}

void TFormOutput::WriteDate(double value) {
  WriteValue(vaDate);
  WriteLittle(value);
}

void TFormOutput::WriteCount(std::size_t count) {
  if (count > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
    throw EWriteError("Stream write error");
  }
  WriteLittle(static_cast<int32_t>(count));
}

void TFormOutput::WriteString(std::string_view text) {
  if (!IsAscii(text)) {
    WriteValue(vaUTF8String);
    WriteCount(text.size());
  } else if (text.size() <= 255) {
    WriteValue(vaString);
    FBytes.push_back(static_cast<uint8_t>(text.size()));
  } else {
    WriteValue(vaLString);
    WriteCount(text.size());
  }
  FBytes.insert(FBytes.end(), text.begin(), text.end());
}

void TFormOutput::WriteIdent(std::string_view ident) {
  if (SameText(ident, "False")) {
    WriteValue(vaFalse);
  } else if (SameText(ident, "True")) {
    WriteValue(vaTrue);
  } else if (SameText(ident, "nil")) {
    WriteValue(vaNil);
  } else {
    WriteValue(vaIdent);
    WriteShortString(ident);
  }
}

void TFormOutput::WriteBinary(const uint8_t* data, std::size_t size) {
  WriteValue(vaBinary);
  WriteCount(size);
  FBytes.insert(FBytes.end(), data, data + size);
}

void TFormOutput::WriteSet(const std::vector<std::string>& names) {
  WriteValue(vaSet);
  for (const std::string& name : names) {
    if (name.empty()) throw EWriteError("Empty set element");
    WriteShortString(name);
  }
  WriteShortString("");
}

}  // namespace kora

#include "framework/core/SysUtils.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/shell/SysFiles.h"

namespace kora {

Exception::Exception(std::string message) : FMessage(std::move(message)) {}

EInOutError::EInOutError(std::string message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string result;
  if (length > 0) {
    result.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(result.data(), result.size(), format, args);
    result.resize(static_cast<std::size_t>(length));
  }
  va_end(args);
  return result;
}

std::string SysErrorMessage(int errorCode) { return SysErrorText(errorCode); }

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool ParseInt(std::string_view text, int32_t& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return false;

  uint64_t magnitude = 0;
  // Hexadecimal may fill all 32 bits; decimal stops at the signed limits.
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  for (; i < text.size(); ++i) {
    int digit;
    if (hex) {
      digit = HexDigitValue(text[i]);
    } else {
      digit = (text[i] >= '0' && text[i] <= '9') ? text[i] - '0' : -1;
    }
    if (digit < 0) return false;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (magnitude > limit) return false;
  }
  uint32_t bits = static_cast<uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  value = static_cast<int32_t>(bits);
  return true;
}

std::string HexDigits(uint64_t value, int digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string result;
  do {
    result.insert(result.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(result.size()) < digits) {
    result.insert(0, static_cast<std::size_t>(digits) - result.size(), '0');
  }
  return result;
}

}  // namespace

bool TryStrToInt(std::string_view text, int32_t& value) { return ParseInt(text, value); }

int32_t StrToInt(std::string_view text) {
  int32_t value = 0;
  if (!ParseInt(text, value)) {
    throw EConvertError(Format("'%.*s' is not a valid integer value", static_cast<int>(text.size()), text.data()));
  }
  return value;
}

int32_t StrToIntDef(std::string_view text, int32_t fallback) {
  int32_t value = 0;
  return ParseInt(text, value) ? value : fallback;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(int32_t value, int digits) { return HexDigits(static_cast<uint32_t>(value), digits); }
std::string IntToHex(uint32_t value, int digits) { return HexDigits(value, digits); }
std::string IntToHex(int64_t value, int digits) { return HexDigits(static_cast<uint64_t>(value), digits); }
std::string IntToHex(uint64_t value, int digits) { return HexDigits(value, digits); }

std::string IncludeTrailingPathDelimiter(std::string path) {
  if (path.empty() || !IsPathDelimiter(path.back())) path += PathDelim;
  return path;
}

std::string ExcludeTrailingPathDelimiter(std::string path) {
  if (path.size() > 1 && IsPathDelimiter(path.back())) path.pop_back();
  return path;
}

std::string ExtractFilePath(const std::string& path) {
  size_t at = path.size();
  while (at > 0 && !IsPathDelimiter(path[at - 1])) --at;
  return path.substr(0, at);
}

std::string SetDirSeparators(std::string path) {
  for (char& c : path)
    if (IsPathDelimiter(c)) c = PathDelim;
  return path;
}

bool FileExists(const std::string& path) {
  const auto status = SysStat(path);
  return status && !status->IsFolder;
}

bool DeleteFile(const std::string& path) { return SysRemove(path); }

}  // namespace kora

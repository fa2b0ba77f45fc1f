#pragma once
// Runtime basics: the exception root, number <-> text conversions, Format.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace kora {

// Root of every error the program raises; the message is what the default
// error report shows.
class Exception : public std::exception {
public:
  explicit Exception(std::string message);

  const std::string& Message() const { return FMessage; }
  void SetMessage(std::string message) { FMessage = std::move(message); }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  std::string FMessage;
};

// A text that is not a number.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// A failing system call; ErrorCode is the errno value.
class EInOutError : public Exception {
public:
  EInOutError(std::string message, int errorCode);
  int ErrorCode;
};

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The system's text for an errno value.
std::string SysErrorMessage(int errorCode);

// Parses a 32-bit integer. Accepted: leading blanks, an optional '+' or '-',
// then decimal digits, or hexadecimal digits after '$', '0x' or '0X'.
// Decimal must fit -2147483648..2147483647; hexadecimal may use all 32 bits
// and wraps into the negative range ("$FFFFFFFF" is -1), as the runtime does.
// Anything else raises EConvertError "'%s' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);
// As StrToInt, but returns `fallback` instead of raising.
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);
// As StrToInt, but reports success instead of raising.
bool TryStrToInt(std::string_view text, std::int32_t& value);

std::string IntToStr(std::int64_t value);

// Upper-case hexadecimal with at least `digits` digits. Negative values are
// shown in two's complement of their own width (IntToHex(-1, 1) of a 32-bit
// value is "FFFFFFFF").
std::string IntToHex(std::int32_t value, int digits);
std::string IntToHex(std::uint32_t value, int digits);
std::string IntToHex(std::int64_t value, int digits);
std::string IntToHex(std::uint64_t value, int digits);

// Adds a trailing '/' unless the path already ends in one.
std::string IncludeTrailingPathDelimiter(std::string path);
// Removes one trailing '/' (but keeps the root "/").
std::string ExcludeTrailingPathDelimiter(std::string path);
// The folder part of a path including its trailing '/' ("" when none).
std::string ExtractFilePath(const std::string& path);
bool FileExists(const std::string& path);
// Deletes a file; false when it could not be deleted.
bool DeleteFile(const std::string& path);

}  // namespace kora

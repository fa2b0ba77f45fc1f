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

// Float arithmetic that has no valid result, e.g. rounding NaN or a value
// beyond the 64-bit range: "Invalid floating point operation".
class EInvalidOp : public Exception {
public:
  using Exception::Exception;
};

// printf-style formatting into a std::string (the C99 conversions, %zu and
// %lld among them, on every system: KORA_PRINTF names the checker).
std::string Format(const char* format, ...) __attribute__((format(KORA_PRINTF, 1, 2)));

// The system's text for an errno value.
std::string SysErrorMessage(int errorCode);

// Parses a 32-bit integer. Accepted: leading blanks, an optional '+' or '-',
// then decimal digits, or hexadecimal digits after '$', '0x' or '0X'.
// Decimal must fit -2147483648..2147483647; hexadecimal may use all 32 bits
// and wraps into the negative range ("$FFFFFFFF" is -1), as the runtime does.
// Anything else raises EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view text);
// As StrToInt, but returns `fallback` instead of raising.
int32_t StrToIntDef(std::string_view text, int32_t fallback);
// As StrToInt, but reports success instead of raising.
bool TryStrToInt(std::string_view text, int32_t& value);

std::string IntToStr(int64_t value);

// Upper-case hexadecimal with at least `digits` digits. Negative values are
// shown in two's complement of their own width (IntToHex(-1, 1) of a 32-bit
// value is "FFFFFFFF").
std::string IntToHex(int32_t value, int digits);
std::string IntToHex(uint32_t value, int digits);
std::string IntToHex(int64_t value, int digits);
std::string IntToHex(uint64_t value, int digits);

// Parses a floating point number: optional blanks, sign, digits with an
// optional '.' fraction and an optional exponent ("1.5", "-2", "3E-4",
// ".5"); the decimal separator is always '.'. Anything else raises
// EConvertError "'%s' is not a valid floating point value".
double StrToFloat(std::string_view text);
double StrToFloatDef(std::string_view text, double fallback);
bool TryStrToFloat(std::string_view text, double& value);

// The shortest text of up to 15 significant digits: "1.5", "0.1", "100",
// "1E20", "1E-7" (exponent form below 1E-5 and from 1E15 up).
std::string FloatToStr(double value);

// Formats with a picture of '0' (digit, always shown), '#' (digit when
// significant), one '.', an optional ',' (thousands groups) and literal text
// around them: FormatFloat("0.00", 1.005) = "1.00", FormatFloat("#,##0", 1234)
// = "1,234", FormatFloat("0.###", 2.5) = "2.5". Rounds half away from zero
// on the decimal value shown.
std::string FormatFloat(std::string_view picture, double value);

// Rounds to the nearest integer; an exact half goes to the even neighbour,
// as the classic runtime's Round does (Round(2.5) = 2, Round(3.5) = 4).
// NaN, infinities and values beyond the 64-bit range raise EInvalidOp.
int64_t Round(double value);

// "True"/"False" (any case), or an integer (0 is false). Anything else
// raises EConvertError "'%s' is not a valid boolean value".
bool StrToBool(std::string_view text);
// "True"/"False", or "-1"/"0" when useBoolStrs is false.
std::string BoolToStr(bool value, bool useBoolStrs = false);

// ASCII-only case handling: 8-bit text (GBK, UTF-8) passes unchanged.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// <0, 0 or >0, comparing bytes; CompareText ignores ASCII case.
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
// Removes blanks and control characters (bytes up to ' ') at the ends.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
// A letter or '_' followed by letters, digits and '_'.
bool IsValidIdent(std::string_view text);

// Paths use the system's separator, PathDelim: '/', or '\' on Windows
// (where '/' is taken as a separator too).
// Adds a trailing separator unless the path already ends in one.
std::string IncludeTrailingPathDelimiter(std::string path);
// Removes one trailing separator (but keeps the root "/").
std::string ExcludeTrailingPathDelimiter(std::string path);
// The folder part of a path including its trailing separator ("" when none).
std::string ExtractFilePath(const std::string& path);
// The part after the last separator.
std::string ExtractFileName(const std::string& path);
// Every separator turned into the system's: "RomData/x.bin" is
// "RomData\x.bin" on Windows.
std::string SetDirSeparators(std::string path);
// The file name's extension with its '.', or "".
std::string ExtractFileExt(const std::string& path);
bool FileExists(const std::string& path);
// Deletes a file; false when it could not be deleted.
bool DeleteFile(const std::string& path);

}  // namespace kora

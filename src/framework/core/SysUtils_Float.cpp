#include "framework/core/SysUtils.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace kora {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The number between optional blanks, checked against the runtime's syntax
// before from_chars sees it (from_chars would also take "inf" or "1e").
bool ParseFloat(std::string_view text, double& value) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::string_view body = text.substr(begin, end - begin);
  bool negative = false;
  if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
    negative = body[0] == '-';
    body.remove_prefix(1);
  }
  std::size_t i = 0;
  std::size_t digits = 0;
  while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i, ++digits;
  if (i < body.size() && body[i] == '.') {
    ++i;
    while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
    ++i;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  if (i != body.size()) return false;
  double result = 0;
  const auto [ptr, error] = std::from_chars(body.data(), body.data() + body.size(), result);
  if (error != std::errc() || ptr != body.data() + body.size()) return false;
  value = negative ? -result : result;
  return true;
}

// "1.5e+20" -> "1.5E20", "1e-07" -> "1E-7".
std::string TidyExponent(std::string text) {
  const auto e = text.find('e');
  if (e == std::string::npos) return text;
  std::string mantissa = text.substr(0, e);
  std::string exponent = text.substr(e + 1);
  bool negative = false;
  if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
    negative = exponent[0] == '-';
    exponent.erase(0, 1);
  }
  const auto firstSignificant = exponent.find_first_not_of('0');
  exponent = firstSignificant == std::string::npos ? "0" : exponent.substr(firstSignificant);
  return mantissa + "E" + (negative ? "-" : "") + exponent;
}

// Decimal digits of |value| with the position of the decimal point:
// digits "15", point 1 means 1.5. Seventeen significant digits, like the
// classic runtime's decimal conversion of a double.
struct TDecimal {
  std::string Digits;
  int Point = 0;
};

TDecimal ToDecimal(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 16);
  const std::string text(buffer, result.ptr);
  const auto e = text.find('e');
  TDecimal decimal;
  for (std::size_t i = 0; i < e; ++i) {
    if (text[i] != '.') decimal.Digits += text[i];
  }
  decimal.Point = std::atoi(text.c_str() + e + 1) + 1;
  return decimal;
}

// Integer and fraction digits of |value| rounded half away from zero to
// `decimals` places.
void RoundDecimal(double value, int decimals, std::string& integerPart, std::string& fraction) {
  TDecimal decimal = ToDecimal(value);
  if (value == 0) decimal = {"0", 1};
  // Lay the digits out on a fixed grid: `point` integer digits, then fraction.
  std::string digits = decimal.Digits;
  int point = decimal.Point;
  if (point < 0) {
    digits.insert(0, static_cast<std::size_t>(-point), '0');
    point = 0;
  }
  if (static_cast<int>(digits.size()) < point + decimals + 1) {
    digits.append(static_cast<std::size_t>(point + decimals + 1) - digits.size(), '0');
  }
  const bool roundUp = digits[static_cast<std::size_t>(point + decimals)] >= '5';
  digits.resize(static_cast<std::size_t>(point + decimals));
  if (roundUp) {
    int i = static_cast<int>(digits.size()) - 1;
    while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
      ++digits[static_cast<std::size_t>(i)];
    } else {
      digits.insert(digits.begin(), '1');
      ++point;
    }
  }
  integerPart = digits.substr(0, static_cast<std::size_t>(point));
  fraction = digits.substr(static_cast<std::size_t>(point));
  const auto firstSignificant = integerPart.find_first_not_of('0');
  integerPart = firstSignificant == std::string::npos ? "" : integerPart.substr(firstSignificant);
}

bool ParseBool(std::string_view text, bool& value) {
  const std::string word = Trim(text);
  double number = 0;
  if (SameText(word, "True")) {
    value = true;
  } else if (SameText(word, "False")) {
    value = false;
  } else if (ParseFloat(word, number)) {
    value = number != 0;
  } else {
    return false;
  }
  return true;
}

bool IsPlaceholder(char c) { return c == '0' || c == '#' || c == '.' || c == ','; }

}  // namespace

bool TryStrToFloat(std::string_view text, double& value) { return ParseFloat(text, value); }

double StrToFloat(std::string_view text) {
  double value = 0;
  if (!ParseFloat(text, value)) {
    throw EConvertError(
        Format("'%.*s' is not a valid floating point value", static_cast<int>(text.size()), text.data()));
  }
  return value;
}

double StrToFloatDef(std::string_view text, double fallback) {
  double value = 0;
  return ParseFloat(text, value) ? value : fallback;
}

std::string FloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  const auto e = text.find('e');
  // Exponent form drops the trailing zeros of its mantissa as well.
  if (e != std::string::npos && text.find('.') != std::string::npos) {
    std::size_t end = e;
    while (text[end - 1] == '0') --end;
    if (text[end - 1] == '.') --end;
    text.erase(end, e - end);
  }
  return TidyExponent(text);
}

std::string FormatFloat(std::string_view picture, double value) {
  std::size_t first = 0;
  while (first < picture.size() && !IsPlaceholder(picture[first])) ++first;
  std::size_t last = picture.size();
  while (last > first && !IsPlaceholder(picture[last - 1])) --last;
  const std::string_view prefix = picture.substr(0, first);
  const std::string_view suffix = picture.substr(last);
  const std::string_view number = picture.substr(first, last - first);

  const auto dot = number.find('.');
  const std::string_view integerPicture = number.substr(0, dot);
  const std::string_view fractionPicture = dot == std::string_view::npos ? std::string_view() : number.substr(dot + 1);
  int minInteger = 0;
  for (const char c : integerPicture) minInteger += c == '0';
  // Zeros in the fraction count up to the last one; '#' after them may add more.
  int minDecimals = 0;
  int maxDecimals = 0;
  for (std::size_t i = 0; i < fractionPicture.size(); ++i) {
    if (fractionPicture[i] == '0') minDecimals = static_cast<int>(i) + 1;
    if (fractionPicture[i] == '0' || fractionPicture[i] == '#') maxDecimals = static_cast<int>(i) + 1;
  }
  const bool thousands = number.find(',') != std::string_view::npos;

  if (!std::isfinite(value)) return FloatToStr(value);
  std::string integerPart;
  std::string fraction;
  RoundDecimal(value, maxDecimals, integerPart, fraction);
  while (static_cast<int>(fraction.size()) > minDecimals && fraction.back() == '0') fraction.pop_back();
  if (static_cast<int>(integerPart.size()) < minInteger) {
    integerPart.insert(0, static_cast<std::size_t>(minInteger) - integerPart.size(), '0');
  }
  if (thousands) {
    for (int i = static_cast<int>(integerPart.size()) - 3; i > 0; i -= 3) {
      integerPart.insert(static_cast<std::size_t>(i), 1, ',');
    }
  }
  const bool isZero =
      integerPart.find_first_not_of("0,") == std::string::npos && fraction.find_first_not_of('0') == std::string::npos;
  std::string result(prefix);
  if (value < 0 && !isZero) result += '-';
  result += integerPart;
  if (!fraction.empty()) result += '.' + fraction;
  if (integerPart.empty() && fraction.empty()) result += '0';
  result += suffix;
  return result;
}

int64_t Round(double value) {
  // 2^63 is exactly representable; everything at or beyond it overflows.
  if (!std::isfinite(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0) {
    throw EInvalidOp("Invalid floating point operation");
  }
  const double floor = std::floor(value);
  const double rest = value - floor;
  double result = floor;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0)) result = floor + 1;
  if (result >= 9223372036854775808.0) throw EInvalidOp("Invalid floating point operation");
  return static_cast<int64_t>(result);
}

bool StrToBool(std::string_view text) {
  bool value = false;
  if (!ParseBool(text, value)) {
    throw EConvertError(Format("'%.*s' is not a valid boolean value", static_cast<int>(text.size()), text.data()));
  }
  return value;
}

std::string BoolToStr(bool value, bool useBoolStrs) {
  if (useBoolStrs) return value ? "True" : "False";
  return value ? "-1" : "0";
}

}  // namespace kora

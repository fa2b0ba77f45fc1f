// Text form description to binary form stream.
#include <charconv>
#include <cmath>
#include <limits>

#include "framework/core/FormBinary.h"
#include "framework/core/FormText.h"
#include "platform/text/Utf8.h"

namespace kora {

namespace {

enum class TTokenKind { tkEof, tkSymbol, tkIdent, tkString, tkInteger, tkFloat, tkBinary };

struct TToken {
  TTokenKind Kind = TTokenKind::tkEof;
  char Symbol = 0;
  std::string Text;  // identifier, string value, number text or binary bytes
  int64_t Integer = 0;
  char FloatSuffix = 0;  // 0, 's', 'c' or 'd'
  int Line = 1;
};

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

class TFormTextParser {
public:
  explicit TFormTextParser(std::string_view text) : FText(text) {
    // A byte-order mark is not part of the description.
    if (FText.substr(0, 3) == "\xEF\xBB\xBF") FPosition = 3;
    Next();
  }

  std::vector<uint8_t> Convert() {
    FOutput.WriteSignature();
    ConvertObject(0);
    if (FToken.Kind != TTokenKind::tkEof) Error("End of file expected");
    return FOutput.Bytes();
  }

private:
  [[noreturn]] void Error(const std::string& what) const {
    throw EParserError(what + " on line " + std::to_string(FToken.Line));
  }
  [[noreturn]] void ErrorAt(const std::string& what, int line) const {
    throw EParserError(what + " on line " + std::to_string(line));
  }

  bool IsSymbol(char c) const { return FToken.Kind == TTokenKind::tkSymbol && FToken.Symbol == c; }
  bool IsKeyword(std::string_view word) const {
    return FToken.Kind == TTokenKind::tkIdent && SameText(FToken.Text, word);
  }
  void ExpectSymbol(char c) {
    if (!IsSymbol(c)) Error(std::string("'") + c + "' expected");
    Next();
  }
  std::string ExpectIdent() {
    if (FToken.Kind != TTokenKind::tkIdent) Error("Identifier expected");
    std::string ident = FToken.Text;
    Next();
    return ident;
  }
  int64_t ExpectInteger() {
    if (FToken.Kind != TTokenKind::tkInteger) Error("Integer expected");
    const int64_t value = FToken.Integer;
    Next();
    return value;
  }

  // --- Tokens --------------------------------------------------------------

  void Next() {
    SkipBlanks();
    FToken = TToken();
    FToken.Line = FLine;
    if (FPosition >= FText.size()) return;
    const char c = FText[FPosition];
    if (IsIdentStart(c)) {
      ReadIdent();
    } else if (c == '\'' || c == '#') {
      ReadString();
    } else if (IsDigit(c) || c == '$' ||
               (c == '-' && FPosition + 1 < FText.size() &&
                (IsDigit(FText[FPosition + 1]) || FText[FPosition + 1] == '$'))) {
      ReadNumber();
    } else if (c == '{') {
      ReadBinary();
    } else if (std::string_view("=:[](),<>+").find(c) != std::string_view::npos) {
      FToken.Kind = TTokenKind::tkSymbol;
      FToken.Symbol = c;
      ++FPosition;
    } else {
      Error("Invalid character");
    }
  }

  void SkipBlanks() {
    while (FPosition < FText.size()) {
      const char c = FText[FPosition];
      if (c == '\n') {
        ++FLine;
      } else if (c != ' ' && c != '\t' && c != '\r') {
        return;
      }
      ++FPosition;
    }
  }

  void ReadIdent() {
    const std::size_t start = FPosition;
    while (FPosition < FText.size() && (IsIdentChar(FText[FPosition]) || FText[FPosition] == '.')) ++FPosition;
    FToken.Kind = TTokenKind::tkIdent;
    FToken.Text = std::string(FText.substr(start, FPosition - start));
    if (FToken.Text.size() > 255) Error("Identifier too long");
    // Every dotted part is an identifier of its own (Font.Name, Form1.Button1).
    std::size_t part = 0;
    for (;;) {
      const auto dot = FToken.Text.find('.', part);
      if (!IsValidIdent(
              std::string_view(FToken.Text).substr(part, dot == std::string::npos ? std::string::npos : dot - part))) {
        Error("Invalid identifier");
      }
      if (dot == std::string::npos) break;
      part = dot + 1;
    }
  }

  // Quoted pieces and #codes next to each other make one string.
  void ReadString() {
    FToken.Kind = TTokenKind::tkString;
    std::string& value = FToken.Text;
    while (FPosition < FText.size()) {
      if (FText[FPosition] == '\'') {
        ++FPosition;
        for (;;) {
          if (FPosition >= FText.size() || FText[FPosition] == '\n' || FText[FPosition] == '\r') {
            Error("Unterminated string");
          }
          if (FText[FPosition] == '\'') {
            if (FPosition + 1 < FText.size() && FText[FPosition + 1] == '\'') {
              value += '\'';
              FPosition += 2;
              continue;
            }
            ++FPosition;
            break;
          }
          ReadStringCharacter(value);
        }
      } else if (FText[FPosition] == '#') {
        ++FPosition;
        AppendUtf8(value, ReadCharacterCode());
      } else {
        return;
      }
    }
  }

  void ReadStringCharacter(std::string& value) {
    const auto c = static_cast<unsigned char>(FText[FPosition]);
    if (c < 0x80) {
      if (c < 0x20 && c != '\t') Error("Invalid character in string");
      value += static_cast<char>(c);
      ++FPosition;
      return;
    }
    // The text is UTF-8; anything else would not survive a round trip.
    std::size_t end = FPosition;
    if (DecodeUtf8(FText, end) == kReplacementChar && end == FPosition + 1) Error("Invalid UTF-8 text");
    value.append(FText.substr(FPosition, end - FPosition));
    FPosition = end;
  }

  char32_t ReadCharacterCode() {
    const bool hex = FPosition < FText.size() && FText[FPosition] == '$';
    if (hex) ++FPosition;
    uint32_t code = 0;
    std::size_t digits = 0;
    while (FPosition < FText.size()) {
      const int digit = hex ? HexValue(FText[FPosition]) : (IsDigit(FText[FPosition]) ? FText[FPosition] - '0' : -1);
      if (digit < 0) break;
      code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
      if (code > 0x10FFFF) Error("Invalid character code");
      ++digits;
      ++FPosition;
    }
    if (digits == 0 || (code >= 0xD800 && code < 0xE000)) Error("Invalid character code");
    return code;
  }

  void ReadNumber() {
    const std::size_t start = FPosition;
    bool negative = false;
    if (FText[FPosition] == '-') {
      negative = true;
      ++FPosition;
    }
    if (FText[FPosition] == '$') {
      ++FPosition;
      uint64_t value = 0;
      std::size_t digits = 0;
      while (FPosition < FText.size() && HexValue(FText[FPosition]) >= 0) {
        if (++digits > 16) Error("Integer out of range");
        value = value << 4 | static_cast<uint64_t>(HexValue(FText[FPosition++]));
      }
      if (digits == 0) Error("Number expected");
      FToken.Kind = TTokenKind::tkInteger;
      FToken.Integer = static_cast<int64_t>(negative ? 0 - value : value);
      CheckNumberEnd();
      return;
    }
    while (FPosition < FText.size() && IsDigit(FText[FPosition])) ++FPosition;
    bool isFloat = false;
    if (FPosition + 1 < FText.size() && FText[FPosition] == '.' && IsDigit(FText[FPosition + 1])) {
      isFloat = true;
      ++FPosition;
      while (FPosition < FText.size() && IsDigit(FText[FPosition])) ++FPosition;
    }
    if (FPosition < FText.size() && (FText[FPosition] == 'E' || FText[FPosition] == 'e')) {
      std::size_t exponent = FPosition + 1;
      if (exponent < FText.size() && (FText[exponent] == '+' || FText[exponent] == '-')) ++exponent;
      if (exponent < FText.size() && IsDigit(FText[exponent])) {
        isFloat = true;
        FPosition = exponent;
        while (FPosition < FText.size() && IsDigit(FText[FPosition])) ++FPosition;
      }
    }
    FToken.Text = std::string(FText.substr(start, FPosition - start));
    if (FPosition < FText.size() && std::string_view("sScCdD").find(FText[FPosition]) != std::string_view::npos &&
        (FPosition + 1 >= FText.size() || !IsIdentChar(FText[FPosition + 1]))) {
      isFloat = true;
      FToken.FloatSuffix = static_cast<char>(FText[FPosition] | 0x20);
      ++FPosition;
    }
    if (isFloat) {
      FToken.Kind = TTokenKind::tkFloat;
    } else {
      FToken.Kind = TTokenKind::tkInteger;
      const auto [end, error] =
          std::from_chars(FToken.Text.data(), FToken.Text.data() + FToken.Text.size(), FToken.Integer);
      if (error != std::errc() || end != FToken.Text.data() + FToken.Text.size()) Error("Integer out of range");
    }
    CheckNumberEnd();
  }

  void CheckNumberEnd() {
    if (FPosition < FText.size() && (IsIdentChar(FText[FPosition]) || FText[FPosition] == '.')) Error("Invalid number");
  }

  void ReadBinary() {
    ++FPosition;
    FToken.Kind = TTokenKind::tkBinary;
    int high = -1;
    for (;;) {
      if (FPosition >= FText.size()) Error("Unterminated binary value");
      const char c = FText[FPosition++];
      if (c == '}') break;
      if (c == '\n') ++FLine;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
      const int digit = HexValue(c);
      if (digit < 0) ErrorAt("Invalid binary value", FLine);
      if (high < 0) {
        high = digit;
      } else {
        FToken.Text += static_cast<char>(high << 4 | digit);
        high = -1;
      }
    }
    if (high >= 0) ErrorAt("Invalid binary value", FLine);
  }

  // --- Structure -----------------------------------------------------------

  void ConvertObject(int depth) {
    if (depth > kMaxFormNesting) Error("Nesting too deep");
    TObjectHeader header;
    if (IsKeyword("inherited")) {
      header.Flags.Include(ffInherited);
    } else if (IsKeyword("inline")) {
      header.Flags.Include(ffInline);
    } else if (!IsKeyword("object")) {
      Error("'object' expected");
    }
    Next();
    header.ClassName = ExpectIdent();
    if (IsSymbol(':')) {
      Next();
      header.ObjectName = header.ClassName;
      header.ClassName = ExpectIdent();
    }
    if (IsSymbol('[')) {
      Next();
      const int64_t position = ExpectInteger();
      if (position < std::numeric_limits<int32_t>::min() || position > std::numeric_limits<int32_t>::max()) {
        Error("Integer out of range");
      }
      header.Flags.Include(ffChildPos);
      header.ChildPos = static_cast<int32_t>(position);
      ExpectSymbol(']');
    }
    if (header.ObjectName.find('.') != std::string::npos || header.ClassName.find('.') != std::string::npos) {
      Error("Invalid identifier");
    }
    FOutput.WriteObjectHeader(header);
    while (FToken.Kind == TTokenKind::tkIdent && !IsObjectStart() && !IsKeyword("end")) ConvertProperty(depth);
    FOutput.WriteListEnd();
    while (IsObjectStart()) ConvertObject(depth + 1);
    if (!IsKeyword("end")) Error("'end' expected");
    Next();
    FOutput.WriteListEnd();
  }

  bool IsObjectStart() const { return IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline"); }

  void ConvertProperty(int depth) {
    // Where a collection item expects its properties, the words that start
    // objects are no names either: the binary form refuses them.
    if (IsObjectStart()) Error("Invalid name '" + FToken.Text + "'");
    const std::string name = ExpectIdent();
    FOutput.WriteShortString(name);
    ExpectSymbol('=');
    ConvertValue(depth);
  }

  void ConvertValue(int depth) {
    if (depth > kMaxFormNesting) Error("Nesting too deep");
    switch (FToken.Kind) {
      case TTokenKind::tkString: {
        std::string value = FToken.Text;
        Next();
        while (IsSymbol('+')) {
          Next();
          if (FToken.Kind != TTokenKind::tkString) Error("String expected");
          value += FToken.Text;
          Next();
        }
        FOutput.WriteString(value);
        return;
      }
      case TTokenKind::tkInteger: FOutput.WriteInteger(FToken.Integer); break;
      case TTokenKind::tkFloat: ConvertFloat(); break;
      case TTokenKind::tkIdent: FOutput.WriteIdent(FToken.Text); break;
      case TTokenKind::tkBinary:
        FOutput.WriteBinary(reinterpret_cast<const uint8_t*>(FToken.Text.data()), FToken.Text.size());
        break;
      case TTokenKind::tkSymbol:
        switch (FToken.Symbol) {
          case '[': ConvertSet(); return;
          case '(': ConvertList(depth); return;
          case '<': ConvertCollection(depth); return;
          default: break;
        }
        [[fallthrough]];
      case TTokenKind::tkEof: Error("Property value expected");
    }
    Next();
  }

  void ConvertSet() {
    Next();
    std::vector<std::string> names;
    if (!IsSymbol(']')) {
      for (;;) {
        names.push_back(ExpectIdent());
        if (names.back().find('.') != std::string::npos) Error("Invalid identifier");
        if (IsSymbol(']')) break;
        ExpectSymbol(',');
      }
    }
    Next();
    FOutput.WriteSet(names);
  }

  void ConvertList(int depth) {
    Next();
    FOutput.WriteValue(vaList);
    while (!IsSymbol(')')) ConvertValue(depth + 1);
    Next();
    FOutput.WriteListEnd();
  }

  void ConvertCollection(int depth) {
    Next();
    FOutput.WriteValue(vaCollection);
    while (!IsSymbol('>')) {
      if (!IsKeyword("item")) Error("'item' expected");
      Next();
      if (IsSymbol('[')) {
        Next();
        FOutput.WriteInteger(ExpectInteger());
        ExpectSymbol(']');
      }
      FOutput.WriteValue(vaList);
      while (!IsKeyword("end")) ConvertProperty(depth + 1);
      Next();
      FOutput.WriteListEnd();
    }
    Next();
    FOutput.WriteListEnd();
  }

  void ConvertFloat() {
    const std::string& text = FToken.Text;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (FToken.FloatSuffix == 'c') {
      FOutput.WriteCurrency(ParseCurrency(text));
    } else if (FToken.FloatSuffix == 's') {
      float value = 0;
      const auto result = std::from_chars(begin, end, value);
      if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        Error("Invalid floating point number");
      FOutput.WriteSingle(value);
    } else {
      double value = 0;
      const auto result = std::from_chars(begin, end, value);
      if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        Error("Invalid floating point number");
      if (FToken.FloatSuffix == 'd') {
        FOutput.WriteDate(value);
      } else {
        FOutput.WriteExtended(value);
      }
    }
  }

  // Currency is exact to four decimals: no detour through binary floats.
  int64_t ParseCurrency(const std::string& text) const {
    std::size_t i = 0;
    const bool negative = text[0] == '-';
    if (negative) ++i;
    uint64_t value = 0;
    int decimals = -1;
    for (; i < text.size(); ++i) {
      if (text[i] == '.') {
        decimals = 0;
        continue;
      }
      if (!IsDigit(text[i]) || decimals == 4) Error("Invalid currency value");
      if (decimals >= 0) ++decimals;
      if (value > (std::numeric_limits<uint64_t>::max() - 9) / 10) Error("Invalid currency value");
      value = value * 10 + static_cast<uint64_t>(text[i] - '0');
    }
    for (int k = std::max(decimals, 0); k < 4; ++k) {
      if (value > std::numeric_limits<uint64_t>::max() / 10) Error("Invalid currency value");
      value *= 10;
    }
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    if (value > limit) Error("Invalid currency value");
    return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
  }

  std::string_view FText;
  std::size_t FPosition = 0;
  int FLine = 1;
  TToken FToken;
  TFormOutput FOutput;
};

}  // namespace

std::vector<uint8_t> FormTextToBinary(std::string_view text) {
  try {
    return TFormTextParser(text).Convert();
  } catch (const EWriteError& e) {
    // Names longer than a form stream can hold.
    throw EParserError(e.Message());
  }
}

}  // namespace kora

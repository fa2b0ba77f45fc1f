#include "kora-cli/Json.h"

#include <charconv>
#include <utility>

namespace kora::cli {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

JsonError::JsonError(int line, const std::string& message) : std::runtime_error(message), Line(line) {}

bool JsonValue::IsInteger() const {
  if (Type != Kind::Number || Text.find_first_of(".eE") != std::string::npos) return false;
  int64_t v = 0;
  const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), v);
  return error == std::errc() && end == Text.data() + Text.size();
}

const char* JsonValue::TypeName() const {
  switch (Type) {
    case Kind::Null: return "null";
    case Kind::Bool: return "a boolean";
    case Kind::Number: return "a number";
    case Kind::String: return "a string";
    case Kind::Array: return "an array";
    case Kind::Object: return "an object";
  }
  return "a value";
}

void JsonReader::Fail(const std::string& message) const { throw JsonError(FLine, message); }

void JsonReader::SkipBlanks() {
  while (FPos < FText.size()) {
    const char c = FText[FPos];
    if (c == '\n')
      ++FLine;
    else if (c != ' ' && c != '\t' && c != '\r')
      return;
    ++FPos;
  }
}

char JsonReader::PeekChar() {
  SkipBlanks();
  if (FPos >= FText.size()) Fail("unexpected end of the document");
  return FText[FPos];
}

void JsonReader::Expect(char c) {
  if (PeekChar() != c) Fail(std::string("expected '") + c + "'");
  ++FPos;
}

JsonValue JsonReader::Peek() {
  const char c = PeekChar();
  JsonValue value;
  value.Line = FLine;
  if (c == '{') {
    value.Type = JsonValue::Kind::Object;
  } else if (c == '[') {
    value.Type = JsonValue::Kind::Array;
  } else if (c == '"') {
    value.Type = JsonValue::Kind::String;
  } else if (c == '-' || (c >= '0' && c <= '9')) {
    value.Type = JsonValue::Kind::Number;
  } else if (c == 't' || c == 'f') {
    value.Type = JsonValue::Kind::Bool;
  } else if (c != 'n') {
    Fail("unexpected character '" + std::string(1, c) + "'");
  }
  return value;
}

JsonValue JsonReader::Scalar() {
  JsonValue value = Peek();
  switch (value.Type) {
    case JsonValue::Kind::Object:
    case JsonValue::Kind::Array: Fail(std::string("expected a plain value, found ") + value.TypeName());
    case JsonValue::Kind::String: value.Text = String(); return value;
    case JsonValue::Kind::Number: value.Text = Number(); return value;
    default: break;
  }
  for (auto [word, flag] : {std::pair{"true", true}, std::pair{"false", false}, std::pair{"null", false}}) {
    if (FText.substr(FPos).starts_with(word)) {
      FPos += std::string_view(word).size();
      value.Bool = flag;
      return value;
    }
  }
  Fail("unexpected character '" + std::string(1, FText[FPos]) + "'");
}

void JsonReader::BeginObject() {
  Expect('{');
  FEntered.push_back(false);
}

void JsonReader::BeginArray() {
  Expect('[');
  FEntered.push_back(false);
}

bool JsonReader::NextEntry(char close) {
  const char c = PeekChar();
  if (c == close) {
    ++FPos;
    FEntered.pop_back();
    return false;
  }
  if (FEntered.back()) {
    if (c != ',') Fail(std::string("expected ',' or '") + close + "'");
    ++FPos;
  }
  FEntered.back() = true;
  return true;
}

bool JsonReader::NextMember(std::string& name) {
  if (!NextEntry('}')) return false;
  if (PeekChar() != '"') Fail("expected a member name in quotes");
  name = String();
  Expect(':');
  return true;
}

bool JsonReader::NextItem() { return NextEntry(']'); }

void JsonReader::End() {
  SkipBlanks();
  if (FPos < FText.size()) Fail("unexpected text after the end of the document");
}

std::string JsonReader::Number() {
  const std::size_t start = FPos;
  auto digits = [&] {
    const std::size_t from = FPos;
    while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9') ++FPos;
    if (FPos == from) Fail("malformed number");
  };
  if (FText[FPos] == '-') ++FPos;
  if (FPos < FText.size() && FText[FPos] == '0')
    ++FPos;
  else
    digits();
  if (FPos < FText.size() && FText[FPos] == '.') {
    ++FPos;
    digits();
  }
  if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
    ++FPos;
    if (FPos < FText.size() && (FText[FPos] == '+' || FText[FPos] == '-')) ++FPos;
    digits();
  }
  return std::string(FText.substr(start, FPos - start));
}

unsigned JsonReader::Hex4() {
  if (FPos + 4 > FText.size()) Fail("malformed \\u escape");
  unsigned v = 0;
  for (int i = 0; i < 4; ++i) {
    const char h = FText[FPos++];
    v <<= 4;
    if (h >= '0' && h <= '9')
      v |= static_cast<unsigned>(h - '0');
    else if (h >= 'a' && h <= 'f')
      v |= static_cast<unsigned>(h - 'a' + 10);
    else if (h >= 'A' && h <= 'F')
      v |= static_cast<unsigned>(h - 'A' + 10);
    else
      Fail("malformed \\u escape");
  }
  return v;
}

std::string JsonReader::String() {
  ++FPos;  // the opening quote
  std::string out;
  while (true) {
    if (FPos >= FText.size()) Fail("string is not closed");
    const char c = FText[FPos++];
    if (c == '"') return out;
    if (static_cast<unsigned char>(c) < 0x20) Fail("control character in a string");
    if (c != '\\') {
      out += c;
      continue;
    }
    if (FPos >= FText.size()) Fail("string is not closed");
    const char e = FText[FPos++];
    switch (e) {
      case '"':
      case '\\':
      case '/': out += e; break;
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'u': {
        char32_t code = Hex4();
        if (code >= 0xD800 && code < 0xDC00 && FText.substr(FPos).starts_with("\\u")) {
          FPos += 2;
          const unsigned low = Hex4();
          if (low < 0xDC00 || low > 0xDFFF) Fail("malformed surrogate pair");
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        } else if (code >= 0xD800 && code <= 0xDFFF) {
          Fail("malformed surrogate pair");
        }
        AppendUtf8(out, code);
        break;
      }
      default: Fail("unknown escape '\\" + std::string(1, e) + "'");
    }
  }
}

std::string JsonString(std::string_view text) {
  static const char* const kHex = "0123456789abcdef";
  std::string out = "\"";
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20) {
      out += "\\u00";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
  return out + '"';
}

}  // namespace kora::cli

#include "kora-cli/Json.h"

#include <charconv>
#include <tuple>

namespace kora::cli {

namespace {

// Deep nesting would only exhaust the stack; record files are three deep.
constexpr int kMaxDepth = 64;

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

class Parser {
public:
  explicit Parser(std::string_view text) : FText(text) {}

  JsonValue Document() {
    JsonValue value = Value(0);
    SkipBlanks();
    if (FPos < FText.size()) Fail("unexpected text after the end of the document");
    return value;
  }

private:
  [[noreturn]] void Fail(const std::string& message) const { throw JsonError(FLine, message); }

  void SkipBlanks() {
    while (FPos < FText.size()) {
      const char c = FText[FPos];
      if (c == '\n')
        ++FLine;
      else if (c != ' ' && c != '\t' && c != '\r')
        return;
      ++FPos;
    }
  }

  char Peek() {
    SkipBlanks();
    if (FPos >= FText.size()) Fail("unexpected end of the document");
    return FText[FPos];
  }

  void Expect(char c) {
    if (Peek() != c) Fail(std::string("expected '") + c + "'");
    ++FPos;
  }

  JsonValue Value(int depth) {
    if (depth > kMaxDepth) Fail("nesting too deep");
    const char c = Peek();
    JsonValue value;
    value.Line = FLine;
    if (c == '{') {
      value.Type = JsonValue::Kind::Object;
      ++FPos;
      if (Peek() == '}') {
        ++FPos;
        return value;
      }
      while (true) {
        if (Peek() != '"') Fail("expected a member name in quotes");
        std::string name = String();
        Expect(':');
        value.Members.emplace_back(std::move(name), Value(depth + 1));
        if (Peek() == ',') {
          ++FPos;
          continue;
        }
        Expect('}');
        return value;
      }
    }
    if (c == '[') {
      value.Type = JsonValue::Kind::Array;
      ++FPos;
      if (Peek() == ']') {
        ++FPos;
        return value;
      }
      while (true) {
        value.Items.push_back(Value(depth + 1));
        if (Peek() == ',') {
          ++FPos;
          continue;
        }
        Expect(']');
        return value;
      }
    }
    if (c == '"') {
      value.Type = JsonValue::Kind::String;
      value.Text = String();
      return value;
    }
    if (c == '-' || (c >= '0' && c <= '9')) {
      value.Type = JsonValue::Kind::Number;
      value.Text = Number();
      return value;
    }
    for (auto [word, type, flag] :
         {std::tuple{"true", JsonValue::Kind::Bool, true}, std::tuple{"false", JsonValue::Kind::Bool, false},
          std::tuple{"null", JsonValue::Kind::Null, false}}) {
      if (FText.substr(FPos).starts_with(word)) {
        FPos += std::string_view(word).size();
        value.Type = type;
        value.Bool = flag;
        return value;
      }
    }
    Fail("unexpected character '" + std::string(1, c) + "'");
  }

  std::string Number() {
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

  unsigned Hex4() {
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

  std::string String() {
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

  std::string_view FText;
  std::size_t FPos = 0;
  int FLine = 1;
};

}  // namespace

JsonError::JsonError(int line, const std::string& message) : std::runtime_error(message), Line(line) {}

JsonValue::JsonValue() = default;
JsonValue::JsonValue(const JsonValue&) = default;
JsonValue::JsonValue(JsonValue&&) noexcept = default;
JsonValue& JsonValue::operator=(const JsonValue&) = default;
JsonValue& JsonValue::operator=(JsonValue&&) noexcept = default;
JsonValue::~JsonValue() = default;

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

JsonValue ParseJson(std::string_view text) { return Parser(text).Document(); }

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

#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Just enough JSON for the record files: a parser that remembers the line of
// every value, so errors can point at it, and string quoting for the writer.
namespace kora::cli {

struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object };

  Kind Type = Kind::Null;
  int Line = 0;
  bool Bool = false;
  // The string's text, or a number's literal as written.
  std::string Text;
  std::vector<JsonValue> Items;
  std::vector<std::pair<std::string, JsonValue>> Members;  // in file order

  // Declared here, defined where JsonValue is complete: clang with libstdc++
  // cannot otherwise instantiate the member vectors of this recursive type.
  JsonValue();
  JsonValue(const JsonValue&);
  JsonValue(JsonValue&&) noexcept;
  JsonValue& operator=(const JsonValue&);
  JsonValue& operator=(JsonValue&&) noexcept;
  ~JsonValue();

  // A number without fraction or exponent that fits 64 bits.
  bool IsInteger() const;
  const char* TypeName() const;
};

// what() is the message without the line.
struct JsonError : std::runtime_error {
  JsonError(int line, const std::string& message);
  int Line;
};

// Parses one value filling the whole text (blanks around it allowed).
JsonValue ParseJson(std::string_view text);

// The text as a JSON string literal; UTF-8 passes through unchanged.
std::string JsonString(std::string_view text);

}  // namespace kora::cli

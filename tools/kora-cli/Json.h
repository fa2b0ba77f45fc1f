#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Just enough JSON for the record files: a reader that hands out the
// document one token at a time, remembering the line of each, so that
// errors can point at it and a caller can check every value as it comes
// and stop at the first fault; and string quoting for the writer.
namespace kora::cli {

// A string, number, boolean or null; or, from JsonReader::Peek, only the
// kind and line of an array or object still to be read.
struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object };

  Kind Type = Kind::Null;
  int Line = 0;
  bool Bool = false;
  // The string's text, or a number's literal as written.
  std::string Text;

  // A number without fraction or exponent that fits 64 bits.
  bool IsInteger() const;
  const char* TypeName() const;
};

// what() is the message without the line.
struct JsonError : std::runtime_error {
  JsonError(int line, const std::string& message);
  int Line;
};

class JsonReader {
public:
  explicit JsonReader(std::string_view text) : FText(text) {}

  // The kind and line of the next value, without reading it.
  JsonValue Peek();
  // Reads a string, number, boolean or null; raises at an array or object.
  JsonValue Scalar();
  // Enters the object or array that comes next (raises when something else
  // comes); then each NextMember or NextItem steps to the next entry, and
  // returns false, having left the container, after its last one.
  void BeginObject();
  bool NextMember(std::string& name);
  void BeginArray();
  bool NextItem();
  // Only blanks may follow.
  void End();

private:
  [[noreturn]] void Fail(const std::string& message) const;
  void SkipBlanks();
  char PeekChar();
  void Expect(char c);
  // After the first entry of the innermost container a comma or its end
  // must come; false when it ended.
  bool NextEntry(char close);
  std::string String();
  std::string Number();
  unsigned Hex4();

  std::string_view FText;
  std::size_t FPos = 0;
  int FLine = 1;
  // Per open container: whether an entry has been read.
  std::vector<bool> FEntered;
};

// The text as a JSON string literal; UTF-8 passes through unchanged.
std::string JsonString(std::string_view text);

}  // namespace kora::cli

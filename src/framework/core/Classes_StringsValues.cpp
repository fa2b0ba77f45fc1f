// name=value lines and delimited text of string lists.
#include "framework/core/Classes.h"

namespace kora {

std::string TStrings::Names(int index) const {
  const std::string line = Get(index);
  const auto separator = line.find(kNameValueSeparator);
  return separator == std::string::npos ? std::string() : line.substr(0, separator);
}

std::string TStrings::ValueFromIndex(int index) const {
  const std::string line = Get(index);
  const auto separator = line.find(kNameValueSeparator);
  return separator == std::string::npos ? std::string() : line.substr(separator + 1);
}

int TStrings::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string line = Get(i);
    const auto separator = line.find(kNameValueSeparator);
    if (separator != std::string::npos && SameText(std::string_view(line).substr(0, separator), name)) return i;
  }
  return -1;
}

std::string TStrings::Values(std::string_view name) const {
  const int index = IndexOfName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValue(std::string_view name, const std::string& value) {
  const int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
  } else if (index >= 0) {
    Put(index, std::string(name) + kNameValueSeparator + value);
  } else {
    Add(std::string(name) + kNameValueSeparator + value);
  }
}

std::string TStrings::DelimitedTextWith(char delimiter, char quote) const {
  // A single empty item must still read back as one item.
  if (Count() == 1 && Get(0).empty()) return std::string(2, quote);
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    const std::string item = Get(i);
    bool needsQuotes = false;
    for (const char c : item) {
      if (static_cast<unsigned char>(c) <= ' ' || c == delimiter || c == quote) needsQuotes = true;
    }
    if (i > 0) text += delimiter;
    if (!needsQuotes) {
      text += item;
      continue;
    }
    text += quote;
    for (const char c : item) {
      if (c == quote) text += quote;
      text += c;
    }
    text += quote;
  }
  return text;
}

void TStrings::SetDelimitedTextWith(std::string_view text, char delimiter, char quote, bool strict) {
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  auto isBreak = [&](char c) { return c == delimiter || (!strict && isBlank(c)); };
  auto skipBlanks = [&](std::size_t& i) {
    while (!strict && i < text.size() && isBlank(text[i])) ++i;
  };
  TStringsUpdate update(*this);
  Clear();
  std::size_t i = 0;
  skipBlanks(i);
  while (i < text.size()) {
    std::string item;
    if (text[i] == quote) {
      ++i;
      while (i < text.size()) {
        if (text[i] == quote) {
          if (i + 1 < text.size() && text[i + 1] == quote) {
            item += quote;
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
    } else {
      while (i < text.size() && !isBreak(text[i])) item += text[i++];
    }
    Add(item);
    skipBlanks(i);
    if (i < text.size() && text[i] == delimiter) {
      ++i;
      // A trailing delimiter leaves one more, empty item.
      if (i == text.size()) Add("");
      skipBlanks(i);
    }
  }
}

void TStrings::SetDelimitedText(std::string_view text) {
  SetDelimitedTextWith(text, FDelimiter, kQuoteChar, FStrictDelimiter);
}

std::string TStrings::CommaText() const { return DelimitedTextWith(',', '"'); }

void TStrings::SetCommaText(std::string_view text) { SetDelimitedTextWith(text, ',', '"', false); }

}  // namespace kora

#include "platform/shell/Process.h"

namespace kora {

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> result;
  std::string current;
  bool inArgument = false;  // "" must still give an (empty) argument
  bool quoted = false;
  for (std::size_t i = 0; i < commandLine.size(); ++i) {
    const char c = commandLine[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < commandLine.size() && commandLine[i + 1] == '"') {
          current += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        current += c;
      }
    } else if (c == ' ' || c == '\t') {
      if (inArgument) {
        result.push_back(std::move(current));
        current.clear();
        inArgument = false;
      }
    } else {
      inArgument = true;
      if (c == '"') {
        quoted = true;
      } else {
        current += c;
      }
    }
  }
  if (inArgument) result.push_back(std::move(current));
  return result;
}

std::string QuoteArgument(std::string_view argument) {
  std::string result = "\"";
  for (const char c : argument) {
    result += c;
    if (c == '"') result += '"';
  }
  result += '"';
  return result;
}

}  // namespace kora

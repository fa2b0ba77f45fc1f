#pragma once
// Path text helpers inside the platform layer (platform-internal). Above
// it the runtime's ExtractFileName and ExtractFileExt serve the same end.

#include <string_view>

#include "platform/shell/SysFiles.h"

namespace kora {

// "a/b.txt" -> "b.txt": the part after the last separator.
inline std::string_view PathFileName(std::string_view path) {
  size_t at = path.size();
  while (at > 0 && !IsPathDelimiter(path[at - 1])) --at;
  return path.substr(at);
}

// "a/b.tar.gz" -> ".gz", "a.b/c" -> ""; a dot file's whole name counts as
// its extension, as the classic rule has it.
inline std::string_view PathExtension(std::string_view path) {
  const std::string_view name = PathFileName(path);
  const size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

}  // namespace kora

#include "platform/shell/FileSystem.h"

#include <optional>

#include "platform/shell/PathText.h"
#include "platform/shell/SysFiles.h"
#include "platform/text/Utf8.h"

namespace kora {

namespace {

char32_t FoldAscii(char32_t c) { return c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c; }

bool WildcardMatch(std::u32string_view name, std::u32string_view pattern) {
  size_t n = 0, p = 0;
  // Where the last '*' was and how much of the name it has taken so far.
  size_t starP = std::u32string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == U'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == U'?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::u32string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

bool PatternMatches(std::u32string_view name, std::u32string_view pattern) {
  if (WildcardMatch(name, pattern)) return true;
  const bool endsDotStar = pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == U".*";
  return endsDotStar && name.find(U'.') == std::u32string_view::npos &&
         WildcardMatch(name, pattern.substr(0, pattern.size() - 2));
}

}  // namespace

std::optional<FolderEntry> GetFileInfo(const std::string& path) {
  const std::optional<SysFileStatus> st = SysStat(path);
  if (!st) return std::nullopt;
  return EntryOf(PathFileName(path), *st);
}

bool DirectoryExists(const std::string& path) {
  const std::optional<SysFileStatus> st = SysStat(path);
  return st && st->IsFolder;
}

int64_t FileSize(const std::string& path) {
  const std::optional<SysFileStatus> st = SysStat(path);
  return st && st->IsFile ? st->Size : 0;
}

std::string ApplicationPath() {
  const std::string file = SysExecutableFile();
  size_t at = file.size();
  while (at > 0 && !IsPathDelimiter(file[at - 1])) --at;
  return file.substr(0, at);
}

bool IsHomePath(std::string_view path) {
  return path == "~" || (path.size() > 1 && path[0] == '~' && IsPathDelimiter(path[1]));
}

FolderEntry EntryOf(std::string_view name, const SysFileStatus& st) {
  FolderEntry e;
  e.Name = std::string(name);
  e.IsFolder = st.IsFolder;
  e.Hidden = name.starts_with('.');
  e.Size = st.IsFile ? st.Size : 0;
  e.LastWrite = st.LastWrite;
  e.LastWriteLocal = ToLocalDateTime(e.LastWrite);
  return e;
}

bool MatchesMask(std::string_view fileName, std::string_view mask) {
  const std::u32string name = Utf8ToUtf32(fileName);
  for (size_t start = 0; start <= mask.size();) {
    size_t end = mask.find_first_of(";|", start);
    if (end == std::string_view::npos) end = mask.size();
    std::string_view pattern = mask.substr(start, end - start);
    while (!pattern.empty() && pattern.front() == ' ') pattern.remove_prefix(1);
    while (!pattern.empty() && pattern.back() == ' ') pattern.remove_suffix(1);
    if (pattern.find('.') != std::string_view::npos && PatternMatches(name, Utf8ToUtf32(pattern))) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace kora

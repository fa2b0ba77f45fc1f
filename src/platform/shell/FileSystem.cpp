#include "platform/shell/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <ctime>
#include <memory>
#include <optional>
#include <system_error>

#include "platform/shell/PathText.h"
#include "platform/text/Utf8.h"

namespace kora {

namespace {

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
  throw std::system_error(error, std::generic_category(), what);
}

FileTime ToFileTime(const struct timespec& t) {
  using namespace std::chrono;
  return FileTime(duration_cast<FileTime::duration>(seconds(t.tv_sec) + nanoseconds(t.tv_nsec)));
}

FolderEntry EntryFromStat(std::string_view name, const struct stat& st) {
  FolderEntry e;
  e.Name = std::string(name);
  e.IsFolder = S_ISDIR(st.st_mode);
  e.Hidden = name.starts_with('.');
  e.Size = S_ISREG(st.st_mode) ? int64_t(st.st_size) : 0;
  e.LastWrite = ToFileTime(st.st_mtim);
  e.LastWriteLocal = ToLocalDateTime(e.LastWrite);
  return e;
}

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

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

LocalDateTime ToLocalDateTime(FileTime time) {
  const std::time_t t = std::chrono::system_clock::to_time_t(time);
  std::tm parts{};
  if (!::localtime_r(&t, &parts)) return {};
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

std::vector<FolderEntry> ListFolder(const std::string& path) {
  std::unique_ptr<DIR, DirCloser> dir(::opendir(path.c_str()));
  if (!dir) ThrowErrno(errno, "Cannot list the folder \"" + path + "\"");
  const int fd = ::dirfd(dir.get());
  std::vector<FolderEntry> entries;
  for (;;) {
    errno = 0;
    const dirent* d = ::readdir(dir.get());
    if (!d) {
      if (errno != 0) ThrowErrno(errno, "Cannot list the folder \"" + path + "\"");
      break;
    }
    const std::string_view name = d->d_name;
    if (name == "." || name == "..") continue;
    struct stat st;
    if (::fstatat(fd, d->d_name, &st, 0) != 0 && ::fstatat(fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
      continue;  // removed since readdir saw it
    }
    entries.push_back(EntryFromStat(name, st));
  }
  return entries;
}

std::optional<FolderEntry> GetFileInfo(const std::string& path) {
  struct stat st;
  if (path.empty()) errno = ENOENT;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
  return EntryFromStat(PathFileName(path), st);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int64_t FileSize(const std::string& path) {
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return int64_t(st.st_size);
}

std::string ExpandFileName(std::string_view path) {
  if (path.empty()) return {};
  std::string full;
  if (path.front() != '/') {
    std::string cwd(4096, '\0');
    if (!::getcwd(cwd.data(), cwd.size())) ThrowErrno(errno, "Cannot find the current folder");
    full = cwd.c_str();
    full += '/';
  }
  full += path;

  std::vector<std::string_view> parts;
  const std::string_view text = full;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('/', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view part = text.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string result;
  for (const auto part : parts) {
    result += '/';
    result += part;
  }
  if (result.empty() || full.back() == '/') result += '/';
  return result;
}

std::string ApplicationPath() {
  std::string buffer(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || size_t(length) >= buffer.size()) {
    ThrowErrno(length < 0 ? errno : ENAMETOOLONG, "Cannot find the program's own folder");
  }
  buffer.resize(size_t(length));
  return buffer.substr(0, buffer.rfind('/') + 1);
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

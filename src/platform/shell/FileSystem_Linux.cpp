#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <memory>
#include <system_error>

#include "platform/shell/FileSystem.h"
#include "platform/shell/SysFiles.h"
#include "platform/shell/SysFiles_Linux.h"

namespace kora {

namespace {

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
  throw std::system_error(error, std::generic_category(), what);
}

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

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
    entries.push_back(EntryOf(name, StatusOf(st)));
  }
  return entries;
}

bool IsAbsolutePath(std::string_view path) { return path.starts_with('/'); }

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

}  // namespace kora

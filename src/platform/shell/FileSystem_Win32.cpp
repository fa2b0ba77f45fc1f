#include <cerrno>
#include <ctime>
#include <system_error>

#include "platform/shell/FileSystem.h"
#include "platform/shell/SysFiles_Win32.h"
#include "platform/text/WideText.h"

#include "platform/gdi/WinApi_Win32.h"

namespace kora {

namespace {

[[noreturn]] void ThrowLastError(const std::string& what) {
  throw std::system_error(SetErrnoFromLastError(), std::generic_category(), what);
}

class FindHandle {
public:
  explicit FindHandle(HANDLE h) : FHandle(h) {}
  ~FindHandle() {
    if (FHandle != INVALID_HANDLE_VALUE) FindClose(FHandle);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  HANDLE Get() const { return FHandle; }

private:
  HANDLE FHandle;
};

}  // namespace

LocalDateTime ToLocalDateTime(FileTime time) {
  const std::time_t t = std::chrono::system_clock::to_time_t(time);
  std::tm parts{};
  if (localtime_s(&parts, &t) != 0) return {};
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

std::vector<FolderEntry> ListFolder(const std::string& path) {
  const std::string what = "Cannot list the folder \"" + path + "\"";
  const std::wstring folder = ToWide(path);
  const ::DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) ThrowLastError(what);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) throw std::system_error(ENOTDIR, std::generic_category(), what);
  std::wstring pattern = folder;
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW data;
  FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
  std::vector<FolderEntry> entries;
  if (find.Get() == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return entries;  // an empty drive has not even "."
    ThrowLastError(what);
  }
  do {
    const std::string name = FromWide(data.cFileName);
    if (name == "." || name == "..") continue;
    FolderEntry e = EntryOf(
        name, StatusOf(name, data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime));
    e.Hidden = e.Hidden || (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    entries.push_back(std::move(e));
  } while (FindNextFileW(find.Get(), &data));
  if (GetLastError() != ERROR_NO_MORE_FILES) ThrowLastError(what);
  return entries;
}

bool IsAbsolutePath(std::string_view path) {
  const auto delimiter = [&](size_t i) { return i < path.size() && (path[i] == '\\' || path[i] == '/'); };
  const bool drive = path.size() >= 2 && path[1] == ':' && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z');
  return delimiter(0) || (drive && delimiter(2));
}

std::string ExpandFileName(std::string_view path) {
  if (path.empty()) return {};
  const std::wstring wide = ToWide(path);
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const ::DWORD length = GetFullPathNameW(wide.c_str(), ::DWORD(full.size()), full.data(), nullptr);
    if (length == 0) ThrowLastError("Cannot find the full name of \"" + std::string(path) + "\"");
    if (length < full.size()) {
      full.resize(length);
      return FromWide(full);
    }
    full.resize(length);
  }
}

}  // namespace kora

#pragma once
// Folder listings, file queries and path expansion on plain directories.
// Paths are UTF-8 with the system's separator (PathDelim in SysFiles.h:
// '/', or '\' on Windows, which takes '/' as well). Failures that a caller must
// see raise std::system_error, whose code is the errno value and whose text
// names the path.
//
// The runtime's path and file functions (ExtractFilePath, ExtractFileName,
// ExtractFileExt, the trailing-delimiter pair, FileExists, DeleteFile) live
// in framework/core/SysUtils.h; this unit adds what the shell and the file
// dialog need beneath and beside them.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kora {

using FileTime = std::chrono::system_clock::time_point;

// A moment in the local time zone, as the date-and-time text shows it.
struct LocalDateTime {
  int Year = 0;
  int Month = 0;  // 1..12
  int Day = 0;    // 1..31
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};
LocalDateTime ToLocalDateTime(FileTime time);

struct FolderEntry {
  std::string Name;
  bool IsFolder = false;  // symbolic links count as what they point to
  bool Hidden = false;    // a dot file
  int64_t Size = 0;       // bytes; 0 for folders
  FileTime LastWrite;
  LocalDateTime LastWriteLocal;
};

// Every entry of a folder except "." and "..", in the order the file system
// gives them. A dangling symbolic link is listed as an empty file; an entry
// that vanishes while the folder is read is left out. Throws for a missing
// folder, a file, or one that may not be read.
std::vector<FolderEntry> ListFolder(const std::string& path);

// The entry of one path (following symbolic links), none when nothing is
// there; errno tells why.
std::optional<FolderEntry> GetFileInfo(const std::string& path);
bool DirectoryExists(const std::string& path);  // follows symbolic links
// The size in bytes of a file; 0 for folders and missing paths.
int64_t FileSize(const std::string& path);

// An absolute path: relative paths start at the current folder; ".", ".."
// and repeated separators are resolved by text, without following links. A
// trailing separator is kept. Empty stays empty.
std::string ExpandFileName(std::string_view path);
// Whether a path starts at a root ("/x"; "C:\x", "\\server\x" or "\x"
// on Windows) rather than at the current folder.
bool IsAbsolutePath(std::string_view path);
// "~" alone or followed by a separator: a path in the home folder.
bool IsHomePath(std::string_view path);
// The folder of the running executable with a trailing separator. Throws
// when the system cannot tell.
std::string ApplicationPath();

// Whether a file name matches a filter mask such as "*.nds;*.bin". The mask
// is cut at ';' and '|' and blanks around a pattern are dropped; only
// patterns with a '.' take part. '*' matches any run of characters, '?'
// exactly one; ASCII letters match without regard to case. As in the
// classic rule, a pattern ending in ".*" also matches a name without that
// dot ("*.*" matches "Makefile").
bool MatchesMask(std::string_view fileName, std::string_view mask);

}  // namespace kora

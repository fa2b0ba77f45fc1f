#pragma once
// Files by descriptor and the few path calls the runtime's streams, the
// editor's crash-safe saves and the packer need, with one meaning on every
// system. Paths are UTF-8 (the Windows half turns them into UTF-16 at the
// call); descriptors are opened in binary mode and are not inherited by
// child processes. A call that fails returns -1 or false and leaves the
// reason in errno, as the POSIX calls do, so the runtime's messages stay the
// same everywhere.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell/FileSystem.h"

namespace kora {

// The system's path separator ('/' or '\'), and whether a character
// separates path parts there (Windows takes '/' too).
extern const char PathDelim;
bool IsPathDelimiter(char c);
// What a program's file name ends in: "" or ".exe".
extern const char* const ExecutableExtension;

enum class SysOpenMode {
  Read,        // an existing file, read only
  ReadNoWait,  // as Read; opening a named pipe does not wait for a writer
  Write,       // an existing file, write only
  ReadWrite,   // an existing file
  Create,      // read and write; made or emptied
  OpenOrMake   // read and write; made when missing, kept otherwise
};

// A descriptor, or -1. Opening a folder fails with EISDIR.
int SysOpen(const std::string& path, SysOpenMode mode);
// A new file, write only, that may be read by whoever may read the open file
// `like` (its permission bits on POSIX; the folder's defaults on Windows).
// Fails with EEXIST when anything of that name is there.
int SysCreateLike(const std::string& path, int like);
// Bytes moved (fewer only at the end of the file), or -1.
int64_t SysRead(int fd, void* buffer, int64_t count);
int64_t SysWrite(int fd, const void* buffer, int64_t count);
// At an offset, leaving the file position alone.
int64_t SysReadAt(int fd, void* buffer, int64_t count, int64_t offset);
int64_t SysWriteAt(int fd, const void* buffer, int64_t count, int64_t offset);
// whence: SEEK_SET, SEEK_CUR or SEEK_END; the new position or -1.
int64_t SysSeek(int fd, int64_t offset, int whence);
bool SysTruncate(int fd, int64_t size);
// Written data is on the disk once this returns true.
bool SysSync(int fd);
bool SysClose(int fd);
// An exclusive lock on the whole file, held until the descriptor closes;
// never waits: EWOULDBLOCK while another descriptor holds it.
bool SysLockExclusive(int fd);

// A new file beside `prefix`: prefix + six random characters, made
// exclusively with the mode a plain new file gets. Its name goes into
// *path; returns the open descriptor (read and write) or -1.
int SysMakeTemporary(const std::string& prefix, std::string* path);
// Renames `from` to `to`, replacing a file of that name in one step.
bool SysRename(const std::string& from, const std::string& to);
bool SysRemove(const std::string& path);
bool SysMakeFolder(const std::string& path);
// A folder only the running user may enter (on Windows, where a user's own
// folders are private already, a plain one).
bool SysMakePrivateFolder(const std::string& path);
// A rename or removal inside the folder is on the disk once this returns
// true; where the system keeps names safe by itself it does nothing.
bool SysSyncFolder(const std::string& path);
// Whether the running user may write the file.
bool SysWritable(const std::string& path);

// What a path that is neither a plain file nor a folder is.
enum class SysSpecialKind { None, Pipe, Socket, CharacterDevice, BlockDevice, Other };

struct SysFileStatus {
  bool IsFolder = false;
  bool IsFile = false;  // a plain file (not a device or pipe)
  SysSpecialKind Special = SysSpecialKind::None;
  bool Executable = false;  // a file the system would run
  int64_t Size = 0;
  FileTime LastWrite;
};
// Follows symbolic links; none when nothing is there (errno tells why).
std::optional<SysFileStatus> SysStat(const std::string& path);
// The status of an open file; none when the system cannot tell.
std::optional<SysFileStatus> SysStatOf(int fd);

// A folder entry from its status (for the system halves of the listing).
FolderEntry EntryOf(std::string_view name, const SysFileStatus& st);

// The system's text for an errno value.
std::string SysErrorText(int error);
// The program's arguments as UTF-8, argv[0] first: main's own on Linux;
// on Windows read again from the wide command line (the narrow one is in
// the ANSI code page).
std::vector<std::string> ProgramArguments(int argc, char** argv);
// The running program's own file, as an absolute path. Throws
// std::system_error when the system cannot tell.
std::string SysExecutableFile();

}  // namespace kora

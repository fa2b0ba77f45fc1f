#pragma once
// What the Windows halves of the shell room share (Windows TUs only).

#include <string_view>

#include "platform/shell/SysFiles.h"

#include "platform/gdi/WinApi_Win32.h"

namespace kora {

// The errno value closest to a Windows error code.
int ErrnoOfWin32Error(unsigned long error);
// Sets errno from GetLastError and returns it.
int SetErrnoFromLastError();
FileTime FileTimeOf(const FILETIME& t);
// A file's status from what a directory listing or an attribute query
// reports; `name` decides whether it is a program.
SysFileStatus StatusOf(std::string_view name, unsigned long attributes, unsigned long sizeHigh, unsigned long sizeLow,
                       const FILETIME& lastWrite);

}  // namespace kora

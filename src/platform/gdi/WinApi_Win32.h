#pragma once
// The Windows API for the Windows halves of the rooms and the Windows
// backend. Our own classic names (kora::HWND, kora::RECT, kora::LOGFONT,
// kora::DeleteFile...) live in namespace kora, the system's at global scope
// (::HWND, ::RECT, ::LOGFONTW): include our headers first, then this one.
// The system's constants have our values and names; its macros that pick
// the A or W flavour of a name are undone, so our names stay ours and the
// system's are always called by their W names.

#include <windows.h>
// clang-format off: these need windows.h before them
#include <imm.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#undef CreateFont
#undef CreateFontIndirect
#undef DeleteFile
#undef DrawText
#undef GetClassName
#undef GetMessage
#undef GetObject
#undef GetTextExtentPoint32
#undef GetTextFace
#undef GetTextMetrics
#undef GetWindowText
#undef LOGFONT
#undef LoadCursor
#undef LoadIcon
#undef MessageBox
#undef NOTIFYICONDATA
#undef PostMessage
#undef SendMessage
#undef SetWindowText
#undef Shell_NotifyIcon
#undef TEXTMETRIC
#undef ExtTextOut
#undef TextOut

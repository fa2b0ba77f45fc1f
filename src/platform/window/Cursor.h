#pragma once
// Mouse cursors: the standard shapes, shown by the backend.

#include "platform/window/WinTypes.h"

namespace kora {

constexpr int IDC_ARROW = 32512;
constexpr int IDC_IBEAM = 32513;
constexpr int IDC_WAIT = 32514;
constexpr int IDC_CROSS = 32515;
constexpr int IDC_UPARROW = 32516;
constexpr int IDC_SIZENWSE = 32642;
constexpr int IDC_SIZENESW = 32643;
constexpr int IDC_SIZEWE = 32644;
constexpr int IDC_SIZENS = 32645;
constexpr int IDC_SIZEALL = 32646;
constexpr int IDC_NO = 32648;
constexpr int IDC_HAND = 32649;
constexpr int IDC_APPSTARTING = 32650;
constexpr int IDC_HELP = 32651;

// instance must be null: one shared cursor per standard id, null for others.
HCURSOR LoadCursor(const void* instance, int id);
// Returns the previous cursor. A cursor not made by LoadCursor shows the arrow.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// The standard id of a cursor from LoadCursor, 0 for any other handle.
int StandardCursorId(HCURSOR cursor);

}  // namespace kora

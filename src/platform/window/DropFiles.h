#pragma once
// Files dropped on a window from the desktop: a window that accepts them
// (DragAcceptFiles) receives WM_DROPFILES with a drop in wParam, reads the
// paths with DragQueryFiles and lets the drop go with DragFinish.

#include <string>
#include <vector>

#include "platform/window/WinTypes.h"
#include "platform/window/WindowStyles.h"

namespace kora {

constexpr UINT WM_DROPFILES = 0x0233;

// Sets or clears WS_EX_ACCEPTFILES.
void DragAcceptFiles(HWND hwnd, bool accept);
// The paths of a drop in the order they were dropped; empty for a drop
// that is not (or no longer) known.
std::vector<std::string> DragQueryFiles(WPARAM drop);
// Where the drop landed, in the client coordinates of the window it went to.
bool DragQueryPoint(WPARAM drop, POINT* out);
void DragFinish(WPARAM drop);

// For backends: files dropped at a screen point go to the window there that
// accepts files (or the nearest ancestor that does); false when none does.
bool PostDropFiles(POINT screen, std::vector<std::string> paths);

}  // namespace kora

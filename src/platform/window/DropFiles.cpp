// Dropped files: a table of pending drops, keyed by the number wParam carries.

#include "platform/window/DropFiles.h"

#include <map>
#include <utility>

#include "platform/window/MessageQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyles.h"

namespace kora {

namespace {

struct Drop {
  HWND Target;
  POINT At;  // client coordinates of Target
  std::vector<std::string> Paths;
};

std::map<WPARAM, Drop>& Drops() {
  static std::map<WPARAM, Drop> drops;
  return drops;
}

WPARAM NextDropId() {
  static WPARAM next = 0;
  return ++next;
}

}  // namespace

void DragAcceptFiles(HWND hwnd, bool accept) {
  const LONG_PTR ex = GetWindowLong(hwnd, GWL_EXSTYLE);
  SetWindowLong(hwnd, GWL_EXSTYLE, accept ? (ex | WS_EX_ACCEPTFILES) : (ex & ~LONG_PTR(WS_EX_ACCEPTFILES)));
}

std::vector<std::string> DragQueryFiles(WPARAM drop) {
  const auto it = Drops().find(drop);
  return it == Drops().end() ? std::vector<std::string>{} : it->second.Paths;
}

bool DragQueryPoint(WPARAM drop, POINT* out) {
  const auto it = Drops().find(drop);
  if (it == Drops().end() || !out) return false;
  *out = it->second.At;
  return true;
}

void DragFinish(WPARAM drop) { Drops().erase(drop); }

bool PostDropFiles(POINT screen, std::vector<std::string> paths) {
  HWND target = WindowFromPoint(screen);
  while (target && !(GetWindowLong(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES)) target = GetAncestor(target, GA_PARENT);
  if (!target || paths.empty()) return false;
  POINT client = screen;
  ScreenToClient(target, &client);
  const WPARAM id = NextDropId();
  Drops()[id] = Drop{target, client, std::move(paths)};
  if (!PostMessage(target, WM_DROPFILES, id, 0)) {
    Drops().erase(id);
    return false;
  }
  return true;
}

}  // namespace kora

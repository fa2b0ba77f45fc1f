// The notification area's icons: kept here, handed to the host.

#include "platform/shell/NotifyArea.h"

#include <algorithm>
#include <cstring>

#include "platform/window/MessageQueue.h"
#include "platform/window/Window.h"

namespace kora {

namespace {

struct NotifyArea {
  NotifyAreaHost* Host = nullptr;
  bool ModelPresent = true;
  std::vector<NotifyIconInfo> Icons;
};

NotifyArea& Area() {
  static NotifyArea area;
  return area;
}

bool Present() { return Area().Host ? Area().Host->Present() : Area().ModelPresent; }

// The icons of windows that are gone go with them.
void Prune() {
  std::erase_if(Area().Icons, [](const NotifyIconInfo& i) {
    if (IsWindow(i.Wnd)) return false;
    if (Area().Host) Area().Host->IconRemoved(i.Wnd, i.Id);
    return true;
  });
}

std::vector<NotifyIconInfo>::iterator Find(HWND wnd, UINT id) {
  auto& icons = Area().Icons;
  return std::find_if(icons.begin(), icons.end(), [&](const NotifyIconInfo& i) { return i.Wnd == wnd && i.Id == id; });
}

void Take(NotifyIconInfo& icon, const NOTIFYICONDATA& data) {
  if (data.uFlags & NIF_MESSAGE) icon.CallbackMessage = data.uCallbackMessage;
  if (data.uFlags & NIF_ICON) icon.Icon = data.hIcon;
  if (data.uFlags & NIF_TIP) icon.Tip.assign(data.szTip, strnlen(data.szTip, sizeof(data.szTip)));
}

}  // namespace

bool Shell_NotifyIcon(DWORD message, const NOTIFYICONDATA* data) {
  if (!data) return false;
  Prune();
  NotifyArea& area = Area();
  auto found = Find(data->hWnd, data->uID);
  switch (message) {
    case NIM_ADD: {
      if (found != area.Icons.end() || !IsWindow(data->hWnd) || !Present()) return false;
      NotifyIconInfo icon{data->hWnd, data->uID};
      Take(icon, *data);
      area.Icons.push_back(icon);
      if (area.Host) area.Host->IconAdded(icon);
      return true;
    }
    case NIM_MODIFY:
      if (found == area.Icons.end()) return false;
      Take(*found, *data);
      if (area.Host) area.Host->IconChanged(*found);
      return true;
    case NIM_DELETE:
      if (found == area.Icons.end()) return false;
      area.Icons.erase(found);
      if (area.Host) area.Host->IconRemoved(data->hWnd, data->uID);
      return true;
    default: return false;
  }
}

void SetNotifyAreaHost(NotifyAreaHost* host) {
  Area().Host = host;
  Area().Icons.clear();
}

NotifyAreaHost* GetNotifyAreaHost() { return Area().Host; }

std::vector<NotifyIconInfo> NotifyIcons() {
  Prune();
  return Area().Icons;
}

bool PostNotifyIconInput(HWND wnd, UINT id, UINT mouseMessage) {
  auto found = Find(wnd, id);
  if (found == Area().Icons.end() || !found->CallbackMessage) return false;
  return PostMessage(wnd, found->CallbackMessage, id, LPARAM(mouseMessage));
}

void NotifyAreaRestarted() {
  Area().Icons.clear();
  const UINT created = RegisterWindowMessage(kTaskbarCreatedMessage);
  EnumWindows(
      [](HWND hwnd, LPARAM message) {
        PostMessage(hwnd, UINT(message), 0, 0);
        return true;
      },
      LPARAM(created));
}

void SetNotifyAreaModelPresent(bool present) {
  Area().ModelPresent = present;
  if (!present && !Area().Host) Area().Icons.clear();
}

}  // namespace kora

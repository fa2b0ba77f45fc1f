#pragma once
// The notification area (the icons beside the task bar's clock) in the
// shape of the classic notify-icon call: an icon with a tip that reports
// the mouse over it to a window as a callback message (wParam the icon's
// id, lParam the mouse message). The shell keeps the icons; a desktop's
// area is a host a backend installs. Without one the area is a model that
// shows nothing, which tests look at and drive.

#include <string>
#include <vector>

#include "platform/gdi/GdiHandles.h"
#include "platform/window/Messages.h"
#include "platform/window/WinTypes.h"

namespace kora {

constexpr DWORD NIM_ADD = 0x00000000;
constexpr DWORD NIM_MODIFY = 0x00000001;
constexpr DWORD NIM_DELETE = 0x00000002;

constexpr UINT NIF_MESSAGE = 0x00000001;
constexpr UINT NIF_ICON = 0x00000002;
constexpr UINT NIF_TIP = 0x00000004;

// A click on the icon's balloon (lParam of the callback message).
constexpr UINT NIN_BALLOONUSERCLICK = WM_USER + 5;

// Every top-level window hears this registered message when an area
// (re)appears: the icons it showed are gone and must be added again.
inline constexpr const char* kTaskbarCreatedMessage = "TaskbarCreated";

struct NOTIFYICONDATA {
  DWORD cbSize = sizeof(NOTIFYICONDATA);
  HWND hWnd;
  UINT uID = 0;
  UINT uFlags = 0;
  UINT uCallbackMessage = 0;
  HICON hIcon;
  // Up to 127 characters, as UTF-8 (four bytes each at most), and the end.
  char szTip[127 * 4 + 1] = {};
};

// Adds, changes or removes an icon. Adding fails while there is no area;
// changing and removing fail for an icon that is not shown.
bool Shell_NotifyIcon(DWORD message, const NOTIFYICONDATA* data);

// An icon as the area shows it.
struct NotifyIconInfo {
  HWND Wnd;
  UINT Id = 0;
  UINT CallbackMessage = 0;
  HICON Icon;
  std::string Tip;
};

// A desktop's notification area.
class NotifyAreaHost {
public:
  virtual ~NotifyAreaHost() = default;
  // Whether an area is there now to take icons.
  virtual bool Present() const = 0;
  virtual void IconAdded(const NotifyIconInfo& icon) = 0;
  // Its icon or tip changed.
  virtual void IconChanged(const NotifyIconInfo& icon) = 0;
  virtual void IconRemoved(HWND wnd, UINT id) = 0;
};

// The host in use (not owned); null goes back to the model. Icons shown
// before are forgotten.
void SetNotifyAreaHost(NotifyAreaHost* host);
NotifyAreaHost* GetNotifyAreaHost();

// The icons the area shows, in the order they came.
std::vector<NotifyIconInfo> NotifyIcons();
// The mouse over an icon: posts its callback message. False for an icon
// that is not shown.
bool PostNotifyIconInput(HWND wnd, UINT id, UINT mouseMessage);
// The area (re)appeared: the icons are forgotten and every top-level
// window is sent "TaskbarCreated".
void NotifyAreaRestarted();
// The model's area goes away (no icons can be added) or comes back.
void SetNotifyAreaModelPresent(bool present);

}  // namespace kora

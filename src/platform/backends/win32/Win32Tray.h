#pragma once
// The notification area on Windows: our icons go to the shell's through
// Shell_NotifyIconW, owned by a hidden window of ours that turns the
// shell's callbacks into the icons' own callback messages and hears the
// shell's "TaskbarCreated" when the task bar (re)starts. Windows headers
// stay in the .cpp.

#include <memory>
#include <vector>

#include "platform/shell/NotifyArea.h"

namespace kora {

class Win32Tray final : public NotifyAreaHost {
public:
  // Makes the hidden window; throws std::runtime_error when it cannot.
  Win32Tray();
  ~Win32Tray() override;
  Win32Tray(const Win32Tray&) = delete;
  Win32Tray& operator=(const Win32Tray&) = delete;

  bool Present() const override;
  void IconAdded(const NotifyIconInfo& icon) override;
  void IconChanged(const NotifyIconInfo& icon) override;
  void IconRemoved(HWND wnd, UINT id) override;

  // The shell's id of an icon (0 for one it does not show) and the hidden
  // window that owns them, as the system's handle value.
  UINT ShellId(HWND wnd, UINT id) const;
  uintptr_t Owner() const { return reinterpret_cast<uintptr_t>(FWindow); }

private:
  struct Icon;
  Icon* Find(HWND wnd, UINT id) const;
  Icon* FindShellId(UINT shellId) const;
  bool Send(unsigned long message, Icon& icon, bool withIcon);

public:
  // What the hidden window heard (the system's message and parameters).
  intptr_t Heard(unsigned message, uintptr_t wParam, intptr_t lParam);

private:
  void* FWindow = nullptr;  // ::HWND
  unsigned FTaskbarCreated = 0;
  UINT FNextId = 1;
  std::vector<std::unique_ptr<Icon>> FIcons;
};

}  // namespace kora

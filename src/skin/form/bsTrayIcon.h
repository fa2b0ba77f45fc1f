#pragma once
// The tray icon: an icon in the desktop's notification area with a tip, a
// popup menu (shown through the skinned menus), mouse events, an animation
// through an image list, and the frame's minimize-to-tray.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/forms/Forms.h"
#include "framework/graphics/ImgList.h"
#include "framework/menus/Menus.h"
#include "platform/shell/NotifyArea.h"
#include "skin/form/bsSkinForm.h"

namespace kora {

class TbsTrayIcon : public TComponent, public IbsFrameTray {
  KORA_CLASS(TbsTrayIcon, TComponent)

  explicit TbsTrayIcon(TComponent* owner);
  ~TbsTrayIcon() override;

  // Empty takes the main form's icon (else the system's application icon).
  TIcon* Icon() const { return FIcon.get(); }
  void SetIcon(const TIcon* value);
  bool IconVisible() const { return FIconVisible; }
  void SetIconVisible(bool value);
  TCustomImageList* IconList() const { return FIconList; }
  void SetIconList(TCustomImageList* value);
  int32_t IconIndex() const { return FIconIndex; }
  void SetIconIndex(int32_t value);
  // Steps IconIndex through IconList every AnimateTimerInterval.
  bool CycleIcons() const { return FCycleIcons; }
  void SetCycleIcons(bool value);
  uint32_t AnimateTimerInterval() const { return FAnimateTimerInterval; }
  void SetAnimateTimerInterval(uint32_t value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* value);
  bool PopupByLeftButton = false;
  bool MinimizedOnStart = false;
  // A minimized application goes into the tray.
  bool MinimizeToTray = true;
  bool DesignPreview = false;
  bool Enabled = true;

  TNotifyEvent OnClick, OnDblClick, OnCycle, OnBalloonHintClick;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // ---- Operations ----
  void ShowIcon() { SetIconVisible(true); }
  void HideIcon() { SetIconVisible(false); }
  // Whether the notification area shows the icon now.
  bool IconShown() const { return FShown; }
  // Hides the application's windows into the tray / shows them again.
  void HideApplication();
  void Restore();
  bool ApplicationHidden() const { return FAppHidden; }
  // The record the notification area is given.
  const NOTIFYICONDATA& IconData() const { return FData; }
  HWND MessageWindow() const { return FWindow; }

  // ---- IbsFrameTray ----
  void SetMinimizeToTrayMode(bool value) override { FMinimizeToTrayMode = value; }
  void SetTrayIconVisible(bool value) override { SetIconVisible(value); }
  void SetDefaultTrayPopup(TPopupMenu* menu, TNotifyEvent onActivate) override;

  // The callback message of the icon.
  static constexpr UINT kCallbackMessage = WM_USER + 1024;  // 2048
  static constexpr UINT kIconId = 1;

protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  static LRESULT MessageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void IconMessage(UINT mouseMessage);
  void ClickTimer();
  void CycleTimer();
  void Update();
  void FillData();
  HICON CurrentIcon();
  void OpenPopup();
  void Designed();

  std::unique_ptr<TIcon> FIcon;
  std::unique_ptr<TIcon> FListIcon;  // the image list's picture, made for the area
  bool FIconVisible = true;
  TCustomImageList* FIconList = nullptr;
  int32_t FIconIndex = 0;
  bool FCycleIcons = false;
  uint32_t FAnimateTimerInterval = 150;
  std::string FHint;
  bool FShowHint = true;
  TPopupMenu* FPopupMenu = nullptr;

  NOTIFYICONDATA FData;
  HWND FWindow;
  UINT FTaskbarCreated = 0;
  bool FShown = false;
  bool FMinimizeToTrayMode = false;
  bool FAppHidden = false;
  std::vector<HWND> FHiddenWindows;
  std::unique_ptr<TTimer> FAnimateTimer, FClickTimer;
  bool FClickStarted = false;
  bool FClickReady = false;
  TNotifyEvent FOldAppMinimize;
  std::shared_ptr<bool> FAlive;
};

// Registers the tray icon class by name for form descriptions.
void RegisterTrayIconClasses();

}  // namespace kora

#pragma once
// The stored face of the skinned frame: the published properties and
// events of TbsSkinForm with their storage. TbsSkinForm derives from it and
// publishes these names in its own class table; a setter that changes what
// the frame shows tells the frame through PropertyChanged.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/controls/Controls.h"
#include "framework/forms/Forms.h"
#include "framework/menus/Menus.h"
#include "skin/data/bsSkinData.h"

namespace kora {

// Where a window goes when it is first shown.
enum TbsPositionInMonitor : uint8_t { bspDefault, bspScreenCenter, bspDesktopCenter };
const TTypeInfo* TypeInfoOf(TbsPositionInMonitor);

// Which caption buttons and system-menu commands a frame has. Scoped: the
// framework's own border icons share the first names.
enum class TbsBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray };
using TbsBorderIcons = TSet<TbsBorderIcon>;
const TTypeInfo* TypeInfoOf(TbsBorderIcon);
const TTypeInfo* TypeInfoOf(TbsBorderIcons);

// handler(idName, objectVisible)
using TbsActivateCustomObjectEvent = TEvent<const std::string&, bool&>;
using TbsMouseEnterEvent = TEvent<const std::string&>;
// handler(idName, x, y, objectRect, button)
using TbsMouseUpDownEvent = TEvent<const std::string&, int, int, const RECT&, TMouseButton>;
using TbsMouseMoveEvent = TEvent<const std::string&, int, int, const RECT&>;
using TbsPaintEvent = TEvent<const std::string&, TCanvas*, const RECT&>;

class TbsSkinFormProperties : public TComponent {
public:
  explicit TbsSkinFormProperties(TComponent* owner);
  ~TbsSkinFormProperties() override;

  // ---- Published properties ----
  TbsPositionInMonitor PositionInMonitor = bspDefault;
  TWinControl* StatusBar() const { return FStatusBar; }
  void SetStatusBar(TWinControl* value);
  bool UseFormCursorInNCArea = false;
  int32_t MaxMenuItemsInWindow() const { return FMaxMenuItemsInWindow; }
  void SetMaxMenuItemsInWindow(int32_t value);
  int32_t ClientWidth = 0;
  int32_t ClientHeight = 0;
  bool HideCaptionButtons() const { return FHideCaptionButtons; }
  void SetHideCaptionButtons(bool value);
  bool AlwaysShowInTray = false;
  TBitmap* LogoBitMap() const { return FLogoBitMap.get(); }
  void SetLogoBitMap(const TBitmap* value);
  bool LogoBitMapTransparent = false;
  bool AlwaysMinimizeToTray = false;
  bool UseSkinFontInMenu = true;
  bool ShowIcon() const { return FShowIcon; }
  void SetShowIcon(bool value);
  bool MaximizeOnFullScreen = false;
  bool AlphaBlend = false;
  bool AlphaBlendAnimation = false;
  uint8_t AlphaBlendValue = 200;
  TComponent* SkinHint() const { return FSkinHint; }
  void SetSkinHint(TComponent* value);
  bool ShowObjectHint = false;
  bool UseDefaultObjectHint = true;
  bool MenusAlphaBlend = false;
  bool MenusAlphaBlendAnimation = false;
  uint8_t MenusAlphaBlendValue = 200;
  TFont* DefCaptionFont() const { return FDefCaptionFont.get(); }
  void SetDefCaptionFont(const TFont* value);
  TFont* DefInActiveCaptionFont() const { return FDefInActiveCaptionFont.get(); }
  void SetDefInActiveCaptionFont(const TFont* value);
  int32_t DefMenuItemHeight() const { return FDefMenuItemHeight; }
  void SetDefMenuItemHeight(int32_t value);
  TFont* DefMenuItemFont() const { return FDefMenuItemFont.get(); }
  void SetDefMenuItemFont(const TFont* value);
  TComponent* TrayIcon() const { return FTrayIcon; }
  void SetTrayIcon(TComponent* value);
  bool UseDefaultSysMenu = true;
  // The form's skinned menu bar; the frame drives it through IbsFrameMenuBar.
  TWinControl* MainMenuBar() const { return FMainMenuBar; }
  void SetMainMenuBar(TWinControl* value);
  TComponent* MDITabsBar() const { return FMDITabsBar; }
  void SetMDITabsBar(TComponent* value);
  TPopupMenu* SystemMenu() const { return FSystemMenu; }
  void SetSystemMenu(TPopupMenu* value);
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value);
  TbsSkinData* MenusSkinData() const { return FMenusSkinData; }
  void SetMenusSkinData(TbsSkinData* value);
  int32_t MinHeight = 0, MinWidth = 0, MaxHeight = 0, MaxWidth = 0;
  bool Magnetic = false;
  uint8_t MagneticSize = 5;
  TbsBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TbsBorderIcons value);

  // ---- Events ----
  TShortCutEvent OnShortCut;
  TNotifyEvent OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData;
  TNotifyEvent OnActivate, OnDeActivate, OnChangeRollUpState;
  TNotifyEvent OnMinimizeToTray, OnRestoreFromTray;
  TbsActivateCustomObjectEvent OnActivateCustomObject;
  TNotifyEvent OnMinimize, OnRestore, OnMaximize;
  TNotifyEvent OnSkinMenuOpen, OnSkinMenuClose, OnMainMenuEnter, OnMainMenuExit;
  TbsMouseEnterEvent OnMouseEnterEvent, OnMouseLeaveEvent;
  TbsMouseUpDownEvent OnMouseDownEvent, OnMouseUpEvent;
  TbsMouseMoveEvent OnMouseMoveEvent;
  TbsPaintEvent OnPaintEvent;

protected:
  // What a setter changed that the frame shows.
  enum class TChange : uint8_t { SkinData, TrayIcon, Logo, HideCaptionButtons, ShowIcon, BorderIcons, DefaultFont };
  virtual void PropertyChanged(TChange change) = 0;
  void Notification(TComponent* component, TOperation operation) override;

private:
  std::unique_ptr<TBitmap> FLogoBitMap;
  std::unique_ptr<TFont> FDefCaptionFont, FDefInActiveCaptionFont, FDefMenuItemFont;
  TWinControl* FStatusBar = nullptr;
  TComponent* FSkinHint = nullptr;
  TComponent* FTrayIcon = nullptr;
  TWinControl* FMainMenuBar = nullptr;
  TComponent* FMDITabsBar = nullptr;
  TPopupMenu* FSystemMenu = nullptr;
  TbsSkinData* FSkinData = nullptr;
  TbsSkinData* FMenusSkinData = nullptr;
  TbsBorderIcons FBorderIcons{TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize,
                              TbsBorderIcon::biRollUp};
  int32_t FMaxMenuItemsInWindow = 0;
  int32_t FDefMenuItemHeight = 20;
  bool FHideCaptionButtons = false;
  bool FShowIcon = false;
};

}  // namespace kora

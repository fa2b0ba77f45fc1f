// TbsSkinForm: taking over the form's frame, its published properties and
// references, and the frame's built-in texts.

#include "skin/form/bsSkinForm.h"
#include "framework/core/ClassBuilder.h"
#include "skin/form/bsSkinHint.h"
#include "skin/form/bsSkinMenuBar.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsTrayIcon.h"

namespace kora {

const TTypeInfo* TypeInfoOf(TbsPositionInMonitor) {
  static const TTypeInfo info =
      EnumTypeInfo("TbsPositionInMonitor", {"bspDefault", "bspScreenCenter", "bspDesktopCenter"});
  return &info;
}
const TTypeInfo* TypeInfoOf(TbsBorderIcon) {
  static const TTypeInfo info =
      EnumTypeInfo("TbsBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biRollUp", "biMinimizeToTray"});
  return &info;
}
const TTypeInfo* TypeInfoOf(TbsBorderIcons) {
  static const TTypeInfo info = SetTypeInfo("TbsBorderIcons", TypeInfoOf(TbsBorderIcon{}));
  return &info;
}

std::string FrameResourceString(const TbsSkinData* skin, const char* key, int resourceId) {
  if (skin && skin->ResourceStrData()) {
    std::string text = skin->ResourceStrData()->LookUpResString(key);
    if (!text.empty()) return text;
  }
  switch (resourceId) {
    case 65232: return "最小化(&N)";
    case 65233: return "最大化(&X)";
    case 65234: return "关闭(&C)";
    case 65235: return "恢复(&R)";
    case 65236: return "最小化到系统托盘区(&T)";
    case 65237: return "卷起(&L)";
    case 65238: return "最小化";
    case 65239: return "最大化";
    case 65240: return "关闭";
    case 65241: return "最小化到系统托盘区";
    case 65242: return "卷起";
    case 65243: return "系统菜单";
    default: return {};
  }
}

TClass TbsSkinForm::StaticClass() {
  using C = TbsSkinForm;
  static const TClassInfo info(
      TClassBuilder<C>("TbsSkinForm")
          .Property("PositionInMonitor", &C::PositionInMonitor)
          .Default(bspDefault)
          .Property("StatusBar", &C::StatusBar, &C::SetStatusBar)
          .Property("UseFormCursorInNCArea", &C::UseFormCursorInNCArea)
          .Default(false)
          .Property("MaxMenuItemsInWindow", &C::MaxMenuItemsInWindow, &C::SetMaxMenuItemsInWindow)
          .Default(0)
          .Property("ClientWidth", &C::ClientWidth)
          .Default(0)
          .Property("ClientHeight", &C::ClientHeight)
          .Default(0)
          .Property("HideCaptionButtons", &C::HideCaptionButtons, &C::SetHideCaptionButtons)
          .Default(false)
          .Property("AlwaysShowInTray", &C::AlwaysShowInTray)
          .Default(false)
          .Property("LogoBitMap", &C::LogoBitMap, &C::SetLogoBitMap)
          .Property("LogoBitMapTransparent", &C::LogoBitMapTransparent)
          .Default(false)
          .Property("AlwaysMinimizeToTray", &C::AlwaysMinimizeToTray)
          .Default(false)
          .Property("UseSkinFontInMenu", &C::UseSkinFontInMenu)
          .Default(true)
          .Property("ShowIcon", &C::ShowIcon, &C::SetShowIcon)
          .Default(false)
          .Property("MaximizeOnFullScreen", &C::MaximizeOnFullScreen)
          .Default(false)
          .Property("AlphaBlend", &C::AlphaBlend)
          .Default(false)
          .Property("AlphaBlendAnimation", &C::AlphaBlendAnimation)
          .Default(false)
          .Property("AlphaBlendValue", &C::AlphaBlendValue)
          .Default(200)
          .Property("SkinHint", &C::SkinHint, &C::SetSkinHint)
          .Property("ShowObjectHint", &C::ShowObjectHint)
          .Default(false)
          .Property("UseDefaultObjectHint", &C::UseDefaultObjectHint)
          .Default(true)
          .Property("MenusAlphaBlend", &C::MenusAlphaBlend)
          .Default(false)
          .Property("MenusAlphaBlendAnimation", &C::MenusAlphaBlendAnimation)
          .Default(false)
          .Property("MenusAlphaBlendValue", &C::MenusAlphaBlendValue)
          .Default(200)
          .Property("DefCaptionFont", &C::DefCaptionFont, &C::SetDefCaptionFont)
          .Property("DefInActiveCaptionFont", &C::DefInActiveCaptionFont, &C::SetDefInActiveCaptionFont)
          .Property("DefMenuItemHeight", &C::DefMenuItemHeight, &C::SetDefMenuItemHeight)
          .Default(20)
          .Property("DefMenuItemFont", &C::DefMenuItemFont, &C::SetDefMenuItemFont)
          .Property("TrayIcon", &C::TrayIcon, &C::SetTrayIcon)
          .Property("UseDefaultSysMenu", &C::UseDefaultSysMenu)
          .Default(true)
          .Property("MainMenuBar", &C::MainMenuBar, &C::SetMainMenuBar)
          .Property("MDITabsBar", &C::MDITabsBar, &C::SetMDITabsBar)
          .Property("SystemMenu", &C::SystemMenu, &C::SetSystemMenu)
          .Property("SkinData", &C::SkinData, &C::SetSkinData)
          .Property("MenusSkinData", &C::MenusSkinData, &C::SetMenusSkinData)
          .Property("MinHeight", &C::MinHeight)
          .Default(0)
          .Property("MinWidth", &C::MinWidth)
          .Default(0)
          .Property("MaxHeight", &C::MaxHeight)
          .Default(0)
          .Property("MaxWidth", &C::MaxWidth)
          .Default(0)
          .Property("Magnetic", &C::Magnetic)
          .Default(false)
          .Property("MagneticSize", &C::MagneticSize)
          .Default(5)
          .Property("BorderIcons", &C::BorderIcons, &C::SetBorderIcons)
          .Default(TbsBorderIcons{TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize,
                                  TbsBorderIcon::biRollUp})
          .Property("OnShortCut", &C::OnShortCut)
          .Property("OnChangeSkinData", &C::OnChangeSkinData)
          .Property("OnBeforeChangeSkinData", &C::OnBeforeChangeSkinData)
          .Property("OnAfterChangeSkinData", &C::OnAfterChangeSkinData)
          .Property("OnActivate", &C::OnActivate)
          .Property("OnDeActivate", &C::OnDeActivate)
          .Property("OnChangeRollUpState", &C::OnChangeRollUpState)
          .Property("OnMinimizeToTray", &C::OnMinimizeToTray)
          .Property("OnRestoreFromTray", &C::OnRestoreFromTray)
          .Property("OnActivateCustomObject", &C::OnActivateCustomObject)
          .Property("OnMinimize", &C::OnMinimize)
          .Property("OnRestore", &C::OnRestore)
          .Property("OnMaximize", &C::OnMaximize)
          .Property("OnSkinMenuOpen", &C::OnSkinMenuOpen)
          .Property("OnSkinMenuClose", &C::OnSkinMenuClose)
          .Property("OnMainMenuEnter", &C::OnMainMenuEnter)
          .Property("OnMainMenuExit", &C::OnMainMenuExit)
          .Property("OnMouseEnterEvent", &C::OnMouseEnterEvent)
          .Property("OnMouseLeaveEvent", &C::OnMouseLeaveEvent)
          .Property("OnMouseDownEvent", &C::OnMouseDownEvent)
          .Property("OnMouseUpEvent", &C::OnMouseUpEvent)
          .Property("OnMouseMoveEvent", &C::OnMouseMoveEvent)
          .Property("OnPaintEvent", &C::OnPaintEvent));
  return &info;
}

void RegisterSkinFormClasses() {
  static const bool registered = [] {
    RegisterClasses({TbsSkinForm::StaticClass()});
    RegisterSkinMenuClasses();
    RegisterSkinMenuBarClasses();
    RegisterSkinHintClasses();
    RegisterTrayIconClasses();
    return true;
  }();
  (void)registered;
}

namespace {

std::unique_ptr<TFont> CaptionFont(TColor color) {
  auto font = std::make_unique<TFont>();
  font->SetName(bsDefaultFontName);
  font->SetCharset(bsDefaultFontCharset);
  font->SetStyle({fsBold});
  font->SetHeight(-12);
  font->SetColor(color);
  return font;
}

std::unique_ptr<TTimer> FrameTimer(uint32_t interval, std::function<void()> tick) {
  auto timer = std::make_unique<TTimer>(nullptr);
  timer->SetEnabled(false);
  timer->SetInterval(interval);
  timer->SetOnTimer([tick = std::move(tick)](TObject*) { tick(); });
  return timer;
}

TMenuItem* NewItem(TComponent* owner, const std::string& name, const std::string& caption, TShortCut shortCut,
                   TNotifyEvent onClick) {
  auto* item = new TMenuItem(owner);
  item->SetName(name);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  item->SetOnClick(std::move(onClick));
  return item;
}

}  // namespace

TbsSkinForm::TbsSkinForm(TComponent* owner)
    : TComponent(owner),
      FForm(dynamic_cast<TCustomForm*>(owner)),
      FLogoBitMap(std::make_unique<TBitmap>()),
      FDefCaptionFont(CaptionFont(clBtnText)),
      FDefInActiveCaptionFont(CaptionFont(clBtnShadow)),
      FDefMenuItemFont(std::make_unique<TFont>()) {
  if (!FForm) throw EInvalidOperation("TbsSkinForm needs a form as its owner");
  FHotTrackTimer = FrameTimer(50, [this] { HotTrackTick(); });
  FAnimator = std::make_unique<TbsFrameAnimator>(this);
  FMenuMode = std::make_unique<TbsFrameMenuMode>(this);
  FTrayMenu = std::make_unique<TPopupMenu>(nullptr);
  FDefMenuItemFont->SetName(bsDefaultFontName);
  FDefMenuItemFont->SetCharset(bsDefaultFontCharset);
  FDefMenuItemFont->SetHeight(-12);
  const auto redrawDefault = [this](TObject*) {
    if (!FSkinActive && FForm->HandleAllocated()) SendMessage(FForm->Handle(), WM_NCPAINT, 0, 0);
  };
  FDefCaptionFont->OnChange = redrawDefault;
  FDefInActiveCaptionFont->OnChange = redrawDefault;

  FTrayMenu->Items()->Add(NewItem(FTrayMenu.get(), "TRAY_BSF_RESTORE",
                                  FrameResourceString(nullptr, "MI_RESTORECAPTION", 65235), scNone,
                                  [this](TObject*) { RestoreFromTray(); }));
  FTrayMenu->Items()->Add(NewItem(FTrayMenu.get(), "", "-", scNone, {}));
  FTrayMenu->Items()->Add(NewItem(FTrayMenu.get(), "TRAY_BSF_CLOSE",
                                  FrameResourceString(nullptr, "MI_CLOSECAPTION", 65234), TextToShortCut("Alt+F4"),
                                  [this](TObject*) { CloseForm(); }));

  // The default look's buttons until a skin comes.
  SyncObjectsFromSkin();
  SetBorderIconsVisibility();
  FForm->SetBorderIcons({});
  // Key short-cuts reach the skinned menu bar, after the form's own handler.
  FFormShortCut = FForm->OnShortCut;
  FForm->OnShortCut = [this](const MSG& msg, bool& handled) {
    FFormShortCut(msg, handled);
    if (handled) return;
    OnShortCut(msg, handled);
    if (handled) return;
    handled = FMenuMode->ShortCut(msg);
  };
  if (Designing()) return;
  FOldWndProc = FForm->WindowProc;
  FForm->WindowProc = [this](TMessage& message) { NewWndProc(message); };
  FForm->SetCreateParamsHook([](TCreateParams& params) { params.Style &= ~WS_CAPTION; });
  if (FForm->HandleAllocated()) FForm->RecreateWnd();
}

TbsSkinForm::~TbsSkinForm() {
  if (FForm) {
    FForm->OnShortCut = FFormShortCut;
    if (!Designing()) {
      if (FForm->HandleAllocated()) KillTimer(FForm->Handle(), 1);
      FForm->WindowProc = FOldWndProc;
      FForm->SetCreateParamsHook(nullptr);
    }
  }
  // The message-loop hook goes while the frame is still whole.
  FMenuMode.reset();
  FObjects.clear();
  if (FRegion) DeleteObject(FRegion);
}

void TbsSkinForm::Loaded() {
  TComponent::Loaded();
  if (FSkinData && !FSkinData->Empty() && !Designing()) ApplySkin();
}

void TbsSkinForm::CallOldWndProc(TMessage& message) {
  if (FOldWndProc) FOldWndProc(message);
}

TbsActiveSkinObject* TbsSkinForm::FindObject(const std::string& idName) const {
  for (const auto& object : FObjects)
    if (object->IDName == idName) return object.get();
  return nullptr;
}

// ---- Properties ---------------------------------------------------------------------

void TbsSkinForm::SetStatusBar(TWinControl* value) { Relink(FStatusBar, value); }
void TbsSkinForm::SetSkinHint(TComponent* value) { Relink(FSkinHint, value); }
void TbsSkinForm::SetMainMenuBar(TWinControl* value) { Relink(FMainMenuBar, value); }
void TbsSkinForm::SetMDITabsBar(TComponent* value) { Relink(FMDITabsBar, value); }
void TbsSkinForm::SetSystemMenu(TPopupMenu* value) { Relink(FSystemMenu, value); }
void TbsSkinForm::SetMenusSkinData(TbsSkinData* value) { Relink(FMenusSkinData, value); }

void TbsSkinForm::SetSkinData(TbsSkinData* value) {
  if (FSkinData == value) return;
  Relink(FSkinData, value);
  if (!ComponentState().Contains(csLoading) && !Designing() && FForm->HandleAllocated()) ApplySkin();
}

void TbsSkinForm::SetTrayIcon(TComponent* value) {
  Relink(FTrayIcon, value);
  if (auto* tray = dynamic_cast<IbsFrameTray*>(FTrayIcon)) {
    if (!AlwaysShowInTray) tray->SetTrayIconVisible(false);
    tray->SetDefaultTrayPopup(FTrayMenu.get(), [this](TObject*) { RestoreFromTray(); });
  }
}

void TbsSkinForm::SetMaxMenuItemsInWindow(int32_t value) {
  if (value >= 0) FMaxMenuItemsInWindow = value;
}

void TbsSkinForm::SetDefMenuItemHeight(int32_t value) {
  if (value > 0) FDefMenuItemHeight = value;
}

void TbsSkinForm::SetDefMenuItemFont(const TFont* value) { FDefMenuItemFont->Assign(value); }
void TbsSkinForm::SetDefCaptionFont(const TFont* value) { FDefCaptionFont->Assign(value); }
void TbsSkinForm::SetDefInActiveCaptionFont(const TFont* value) { FDefInActiveCaptionFont->Assign(value); }

void TbsSkinForm::SetLogoBitMap(const TBitmap* value) {
  FLogoBitMap->Assign(value);
  if (FForm->HandleAllocated()) FForm->Invalidate();
}

void TbsSkinForm::SetHideCaptionButtons(bool value) {
  if (FHideCaptionButtons == value) return;
  FHideCaptionButtons = value;
  SetBorderIconsVisibility();
  if (FForm->HandleAllocated()) SendMessage(FForm->Handle(), WM_NCPAINT, 0, 0);
}

void TbsSkinForm::SetShowIcon(bool value) {
  if (FShowIcon == value) return;
  FShowIcon = value;
  if (FForm->HandleAllocated()) SendMessage(FForm->Handle(), WM_NCPAINT, 0, 0);
}

void TbsSkinForm::SetBorderIcons(TbsBorderIcons value) {
  FBorderIcons = value;
  SetBorderIconsVisibility();
  if (FForm->HandleAllocated() && !ComponentState().Contains(csLoading)) SendMessage(FForm->Handle(), WM_NCPAINT, 0, 0);
}

void TbsSkinForm::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FSkinData) {
    FSkinData = nullptr;
    FObjects.clear();
    FSkinActive = false;
    FHotIndex = FCapturedIndex = FPrevHotIndex = -1;
  }
  if (component == FMenusSkinData) FMenusSkinData = nullptr;
  if (component == FMainMenuBar) FMainMenuBar = nullptr;
  if (component == FMDITabsBar) FMDITabsBar = nullptr;
  if (component == FSystemMenu) FSystemMenu = nullptr;
  if (component == FSkinHint) FSkinHint = nullptr;
  if (component == FTrayIcon) FTrayIcon = nullptr;
  if (component == FStatusBar) FStatusBar = nullptr;
}

}  // namespace kora

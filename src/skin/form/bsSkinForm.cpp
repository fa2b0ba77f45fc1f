// TbsSkinForm: taking over the form's frame, the class table of its
// published properties, what the frame does when one changes, and the
// frame's built-in texts.

#include "skin/form/bsSkinForm.h"
#include "framework/core/ClassBuilder.h"
#include "skin/form/bsSkinHint.h"
#include "skin/form/bsSkinMenuBar.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsTrayIcon.h"

namespace kora {

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
    : TbsSkinFormProperties(owner),
      FForm(dynamic_cast<TCustomForm*>(owner)),
      FTrayMenu(std::make_unique<TPopupMenu>(nullptr)),
      FStates(std::make_unique<TbsFrameWindowStates>(this)),
      FHover(std::make_unique<TbsFrameHover>(this)),
      FObjects(std::make_unique<TbsFrameObjects>(this)),
      FRegion(std::make_unique<TbsFrameRegion>(this)),
      FAnimator(std::make_unique<TbsFrameAnimator>(this)),
      FMenuMode(std::make_unique<TbsFrameMenuMode>(this)) {
  if (!FForm) throw EInvalidOperation("TbsSkinForm needs a form as its owner");
  FTrayMenu->Items()->Add(NewItem(FTrayMenu.get(), "TRAY_BSF_RESTORE",
                                  FrameResourceString(nullptr, "MI_RESTORECAPTION", 65235), scNone,
                                  [this](TObject*) { RestoreFromTray(); }));
  FTrayMenu->Items()->Add(NewItem(FTrayMenu.get(), "", "-", scNone, {}));
  FTrayMenu->Items()->Add(NewItem(FTrayMenu.get(), "TRAY_BSF_CLOSE",
                                  FrameResourceString(nullptr, "MI_CLOSECAPTION", 65234), TextToShortCut("Alt+F4"),
                                  [this](TObject*) { CloseForm(); }));

  // The default look's buttons until a skin comes.
  FObjects->SyncFromSkin();
  FObjects->SetBorderIconsVisibility();
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
  FObjects->Clear();
}

void TbsSkinForm::Loaded() {
  TComponent::Loaded();
  if (SkinData() && !SkinData()->Empty() && !Designing()) ApplySkin();
}

void TbsSkinForm::CallOldWndProc(TMessage& message) {
  if (FOldWndProc) FOldWndProc(message);
}

void TbsSkinForm::PropertyChanged(TChange change) {
  const bool handle = FForm && FForm->HandleAllocated();
  switch (change) {
    case TChange::SkinData:
      if (!ComponentState().Contains(csLoading) && !Designing() && handle) ApplySkin();
      break;
    case TChange::TrayIcon:
      if (auto* tray = dynamic_cast<IbsFrameTray*>(TrayIcon())) {
        if (!AlwaysShowInTray) tray->SetTrayIconVisible(false);
        tray->SetDefaultTrayPopup(FTrayMenu.get(), [this](TObject*) { RestoreFromTray(); });
      }
      break;
    case TChange::Logo:
      if (handle) FForm->Invalidate();
      break;
    case TChange::HideCaptionButtons:
      FObjects->SetBorderIconsVisibility();
      if (handle) SendMessage(FForm->Handle(), WM_NCPAINT, 0, 0);
      break;
    case TChange::ShowIcon:
      if (handle) SendMessage(FForm->Handle(), WM_NCPAINT, 0, 0);
      break;
    case TChange::BorderIcons:
      FObjects->SetBorderIconsVisibility();
      if (handle && !ComponentState().Contains(csLoading)) SendMessage(FForm->Handle(), WM_NCPAINT, 0, 0);
      break;
    case TChange::DefaultFont:
      if (!FSkinActive && handle) SendMessage(FForm->Handle(), WM_NCPAINT, 0, 0);
      break;
  }
}

void TbsSkinForm::Notification(TComponent* component, TOperation operation) {
  const bool skinGone = operation == opRemove && component == SkinData() && component;
  TbsSkinFormProperties::Notification(component, operation);
  if (skinGone) {
    FObjects->Clear();
    FSkinActive = false;
    FHover->Forget();
  }
}

}  // namespace kora

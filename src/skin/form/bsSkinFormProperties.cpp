// The skinned frame's published properties and their storage.

#include "skin/form/bsSkinFormProperties.h"
#include "skin/data/bsUtils.h"

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

}  // namespace

TbsSkinFormProperties::TbsSkinFormProperties(TComponent* owner)
    : TComponent(owner),
      FLogoBitMap(std::make_unique<TBitmap>()),
      FDefCaptionFont(CaptionFont(clBtnText)),
      FDefInActiveCaptionFont(CaptionFont(clBtnShadow)),
      FDefMenuItemFont(std::make_unique<TFont>()) {
  FDefMenuItemFont->SetName(bsDefaultFontName);
  FDefMenuItemFont->SetCharset(bsDefaultFontCharset);
  FDefMenuItemFont->SetHeight(-12);
  const auto redrawDefault = [this](TObject*) { PropertyChanged(TChange::DefaultFont); };
  FDefCaptionFont->OnChange = redrawDefault;
  FDefInActiveCaptionFont->OnChange = redrawDefault;
}

TbsSkinFormProperties::~TbsSkinFormProperties() = default;

void TbsSkinFormProperties::SetStatusBar(TWinControl* value) { Relink(FStatusBar, value); }
void TbsSkinFormProperties::SetSkinHint(TComponent* value) { Relink(FSkinHint, value); }
void TbsSkinFormProperties::SetMainMenuBar(TWinControl* value) { Relink(FMainMenuBar, value); }
void TbsSkinFormProperties::SetMDITabsBar(TComponent* value) { Relink(FMDITabsBar, value); }
void TbsSkinFormProperties::SetSystemMenu(TPopupMenu* value) { Relink(FSystemMenu, value); }
void TbsSkinFormProperties::SetMenusSkinData(TbsSkinData* value) { Relink(FMenusSkinData, value); }

void TbsSkinFormProperties::SetSkinData(TbsSkinData* value) {
  if (FSkinData == value) return;
  Relink(FSkinData, value);
  PropertyChanged(TChange::SkinData);
}

void TbsSkinFormProperties::SetTrayIcon(TComponent* value) {
  Relink(FTrayIcon, value);
  PropertyChanged(TChange::TrayIcon);
}

void TbsSkinFormProperties::SetMaxMenuItemsInWindow(int32_t value) {
  if (value >= 0) FMaxMenuItemsInWindow = value;
}

void TbsSkinFormProperties::SetDefMenuItemHeight(int32_t value) {
  if (value > 0) FDefMenuItemHeight = value;
}

void TbsSkinFormProperties::SetDefMenuItemFont(const TFont* value) { FDefMenuItemFont->Assign(value); }
void TbsSkinFormProperties::SetDefCaptionFont(const TFont* value) { FDefCaptionFont->Assign(value); }
void TbsSkinFormProperties::SetDefInActiveCaptionFont(const TFont* value) { FDefInActiveCaptionFont->Assign(value); }

void TbsSkinFormProperties::SetLogoBitMap(const TBitmap* value) {
  FLogoBitMap->Assign(value);
  PropertyChanged(TChange::Logo);
}

void TbsSkinFormProperties::SetHideCaptionButtons(bool value) {
  if (FHideCaptionButtons == value) return;
  FHideCaptionButtons = value;
  PropertyChanged(TChange::HideCaptionButtons);
}

void TbsSkinFormProperties::SetShowIcon(bool value) {
  if (FShowIcon == value) return;
  FShowIcon = value;
  PropertyChanged(TChange::ShowIcon);
}

void TbsSkinFormProperties::SetBorderIcons(TbsBorderIcons value) {
  FBorderIcons = value;
  PropertyChanged(TChange::BorderIcons);
}

void TbsSkinFormProperties::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FSkinData) FSkinData = nullptr;
  if (component == FMenusSkinData) FMenusSkinData = nullptr;
  if (component == FMainMenuBar) FMainMenuBar = nullptr;
  if (component == FMDITabsBar) FMDITabsBar = nullptr;
  if (component == FSystemMenu) FSystemMenu = nullptr;
  if (component == FSkinHint) FSkinHint = nullptr;
  if (component == FTrayIcon) FTrayIcon = nullptr;
  if (component == FStatusBar) FStatusBar = nullptr;
}

}  // namespace kora

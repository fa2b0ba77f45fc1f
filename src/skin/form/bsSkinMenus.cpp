// The popup-menu engine of a frame and the popup menu that opens through it.

#include "skin/form/bsSkinMenus.h"

#include "framework/core/ClassBuilder.h"
#include "platform/window/WindowSystem.h"
#include "skin/form/bsSkinForm.h"

namespace kora {

namespace {

// The skinned look on the shared tracker: the submenu wait, the mouse
// polled, every window with its first item highlighted, parents clicked
// when their submenu opens; Alt and F10 close it as they do the plain one.
TMenuTrackOptions SkinTrackOptions() {
  TMenuTrackOptions options;
  options.SubmenuDelay = TbsSkinMenu::kWaitInterval;
  options.MousePoll = TbsSkinMenu::kMouseInterval;
  options.ArmFirst = true;
  options.ClickParents = true;
  options.ScrollInterval = TbsSkinMenu::kScrollInterval;
  return options;
}

bool HasVisibleChildFrom(const TMenuItem* item, int first) {
  for (int i = std::max(first, 0); i < item->Count(); ++i)
    if (item->Items(i)->Visible()) return true;
  return false;
}

void Tell(TControl* control, UINT message) {
  if (!control) return;
  if (auto* window = dynamic_cast<TWinControl*>(control); window && window->HandleAllocated()) {
    SendMessage(window->Handle(), message, 0, 0);
  } else {
    control->Perform(message, 0, 0);
  }
}

}  // namespace

// ---- TbsSkinMenu ---------------------------------------------------------------------

TClass TbsSkinMenu::StaticClass() {
  using C = TbsSkinMenu;
  static const TClassInfo info(
      TClassBuilder<C>("TbsSkinMenu")
          .Property("UseSkinFont", &C::UseSkinFont)
          .Default(false)
          .Property("DefaultMenuItemHeight", &C::DefaultMenuItemHeight, &C::SetDefaultMenuItemHeight)
          .Default(20)
          .Property("DefaultMenuItemFont", &C::DefaultMenuItemFont, &C::SetDefaultMenuItemFont)
          .Property("AlphaBlend", &C::AlphaBlend)
          .Default(false)
          .Property("AlphaBlendValue", &C::AlphaBlendValue)
          .Default(150)
          .Property("AlphaBlendAnimation", &C::AlphaBlendAnimation)
          .Default(false)
          .Property("MaxMenuItemsInWindow", &C::MaxMenuItemsInWindow, &C::SetMaxMenuItemsInWindow)
          .Default(0));
  return &info;
}

TbsSkinMenu::TbsSkinMenu(TComponent* owner) : TComponent(owner), FDefaultMenuItemFont(std::make_unique<TFont>()) {
  FDefaultMenuItemFont->SetName(bsDefaultFontName);
  FDefaultMenuItemFont->SetCharset(bsDefaultFontCharset);
  FDefaultMenuItemFont->SetHeight(-12);
}

TbsSkinMenu::~TbsSkinMenu() {
  Destroying();
  *FAlive = false;
  if (FTracker) FTracker->Cancel();
  SetPopupControl(nullptr);
  SetCommandControl(nullptr);
}

void TbsSkinMenu::SetDefaultMenuItemHeight(int value) {
  if (value > 0) FDefaultMenuItemHeight = value;
}

void TbsSkinMenu::SetDefaultMenuItemFont(const TFont* value) { FDefaultMenuItemFont->Assign(value); }

void TbsSkinMenu::SetMaxMenuItemsInWindow(int value) {
  if (value >= 0) FMaxMenuItemsInWindow = value;
}

void TbsSkinMenu::TakeFrameSettings(const TbsSkinForm& frame) {
  SetMaxMenuItemsInWindow(frame.MaxMenuItemsInWindow());
  SetDefaultMenuItemHeight(frame.DefMenuItemHeight());
  SetDefaultMenuItemFont(frame.DefMenuItemFont());
  UseSkinFont = frame.UseSkinFontInMenu;
  AlphaBlend = frame.MenusAlphaBlend;
  AlphaBlendAnimation = frame.MenusAlphaBlendAnimation;
  AlphaBlendValue = frame.MenusAlphaBlendValue;
}

TCustomForm* TbsSkinMenu::OwnerForm() const {
  if (auto* frame = dynamic_cast<TbsSkinForm*>(Owner())) return frame->Form();
  return dynamic_cast<TCustomForm*>(Owner());
}

int TbsSkinMenu::PopupCount() const { return FTracker ? FTracker->PopupCount() : 0; }

TbsSkinPopupWindow* TbsSkinMenu::PopupWindow(int level) const {
  return FTracker ? static_cast<TbsSkinPopupWindow*>(FTracker->Popup(level)) : nullptr;
}

std::unique_ptr<TMenuPopup> TbsSkinMenu::CreatePopup(TMenuTracker& tracker, TMenuItem* parent, int level, int first) {
  return std::make_unique<TbsSkinPopupWindow>(*this, tracker, parent, level, level == 0 ? first : 0);
}

TMenuTrackEnd TbsSkinMenu::Popup(TControl* popupControl, TbsSkinData* skin, bool popupUp, TMenuItem* item,
                                 const RECT& anchor, int first, const TbsMenuDropOptions* drop) {
  FFirst = !FVisible;
  // An open chain makes room for the new one.
  if (FTracker) FTracker->Cancel();
  SetPopupControl(popupControl);
  TCustomForm* form = OwnerForm();
  MONITORINFO monitor;
  const HMONITOR where = form && form->HandleAllocated() ? MonitorFromWindow(form->Handle(), MONITOR_DEFAULTTONEAREST)
                                                         : MonitorFromPoint(anchor.TopLeft(), MONITOR_DEFAULTTONEAREST);
  GetMonitorInfo(where, &monitor);
  FWorkArea = monitor.rcWork;
  FSkin = skin && !skin->Empty() ? skin : nullptr;
  if (!item || !HasVisibleChildFrom(item, first)) {
    FFirst = false;
    return TMenuTrackEnd::Closed;
  }
  FVisible = true;
  // A command may free the engine (its form closing) while the chain runs.
  const std::shared_ptr<bool> alive = FAlive;
  TMenuTracker tracker(item, *this, SkinTrackOptions());
  tracker.OnClosed = [this, alive, &tracker, drop] {
    if (*alive) ChainClosed();
    if (drop && drop->OnClosed) drop->OnClosed(tracker.Chosen() != nullptr);
  };
  if (drop) {
    tracker.OnMouseOutside = drop->OnMouseOutside;
    tracker.LeaveSideways = drop->LeaveSideways;
  }
  TMenuAnchor at;
  at.Rect = anchor;
  at.Under = true;
  at.PopupUp = popupUp;
  TMenuTracker* outer = FTracker;
  FTracker = &tracker;
  TMenuTrackEnd end;
  try {
    end = tracker.Track(at, false, first);
  } catch (...) {
    if (!*alive) throw;
    FTracker = outer;
    if (FVisible) ChainClosed();
    throw;
  }
  if (!*alive) return end;
  FTracker = outer;
  if (FVisible) ChainClosed();  // nothing could be shown
  if (end == TMenuTrackEnd::Chosen) Tell(FCommandControl, WM_BSMENUCOMMAND);
  return end;
}

void TbsSkinMenu::ChainClosed() {
  FVisible = false;
  FFirst = false;
  SetCommandControl(FPopupControl);
  if (TCustomForm* form = OwnerForm(); form && form->HandleAllocated())
    SendMessage(form->Handle(), WM_BSMENUCLOSED, 0, 0);
  if (FPopupControl != OwnerForm()) Tell(FPopupControl, WM_BSMENUCLOSED);
  TNotifyEvent onClose = std::move(FOnClose);
  FOnClose = nullptr;
  onClose(this);
}

void TbsSkinMenu::CloseAll() {
  if (FTracker) FTracker->Cancel();
}

void TbsSkinMenu::SetPopupControl(TControl* value) {
  if (FPopupControl == value) return;
  if (FPopupControl && FPopupControl != FCommandControl) FPopupControl->RemoveFreeNotification(this);
  FPopupControl = value;
  if (FPopupControl) FPopupControl->FreeNotification(this);
}

void TbsSkinMenu::SetCommandControl(TControl* value) {
  if (FCommandControl == value) return;
  if (FCommandControl && FCommandControl != FPopupControl) FCommandControl->RemoveFreeNotification(this);
  FCommandControl = value;
  if (FCommandControl) FCommandControl->FreeNotification(this);
}

void TbsSkinMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FPopupControl) FPopupControl = nullptr;
  if (component == FCommandControl) FCommandControl = nullptr;
}

// ---- Finding the engine --------------------------------------------------------------

TbsSkinMenu* SkinMenuOf(TbsSkinForm* frame) {
  if (!frame) return nullptr;
  for (int i = 0; i < frame->ComponentCount(); ++i)
    if (auto* engine = dynamic_cast<TbsSkinMenu*>(frame->Components(i))) return engine;
  return new TbsSkinMenu(frame);
}

void PopupThroughFrame(TbsSkinForm* frame, TPopupMenu* menu, POINT at) {
  if (!frame || !menu) return;
  menu->OnPopup()(menu);
  frame->MenuMode().Popup(menu->Items(), {at.X, at.Y, at.X, at.Y}, false,
                          frame->MenusSkinData() ? frame->MenusSkinData() : frame->SkinData(), nullptr);
}

TbsSkinForm* FindSkinForm(const TComponent* form) {
  if (!form) return nullptr;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* frame = dynamic_cast<TbsSkinForm*>(form->Components(i))) return frame;
  return nullptr;
}

// ---- TbsSkinPopupMenu ----------------------------------------------------------------

TClass TbsSkinPopupMenu::StaticClass() {
  using C = TbsSkinPopupMenu;
  static const TClassInfo info(TClassBuilder<C>("TbsSkinPopupMenu")
                                   .Property("SkinData", &C::SkinData, &C::SetSkinData)
                                   .Property("OnMenuClose", &C::OnMenuClose, &C::SetOnMenuClose));
  return &info;
}

TbsSkinPopupMenu::TbsSkinPopupMenu(TComponent* owner) : TPopupMenu(owner) {}

void TbsSkinPopupMenu::SetSkinData(TbsSkinData* value) {
  if (FSkinData == value) return;
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = value;
  if (FSkinData) FSkinData->FreeNotification(this);
}

void TbsSkinPopupMenu::SetPopupForm(TCustomForm* value) {
  if (FPopupForm == value) return;
  if (FPopupForm) FPopupForm->RemoveFreeNotification(this);
  FPopupForm = value;
  if (FPopupForm) FPopupForm->FreeNotification(this);
}

void TbsSkinPopupMenu::Notification(TComponent* component, TOperation operation) {
  TPopupMenu::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FSkinData) FSkinData = nullptr;
  if (component == FPopupForm) FPopupForm = nullptr;
}

TbsSkinForm* TbsSkinPopupMenu::FindFrame() const {
  if (FPopupForm) return FindSkinForm(FPopupForm);
  TComponent* owner = Owner();
  if (TbsSkinForm* frame = FindSkinForm(owner)) return frame;
  if (owner && dynamic_cast<TCustomForm*>(owner->Owner())) return FindSkinForm(owner->Owner());
  return nullptr;
}

void TbsSkinPopupMenu::Popup(int x, int y) { Open(nullptr, {x, y, x, y}, false, false); }

void TbsSkinPopupMenu::PopupFromEdit(TControl* edit, int x, int y) { Open(edit, {x, y, x, y}, false, true); }

void TbsSkinPopupMenu::Open(TControl* control, const RECT& anchor, bool popupUp, bool needSkin) {
  FLastPopupPoint = anchor.TopLeft();
  OnPopup()(this);
  TbsSkinForm* frame = FindFrame();
  if (!frame) return;
  TbsSkinData* skin = FSkinData ? FSkinData : frame->MenusSkinData() ? frame->MenusSkinData() : frame->SkinData();
  if (needSkin && (!skin || skin->Empty())) return;
  // The frame marks its menu open and closes it on its closing messages.
  SkinMenuOf(frame)->SetCloseEvent([this](TObject*) { FOnMenuClose(this); });
  frame->MenuMode().Popup(Items(), anchor, popupUp, skin, control);
}

// ---- Registration --------------------------------------------------------------------

void RegisterSkinMenuClasses() {
  static const bool registered = [] {
    RegisterClasses({TbsSkinMenu::StaticClass(), TbsSkinPopupMenu::StaticClass()});
    return true;
  }();
  (void)registered;
}

}  // namespace kora

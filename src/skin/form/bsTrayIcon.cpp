// The tray icon: its record in the notification area, the hidden window
// that hears the area's callback messages, clicks told from double-clicks
// by the system's double-click time, the popup menu at the cursor, the
// animation through an image list, and the application hidden in the tray.

#include "skin/form/bsTrayIcon.h"

#include <algorithm>
#include <cstring>

#include "framework/core/ClassBuilder.h"
#include "platform/window/WindowSystem.h"
#include "skin/form/bsSkinMenus.h"

namespace kora {

namespace {

constexpr const char* kWindowClass = "TbsTrayIconWindow";
constexpr const char* kIconProp = "TrayIcon";

// At most count bytes of UTF-8 text, not cutting a character in two.
// The first `count` characters of a UTF-8 text.
std::string CutUtf8(const std::string& text, size_t count) {
  size_t end = 0;
  for (size_t characters = 0; end < text.size() && characters < count; ++characters) {
    ++end;
    while (end < text.size() && (uint8_t(text[end]) & 0xC0) == 0x80) ++end;
  }
  return text.substr(0, end);
}

// The notification area shows at most this many characters of a tip.
constexpr size_t kTipCharacters = 127;

// The item a double-click on the icon runs.
TMenuItem* DefaultItem(const TMenuItem* items) {
  for (int i = 0; i < items->Count(); ++i)
    if (items->Items(i)->Default() && items->Items(i)->Visible()) return items->Items(i);
  return nullptr;
}

TCustomForm* OwnerFormOf(TComponent* owner) {
  if (auto* form = dynamic_cast<TCustomForm*>(owner)) return form;
  return Application ? Application->MainForm() : nullptr;
}

}  // namespace

TClass TbsTrayIcon::StaticClass() {
  using C = TbsTrayIcon;
  static const TClassInfo info(
      TClassBuilder<C>("TbsTrayIcon")
          .Property("Icon", &C::Icon, &C::SetIcon)
          .Property("IconVisible", &C::IconVisible, &C::SetIconVisible)
          .Default(true)
          .Property("IconList", &C::IconList, &C::SetIconList)
          .Property("IconIndex", &C::IconIndex, &C::SetIconIndex)
          .Default(0)
          .Property("CycleIcons", &C::CycleIcons, &C::SetCycleIcons)
          .Default(false)
          .Property("AnimateTimerInterval", &C::AnimateTimerInterval, &C::SetAnimateTimerInterval)
          .Default(150)
          .Property("Hint", &C::Hint, &C::SetHint)
          .Property("ShowHint", &C::ShowHint, &C::SetShowHint)
          .Default(true)
          .Property("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
          .Property("PopupByLeftButton", &C::PopupByLeftButton)
          .Default(false)
          .Property("MinimizedOnStart", &C::MinimizedOnStart)
          .Default(false)
          .Property("MinimizeToTray", &C::MinimizeToTray)
          .Default(true)
          .Property("DesignPreview", &C::DesignPreview)
          .Default(false)
          .Property("Enabled", &C::Enabled)
          .Default(true)
          .Property("OnClick", &C::OnClick)
          .Property("OnDblClick", &C::OnDblClick)
          .Property("OnMouseDown", &C::OnMouseDown)
          .Property("OnMouseUp", &C::OnMouseUp)
          .Property("OnMouseMove", &C::OnMouseMove)
          .Property("OnCycle", &C::OnCycle)
          .Property("OnBalloonHintClick", &C::OnBalloonHintClick));
  return &info;
}

TbsTrayIcon::TbsTrayIcon(TComponent* owner)
    : TComponent(owner), FIcon(std::make_unique<TIcon>()), FAlive(std::make_shared<bool>(true)) {
  FAnimateTimer = std::make_unique<TTimer>(nullptr);
  FAnimateTimer->SetEnabled(false);
  FAnimateTimer->SetInterval(FAnimateTimerInterval);
  FAnimateTimer->SetOnTimer([this](TObject*) { CycleTimer(); });
  FClickTimer = std::make_unique<TTimer>(nullptr);
  FClickTimer->SetEnabled(false);
  FClickTimer->SetOnTimer([this](TObject*) { ClickTimer(); });
  FTaskbarCreated = RegisterWindowMessage(kTaskbarCreatedMessage);

  WNDCLASS existing;
  if (!GetClassInfo(kWindowClass, &existing)) {
    WNDCLASS wc;
    wc.lpfnWndProc = &MessageProc;
    wc.lpszClassName = kWindowClass;
    RegisterClass(&wc);
  }
  FWindow = CreateWindowEx(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, HWND{}, 0, nullptr);
  SetProp(FWindow, kIconProp, reinterpret_cast<uintptr_t>(this));

  // A minimized application goes into the tray; the handler stays behind
  // us as a pass-through so handlers chained after ours keep working.
  if (Application) {
    TNotifyEvent previous = Application->OnMinimize;
    std::shared_ptr<bool> alive = FAlive;
    Application->OnMinimize = [this, previous, alive](TObject* sender) {
      previous(sender);
      if (*alive && MinimizeToTray && !ComponentState().Contains(csDesigning)) HideApplication();
    };
    // However the application is restored (the frame's restore from the
    // tray, a task switch), the windows hidden in the tray come back.
    TNotifyEvent previousRestore = Application->OnRestore;
    Application->OnRestore = [this, previousRestore, alive](TObject* sender) {
      previousRestore(sender);
      if (*alive) Restore();
    };
  }
  if (auto* form = dynamic_cast<TCustomForm*>(owner); form && !ComponentState().Contains(csDesigning)) {
    // Back from the tray the form's active control has the focus again.
    TWndMethod previous = form->WindowProc;
    std::shared_ptr<bool> alive = FAlive;
    form->WindowProc = [form, previous, alive](TMessage& message) {
      previous(message);
      if (*alive && message.Msg == WM_ACTIVATE && LOWORD(message.WParam) != WA_INACTIVE && form->ActiveControl() &&
          form->ActiveControl()->CanFocus())
        form->ActiveControl()->SetFocus();
    };
  }
  Designed();
}

TbsTrayIcon::~TbsTrayIcon() {
  Destroying();
  *FAlive = false;
  if (FShown) Shell_NotifyIcon(NIM_DELETE, &FData);
  FShown = false;
  FAnimateTimer.reset();
  FClickTimer.reset();
  if (IsWindow(FWindow)) {
    RemoveProp(FWindow, kIconProp);
    DestroyWindow(FWindow);
  }
  SetPopupMenu(nullptr);
  SetIconList(nullptr);
}

void TbsTrayIcon::Designed() {
  if (ComponentState().Contains(csLoading)) return;
  FAnimateTimer->SetEnabled(FCycleIcons && !ComponentState().Contains(csDesigning));
  Update();
}

void TbsTrayIcon::Loaded() {
  TComponent::Loaded();
  Designed();
}

void TbsTrayIcon::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FPopupMenu) FPopupMenu = nullptr;
  if (component == FIconList) {
    FIconList = nullptr;
    Update();
  }
}

// ---- Properties -------------------------------------------------------------------------

void TbsTrayIcon::SetIcon(const TIcon* value) {
  FIcon->Assign(value);
  Update();
}

void TbsTrayIcon::SetIconVisible(bool value) {
  FIconVisible = value;
  Update();
}

void TbsTrayIcon::SetIconList(TCustomImageList* value) {
  if (FIconList == value) return;
  if (FIconList) FIconList->RemoveFreeNotification(this);
  FIconList = value;
  if (FIconList) FIconList->FreeNotification(this);
  if (!ComponentState().Contains(csDestroying)) Update();
}

void TbsTrayIcon::SetIconIndex(int32_t value) {
  if (FIconIndex == value) return;
  FIconIndex = value;
  Update();
}

void TbsTrayIcon::SetCycleIcons(bool value) {
  FCycleIcons = value;
  Designed();
}

void TbsTrayIcon::SetAnimateTimerInterval(uint32_t value) {
  FAnimateTimerInterval = value;
  FAnimateTimer->SetInterval(value);
}

void TbsTrayIcon::SetHint(const std::string& value) {
  if (FHint == value) return;
  FHint = value;
  Update();
}

void TbsTrayIcon::SetShowHint(bool value) {
  if (FShowHint == value) return;
  FShowHint = value;
  Update();
}

void TbsTrayIcon::SetPopupMenu(TPopupMenu* value) {
  if (FPopupMenu == value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = value;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TbsTrayIcon::SetDefaultTrayPopup(TPopupMenu* menu, TNotifyEvent onActivate) {
  if (!FPopupMenu) SetPopupMenu(menu);
  if (!OnDblClick) OnDblClick = std::move(onActivate);
}

// ---- The icon in the area -----------------------------------------------------------

HICON TbsTrayIcon::CurrentIcon() {
  if (FIconList && FIconIndex >= 0 && FIconIndex < FIconList->Count()) {
    // The picture over a key colour, and a mask of where that shows.
    const int w = FIconList->Width();
    const int h = FIconList->Height();
    constexpr TColor kKey = TColor(0xFF00FF);
    TBitmap color;
    color.SetSize(w, h);
    color.Canvas()->Brush()->SetColor(kKey);
    color.Canvas()->FillRect({0, 0, w, h});
    FIconList->Draw(color.Canvas(), 0, 0, FIconIndex);
    TBitmap mask;
    mask.SetSize(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool clear = color.Canvas()->Pixels(x, y) == kKey;
        mask.Canvas()->SetPixels(x, y, clear ? clWhite : clBlack);
        if (clear) color.Canvas()->SetPixels(x, y, clBlack);
      }
    ICONINFO info;
    info.hbmMask = mask.Handle();
    info.hbmColor = color.Handle();
    FListIcon = std::make_unique<TIcon>();
    FListIcon->SetHandle(CreateIconIndirect(&info));
    return FListIcon->Handle();
  }
  if (!FIcon->Empty()) return FIcon->Handle();
  if (const TCustomForm* form = OwnerFormOf(Owner()); form && form->Icon() && !form->Icon()->Empty())
    return form->Icon()->Handle();
  if (!FListIcon || FListIcon->Empty()) {
    FListIcon = std::make_unique<TIcon>();
    FListIcon->LoadSystemIcon(IDI_APPLICATION, 16);
  }
  return FListIcon->Handle();
}

void TbsTrayIcon::FillData() {
  FData = {};
  FData.hWnd = FWindow;
  FData.uID = kIconId;
  FData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  FData.uCallbackMessage = kCallbackMessage;
  FData.hIcon = CurrentIcon();
  const std::string tip = FShowHint ? CutUtf8(FHint, kTipCharacters) : std::string();
  std::memcpy(FData.szTip, tip.data(), tip.size());
}

void TbsTrayIcon::Update() {
  const TComponentState state = ComponentState();
  if (state.Contains(csLoading) || state.Contains(csDestroying)) return;
  if (state.Contains(csDesigning) && !DesignPreview) return;
  if (FIconVisible) {
    FillData();
    // A notification area that is not there leaves the icon hidden; it
    // comes when the area starts ("TaskbarCreated").
    FShown = FShown ? Shell_NotifyIcon(NIM_MODIFY, &FData) || Shell_NotifyIcon(NIM_ADD, &FData)
                    : Shell_NotifyIcon(NIM_ADD, &FData);
  } else if (FShown) {
    Shell_NotifyIcon(NIM_DELETE, &FData);
    FShown = false;
  }
}

void TbsTrayIcon::CycleTimer() {
  if (!FIconList || FIconList->Count() == 0) return;
  FIconIndex = FIconIndex + 1 >= FIconList->Count() ? 0 : FIconIndex + 1;
  Update();
  OnCycle(this);
}

// ---- The mouse on the icon ----------------------------------------------------------

LRESULT TbsTrayIcon::MessageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* icon = reinterpret_cast<TbsTrayIcon*>(GetProp(hwnd, kIconProp));
  if (icon) {
    if (msg == kCallbackMessage && wParam == kIconId) {
      icon->IconMessage(UINT(lParam));
      return 0;
    }
    if (msg == icon->FTaskbarCreated) {
      // The area came back without our icon.
      icon->FShown = false;
      icon->Update();
      return 0;
    }
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void TbsTrayIcon::IconMessage(UINT mouseMessage) {
  if (!Enabled) return;
  POINT p;
  GetCursorPos(&p);
  const TShiftState shift{};
  switch (mouseMessage) {
    case WM_MOUSEMOVE: OnMouseMove(this, shift, p.X, p.Y); break;
    case WM_LBUTTONDOWN:
      FClickTimer->SetEnabled(false);
      FClickTimer->SetInterval(GetDoubleClickTime());
      FClickTimer->SetEnabled(true);
      FClickStarted = true;
      FClickReady = false;
      OnMouseDown(this, mbLeft, shift, p.X, p.Y);
      if (PopupByLeftButton) OpenPopup();
      break;
    case WM_LBUTTONUP:
      if (FClickStarted) {
        if (FClickTimer->Enabled()) {
          FClickReady = true;  // the timer tells it from a double-click
        } else {
          FClickStarted = false;
          OnClick(this);
        }
      }
      OnMouseUp(this, mbLeft, shift, p.X, p.Y);
      break;
    case WM_LBUTTONDBLCLK:
      FClickTimer->SetEnabled(false);
      FClickStarted = FClickReady = false;
      OnDblClick(this);
      if (FPopupMenu && FPopupMenu->AutoPopup() && !PopupByLeftButton)
        if (TMenuItem* item = DefaultItem(FPopupMenu->Items())) item->Click();
      break;
    case WM_RBUTTONDOWN:
      OnMouseDown(this, mbRight, shift, p.X, p.Y);
      OpenPopup();
      break;
    case WM_RBUTTONUP: OnMouseUp(this, mbRight, shift, p.X, p.Y); break;
    case WM_MBUTTONDOWN: OnMouseDown(this, mbMiddle, shift, p.X, p.Y); break;
    case WM_MBUTTONUP: OnMouseUp(this, mbMiddle, shift, p.X, p.Y); break;
    case NIN_BALLOONUSERCLICK: OnBalloonHintClick(this); break;
    default: break;
  }
}

void TbsTrayIcon::ClickTimer() {
  FClickTimer->SetEnabled(false);
  if (!FClickReady) return;  // still held: the release counts it
  FClickReady = FClickStarted = false;
  OnClick(this);
}

void TbsTrayIcon::OpenPopup() {
  if (!FPopupMenu || !FPopupMenu->AutoPopup()) return;
  POINT p;
  GetCursorPos(&p);
  TCustomForm* form = OwnerFormOf(Owner());
  if (auto* skinned = dynamic_cast<TbsSkinPopupMenu*>(FPopupMenu)) {
    if (!skinned->PopupForm() && form) skinned->SetPopupForm(form);
    skinned->Popup(p.X, p.Y);
  } else if (TbsSkinForm* frame = FindSkinForm(form)) {
    PopupThroughFrame(frame, FPopupMenu, p);
  } else {
    FPopupMenu->Popup(p.X, p.Y);
  }
}

// ---- The application in the tray ----------------------------------------------------

void TbsTrayIcon::HideApplication() {
  if (FAppHidden) return;
  FAppHidden = true;
  FHiddenWindows.clear();
  EnumWindows(
      [](HWND hwnd, LPARAM list) {
        if (IsWindowVisible(hwnd) && dynamic_cast<TCustomForm*>(TWinControl::FindControl(hwnd)))
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return true;
      },
      reinterpret_cast<LPARAM>(&FHiddenWindows));
  for (HWND hwnd : FHiddenWindows) ShowWindow(hwnd, SW_HIDE);
  // Hidden windows need a way back: the icon shows while they are away.
  if (!FIconVisible) SetIconVisible(true);
}

void TbsTrayIcon::Restore() {
  if (!FAppHidden) return;
  FAppHidden = false;
  // Minimized on the way into the tray, they come back restored.
  for (HWND hwnd : FHiddenWindows)
    if (IsWindow(hwnd)) ShowWindow(hwnd, IsIconic(hwnd) ? SW_RESTORE : SW_SHOW);
  FHiddenWindows.clear();
  if (Application) {
    Application->Restore();
    if (TCustomForm* main = Application->MainForm(); main && main->HandleAllocated())
      SetForegroundWindow(main->Handle());
  }
}

void RegisterTrayIconClasses() {
  static const bool registered = [] {
    RegisterClasses({TbsTrayIcon::StaticClass()});
    return true;
  }();
  (void)registered;
}

}  // namespace kora

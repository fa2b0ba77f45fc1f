// TCustomForm: the frame a form asks for, showing modally, closing with a
// query, key preview, menu short-cuts and the focused control.

#include "framework/core/ClassBuilder.h"
#include "framework/forms/Forms.h"
#include "framework/menus/Menus.h"
#include "platform/window/WindowSystem.h"

namespace kora {

const TTypeInfo* TypeInfoOf(TBorderIcon) {
  static const TTypeInfo info = EnumTypeInfo("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
  return &info;
}
const TTypeInfo* TypeInfoOf(TBorderIcons) {
  static const TTypeInfo info = SetTypeInfo("TBorderIcons", TypeInfoOf(TBorderIcon{}));
  return &info;
}
const TTypeInfo* TypeInfoOf(TFormStyle) {
  static const TTypeInfo info = EnumTypeInfo("TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});
  return &info;
}
const TTypeInfo* TypeInfoOf(TWindowState) {
  static const TTypeInfo info = EnumTypeInfo("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
  return &info;
}
const TTypeInfo* TypeInfoOf(TPosition) {
  static const TTypeInfo info =
      EnumTypeInfo("TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                                 "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
  return &info;
}

TClass TCustomForm::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TCustomForm>("TCustomForm")
          .Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
          .Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
          .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize})
          .Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
          .Default(bsSizeable)
          .Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
          .Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
          .Property("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle)
          .Default(fsNormal)
          .Property("HelpContext", &TCustomForm::HelpContext, &TCustomForm::SetHelpContext)
          .Default(0)
          .Property("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon)
          .Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
          .Default(false)
          .Property("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
          .Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition)
          .Default(poDesigned)
          .Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState)
          .Default(wsNormal)
          .Property("OnActivate", &TCustomForm::OnActivate)
          .Property("OnClose", &TCustomForm::OnClose)
          .Property("OnCloseQuery", &TCustomForm::OnCloseQuery)
          .Property("OnCreate", &TCustomForm::OnCreate)
          .Property("OnDeactivate", &TCustomForm::OnDeactivate)
          .Property("OnDestroy", &TCustomForm::OnDestroy)
          .Property("OnHide", &TCustomForm::OnHide)
          .Property("OnShow", &TCustomForm::OnShow)
          .Redeclare("Visible")
          .Default(false));
  return &info;
}

TClass TForm::StaticClass() {
  static const TClassInfo info(TClassBuilder<TForm>("TForm"));
  return &info;
}

TCustomForm::TCustomForm(TComponent* owner) : TScrollingWinControl(owner), FIcon(std::make_unique<TIcon>()) {
  FIcon->OnChange = [this](TObject*) {
    if (HandleAllocated()) SendMessage(Handle(), WM_SETICON, ICON_BIG, LPARAM(FIcon->Handle().Value()));
  };
  // A form starts hidden; Show or ShowModal puts it on screen.
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  DoDestroy();
  if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
  Screen->RemoveForm(this);
  DestroyComponents();
}

void TCustomForm::DoDestroy() {
  if (!FCreated) return;
  FCreated = false;
  OnDestroy(this);
}

void TCustomForm::StreamLoaded() {
  FCreated = true;
  OnCreate(this);
}

void TCustomForm::SetIcon(const TIcon* value) { FIcon->Assign(value); }

void TCustomForm::SetWindowState(TWindowState value) {
  if (value == FWindowState) return;
  if (HandleAllocated() && IsWindowVisible(Handle())) {
    // WM_SIZE records the state the window takes.
    const int show[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(Handle(), show[value]);
    return;
  }
  FWindowState = value;
}

RECT TCustomForm::ClientRect() const {
  if (HandleAllocated()) return TScrollingWinControl::ClientRect();
  return {0, 0, FClientWidth > 0 ? FClientWidth : Width(), FClientHeight > 0 ? FClientHeight : Height()};
}

void TCustomForm::SetClientWidth(int value) {
  FClientWidth = std::max(value, 0);
  if (HandleAllocated()) ApplyClientSize();
}

void TCustomForm::SetClientHeight(int value) {
  FClientHeight = std::max(value, 0);
  if (HandleAllocated()) ApplyClientSize();
}

void TCustomForm::ApplyClientSize() {
  if (FApplyingClientSize || !HandleAllocated() || IsIconic(Handle()) || IsZoomed(Handle())) return;
  const RECT client = TScrollingWinControl::ClientRect();
  const int width = FClientWidth > 0 ? FClientWidth : client.Right;
  const int height = FClientHeight > 0 ? FClientHeight : client.Bottom;
  if (width == client.Right && height == client.Bottom) return;
  FApplyingClientSize = true;
  try {
    SetClientSize(width, height);
  } catch (...) {
    FApplyingClientSize = false;
    throw;
  }
  FApplyingClientSize = false;
}

void TCustomForm::WindowPosChanged(const WINDOWPOS* wp) {
  if (!wp || !HandleAllocated() || IsIconic(Handle()) || IsZoomed(Handle())) return;
  if (wp->flags & SWP_FRAMECHANGED) {
    ApplyClientSize();
  } else if (!(wp->flags & SWP_NOSIZE) && !FApplyingClientSize) {
    // Sized by the user or the program: that is the client size asked for now.
    const RECT client = TScrollingWinControl::ClientRect();
    if (FClientWidth > 0) FClientWidth = client.Right;
    if (FClientHeight > 0) FClientHeight = client.Bottom;
  }
}

void TCustomForm::SizeChanged(WPARAM type) {
  const TWindowState state = type == SIZE_MINIMIZED ? wsMinimized : type == SIZE_MAXIMIZED ? wsMaximized : wsNormal;
  if (type != SIZE_RESTORED && type != SIZE_MINIMIZED && type != SIZE_MAXIMIZED) return;
  const bool wasMinimized = FWindowState == wsMinimized;
  FWindowState = state;
  if (!Application) return;
  if (state == wsMinimized && !wasMinimized) Application->FormMinimized(this, true);
  if (state != wsMinimized && wasMinimized) Application->FormMinimized(this, false);
}

void TCustomForm::SetCreateParamsHook(TCreateParamsHook hook) { FCreateParamsHook = std::move(hook); }

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
  if (FBorderIcons == value) return;
  FBorderIcons = value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
  if (FFormStyle == value) return;
  FFormStyle = value;
  if (HandleAllocated()) {
    SetWindowPos(Handle(), value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (FActiveControl == control) return;
  if (control && (control == this || GetParentForm(control) != this))
    throw EInvalidOperation("Invalid control for ActiveControl");
  if (FActiveControl) FActiveControl->RemoveFreeNotification(this);
  FActiveControl = control;
  if (FActiveControl) FActiveControl->FreeNotification(this);
  Screen->FocusChanged(this);
  if (FActive && control && control->CanFocus()) control->SetFocus();
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  TScrollingWinControl::SetFocusedControl(control);
  if (control != this && FocusedControl() == control && FActiveControl != control) {
    if (FActiveControl) FActiveControl->RemoveFreeNotification(this);
    FActiveControl = control;
    if (FActiveControl) FActiveControl->FreeNotification(this);
  }
  Screen->FocusChanged(this);
}

void TCustomForm::SetMenu(TMainMenu* value) {
  if (FMenu == value) return;
  if (FMenu) FMenu->RemoveFreeNotification(this);
  if (FMenu) FMenu->SetWindowHandle(HWND{});
  FMenu = value;
  if (FMenu) FMenu->FreeNotification(this);
  PlainMenuBarChanged(*this);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TScrollingWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FActiveControl) {
    FActiveControl = nullptr;
    Screen->FocusChanged(this);
  }
  if (component == FMenu) {
    FMenu = nullptr;
    PlainMenuBarChanged(*this);
  }
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TScrollingWinControl::CreateParams(params);
  params.WndParent = HWND{};
  params.Style &=
      ~(WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER | WS_DLGFRAME);
  params.Style |= WS_POPUP | WS_CLIPCHILDREN;
  // Shown once its children exist (CreateHandle), or it would take the
  // activation while there is nothing to focus yet.
  params.Style &= ~WS_VISIBLE;
  switch (FBorderStyle) {
    case bsNone: break;
    case bsSingle:
    case bsToolWindow: params.Style |= WS_CAPTION; break;
    case bsSizeable:
    case bsSizeToolWin: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      params.Style |= WS_CAPTION;
      params.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) params.ExStyle |= WS_EX_TOOLWINDOW;
  if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
    params.Style |= WS_SYSMENU;
    // Dialogs and tool windows have no minimize or maximize buttons.
    if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin) {
      if (FBorderIcons.Contains(biMinimize)) params.Style |= WS_MINIMIZEBOX;
      if (FBorderIcons.Contains(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (FFormStyle == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
  if (Application && Application->MainForm() && Application->MainForm() != this &&
      Application->MainForm()->HandleAllocated())
    params.WndParent = Application->MainForm()->Handle();  // the owner: stays above the main form
  if (FCreateParamsHook) FCreateParamsHook(params);
}

void TCustomForm::CreateHandle() {
  TScrollingWinControl::CreateHandle();
  if (!FIcon->Empty()) SendMessage(Handle(), WM_SETICON, ICON_BIG, LPARAM(FIcon->Handle().Value()));
  ApplyClientSize();
  if (Visible() && !IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOWNA);
}

void TCustomForm::PlaceOnScreen() {
  const TCustomForm* center = nullptr;
  switch (FPosition) {
    case poMainFormCenter: center = Application ? Application->MainForm() : nullptr; break;
    case poOwnerFormCenter: center = dynamic_cast<const TCustomForm*>(Owner()); break;
    default: break;
  }
  if (center == this) center = nullptr;
  RECT area;
  if (center && center->Visible()) {
    area = center->BoundsRect();
  } else if (FPosition == poScreenCenter || FPosition == poDesktopCenter || FPosition == poMainFormCenter ||
             FPosition == poOwnerFormCenter) {
    MONITORINFO monitor;
    GetMonitorInfo(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    area = monitor.rcWork;
  } else {
    return;
  }
  SetBounds(area.Left + (area.Right - area.Left - Width()) / 2, area.Top + (area.Bottom - area.Top - Height()) / 2,
            Width(), Height());
}

void TCustomForm::VisibleChanging() {
  TScrollingWinControl::VisibleChanging();
  if (!Visible()) {
    // About to be shown.
    if (!FShown) PlaceOnScreen();
    FShown = true;
    if (!ComponentState().Contains(csLoading)) OnShow(this);
  } else {
    OnHide(this);
  }
}

void TCustomForm::WndProc(TMessage& message) {
  if (PlainMenuBarMessage(*this, message)) return;
  switch (message.Msg) {
    case WM_CLOSE: Close(); return;
    case WM_ACTIVATE:
      Activated(LOWORD(message.WParam) != WA_INACTIVE);
      // The default would move the focus we just placed to the form itself.
      if (LOWORD(message.WParam) != WA_INACTIVE && GetFocus() && IsChild(Handle(), GetFocus())) return;
      break;
    case WM_ACTIVATEAPP:
      if (!message.WParam && Application) Application->CancelHint();
      break;
    case CM_RELEASE: delete this; return;
    case CM_VISIBLECHANGED:
      // A top-level form has nobody else to ask for its window: showing it
      // makes the window (with its children's) and brings it up active.
      if (message.WParam && !Parent() && !ComponentState().Contains(csLoading)) {
        const int show[] = {SW_SHOW, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
        // Read the state first: making the window sends WM_SIZE, which resets it.
        const int command = show[FWindowState];
        ShowWindow(Handle(), command);
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED:
      TScrollingWinControl::WndProc(message);
      WindowPosChanged(reinterpret_cast<const WINDOWPOS*>(message.LParam));
      return;
    case WM_SIZE:
      TScrollingWinControl::WndProc(message);
      SizeChanged(message.WParam);
      return;
    default: break;
  }
  TScrollingWinControl::WndProc(message);
}

void TCustomForm::Activated(bool active) {
  if (FActive == active) return;
  FActive = active;
  Screen->FormActivated(this, active);
  if (active) {
    FocusActiveControl();
    OnActivate(this);
  } else {
    OnDeactivate(this);
  }
}

void TCustomForm::FocusActiveControl() {
  if (FActiveControl && FActiveControl->CanFocus()) {
    FActiveControl->SetFocus();
  } else if (!FActiveControl) {
    // The first control in tab order takes the focus.
    SelectNext(nullptr, true, true);
  }
}

bool TCustomForm::IsShortCut(const MSG& msg) {
  bool handled = false;
  OnShortCut(msg, handled);
  if (handled) return true;
  return FMenu && FMenu->IsShortCut(WORD(msg.wParam), KeyboardShiftState());
}

bool TCustomForm::PreviewKey(const MSG& msg) {
  WORD key = WORD(msg.wParam);
  if (FKeyPreview && msg.hwnd != (HandleAllocated() ? Handle() : HWND{})) {
    OnKeyDown(this, key, KeyboardShiftState());
    if (!key) return true;
  }
  return IsShortCut(msg);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FModal) {
    // A modal form closes by ending its loop; the query still applies.
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    OnClose(this, action);
    if (action == caNone) return;
    if (FModalResult == mrNone) FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = (Application && Application->MainForm() == this) ? caFree : caHide;
  OnClose(this, action);
  switch (action) {
    case caNone: return;
    case caHide: Hide(); break;
    case caMinimize:
      if (HandleAllocated()) ShowWindow(Handle(), SW_MINIMIZE);
      break;
    case caFree:
      if (Application && Application->MainForm() == this) {
        Hide();
        Application->Terminate();
      } else {
        Release();
      }
      break;
  }
}

void TCustomForm::Release() {
  if (HandleAllocated()) PostMessage(Handle(), CM_RELEASE, 0, 0);
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
  if (GetCapture()) SendMessage(GetCapture(), WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  const HWND previous = GetActiveWindow();
  std::vector<HWND> disabled;
  EnumWindows(
      [](HWND hwnd, LPARAM list) {
        if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return true;
      },
      reinterpret_cast<LPARAM>(&disabled));
  for (HWND hwnd : disabled) EnableWindow(hwnd, false);
  FModal = true;
  FModalResult = mrNone;
  const auto finish = [&] {
    FModal = false;
    for (HWND hwnd : disabled) {
      if (IsWindow(hwnd)) EnableWindow(hwnd, true);
    }
    if (Visible()) Hide();
    if (IsWindow(previous)) SetActiveWindow(previous);
  };
  try {
    Show();
    SetActiveWindow(Handle());
    // Activation placed the focus already unless the form was active before.
    if (!GetFocus() || GetFocus() == Handle()) FocusActiveControl();
    const auto done = [this] { return FModalResult != mrNone || !Visible(); };
    if (Application) {
      Application->ModalLoop(done);
    } else {
      MSG msg;
      while (!done() && GetMessage(&msg, HWND{}, 0, 0)) ProcessMessage(msg);
    }
    if (FModalResult == mrNone) FModalResult = mrCancel;
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return FModalResult;
}

}  // namespace kora

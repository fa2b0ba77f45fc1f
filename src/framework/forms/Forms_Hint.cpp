// Hints: the plain hint window and the application's hint timing (the
// pause before a hint shows, how long it stays, what cancels it).

#include <algorithm>

#include "framework/controls/ExtCtrls.h"
#include "framework/core/ClassBuilder.h"
#include "framework/forms/Forms.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"

namespace kora {

std::string GetShortHint(const std::string& hint) {
  const size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
  const size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

// ---- THintWindow ---------------------------------------------------------------

TClass THintWindow::StaticClass() {
  static const TClassInfo info(TClassBuilder<THintWindow>("THintWindow")
                                   .Redeclare("ParentColor")
                                   .Default(false)
                                   .Redeclare("ParentFont")
                                   .Default(false)
                                   .Redeclare("Visible")
                                   .Default(false));
  return &info;
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  SetColor(clInfoBk);
  Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = (params.Style & ~(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS)) | WS_POPUP;
  params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  params.WndParent = HWND{};
}

void THintWindow::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEACTIVATE: message.Result = MA_NOACTIVATE; return;
    case WM_ERASEBKGND: message.Result = 1; return;  // Paint covers every pixel
    default: break;
  }
  TCustomControl::WndProc(message);
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& hint, void*) {
  RECT r{0, 0, std::max(maxWidth, 1), 0};
  DrawText(Canvas()->Handle(), hint, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  // Room for the frame and the text's margin of two pixels on each side.
  return {0, 0, r.Right + 6, r.Bottom + 4};
}

void THintWindow::ActivateHint(RECT rect, const std::string& hint) { ActivateHintData(rect, hint, nullptr); }

void THintWindow::ActivateHintData(RECT rect, const std::string& hint, void*) {
  SetCaption(hint);
  const int width = rect.Right - rect.Left;
  const int height = rect.Bottom - rect.Top;
  MONITORINFO monitor;
  GetMonitorInfo(MonitorFromPoint({rect.Left, rect.Top}, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& screen = monitor.rcMonitor;
  int left = rect.Left;
  int top = rect.Top;
  if (left + width > screen.Right) left = screen.Right - width;
  if (top + height > screen.Bottom) top = screen.Bottom - height;
  left = std::max(left, screen.Left);
  top = std::max(top, screen.Top);
  SetBounds(left, top, width, height);
  SetWindowPos(Handle(), HWND_TOPMOST, left, top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  SetVisible(true);
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  SetVisible(false);
  DestroyHandle();
}

bool THintWindow::IsHintShown() const { return HandleAllocated() && Visible(); }

void THintWindow::Paint() {
  TCanvas* canvas = Canvas();
  const RECT client = ClientRect();
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(client);
  canvas->Brush()->SetColor(clBtnShadow);
  canvas->FrameRect(client);
  RECT text{client.Left + 2, client.Top + 2, client.Right - 2, client.Bottom - 2};
  HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToColorRef(Font()->Color()));
  DrawText(dc, Caption(), &text, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

// ---- TApplication: hints ---------------------------------------------------------

namespace {

// The control under a screen point, windowless ones included, disabled or not.
TControl* ControlAtScreen(POINT screen) {
  TWinControl* window = TWinControl::FindControl(WindowFromPoint(screen));
  if (!window) return nullptr;
  if (TControl* child = window->ControlAtPos(window->ScreenToClient(screen), true)) return child;
  return window;
}

// The nearest control up the chain that shows hints.
TControl* GetHintControl(TControl* control) {
  while (control && !control->ShowHint()) control = control->Parent();
  return control;
}

// The nearest non-empty hint up the chain.
std::string GetHint(const TControl* control) {
  for (; control; control = control->Parent()) {
    if (!control->Hint().empty()) return control->Hint();
  }
  return {};
}

RECT ScreenClientRect(TControl* control) {
  const RECT client = control->ClientRect();
  const POINT origin = control->ClientOrigin();
  return {client.Left + origin.X, client.Top + origin.Y, client.Right + origin.X, client.Bottom + origin.Y};
}

// How far the current cursor reaches below its hot spot: the last row of
// its mask that is not all transparent; the system cursor height when the
// cursor cannot be read.
int CursorHeightMargin() {
  ICONINFO info;
  if (!GetCursor() || !GetIconInfo(GetCursor(), &info)) return GetSystemMetrics(SM_CYCURSOR);
  int margin = GetSystemMetrics(SM_CYCURSOR);
  BITMAP bm;
  if (info.hbmMask && GetObject(info.hbmMask, &bm)) {
    HDC dc = CreateCompatibleDC(HDC{});
    const HGDIOBJ old = SelectObject(dc, info.hbmMask);
    int last = -1;
    for (int y = bm.bmHeight - 1; y >= 0 && last < 0; --y) {
      for (int x = 0; x < bm.bmWidth; ++x) {
        if ((GetPixel(dc, x, y) & 0xFFFFFF) == 0) {
          last = y;
          break;
        }
      }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    if (last >= 0) margin = last + 1 - int(info.yHotspot);
  }
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return margin;
}

}  // namespace

int GetCursorHeightMargin() { return CursorHeightMargin(); }

void TApplication::SetShowHint(bool value) {
  if (FShowHint == value) return;
  FShowHint = value;
  if (value) {
    FHintWindow = static_cast<THintWindow*>(FHintWindowClass->CreateComponent(this));
  } else {
    CancelHint();
    delete FHintWindow;
    FHintWindow = nullptr;
  }
}

void TApplication::SetHintWindowClass(THintWindowClass value) {
  if (!value || !value->InheritsFrom(THintWindow::StaticClass()) || !value->CanCreateComponent())
    throw EInvalidOperation("Invalid hint window class");
  FHintWindowClass = value;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FHintControl) {
    FHintControl = nullptr;
    StopHintTimer();
    if (FHintWindow) FHintWindow->ReleaseHandle();
  }
  if (component == FHintWindow) FHintWindow = nullptr;
}

void TApplication::HintMessage(const MSG& msg) {
  switch (msg.message) {
    case WM_MOUSEMOVE:
      if (TWinControl* window = TWinControl::FindControl(msg.hwnd)) {
        HintMouseMessage(window, msg);
      } else {
        CancelHint();
      }
      break;
    case WM_MOUSELEAVE: {
      // Only the window the hint belongs to; entering a child window
      // moves the hint on by the child's own mouse moves.
      TControl* owner = FHintControl;
      if (owner && !dynamic_cast<TWinControl*>(owner)) owner = owner->Parent();
      if (owner && owner == TWinControl::FindControl(msg.hwnd)) CancelHint();
      break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: CancelHint(); break;
    default:
      if (IsMouseButtonPress(msg.message)) CancelHint();
      break;
  }
}

void TApplication::HintMouseMessage(TControl* control, const MSG& msg) {
  const POINT screen = control->ClientToScreen(LParamToPoint(msg.lParam));
  TControl* under = control;
  if (auto* window = dynamic_cast<TWinControl*>(control)) {
    if (TControl* child = window->ControlAtPos(LParamToPoint(msg.lParam), true)) under = child;
  }
  SetHint(GetLongHint(GetHint(under)));
  TControl* hintControl = FHintWindow ? GetHintControl(under) : nullptr;
  if (!hintControl) {
    CancelHint();
    return;
  }
  if (hintControl == FHintControl && PtInRect(&FHintCursorRect, screen)) return;
  const bool wasActive = FHintActive;
  CancelHint();
  FHintActive = wasActive;
  FHintControl = hintControl;
  FHintControl->FreeNotification(this);
  FHintCursorRect = ScreenClientRect(hintControl);
  StartHintTimer(wasActive ? FHintShortPause : FHintPause, THintTimerMode::Show);
}

void TApplication::ActivateHint(POINT cursorPos) {
  StopHintTimer();
  TControl* control = GetHintControl(ControlAtScreen(cursorPos));
  if (!FHintWindow || !control) {
    CancelHint();
    return;
  }
  if (control != FHintControl) {
    if (FHintControl) FHintControl->RemoveFreeNotification(this);
    FHintControl = control;
    FHintControl->FreeNotification(this);
  }
  THintInfo info;
  info.HintControl = control;
  info.HintWindowClass = FHintWindow->ClassType();
  info.HintPos = {cursorPos.X, cursorPos.Y + CursorHeightMargin()};
  MONITORINFO monitor;
  GetMonitorInfo(MonitorFromPoint(cursorPos, MONITOR_DEFAULTTONEAREST), &monitor);
  info.HintMaxWidth = monitor.rcMonitor.Right - monitor.rcMonitor.Left;
  info.HintColor = FHintColor;
  info.CursorRect = control->ClientRect();
  info.CursorPos = control->ScreenToClient(cursorPos);
  info.HideTimeout = FHintHidePause;
  info.HintStr = GetShortHint(GetHint(control));
  bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (canShow) OnShowHint(info.HintStr, canShow, info);
  // A handler may have freed the control (or the hint window).
  FHintActive = canShow && FHintControl && FHintWindow;
  if (FHintActive && !info.HintStr.empty()) {
    if (info.HintWindowClass && info.HintWindowClass != FHintWindow->ClassType() &&
        info.HintWindowClass->InheritsFrom(THintWindow::StaticClass()) && info.HintWindowClass->CanCreateComponent()) {
      delete FHintWindow;
      FHintWindow = static_cast<THintWindow*>(info.HintWindowClass->CreateComponent(this));
    }
    RECT rect = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    OffsetRect(&rect, info.HintPos.X, info.HintPos.Y);
    const POINT origin = FHintControl->ClientOrigin();
    FHintCursorRect = info.CursorRect;
    OffsetRect(&FHintCursorRect, origin.X, origin.Y);
    FHintWindow->SetColor(info.HintColor);
    FHintWindow->ActivateHintData(rect, info.HintStr, info.HintData);
    if (info.ReshowTimeout > 0) {
      StartHintTimer(info.ReshowTimeout, THintTimerMode::Show);
    } else if (info.HideTimeout > 0) {
      StartHintTimer(info.HideTimeout, THintTimerMode::Hide);
    }
    return;
  }
  if (FHintWindow) FHintWindow->ReleaseHandle();
  if (info.ReshowTimeout > 0 && FHintControl) StartHintTimer(info.ReshowTimeout, THintTimerMode::Show);
}

void TApplication::CancelHint() {
  StopHintTimer();
  if (FHintWindow) FHintWindow->ReleaseHandle();
  if (FHintControl) FHintControl->RemoveFreeNotification(this);
  FHintControl = nullptr;
  FHintActive = false;
}

void TApplication::StartHintTimer(int ms, THintTimerMode mode) {
  if (!FHintTimer) {
    FHintTimer = std::make_unique<TTimer>(nullptr);
    FHintTimer->SetEnabled(false);
    FHintTimer->SetOnTimer([this](TObject*) { HintTimerExpired(); });
  }
  FHintTimer->SetEnabled(false);
  FHintTimerMode = mode;
  // A zero pause still waits for the next turn of the loop.
  FHintTimer->SetInterval(uint32_t(std::max(ms, 1)));
  FHintTimer->SetEnabled(true);
}

void TApplication::StopHintTimer() {
  if (FHintTimer) FHintTimer->SetEnabled(false);
}

void TApplication::HintTimerExpired() {
  StopHintTimer();
  if (FHintTimerMode == THintTimerMode::Show) {
    POINT p;
    GetCursorPos(&p);
    ActivateHint(p);
  } else {
    CancelHint();
  }
}

}  // namespace kora

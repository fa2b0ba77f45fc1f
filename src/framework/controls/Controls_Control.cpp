// TControl: placement, look, state and the message entry point.

#include <algorithm>

#include "framework/controls/Controls.h"
#include "framework/core/ClassBuilder.h"

namespace kora {

namespace {

TControl* GCaptureControl = nullptr;
TControl* GMouseControl = nullptr;

}  // namespace

const TTypeInfo* TypeInfoOf(TAlign) {
  static const TTypeInfo info =
      EnumTypeInfo("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
  return &info;
}

const TTypeInfo* TypeInfoOf(TFormBorderStyle) {
  static const TTypeInfo info = EnumTypeInfo(
      "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
  return &info;
}

const TTypeInfo* TypeInfoOf(TMouseButton) {
  static const TTypeInfo info = EnumTypeInfo("TMouseButton", {"mbLeft", "mbRight", "mbMiddle"});
  return &info;
}

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState shift;
  if (keys & MK_SHIFT) shift.Include(ssShift);
  if (keys & MK_CONTROL) shift.Include(ssCtrl);
  if (keys & MK_LBUTTON) shift.Include(ssLeft);
  if (keys & MK_RBUTTON) shift.Include(ssRight);
  if (keys & MK_MBUTTON) shift.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
  return shift;
}

TShiftState KeyboardShiftState() {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
  return shift;
}

HCURSOR CursorHandle(TCursor cursor) {
  switch (cursor) {
    case crDefault:
    case crArrow: return LoadCursor(nullptr, IDC_ARROW);
    case crCross: return LoadCursor(nullptr, IDC_CROSS);
    case crIBeam: return LoadCursor(nullptr, IDC_IBEAM);
    case crSizeNESW: return LoadCursor(nullptr, IDC_SIZENESW);
    case crSizeNS: return LoadCursor(nullptr, IDC_SIZENS);
    case crSizeNWSE: return LoadCursor(nullptr, IDC_SIZENWSE);
    case crSizeWE: return LoadCursor(nullptr, IDC_SIZEWE);
    case crUpArrow: return LoadCursor(nullptr, IDC_UPARROW);
    case crHourGlass: return LoadCursor(nullptr, IDC_WAIT);
    case crNo: return LoadCursor(nullptr, IDC_NO);
    case crHandPoint: return LoadCursor(nullptr, IDC_HAND);
    case crHelp: return LoadCursor(nullptr, IDC_HELP);
    case crSizeAll: return LoadCursor(nullptr, IDC_SIZEALL);
    default: return HCURSOR();
  }
}

namespace {
TCursor gProgramCursor = crDefault;
}  // namespace

TCursor ProgramCursor() { return gProgramCursor; }
void SetProgramCursor(TCursor cursor) { gProgramCursor = cursor; }

TWinControl* GetParentForm(const TControl* control) {
  if (!control) return nullptr;
  const TControl* top = control;
  while (top->Parent()) top = top->Parent();
  auto* form = dynamic_cast<const TWinControl*>(top);
  return const_cast<TWinControl*>(form);
}

// ---- TSizeConstraints ---------------------------------------------------------------

TClass TSizeConstraints::StaticClass() {
  static const TClassInfo info(TClassBuilder<TSizeConstraints>("TSizeConstraints")
                                   .Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)
                                   .Default(0)
                                   .Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth)
                                   .Default(0)
                                   .Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight)
                                   .Default(0)
                                   .Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth)
                                   .Default(0));
  return &info;
}

void TSizeConstraints::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TSizeConstraints*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  FMaxHeight = other->FMaxHeight;
  FMaxWidth = other->FMaxWidth;
  FMinHeight = other->FMinHeight;
  FMinWidth = other->FMinWidth;
  if (FControl) FControl->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

void TSizeConstraints::SetLimit(int& limit, int value) {
  value = std::max(value, 0);
  if (value == limit) return;
  limit = value;
  if (FControl) FControl->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

void TSizeConstraints::Constrain(int& width, int& height) const {
  if (FMaxWidth > 0 && width > FMaxWidth)
    width = FMaxWidth;
  else if (FMinWidth > 0 && width < FMinWidth)
    width = FMinWidth;
  if (FMaxHeight > 0 && height > FMaxHeight)
    height = FMaxHeight;
  else if (FMinHeight > 0 && height < FMinHeight)
    height = FMinHeight;
}

// ---- TControl ---------------------------------------------------------------------

TClass TControl::StaticClass() {
  static const TClassInfo info(TClassBuilder<TControl>("TControl")
                                   .Property("Left", &TControl::Left, &TControl::SetLeft)
                                   .Property("Top", &TControl::Top, &TControl::SetTop)
                                   .Property("Width", &TControl::Width, &TControl::SetWidth)
                                   .Property("Height", &TControl::Height, &TControl::SetHeight)
                                   .Property("Align", &TControl::Align, &TControl::SetAlign)
                                   .Default(alNone)
                                   .Property("Caption", &TControl::Caption, &TControl::SetCaption)
                                   .Property("Constraints", &TControl::Constraints, &TControl::SetConstraints)
                                   .Property("Color", &TControl::Color, &TControl::SetColor, TypeInfoColor())
                                   .Property("Cursor", &TControl::Cursor, &TControl::SetCursor)
                                   .Default(crDefault)
                                   .Property("Enabled", &TControl::Enabled, &TControl::SetEnabled)
                                   .Default(true)
                                   .Property("Font", &TControl::Font, &TControl::SetFont)
                                   .Property("Hint", &TControl::Hint, &TControl::SetHint)
                                   .Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
                                   .Default(true)
                                   .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
                                   .Default(true)
                                   .Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
                                   .Default(true)
                                   .Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
                                   .Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
                                   .Default(false)
                                   .Property("Visible", &TControl::Visible, &TControl::SetVisible)
                                   .Default(true)
                                   .Property("OnClick", &TControl::OnClick)
                                   .Property("OnDblClick", &TControl::OnDblClick)
                                   .Property("OnMouseDown", &TControl::OnMouseDown)
                                   .Property("OnMouseMove", &TControl::OnMouseMove)
                                   .Property("OnMouseUp", &TControl::OnMouseUp)
                                   .Property("OnResize", &TControl::OnResize)
                                   .Property("OnContextPopup", &TControl::OnContextPopup));
  return &info;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner), FFont(std::make_unique<TFont>()), FConstraints(std::make_unique<TSizeConstraints>(this)) {
  WindowProc = [this](TMessage& message) { WndProc(message); };
  FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFont->OnChange = TNotifyEvent([this](TObject* sender) { FontChangedHandler(sender); });
}

TControl::~TControl() {
  if (GCaptureControl == this) SetCaptureControl(nullptr);
  if (GMouseControl == this) GMouseControl = nullptr;
  if (FParent) FParent->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::DefaultHandler(TMessage& message) {
  if (message.Msg == WM_GETTEXT && message.WParam > 0) {
    auto* buffer = reinterpret_cast<char*>(message.LParam);
    const size_t n = std::min<size_t>(FText.size(), message.WParam - 1);
    std::copy_n(FText.data(), n, buffer);
    buffer[n] = '\0';
    message.Result = LRESULT(n);
  } else if (message.Msg == WM_GETTEXTLENGTH) {
    message.Result = LRESULT(FText.size());
  } else if (message.Msg == WM_SETTEXT) {
    FText = message.LParam ? reinterpret_cast<const char*>(message.LParam) : "";
    message.Result = 1;
  }
}

void TControl::SetParent(TWinControl* value) {
  if (value == FParent) return;
  if (value == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (value) value->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  FConstraints->Constrain(width, height);
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  const bool sized = width != FWidth || height != FHeight;
  // A windowless control leaves its old place to be repainted by the parent.
  if (Visible()) Invalidate();
  FLeft = left;
  FTop = top;
  FWidth = std::max(width, 0);
  FHeight = std::max(height, 0);
  if (Visible()) Invalidate();
  RequestAlign();
  if (sized) Resize();
}

RECT TControl::ClientRect() const { return {0, 0, FWidth, FHeight}; }
int TControl::ClientWidth() const { return ClientRect().Right; }
int TControl::ClientHeight() const { return ClientRect().Bottom; }

void TControl::SetClientSize(int width, int height) {
  const RECT client = ClientRect();
  SetBounds(FLeft, FTop, FWidth + width - client.Right, FHeight + height - client.Bottom);
}

POINT TControl::ClientOrigin() const {
  if (!FParent) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  POINT p = FParent->ClientOrigin();
  return {p.X + FLeft, p.Y + FTop};
}

POINT TControl::ClientToScreen(POINT p) const {
  const POINT origin = ClientOrigin();
  return {p.X + origin.X, p.Y + origin.Y};
}

POINT TControl::ScreenToClient(POINT p) const {
  const POINT origin = ClientOrigin();
  return {p.X - origin.X, p.Y - origin.Y};
}

void TControl::SetAlign(TAlign value) {
  if (value == FAlign) return;
  FAlign = value;
  if (FParent) FParent->Realign();
}

void TControl::RequestAlign() {
  if (FParent && FAlign != alNone) FParent->Realign();
}

void TControl::SetVisible(bool value) {
  if (value == FVisible) return;
  VisibleChanging();
  if (!value) Invalidate();
  FVisible = value;
  if (value) Invalidate();
  Perform(CM_VISIBLECHANGED, value ? 1 : 0, 0);
  RequestAlign();
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
  Invalidate();
}

void TControl::SetText(const std::string& value) {
  if (value == FText) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetName(const std::string& value) {
  // The caption follows the name until someone gives it a text of its own.
  const bool follow = FControlStyle.Contains(csSetCaption) && Name() == FText &&
                      !ComponentState().Contains(csLoading) && !ComponentState().Contains(csReading);
  TComponent::SetName(value);
  if (follow) SetText(value);
}

void TControl::FontChangedHandler(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::FontChanged() { Invalidate(); }

void TControl::SetParentFont(bool value) {
  if (value == FParentFont) return;
  FParentFont = value;
  if (value && FParent) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value) {
  if (value == FParentColor) return;
  FParentColor = value;
  if (value && FParent) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool value) {
  FParentShowHint = false;
  if (FShowHint == value) return;
  FShowHint = value;
  // Children that follow this one's ShowHint take the new value.
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool value) {
  FParentShowHint = value;
  if (value && FParent) FShowHint = FParent->ShowHint();
}

void TControl::SetCursor(TCursor value) {
  if (value == FCursor) return;
  FCursor = value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TComponent* value) {
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = value;
  if (value) value->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::Invalidate() {
  if (!FParent || !FParent->HandleAllocated() || FWidth <= 0 || FHeight <= 0) return;
  const RECT r = BoundsRect();
  InvalidateRect(FParent->Handle(), &r, !FControlStyle.Contains(csOpaque));
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (FParent && FParent->HandleAllocated()) FParent->Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::find(list.begin(), list.end(), this));
  list.push_back(this);
  if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
    SetWindowPos(win->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

bool TControl::HitTest(POINT p) { return Perform(CM_HITTEST, 0, PointToLParam(p)) != 0; }

void TControl::Click() { OnClick(this); }
void TControl::DblClick() { OnDblClick(this); }
void TControl::Resize() { OnResize(this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (!FControlStyle.Contains(csNoStdEvents)) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (!FControlStyle.Contains(csNoStdEvents)) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (!FControlStyle.Contains(csNoStdEvents)) OnMouseUp(this, button, shift, x, y);
}

TControl* TControl::CaptureControl() { return GCaptureControl; }
TControl* TControl::MouseControl() { return GMouseControl; }

void TControl::SetCaptureControl(TControl* control) {
  GCaptureControl = control;
  if (!control) {
    ReleaseCapture();
    return;
  }
  auto* window = dynamic_cast<TWinControl*>(control);
  if (!window) window = control->Parent();
  if (window && window->HandleAllocated()) {
    SetCapture(window->Handle());
    GCaptureControl = control;  // WM_CAPTURECHANGED of the old window cleared it
  }
}

void TControl::SetMouseCapture(bool value) {
  if (value == MouseCapture()) return;
  SetCaptureControl(value ? this : nullptr);
}

void TControl::MouseEnterLeave(bool enter) {
  if (enter) {
    if (GMouseControl == this) return;
    TControl* old = GMouseControl;
    GMouseControl = this;
    if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
    Perform(CM_MOUSEENTER, 0, 0);
  } else if (GMouseControl == this) {
    GMouseControl = nullptr;
    Perform(CM_MOUSELEAVE, 0, 0);
  }
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* value) {
  if (auto* parent = dynamic_cast<TWinControl*>(value)) SetParent(parent);
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParent) {
    if (FParentColor) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (FParentFont) Perform(CM_PARENTFONTCHANGED, 0, 0);
  }
  RequestAlign();
}

}  // namespace kora

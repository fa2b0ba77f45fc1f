// TWinControl: the window made on demand, children, focus and tab order.

#include <algorithm>

#include "framework/controls/Controls.h"
#include "framework/core/ClassBuilder.h"

namespace kora {

namespace {

constexpr std::string_view kControlProp = "KoraControl";

}  // namespace

TClass TWinControl::StaticClass() {
  static const TClassInfo info(TClassBuilder<TWinControl>("TWinControl")
                                   .Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
                                   .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
                                   .Default(false)
                                   .Property("OnEnter", &TWinControl::OnEnter)
                                   .Property("OnExit", &TWinControl::OnExit)
                                   .Property("OnKeyDown", &TWinControl::OnKeyDown)
                                   .Property("OnKeyPress", &TWinControl::OnKeyPress)
                                   .Property("OnKeyUp", &TWinControl::OnKeyUp));
  return &info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children go with their parent, as they would with the window.
  while (!FControls.empty()) {
    TControl* child = FControls.back();
    RemoveControl(child);
    delete child;
  }
  // Leave the parent while this is still a windowed control, so the tab
  // order forgets it too.
  if (Parent()) Parent()->RemoveControl(this);
  if (FHandle) DestroyHandle();
}

TWinControl* TWinControl::FindControl(HWND window) {
  if (!window) return nullptr;
  return reinterpret_cast<TWinControl*>(GetProp(window, kControlProp));
}

LRESULT TWinControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FindControl(hwnd);
  if (!control && msg == WM_NCCREATE) {
    control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams);
    control->FHandle = hwnd;
    SetProp(hwnd, kControlProp, reinterpret_cast<uintptr_t>(control));
  }
  if (!control) return DefWindowProc(hwnd, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  {
    // Once the outermost message is handled, what canvases drew outside
    // painting goes to the screen.
    static int depth = 0;
    struct Nesting {
      Nesting() { ++depth; }
      ~Nesting() {
        if (--depth == 0) FreeControlDeviceContexts();
      }
    } nesting;
    control->WindowProc(message);
  }
  if (msg == WM_NCDESTROY) {
    RemoveProp(hwnd, kControlProp);
    if (control->FHandle == hwnd) control->FHandle = HWND();
  }
  return message.Result;
}

HWND TWinControl::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = Text();
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (FTabStop) params.Style |= WS_TABSTOP;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  params.WndParent = Parent() ? Parent()->Handle() : HWND();
  params.ClassCursor = LoadCursor(nullptr, IDC_ARROW);
  params.WinClassName = ClassName();
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  // A window procedure that asks for the handle while it is being made
  // would otherwise start a second window.
  if (FCreatingHandle) throw EInvalidOperation("Control '" + Name() + "' is already creating its window");
  FCreatingHandle = true;
  try {
    CreateWnd();
  } catch (...) {
    FCreatingHandle = false;
    throw;
  }
  FCreatingHandle = false;
  for (TControl* child : FControls)
    if (auto* window = dynamic_cast<TWinControl*>(child)) window->CreateHandle();
  Realign();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  WNDCLASS existing;
  if (!GetClassInfo(params.WinClassName.c_str(), &existing)) {
    WNDCLASS wc;
    wc.style = params.ClassStyle;
    wc.lpfnWndProc = &StaticWndProc;
    wc.hCursor = params.ClassCursor;
    wc.hbrBackground = params.ClassBackground;
    wc.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClass(&wc)) throw EInvalidOperation("Cannot register the window class " + params.WinClassName);
  }
  CreateWindowHandle(params);
  if (!FHandle) throw EInvalidOperation("Error creating window of control '" + Name() + "'");
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  CreateWindowEx(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X, params.Y,
                 params.Width, params.Height, params.WndParent, 0, this);
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  FControlState.Include(csDestroyingHandle);
  for (TControl* child : FControls)
    if (auto* window = dynamic_cast<TWinControl*>(child)) window->DestroyHandle();
  DestroyWnd();
  FControlState.Exclude(csDestroyingHandle);
}

void TWinControl::DestroyWnd() {
  if (FHandle) DestroyWindow(FHandle);
  FHandle = HWND();
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  const bool focused = Focused();
  DestroyHandle();
  CreateHandle();
  if (focused && CanFocus()) ::kora::SetFocus(FHandle);
}

// ---- Children -------------------------------------------------------------------

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FControls[size_t(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* control) {
  if (control->FParent) control->FParent->RemoveControl(control);
  control->FParent = this;
  FControls.push_back(control);
  if (auto* window = dynamic_cast<TWinControl*>(control)) {
    FTabList.push_back(window);
    if (FHandle) window->CreateHandle();
  }
  control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
  control->Perform(CM_PARENTFONTCHANGED, 0, 0);
  control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  if (control->Align() != alNone) Realign();
  control->Invalidate();
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  TControl::GetChildren(proc, root);
  for (TControl* control : FControls) {
    if (control->Owner() == root) proc(control);
  }
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(FControls.begin(), FControls.end(), control);
  if (it == FControls.end()) return;
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 0);
  control->Invalidate();
  if (TControl::CaptureControl() && control == TControl::CaptureControl()) SetCaptureControl(nullptr);
  if (auto* window = dynamic_cast<TWinControl*>(control)) {
    if (TWinControl* form = GetParentForm(this); form && window->ContainsControl(form->FFocusedControl))
      form->FFocusedControl = nullptr;
    window->DestroyHandle();
    FTabList.erase(std::find(FTabList.begin(), FTabList.end(), window));
  }
  FControls.erase(std::find(FControls.begin(), FControls.end(), control));
  control->FParent = nullptr;
  if (control->Align() != alNone) Realign();
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* control = *it;
    const bool windowed = dynamic_cast<TWinControl*>(control) != nullptr;
    if (windowed && !allowWinControls) continue;
    if (!control->Visible() || (!control->Enabled() && !allowDisabled)) continue;
    const RECT r = control->BoundsRect();
    if (p.X < r.Left || p.X >= r.Right || p.Y < r.Top || p.Y >= r.Bottom) continue;
    if (control->HitTest({p.X - r.Left, p.Y - r.Top})) return control;
  }
  return nullptr;
}

LRESULT TWinControl::Broadcast(TMessage& message) {
  // A handler may remove controls; walk a copy.
  const std::vector<TControl*> children = FControls;
  for (TControl* child : children) {
    message.Result = child->Perform(message.Msg, message.WParam, message.LParam);
    if (message.Result != 0) return message.Result;
  }
  return 0;
}

// ---- Focus and tab order ----------------------------------------------------------

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->FTabList;
  return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  if (!Parent()) return;
  auto& list = Parent()->FTabList;
  list.erase(std::find(list.begin(), list.end(), this));
  const int at = std::clamp(value, 0, int(list.size()));
  list.insert(list.begin() + at, this);
}

void TWinControl::SetTabStop(bool value) {
  if (value == FTabStop) return;
  FTabStop = value;
  if (FHandle) {
    const LONG_PTR style = GetWindowLong(FHandle, GWL_STYLE);
    SetWindowLong(FHandle, GWL_STYLE, value ? style | WS_TABSTOP : style & ~LONG_PTR(WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ::kora::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* control : FTabList) {
    list.push_back(control);
    control->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int count = int(list.size());
  int start = int(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == count) start = goForward ? count - 1 : 0;
  for (int step = 1; step <= count; ++step) {
    const int i = ((goForward ? start + step : start - step) % count + count) % count;
    TWinControl* candidate = list[size_t(i)];
    if (candidate == current) continue;
    if (checkTabStop && !candidate->TabStop()) continue;
    if (checkParent && candidate->Parent() != this) continue;
    if (candidate->CanFocus()) return candidate;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, false)) next->SetFocus();
}

void TWinControl::SetFocusedControl(TWinControl* control) {
  if (control == FFocusedControl) return;
  TWinControl* old = FFocusedControl;
  FFocusedControl = control;
  // Exit from the old chain up to the first container of the new control,
  // then enter the new chain from the outside in.
  for (TWinControl* c = old; c && !(control && c->ContainsControl(control)); c = c->Parent()) {
    c->Perform(CM_EXIT, 0, 0);
    if (FFocusedControl != control) return;  // a handler moved the focus on
  }
  std::vector<TWinControl*> entering;
  for (TWinControl* c = control; c && !(old && c->ContainsControl(old)); c = c->Parent()) entering.push_back(c);
  for (auto it = entering.rbegin(); it != entering.rend(); ++it) {
    (*it)->Perform(CM_ENTER, 0, 0);
    if (FFocusedControl != control) return;
  }
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

bool TWinControl::DialogKey(WORD key, TShiftState shift) {
  // Only the top-level control moves the focus; nested ones leave it be.
  if (Parent() || shift.Contains(ssAlt)) return false;
  switch (key) {
    case VK_TAB:
      if (shift.Contains(ssCtrl)) return false;
      SelectNext(FFocusedControl, !shift.Contains(ssShift), true);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (!FFocusedControl) return false;
      SelectNext(FFocusedControl, key == VK_RIGHT || key == VK_DOWN, false);
      return true;
    default: return false;
  }
}

bool TWinControl::DialogChar(char32_t key) {
  TMessage message{CM_DIALOGCHAR, WPARAM(key), 0, 0};
  return Broadcast(message) != 0;
}

// ---- Geometry ---------------------------------------------------------------------

void TWinControl::SetBounds(int left, int top, int width, int height) {
  Constraints()->Constrain(width, height);
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  const bool sized = width != Width() || height != Height();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (FHandle) SetWindowPos(FHandle, HWND(), left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  RequestAlign();
  if (sized) {
    Realign();
    Resize();
  }
}

RECT TWinControl::ClientRect() const {
  if (!FHandle) return TControl::ClientRect();
  RECT r;
  GetClientRect(FHandle, &r);
  return r;
}

POINT TWinControl::ClientOrigin() const {
  if (!FHandle) return TControl::ClientOrigin();
  POINT p{0, 0};
  ::kora::ClientToScreen(FHandle, &p);
  return p;
}

bool TWinControl::Showing() const {
  if (Parent()) return Visible() && Parent()->Showing();
  return Visible() && FHandle && IsWindowVisible(FHandle);
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, !ControlStyle().Contains(csOpaque));
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::SetEnabled(bool value) {
  if (value == Enabled()) return;
  TControl::SetEnabled(value);
  if (FHandle) EnableWindow(FHandle, value);
}

}  // namespace kora

// Message handling of controls: mouse routing to windowless children,
// enter/leave, clicks, keys with dialog navigation, painting.

#include <algorithm>

#include "framework/controls/Controls.h"

namespace kora {

namespace {

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL; }

HDC DcFromParam(WPARAM wParam) { return HDC(uint64_t(wParam)); }

}  // namespace

void TControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_PARENTFONTCHANGED:
      if (FParentFont && FParent) {
        FFont->Assign(FParent->Font());  // raises CM_FONTCHANGED, which clears the flag
        FParentFont = true;
      }
      return;
    case CM_PARENTCOLORCHANGED:
      if (FParentColor && FParent && FColor != FParent->Color()) {
        FColor = FParent->Color();
        Perform(CM_COLORCHANGED, 0, 0);
      }
      return;
    case CM_PARENTSHOWHINTCHANGED:
      if (FParentShowHint && FParent) FShowHint = FParent->ShowHint();
      return;
    case CM_FONTCHANGED: FontChanged(); return;
    case CM_COLORCHANGED: ColorChanged(); return;
    case CM_TEXTCHANGED: TextChanged(); return;
    case CM_HITTEST: message.Result = HTCLIENT; return;
    default: break;
  }
  if (IsMouseMessage(message.Msg)) HandleMouseMessage(message);
  DefaultHandler(message);
}

void TControl::HandleMouseMessage(TMessage& message) {
  const int x = GET_X_LPARAM(message.LParam);
  const int y = GET_Y_LPARAM(message.LParam);
  TShiftState shift = MouseShiftState(message.WParam);
  const auto press = [&](TMouseButton button, bool dbl) {
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (button == mbLeft && FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
    if (dbl) shift.Include(ssDouble);
    // The second press first, then the double-click: what the double-click
    // does (a folder opened, a list refilled) must not meet the press after it.
    MouseDown(button, shift, x, y);
    if (dbl && button == mbLeft && FControlStyle.Contains(csDoubleClicks)) DblClick();
  };
  const auto release = [&](TMouseButton button) {
    if (FControlStyle.Contains(csCaptureMouse) && MouseCapture()) SetMouseCapture(false);
    if (button == mbLeft && FControlState.Contains(csClicked)) {
      FControlState.Exclude(csClicked);
      const RECT r = ClientRect();
      if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) Click();
    }
    MouseUp(button, shift, x, y);
  };
  switch (message.Msg) {
    case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
    case WM_LBUTTONDOWN: press(mbLeft, false); break;
    case WM_LBUTTONDBLCLK: press(mbLeft, true); break;
    case WM_RBUTTONDOWN: press(mbRight, false); break;
    case WM_RBUTTONDBLCLK: press(mbRight, true); break;
    case WM_MBUTTONDOWN: press(mbMiddle, false); break;
    case WM_MBUTTONDBLCLK: press(mbMiddle, true); break;
    case WM_LBUTTONUP: release(mbLeft); break;
    case WM_RBUTTONUP: release(mbRight); break;
    case WM_MBUTTONUP: release(mbMiddle); break;
    default: break;
  }
}

// ---- TWinControl ---------------------------------------------------------------------

void TWinControl::DefaultHandler(TMessage& message) {
  switch (message.Msg) {
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: TControl::DefaultHandler(message); return;
    default: break;
  }
  if (FHandle) message.Result = DefWindowProc(FHandle, message.Msg, message.WParam, message.LParam);
}

void TWinControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT: PaintHandler(message); return;
    case WM_ERASEBKGND: {
      if (!ControlStyle().Contains(csOpaque)) {
        const HDC dc = DcFromParam(message.WParam);
        const RECT r = ClientRect();
        HBRUSH brush = CreateSolidBrush(ColorToColorRef(Color()));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
      }
      message.Result = 1;
      return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: HandleKeyDown(message); return;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = WORD(message.WParam);
      const TShiftState shift = KeyboardShiftState();
      if (!ControlStyle().Contains(csNoStdEvents)) OnKeyUp(this, key, shift);
      if (key) KeyUp(key, shift);
      // The menu key and Shift+F10 ask for the context menu (and F10 then
      // must not open the menu bar).
      if (key == VK_APPS || (key == VK_F10 && shift.Contains(ssShift) && !shift.Contains(ssAlt))) {
        SendMessage(FHandle, WM_CONTEXTMENU, WPARAM(FHandle.Value()), -1);
        return;
      }
      if (key) DefaultHandler(message);
      return;
    }
    case WM_CONTEXTMENU: HandleContextMenu(message); return;
    case WM_CHAR: HandleChar(message); return;
    case WM_SYSCHAR:
      if (TWinControl* form = GetParentForm(this); form && form->Perform(CM_DIALOGCHAR, message.WParam, 0)) return;
      DefaultHandler(message);
      return;
    case WM_GETDLGCODE: message.Result = DialogCode(); return;
    case WM_SETFOCUS:
      if (TWinControl* form = GetParentForm(this)) form->SetFocusedControl(this);
      DefaultHandler(message);
      return;
    case WM_MOUSELEAVE: {
      TControl* mouse = MouseControl();
      if (mouse && (mouse == this || (mouse->Parent() == this && !dynamic_cast<TWinControl*>(mouse))))
        mouse->MouseEnterLeave(false);
      return;
    }
    case WM_CAPTURECHANGED: {
      TControl* capture = CaptureControl();
      if (capture && (capture == this || capture->Parent() == this)) {
        capture->FControlState.Exclude(csClicked);
        SetCaptureControl(nullptr);
      }
      DefaultHandler(message);
      return;
    }
    case WM_SETCURSOR:
      if (LOWORD(uintptr_t(message.LParam)) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ::kora::ScreenToClient(FHandle, &p);
        TControl* over = ControlAtPos(p);
        TCursor cursor = over && over->Cursor() != crDefault ? over->Cursor() : Cursor();
        // The program's cursor, while set, shows over every control.
        if (ProgramCursor() != crDefault) {
          ::kora::SetCursor(CursorHandle(ProgramCursor()));
          message.Result = 1;
          return;
        }
        if (cursor != crDefault) {
          ::kora::SetCursor(CursorHandle(cursor));
          message.Result = 1;
          return;
        }
      }
      DefaultHandler(message);
      return;
    case WM_WINDOWPOSCHANGED: {
      // Moved or sized from outside (the user, the window system).
      RECT r;
      GetWindowRect(FHandle, &r);
      if (Parent() && Parent()->HandleAllocated()) MapWindowPoints(HWND(), Parent()->Handle(), &r);
      const bool sized = r.Right - r.Left != Width() || r.Bottom - r.Top != Height();
      // A frame change alone moves the client edges too.
      const auto* wp = reinterpret_cast<const WINDOWPOS*>(message.LParam);
      const bool clientSized = wp && !(wp->flags & SWP_NOCLIENTSIZE);
      FLeft = r.Left;
      FTop = r.Top;
      FWidth = r.Right - r.Left;
      FHeight = r.Bottom - r.Top;
      if (sized || clientSized) {
        Realign();
        Resize();
      }
      DefaultHandler(message);
      return;
    }
    case CM_VISIBLECHANGED:
      if (FHandle) ShowWindow(FHandle, message.WParam ? SW_SHOWNA : SW_HIDE);
      return;
    case CM_ENABLEDCHANGED: Invalidate(); return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    case CM_DIALOGKEY:
      if (Broadcast(message)) return;
      message.Result = DialogKey(WORD(message.WParam), TShiftState::FromBits(uint64_t(message.LParam))) ? 1 : 0;
      return;
    case CM_DIALOGCHAR: message.Result = DialogChar(char32_t(message.WParam)) ? 1 : 0; return;
    case CM_FOCUSCHANGED:
    case CM_CANCELMODE:
      Broadcast(message);
      message.Result = 0;
      return;
    case CM_FONTCHANGED:
      FontChanged();
      UpdateChildFontsAndColors(CM_PARENTFONTCHANGED);
      return;
    case CM_COLORCHANGED:
      ColorChanged();
      UpdateChildFontsAndColors(CM_PARENTCOLORCHANGED);
      return;
    case CM_SHOWHINTCHANGED: UpdateChildFontsAndColors(CM_PARENTSHOWHINTCHANGED); return;
    default: break;
  }
  if (IsMouseMessage(message.Msg)) {
    const POINT p = LParamToPoint(message.LParam);
    if (message.Msg == WM_MOUSEMOVE) UpdateMouseControl(p);
    if (IsControlMouseMsg(message)) {
      // The window system turns the release into WM_CONTEXTMENU for us.
      if (message.Msg == WM_RBUTTONUP) DefaultHandler(message);
      return;
    }
    if ((message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) && FTabStop && CanFocus() && !Focused())
      SetFocus();
  }
  TControl::WndProc(message);
}

void TWinControl::UpdateChildFontsAndColors(UINT msg) {
  TMessage message{msg, 0, 0, 0};
  Broadcast(message);
}

void TWinControl::UpdateMouseControl(POINT client) {
  TControl* over = CaptureControl() ? nullptr : ControlAtPos(client);
  if (!over) over = this;
  if (over != MouseControl()) over->MouseEnterLeave(true);
  TRACKMOUSEEVENT tme;
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = FHandle;
  TrackMouseEvent(&tme);
}

bool TWinControl::IsControlMouseMsg(TMessage& message) {
  TControl* target = nullptr;
  TControl* capture = CaptureControl();
  if (capture) {
    if (capture->Parent() == this && !dynamic_cast<TWinControl*>(capture)) target = capture;
  } else {
    target = ControlAtPos(LParamToPoint(message.LParam));
  }
  if (!target) return false;
  const POINT p = LParamToPoint(message.LParam);
  message.Result =
      target->Perform(message.Msg, message.WParam, PointToLParam({p.X - target->Left(), p.Y - target->Top()}));
  return true;
}

void TWinControl::HandleKeyDown(TMessage& message) {
  WORD key = WORD(message.WParam);
  const TShiftState shift = KeyboardShiftState();
  if (!ControlStyle().Contains(csNoStdEvents)) {
    OnKeyDown(this, key, shift);
    if (!key) return;
  }
  const LRESULT code = Perform(WM_GETDLGCODE, 0, 0);
  bool navigation = false;
  switch (key) {
    case VK_TAB: navigation = shift.Contains(ssCtrl) || !(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)); break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: navigation = !(code & (DLGC_WANTARROWS | DLGC_WANTALLKEYS)); break;
    case VK_RETURN:
    case VK_ESCAPE: navigation = !(code & DLGC_WANTALLKEYS); break;
    default: break;
  }
  if (navigation) {
    TWinControl* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGKEY, key, LPARAM(shift.Bits()))) return;
  }
  KeyDown(key, shift);
  if (key) DefaultHandler(message);
}

void TWinControl::HandleChar(TMessage& message) {
  char32_t key = char32_t(message.WParam);
  // A control that does not take characters lets the form try them as
  // accelerators first ("是(&Y)" answers a plain Y).
  if (!(Perform(WM_GETDLGCODE, 0, 0) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))) {
    if (TWinControl* form = GetParentForm(this); form && form->Perform(CM_DIALOGCHAR, message.WParam, 0)) return;
  }
  if (!ControlStyle().Contains(csNoStdEvents)) {
    OnKeyPress(this, key);
    if (!key) return;
  }
  KeyPress(key);
}

void TWinControl::KeyDown(WORD&, TShiftState) {}
void TWinControl::KeyUp(WORD&, TShiftState) {}
void TWinControl::KeyPress(char32_t&) {}

// ---- Painting -------------------------------------------------------------------------

void TWinControl::PaintHandler(TMessage& message) {
  if (message.WParam) {
    const HDC dc = DcFromParam(message.WParam);
    {
      ScopedSaveDC saved(dc);
      PaintWindow(dc);
    }
    PaintControls(dc, nullptr);
    return;
  }
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(FHandle, &ps);
  try {
    {
      ScopedSaveDC saved(dc);
      PaintWindow(dc);
    }
    PaintControls(dc, nullptr);
  } catch (...) {
    EndPaint(FHandle, &ps);
    throw;
  }
  EndPaint(FHandle, &ps);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto it = std::find(FControls.begin(), FControls.end(), first);
  if (it == FControls.end()) it = FControls.begin();
  const std::vector<TControl*> controls(it, FControls.end());
  for (TControl* control : controls) {
    if (dynamic_cast<TWinControl*>(control) || !control->Visible()) continue;
    if (control->Width() <= 0 || control->Height() <= 0) continue;
    ScopedSaveDC saved(dc);
    if (IntersectClipRect(dc, control->Left(), control->Top(), control->Left() + control->Width(),
                          control->Top() + control->Height()) == NULLREGION)
      continue;
    OffsetViewportOrgEx(dc, control->Left(), control->Top(), nullptr);
    control->Perform(WM_PAINT, WPARAM(dc.Value()), 0);
  }
}

}  // namespace kora

// The frame's window procedure, in front of the form's: the pre-filter that
// closes menus, each message the frame answers, the non-client mouse, and
// the message-loop hook while a menu is open.

#include "skin/controls/bsSkinCtrls_Control.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

namespace kora {

namespace {

bool PreFiltered(UINT msg) {
  switch (msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_PARENTNOTIFY: return true;
    default: return false;
  }
}

bool IsFrameMouse(UINT msg) {
  switch (msg) {
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_RBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_MOUSEMOVE: return true;
    default: return false;
  }
}

}  // namespace

POINT TbsSkinForm::WindowPoint(LPARAM screenPoint) const {
  POINT p = LParamToPoint(screenPoint);
  RECT r;
  if (GetWindowRect(FForm->Handle(), &r)) p = p - r.TopLeft();
  return p;
}

bool TbsSkinForm::PreFilter(const TMessage& message) {
  if (!PreFiltered(message.Msg)) return false;
  if (auto* hint = dynamic_cast<IbsFrameHint*>(FSkinHint); hint && ShowObjectHint && hint->ObjectHintShowing())
    hint->HideObjectHint();
  if (MenuOpen()) {
    // A popup of ours holds the mouse while it tracks: taking the capture
    // away closes it.
    const HWND capture = GetCapture();
    if (capture && capture != FForm->Handle()) ReleaseCapture();
  } else if (KeyboardMenuMode()) {
    LeaveKeyboardMenuMode();
  }
  return true;
}

void TbsSkinForm::NewWndProc(TMessage& message) {
  PreFilter(message);
  const bool framed = FForm->BorderStyle() != bsNone;
  switch (message.Msg) {
    case WM_CREATE:
      // A skin given before the window existed is put on now.
      CallOldWndProc(message);
      if (LoadedSkin(FSkinData) && !Designing()) ApplySkin();
      return;
    case WM_DESTROY:
      FHotTrackTimer->SetEnabled(false);
      FAnimator->Stop();
      CallOldWndProc(message);
      return;
    case WM_SIZE: {
      if (FInSizeMove && FFullDragWindows) {
        if (!FLogoBitMap->Empty()) FForm->Invalidate();
        CallOldWndProc(message);
        return;
      }
      CallOldWndProc(message);
      FSnapped.fill(TEdgeSnap::Free);
      const int width = WindowWidth(), height = WindowHeight();
      const bool sizeChanged = width != FWidth || height != FHeight;
      FWidth = width;
      FHeight = height;
      if (!FSkinActive) {
        if (framed) SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
      } else if (FWidth >= GetMinWidth() && FHeight >= GetMinHeight()) {
        CalcRects();
        UpdateRegion(sizeChanged);
        PaintNCNow();
      }
      if (AlphaBlend && AlphaBlendValue != 255 && HasLayeredWindows()) {
        SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
        FForm->Invalidate();
      }
      if (!FLogoBitMap->Empty()) FForm->Invalidate();
      return;
    }
    case WM_ACTIVATE:
      CallOldWndProc(message);
      SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
      ResetHotState();
      // Nothing stays hot or held across an activation change.
      if (FCapturedIndex != -1 && GetCapture() == FForm->Handle()) ReleaseCapture();
      FHotIndex = FPrevHotIndex = FCapturedIndex = -1;
      UpdateCaptionActiveState(true, true);
      return;
    case WM_SETTEXT:
      CallOldWndProc(message);
      if (framed) SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
      return;
    case WM_ERASEBKGND:
      if (FSkinActive) {
        FPainter.PaintClientBackground(HDC(uint64_t(message.WParam)));
        message.Result = 1;
        return;
      }
      break;
    case WM_SHOWWINDOW:
      ShowWindowMessage(message);
      CallOldWndProc(message);
      return;
    case WM_SETCURSOR:
      if (UseFormCursorInNCArea) {
        const int hit = int16_t(LOWORD(uintptr_t(message.LParam)));
        if (hit != HTCLIENT && (hit < HTLEFT || hit > HTBOTTOMRIGHT))
          message.LParam = MAKELPARAM(HTCLIENT, HIWORD(uintptr_t(message.LParam)));
      }
      break;
    case WM_GETMINMAXINFO: {
      CallOldWndProc(message);
      auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
      if (info) {
        info->ptMinTrackSize = {GetMinWidth(), GetMinHeight()};
        info->ptMaxTrackSize = {GetMaxWidth(), GetMaxHeight()};
      }
      return;
    }
    case WM_NCCALCSIZE:
      if (framed) {
        // NCCALCSIZE_PARAMS begins with the proposed rectangle.
        auto* r = reinterpret_cast<RECT*>(message.LParam);
        if (r) {
          *r = ClientRectFor(r->Width(), r->Height()).Offsetted(r->Left, r->Top);
          r->Right = std::max(r->Right, r->Left);
          r->Bottom = std::max(r->Bottom, r->Top);
        }
        message.Result = 0;
        return;
      }
      break;
    case WM_NCHITTEST: {
      const POINT p = WindowPoint(message.LParam);
      message.Result = HitTest(p);
      if (message.Result == HTOBJECT && !FHotTrackTimer->Enabled()) {
        HotTracking(p);
        FHotTrackTimer->SetEnabled(true);
      }
      return;
    }
    case WM_NCPAINT:
      if (framed) {
        const HDC dc = GetWindowDC(FForm->Handle());
        if (dc) {
          PaintNC(dc);
          ReleaseDC(FForm->Handle(), dc);
        }
      }
      message.Result = 0;
      return;
    case WM_NCACTIVATE: {
      FNCActive = message.WParam != 0;
      if (FForm->FormStyle() == fsMDIChild || FForm->FormStyle() == fsMDIForm)
        CallOldWndProc(message);
      else
        message.Result = 1;
      UpdateCaptionActiveState(true, framed);
      return;
    }
    case WM_SYNCPAINT:
      if (FRolledUp) {
        SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
        message.Result = 0;
        return;
      }
      break;
    case WM_SYSCOMMAND:
      switch (message.WParam & 0xFFF0) {
        case SC_RESTORE: OnRestore(this); break;
        case SC_KEYMENU: {
          // Alt or F10 alone toggles the mode; Alt with a letter goes to
          // that item of the bar (Alt+Space stays the system's).
          if (!FMenuMode->KeyMenu(WORD(message.LParam))) break;
          message.Result = 0;
          return;
        }
        default: break;
      }
      break;
    case WM_TIMER:
      if (message.WParam == 1) FadeTick();
      break;
    case WM_SIZING:
      if (FInSizeMove && FFullDragWindows) {
        FSnapped.fill(TEdgeSnap::Free);
        CallOldWndProc(message);
        if (const auto* r = reinterpret_cast<const RECT*>(message.LParam)) {
          const int width = r->Width(), height = r->Height();
          if (width >= GetMinWidth() && height >= GetMinHeight() && (width != FWidth || height != FHeight)) {
            FWidth = width;
            FHeight = height;
            // The frame follows the pointer: its pieces, its shape (or the
            // new part stays cut away) and its look.
            CalcRects();
            UpdateRegion(true);
            PaintNCNow();
          }
        }
        return;
      }
      break;
    case WM_MOVING:
      if (auto* r = reinterpret_cast<RECT*>(message.LParam)) {
        if (FWindowState == fwsMaximized) {
          GetWindowRect(FForm->Handle(), r);
        } else if (Magnetic) {
          MagneticMove(*r);
        }
      }
      break;
    case WM_ENTERSIZEMOVE:
      // A new move: no edge holds the window yet.
      GetCursorPos(&FSnapCursor);
      FSnapped.fill(TEdgeSnap::Free);
      ResetHotState();
      FHotTrackTimer->SetEnabled(false);
      FHotIndex = FCapturedIndex = -1;
      FInSizeMove = true;
      FFullDragWindows = true;
      SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &FFullDragWindows, 0);
      break;
    case WM_EXITSIZEMOVE:
      FHotTrackTimer->SetEnabled(false);
      FHotIndex = FPrevHotIndex = FCapturedIndex = -1;
      if (FSkinActive) SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
      break;
    case SKINMSG_SKIN_CHANGING: {
      auto* sender = reinterpret_cast<TbsSkinData*>(message.WParam);
      if (sender && sender == FSkinData) BeforeSkinChange();
      RelaySkinNotice(FForm, message.Msg, sender);
      if (sender && sender == FSkinData) OnBeforeChangeSkinData(this);
      break;
    }
    case SKINMSG_SKIN_CHANGED: {
      auto* sender = reinterpret_cast<TbsSkinData*>(message.WParam);
      FChangingSkin = false;
      if (sender && sender == FSkinData) ApplySkin();
      RelaySkinNotice(FForm, message.Msg, sender);
      break;
    }
    case SKINMSG_SKIN_CHANGE_DONE: OnAfterChangeSkinData(this); break;
    case WM_BSMENUCLOSED: FMenuMode->Closed(); break;
    case SKINMSG_STRINGS_CHANGED: UpdateSkinCaptionButtons(); break;
    case WM_BSPAINTFRAME:
      if (message.LParam == kPaintFrameCode) {
        if (message.WParam && IsWindowVisible(FForm->Handle())) PaintNC(HDC(uint64_t(message.WParam)));
        message.Result = kPaintFrameCode;
        return;
      }
      break;
    default: break;
  }
  // The hit code rides in wParam of the frame's mouse messages.
  const LRESULT hit = LRESULT(message.WParam);
  CallOldWndProc(message);
  if (IsFrameMouse(message.Msg)) HandleNCMouse(message, hit);
}

void TbsSkinForm::HandleNCMouse(TMessage& message, LRESULT hit) {
  if (!FForm->HandleAllocated()) return;
  const bool client = message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP || message.Msg == WM_MOUSEMOVE;
  const POINT p = client ? POINT{-1, -1} : WindowPoint(message.LParam);
  const auto object = [this](int index) { return index >= 0 && index < ObjectCount() ? Objects(index) : nullptr; };
  const auto captured = [&] { return object(FCapturedIndex) ? object(FCapturedIndex) : object(FHotIndex); };
  switch (message.Msg) {
    case WM_MOUSEMOVE:
      // The mouse is ours while a button is held: follow it in and out.
      if (FCapturedIndex != -1) {
        POINT cursor;
        GetCursorPos(&cursor);
        RECT r;
        GetWindowRect(FForm->Handle(), &r);
        HotTracking(cursor - r.TopLeft());
      }
      break;
    case WM_NCMOUSEMOVE:
      if (TbsActiveSkinObject* target = captured()) target->MouseMove(p.X, p.Y);
      break;
    case WM_NCLBUTTONDOWN: {
      if (FInSizeMove) {
        FInSizeMove = false;
        break;
      }
      HotTracking(p);
      TbsActiveSkinObject* hot = object(FHotIndex);
      if (!hot) break;
      const int popups = FMenuMode->PopupCount();
      FCapturedIndex = FHotIndex;
      hot->MouseDown(p.X, p.Y, mbLeft);
      if (object(FCapturedIndex) != hot || FMenuMode->PopupCount() != popups || hit == HTCAPTION) {
        // A menu the press dropped has come and gone; nothing is held.
        FCapturedIndex = -1;
      } else if (hot->HitCode() != HTCAPTION) {
        SetCapture(FForm->Handle());
      }
      break;
    }
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP: {
      TbsActiveSkinObject* target = object(FCapturedIndex);
      FCapturedIndex = -1;
      if (target && target->HitCode() != HTCAPTION && GetCapture() == FForm->Handle()) ReleaseCapture();
      if (target) target->MouseUp(p.X, p.Y, mbLeft);
      break;
    }
    case WM_NCLBUTTONDBLCLK: {
      HotTracking(p);
      TbsActiveSkinObject* hot = object(FHotIndex);
      if (hot) {
        const int popups = FMenuMode->PopupCount();
        hot->MouseDown(p.X, p.Y, mbLeft);
        if (object(FHotIndex) == hot) hot->DblClick();
        // The second press of a quick double click presses a button like
        // the first: its release runs the command and lets it up again.
        if (hit != HTCAPTION && object(FHotIndex) == hot && FMenuMode->PopupCount() == popups &&
            hot->HitCode() != HTCAPTION && IsWindow(FForm->Handle())) {
          FCapturedIndex = FHotIndex;
          SetCapture(FForm->Handle());
          break;
        }
      }
      if (hit == HTCAPTION) {
        const bool sizeable = Sizeable();
        if (sizeable && FWindowState == fwsMinimized)
          Restore();
        else if (sizeable && FWindowState != fwsMaximized && !FRolledUp &&
                 FBorderIcons.Contains(TbsBorderIcon::biMaximize))
          Maximize();
        else if (sizeable && FWindowState == fwsMaximized && !FRolledUpWhileMaximized)
          Restore();
        else
          ToggleRollUp();
      }
      FCapturedIndex = -1;
      break;
    }
    case WM_NCRBUTTONDOWN: {
      HotTracking(p);
      if (TbsActiveSkinObject* hot = object(FHotIndex)) hot->MouseDown(p.X, p.Y, mbRight);
      if (hit == HTCAPTION) {
        FCapturedIndex = -1;
        POINT cursor;
        GetCursorPos(&cursor);
        OpenFramePopup(SystemMenuItems(), cursor, nullptr);
      }
      break;
    }
    case WM_NCRBUTTONUP:
    case WM_RBUTTONUP:
      if (TbsActiveSkinObject* target = object(FCapturedIndex)) target->MouseUp(p.X, p.Y, mbRight);
      break;
    case WM_NCRBUTTONDBLCLK:
      HotTracking(p);
      if (TbsActiveSkinObject* hot = object(FHotIndex)) hot->MouseDown(p.X, p.Y, mbRight);
      if (hit == HTCAPTION) FCapturedIndex = -1;
      break;
    default: break;
  }
}

// ---- Menus -------------------------------------------------------------------------

TMenuTrackEnd TbsSkinForm::OpenFramePopup(TMenuItem* items, POINT at, const RECT* under) {
  // A menu dropped from an object comes with the point at the object's
  // bottom, or at its top when it opens upwards.
  const RECT anchor = under ? *under : RECT{at.X, at.Y, at.X, at.Y};
  return OpenFramePopup(items, anchor, under && at.Y == under->Top && under->Top != under->Bottom,
                        FMenusSkinData ? FMenusSkinData : FSkinData, nullptr);
}

TMenuTrackEnd TbsSkinForm::OpenFramePopup(TMenuItem* items, const RECT& anchor, bool popupUp, TbsSkinData* skin,
                                          TControl* popupControl, int first, const TbsMenuDropOptions* drop) {
  return FMenuMode->Popup(items, anchor, popupUp, skin, popupControl, first, drop);
}

}  // namespace kora

// The frame's window procedure, in front of the form's: the pre-filter that
// closes menus and each message the frame answers, handed to its parts.

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
  if (auto* hint = dynamic_cast<IbsFrameHint*>(SkinHint()); hint && ShowObjectHint && hint->ObjectHintShowing())
    hint->HideObjectHint();
  if (FMenuMode->MenuOpen()) {
    // A popup of ours holds the mouse while it tracks: taking the capture
    // away closes it.
    const HWND capture = GetCapture();
    if (capture && capture != FForm->Handle()) ReleaseCapture();
  } else if (FMenuMode->KeyboardMode()) {
    FMenuMode->LeaveKeyboardMode();
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
      if (LoadedSkin(SkinData()) && !Designing()) ApplySkin();
      return;
    case WM_DESTROY:
      FHover->HotTrackTimer()->SetEnabled(false);
      FAnimator->Stop();
      CallOldWndProc(message);
      return;
    case WM_SIZE: {
      if (FStates->InSizeMove() && FStates->FullDragWindows()) {
        if (!LogoBitMap()->Empty()) FForm->Invalidate();
        CallOldWndProc(message);
        return;
      }
      CallOldWndProc(message);
      FStates->ReleaseEdges();
      const SIZE before = FSize;
      MeasureWindow();
      const bool sizeChanged = FSize.cx != before.cx || FSize.cy != before.cy;
      if (!FSkinActive) {
        if (framed) SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
      } else if (FSize.cx >= FStates->GetMinWidth() && FSize.cy >= FStates->GetMinHeight()) {
        CalcRects();
        FRegion->Update(sizeChanged);
        PaintNCNow();
      }
      if (AlphaBlend && AlphaBlendValue != 255 && HasLayeredWindows()) {
        SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
        FForm->Invalidate();
      }
      if (!LogoBitMap()->Empty()) FForm->Invalidate();
      return;
    }
    case WM_ACTIVATE:
      CallOldWndProc(message);
      SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
      FHover->ResetHotState();
      // Nothing stays hot or held across an activation change.
      if (FHover->CapturedIndex() != -1 && GetCapture() == FForm->Handle()) ReleaseCapture();
      FHover->Forget();
      FObjects->UpdateCaptionActiveState(true, true);
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
        info->ptMinTrackSize = {FStates->GetMinWidth(), FStates->GetMinHeight()};
        info->ptMaxTrackSize = {FStates->GetMaxWidth(), FStates->GetMaxHeight()};
      }
      return;
    }
    case WM_NCCALCSIZE:
      if (framed) {
        // NCCALCSIZE_PARAMS begins with the proposed rectangle.
        auto* r = reinterpret_cast<RECT*>(message.LParam);
        if (r) {
          *r = FStates->ClientRectFor(r->Width(), r->Height()).Offsetted(r->Left, r->Top);
          r->Right = std::max(r->Right, r->Left);
          r->Bottom = std::max(r->Bottom, r->Top);
        }
        message.Result = 0;
        return;
      }
      break;
    case WM_NCHITTEST: {
      message.Result = FHover->NCHitTest(WindowPoint(message.LParam));
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
      FObjects->UpdateCaptionActiveState(true, framed);
      return;
    }
    case WM_SYNCPAINT:
      if (FStates->RolledUp()) {
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
      if (message.WParam == 1) FStates->FadeTick();
      break;
    case WM_SIZING:
      if (FStates->InSizeMove() && FStates->FullDragWindows()) {
        FStates->ReleaseEdges();
        CallOldWndProc(message);
        if (const auto* r = reinterpret_cast<const RECT*>(message.LParam)) {
          const int width = r->Width(), height = r->Height();
          if (width >= FStates->GetMinWidth() && height >= FStates->GetMinHeight() &&
              (width != FSize.cx || height != FSize.cy)) {
            FSize = {width, height};
            // The frame follows the pointer: its pieces, its shape (or the
            // new part stays cut away) and its look.
            CalcRects();
            FRegion->Update(true);
            PaintNCNow();
          }
        }
        return;
      }
      break;
    case WM_MOVING:
      if (auto* r = reinterpret_cast<RECT*>(message.LParam)) {
        if (FStates->WindowState() == fwsMaximized) {
          GetWindowRect(FForm->Handle(), r);
        } else if (Magnetic) {
          FStates->MagneticMove(*r);
        }
      }
      break;
    case WM_ENTERSIZEMOVE:
      FStates->BeginSizeMove();
      FHover->ResetHotState();
      FHover->HotTrackTimer()->SetEnabled(false);
      FHover->Forget();
      break;
    case WM_EXITSIZEMOVE:
      FHover->HotTrackTimer()->SetEnabled(false);
      FHover->Forget();
      if (FSkinActive) SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
      break;
    case SKINMSG_SKIN_CHANGING: {
      auto* sender = reinterpret_cast<TbsSkinData*>(message.WParam);
      if (sender && sender == SkinData()) BeforeSkinChange();
      RelaySkinNotice(FForm, message.Msg, sender);
      if (sender && sender == SkinData()) OnBeforeChangeSkinData(this);
      break;
    }
    case SKINMSG_SKIN_CHANGED: {
      auto* sender = reinterpret_cast<TbsSkinData*>(message.WParam);
      FChangingSkin = false;
      if (sender && sender == SkinData()) ApplySkin();
      RelaySkinNotice(FForm, message.Msg, sender);
      break;
    }
    case SKINMSG_SKIN_CHANGE_DONE: OnAfterChangeSkinData(this); break;
    case WM_BSMENUCLOSED: FMenuMode->Closed(); break;
    case SKINMSG_STRINGS_CHANGED: FObjects->UpdateCaptionButtonHints(); break;
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
  if (IsFrameMouse(message.Msg)) FHover->HandleNCMouse(message, hit);
}

}  // namespace kora

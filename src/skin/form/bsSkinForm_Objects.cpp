// The active skin objects of the frame: the base, user objects, buttons
// that may drop a menu, and the caption buttons with their commands.

#include <algorithm>
#include <cstring>

#include "skin/data/bsEffects.h"
#include "skin/form/bsSkinForm.h"

namespace kora {

namespace {

// A piece of a picture as a 24-bit effect image; parts outside the picture stay black.
void PieceToEffect(TBitmap* picture, const RECT& source, TbsEffectBmp& out) {
  if (!picture || picture->Empty()) return;
  const RECT clipped = source.Intersect({0, 0, picture->Width(), picture->Height()});
  if (clipped.IsEmpty()) return;
  for (int y = clipped.Top; y < clipped.Bottom; ++y) {
    const uint8_t* src = picture->ScanLine(y) + size_t(clipped.Left) * 4;
    uint8_t* dst = out.Row(y - source.Top) + size_t(clipped.Left - source.Left) * 3;
    for (int x = clipped.Left; x < clipped.Right; ++x, src += 4, dst += 3) {
      dst[0] = src[0];
      dst[1] = src[1];
      dst[2] = src[2];
    }
  }
}

}  // namespace

// ---- TbsActiveSkinObject -----------------------------------------------------------

TbsActiveSkinObject::TbsActiveSkinObject(TbsSkinForm* parent, const TbsDataSkinObject* data) : Parent(parent) {
  SkinData = parent->SkinData();
  if (!data) return;
  IDName = data->IDName;
  Hint = data->Hint;
  SkinRect = data->SkinRect;
  ActiveSkinRect = data->ActiveSkinRect;
  InActiveSkinRect = data->InActiveSkinRect;
  SkinRectInAPicture = data->SkinRectInAPicture;
  MorphKind = data->MorphKind;
  if (SkinData) {
    Picture = SkinData->Picture();
    ActivePicture = SkinData->FindActivePicture(data->ActivePictureIndex);
  }
  if (!ActivePicture) ActiveSkinRect = {};
  Morphing = data->Morphing && !IsEmptyRect(ActiveSkinRect);
  ObjectRect = SkinRect;
}

bool TbsActiveSkinObject::CanMorphing() const {
  return Morphing && Parent->SkinActive() && SkinData && SkinData->EnableSkinEffects;
}

bool TbsActiveSkinObject::EnableMorphing() { return (Active && MorphFactor < 1) || (!Active && MorphFactor > 0); }

bool TbsActiveSkinObject::MorphInProgress() const {
  return CanMorphing() && ((Active && MorphFactor != 1) || (!Active && MorphFactor != 0));
}

void TbsActiveSkinObject::ReDraw() {
  if (CanMorphing())
    Parent->Animator().StartMorph();
  else
    Parent->FrameObjects().Repaint(this);
}

void TbsActiveSkinObject::DrawPiece(TCanvas* canvas, TBitmap* picture, const RECT& source) const {
  if (!picture || picture->Empty() || IsEmptyRect(source)) return;
  BitBlt(canvas->Handle(), ObjectRect.Left, ObjectRect.Top, WidthOf(ObjectRect), HeightOf(ObjectRect),
         picture->Canvas()->Handle(), source.Left, source.Top, SRCCOPY);
}

void TbsActiveSkinObject::DrawMorph(TCanvas* canvas, TBitmap* normalPicture, const RECT& normal,
                                    const RECT& active) const {
  const int w = WidthOf(ObjectRect), h = HeightOf(ObjectRect);
  if (w <= 0 || h <= 0) return;
  TbsEffectBmp from(w, h), to(w, h);
  PieceToEffect(normalPicture, RECT::FromSize(normal.Left, normal.Top, w, h), from);
  PieceToEffect(ActivePicture, RECT::FromSize(active.Left, active.Top, w, h), to);
  from.Morph(int(MorphKind), to, MorphFactor);
  from.DrawToDevice(canvas->Handle(), ObjectRect.Left, ObjectRect.Top);
}

void TbsActiveSkinObject::Draw(TCanvas* canvas, bool drawNormal) {
  if (!Enabled || Parent->GetFormActive() || IsEmptyRect(InActiveSkinRect)) {
    if (MorphInProgress()) {
      DrawMorph(canvas, NormalPicture(), SkinRect, ActiveSkinRect);
    } else if (!Active || IsEmptyRect(ActiveSkinRect)) {
      if (drawNormal || SkinRectInAPicture) DrawPiece(canvas, NormalPicture(), SkinRect);
    } else {
      DrawPiece(canvas, ActivePicture, ActiveSkinRect);
    }
  } else {
    DrawPiece(canvas, ActivePicture, InActiveSkinRect);
  }
}

void TbsActiveSkinObject::DblClick() {}

void TbsActiveSkinObject::MouseDown(int x, int y, TMouseButton button) {
  Parent->OnMouseDownEvent(IDName, x, y, ObjectRect, button);
}

void TbsActiveSkinObject::MouseUp(int x, int y, TMouseButton button) {
  if (MouseIn) Parent->OnMouseUpEvent(IDName, x, y, ObjectRect, button);
}

void TbsActiveSkinObject::MouseMove(int x, int y) { Parent->OnMouseMoveEvent(IDName, x, y, ObjectRect); }

void TbsActiveSkinObject::MouseEnter() {
  MouseIn = true;
  Active = true;
  if (HasHoverLook()) ReDraw();
  Parent->OnMouseEnterEvent(IDName);
}

void TbsActiveSkinObject::MouseLeave() {
  MouseIn = false;
  Active = false;
  if (HasHoverLook()) ReDraw();
  Parent->OnMouseLeaveEvent(IDName);
}

bool TbsActiveSkinObject::HasHoverLook() const { return !IsEmptyRect(ActiveSkinRect); }

void TbsActiveSkinObject::MakeRoomForButtons(bool, int) {}

void TbsActiveSkinObject::ResetHover() {
  Active = false;
  MouseIn = false;
  MorphFactor = 0;
}

void TbsActiveSkinObject::SetActiveState(bool, bool) {}

// ---- TbsUserObject ---------------------------------------------------------------------

void TbsUserObject::Draw(TCanvas* canvas, bool) { Parent->OnPaintEvent(IDName, canvas, ObjectRect); }

// ---- TbsSkinButtonObject ---------------------------------------------------------------

TbsSkinButtonObject::TbsSkinButtonObject(TbsSkinForm* parent, const TbsDataSkinObject* data)
    : TbsActiveSkinObject(parent, data) {
  if (const auto* button = dynamic_cast<const TbsDataSkinButton*>(data)) {
    DownRect = button->DownRect;
    DisableSkinRect = button->DisableSkinRect;
  }
  if (!ActivePicture) DownRect = DisableSkinRect = {};
}

bool TbsSkinButtonObject::EnableMorphing() { return !FMenuDown && TbsActiveSkinObject::EnableMorphing(); }

void TbsSkinButtonObject::Draw(TCanvas* canvas, bool drawNormal) {
  if (!Enabled && !IsEmptyRect(DisableSkinRect))
    DrawPiece(canvas, ActivePicture, DisableSkinRect);
  else if (FDown && MouseIn && !IsEmptyRect(DownRect))
    DrawPiece(canvas, ActivePicture, DownRect);
  else
    TbsActiveSkinObject::Draw(canvas, drawNormal);
}

void TbsSkinButtonObject::SetDown(bool value) {
  FDown = value;
  if (CanMorphing() && Active) MorphFactor = 1;
  Parent->FrameObjects().Repaint(this);
  if (CanMorphing() && !FDown) ReDraw();
}

TMenuTrackEnd TbsSkinButtonObject::DropMenu() {
  if (!MenuItem || MenuItem->Count() == 0) return TMenuTrackEnd::Closed;
  RECT window{};
  if (Parent->Form() && Parent->Form()->HandleAllocated()) GetWindowRect(Parent->Form()->Handle(), &window);
  const RECT under = ObjectRect.Offsetted(window.Left, window.Top);
  FMenuDown = true;
  return Parent->MenuMode().PopupAt(MenuItem, {under.Left, PopupUp ? under.Top : under.Bottom}, &under);
}

bool TbsSkinButtonObject::MenuClosed() {
  if (!FMenuDown) return false;
  FMenuDown = false;
  if (FDown) SetDown(false);
  return true;
}

void TbsSkinButtonObject::MouseDown(int x, int y, TMouseButton button) {
  if (!Enabled) return;
  if (button == mbLeft && !FDown) {
    SetDown(true);
    DropMenu();
  }
  TbsActiveSkinObject::MouseDown(x, y, button);
}

void TbsSkinButtonObject::MouseUp(int x, int y, TMouseButton button) {
  if (!Enabled) return;
  if (button == mbLeft && !MenuItem && FDown) SetDown(false);
  TbsActiveSkinObject::MouseUp(x, y, button);
}

void TbsSkinButtonObject::MouseEnter() {
  MouseIn = true;
  Active = true;
  if (!IsEmptyRect(DownRect) && FDown) {
    if (CanMorphing()) MorphFactor = 1;
    Parent->FrameObjects().Repaint(this);
  } else if (HasHoverLook()) {
    ReDraw();
  }
  Parent->OnMouseEnterEvent(IDName);
}

void TbsSkinButtonObject::MouseLeave() {
  MouseIn = false;
  Active = false;
  if (!FMenuDown) {
    Parent->FrameObjects().Repaint(this);
    ReDraw();
  }
  Parent->OnMouseLeaveEvent(IDName);
}

// ---- TbsSkinStdButtonObject ------------------------------------------------------------

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinForm* parent, const TbsDataSkinObject* data)
    : TbsSkinButtonObject(parent, data) {
  if (const auto* button = dynamic_cast<const TbsDataSkinStdButton*>(data)) {
    Command = button->Command;
    RestoreRect = button->RestoreRect;
    RestoreActiveRect = button->RestoreActiveRect;
    RestoreDownRect = button->RestoreDownRect;
    RestoreInActiveRect = button->RestoreInActiveRect;
  }
  if (!ActivePicture) RestoreRect = RestoreActiveRect = RestoreDownRect = RestoreInActiveRect = {};
}

bool TbsSkinStdButtonObject::EnableMorphing() {
  if (Command == cmSysMenu && Parent->ShowIcon() && SkinRectInAPicture) return false;
  return TbsSkinButtonObject::EnableMorphing();
}

bool TbsSkinStdButtonObject::RestoreState() const {
  switch (Command) {
    case cmMaximize: return Parent->States().WindowState() == fwsMaximized;
    case cmMinimize: return Parent->States().WindowState() == fwsMinimized;
    case cmRollUp: return Parent->States().RolledUp();
    default: return false;
  }
}

void TbsSkinStdButtonObject::DoCommand() {
  switch (Command) {
    case cmClose: Parent->CloseForm(); break;
    case cmMaximize:
      if (Parent->States().WindowState() == fwsMaximized)
        Parent->Restore();
      else
        Parent->Maximize();
      break;
    case cmMinimize:
      if (Parent->AlwaysMinimizeToTray)
        Parent->MinimizeToTray();
      else if (Parent->States().WindowState() == fwsMinimized)
        Parent->Restore();
      else
        Parent->MinimizeAll();
      break;
    case cmRollUp: Parent->States().ToggleRollUp(); break;
    case cmMinimizeToTray: Parent->MinimizeToTray(); break;
    default: break;
  }
}

void TbsSkinStdButtonObject::DblClick() {
  if (Command == cmSysMenu) Parent->CloseForm();
}

void TbsSkinStdButtonObject::MouseDown(int x, int y, TMouseButton button) {
  if (Command != cmSysMenu || !Enabled || button != mbLeft || FDown) {
    TbsSkinButtonObject::MouseDown(x, y, button);
    return;
  }
  MenuItem = Parent->MenuMode().SystemMenuItems();
  const DWORD opened = GetMessageTime();
  SetDown(true);
  const TMenuTrackEnd end = DropMenu();
  TbsActiveSkinObject::MouseDown(x, y, button);
  // The menu's loop took the second press of a double-click on the button:
  // what the double-click does (close the form) is done here.
  RECT window{};
  if (Parent->Form() && Parent->Form()->HandleAllocated()) GetWindowRect(Parent->Form()->Handle(), &window);
  const POINT press = LParamToPoint(LPARAM(int32_t(GetMessagePos()))) - window.TopLeft();
  if (end == TMenuTrackEnd::Closed && GetKeyState(VK_LBUTTON) < 0 && ObjectRect.Contains(press) &&
      GetMessageTime() - opened <= GetDoubleClickTime())
    DblClick();
}

void TbsSkinStdButtonObject::MouseUp(int x, int y, TMouseButton button) {
  // Close acts last: the form may be gone after it.
  if (Command == cmClose) {
    TbsSkinButtonObject::MouseUp(x, y, button);
    if (Active && button == mbLeft && Enabled) DoCommand();
    return;
  }
  if (Active && button == mbLeft && Enabled) DoCommand();
  TbsSkinButtonObject::MouseUp(x, y, button);
}

// The default look lights every button under the pointer.
bool TbsSkinStdButtonObject::HasHoverLook() const { return !SkinSupport || TbsSkinButtonObject::HasHoverLook(); }

void TbsSkinStdButtonObject::DrawDefaultLook(TCanvas* canvas) {
  const int w = WidthOf(ObjectRect), h = HeightOf(ObjectRect);
  if (w <= 0 || h <= 0) return;
  TBitmap image;
  image.SetSize(w, h);
  TCanvas* c = image.Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clBtnFace);
  c->FillRect({0, 0, w, h});
  const bool pressed = FDown && MouseIn;
  if (MouseIn) {
    c->Brush()->SetColor(TColor(pressed ? 11899781 : 13811126));
    c->FillRect({0, 0, w, h});
    c->Brush()->SetColor(TColor(8388608));
    c->FrameRect({0, 0, w, h});
  }
  int gx = w / 2 - 5, gy = h / 2 - 4;
  if (pressed) ++gx, ++gy;
  const TColor color = Enabled ? clBtnText : clBtnShadow;
  const bool maximized = Parent->States().WindowState() == fwsMaximized;
  const bool minimized = Parent->States().WindowState() == fwsMinimized;
  switch (Command) {
    case cmClose: DrawCloseGlyph(c, gx, gy, color); break;
    case cmMaximize:
      if (maximized)
        DrawRestoreGlyph(c, gx, gy, color);
      else
        DrawMaximizeGlyph(c, gx, gy, color);
      break;
    case cmMinimize:
      if (minimized)
        DrawRestoreGlyph(c, gx, gy, color);
      else
        DrawMinimizeGlyph(c, gx, gy, color);
      break;
    case cmSysMenu: DrawSysMenuGlyph(c, gx, gy, color); break;
    case cmRollUp:
      if (Parent->States().RolledUp())
        DrawRollDownGlyph(c, gx, gy, color);
      else
        DrawRollUpGlyph(c, gx, gy, color);
      break;
    case cmMinimizeToTray: DrawTrayGlyph(c, gx, gy, color); break;
    default: break;
  }
  canvas->Draw(ObjectRect.Left, ObjectRect.Top, &image);
}

void TbsSkinStdButtonObject::Draw(TCanvas* canvas, bool drawNormal) {
  if (!SkinSupport) {
    DrawDefaultLook(canvas);
    return;
  }
  if (Command == cmSysMenu && Parent->ShowIcon() && SkinRectInAPicture) {
    TCustomForm* form = Parent->Form();
    HICON icon = form && !form->Icon()->Empty() ? form->Icon()->Handle() : LoadIcon(nullptr, IDI_APPLICATION);
    const int size = GetSystemMetrics(SM_CXSMICON);
    DrawIconEx(canvas->Handle(), ObjectRect.Left, ObjectRect.Top, icon, size, size, 0, {}, DI_NORMAL);
    return;
  }
  if (Enabled && RestoreState() && !IsEmptyRect(RestoreRect)) {
    if (!Parent->NCActive() && !IsEmptyRect(RestoreInActiveRect))
      DrawPiece(canvas, ActivePicture, RestoreInActiveRect);
    else if (FDown && MouseIn && !IsEmptyRect(RestoreDownRect))
      DrawPiece(canvas, ActivePicture, RestoreDownRect);
    else if (MorphInProgress())
      DrawMorph(canvas, ActivePicture, RestoreRect, RestoreActiveRect);
    else if (Active && !IsEmptyRect(RestoreActiveRect))
      DrawPiece(canvas, ActivePicture, RestoreActiveRect);
    else
      DrawPiece(canvas, ActivePicture, RestoreRect);
    return;
  }
  TbsSkinButtonObject::Draw(canvas, drawNormal);
}

}  // namespace kora

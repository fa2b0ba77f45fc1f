// The caption strip and the animated objects of the frame.

#include <algorithm>

#include "skin/controls/bsSkinCtrls_Control.h"
#include "skin/data/bsEffects.h"
#include "skin/form/bsSkinForm.h"

namespace kora {

namespace {

// The effect an inactive window's bands get, on a bitmap.
void ApplyInactiveEffectTo(TBitmap& bitmap, TbsInactiveEffect effect) {
  if (bitmap.Empty()) return;
  TbsEffectBmp image(bitmap.Handle());
  image.ApplyInactiveEffect(int(effect));
  image.DrawToDevice(bitmap.Canvas()->Handle(), 0, 0);
}

}  // namespace

// ---- TbsSkinAnimateObject --------------------------------------------------------------

TbsSkinAnimateObject::TbsSkinAnimateObject(TbsSkinForm* parent, const TbsDataSkinObject* data)
    : TbsActiveSkinObject(parent, data) {
  if (const auto* animate = dynamic_cast<const TbsDataSkinAnimate*>(data)) {
    CountFrames = std::max(animate->CountFrames, 1);
    Cycle = animate->Cycle;
    ButtonStyle = animate->ButtonStyle;
    TimerInterval = std::max(animate->TimerInterval, 25);
    Command = animate->Command;
    DownSkinRect = animate->DownSkinRect;
    RestoreRect = animate->RestoreRect;
    RestoreActiveRect = animate->RestoreActiveRect;
    RestoreDownRect = animate->RestoreDownRect;
    RestoreInActiveRect = animate->RestoreInActiveRect;
  }
  Morphing = false;
}

bool TbsSkinAnimateObject::RestoreState() const {
  switch (Command) {
    case cmMaximize: return Parent->States().WindowState() == fwsMaximized;
    case cmMinimize: return Parent->States().WindowState() == fwsMinimized;
    case cmRollUp: return Parent->States().RolledUp();
    default: return false;
  }
}

RECT TbsSkinAnimateObject::FrameRect(int frame) const {
  const RECT first = RestoreState() && !IsEmptyRect(RestoreActiveRect) ? RestoreActiveRect : ActiveSkinRect;
  const int w = WidthOf(first);
  return first.Offsetted((std::clamp(frame, 1, CountFrames) - 1) * w, 0);
}

void TbsSkinAnimateObject::Draw(TCanvas* canvas, bool) {
  const bool restore = RestoreState() && !IsEmptyRect(RestoreRect);
  const RECT down = restore && !IsEmptyRect(RestoreDownRect) ? RestoreDownRect : DownSkinRect;
  const RECT inactive = restore && !IsEmptyRect(RestoreInActiveRect) ? RestoreInActiveRect : InActiveSkinRect;
  if (MenuOpen) {
    DrawPiece(canvas, ActivePicture, IsEmptyRect(down) ? FrameRect(CountFrames) : down);
  } else if (!Parent->GetFormActive() && !IsEmptyRect(inactive)) {
    DrawPiece(canvas, ActivePicture, inactive);
  } else if (Pressed && MouseIn && !IsEmptyRect(down)) {
    DrawPiece(canvas, ActivePicture, down);
  } else {
    DrawPiece(canvas, ActivePicture, FrameRect(Frame));
  }
}

void TbsSkinAnimateObject::MouseEnter() {
  MouseIn = true;
  if (ButtonStyle) {
    if (Pressed && !IsEmptyRect(DownSkinRect)) {
      Parent->FrameObjects().Repaint(this);
    } else {
      Active = true;
      Increment = true;
      Parent->Animator().StartAnimation();
    }
  }
  Parent->OnMouseEnterEvent(IDName);
}

void TbsSkinAnimateObject::MouseLeave() {
  if (!MouseIn) return;
  MouseIn = false;
  if (ButtonStyle) {
    if (Pressed && !IsEmptyRect(DownSkinRect)) {
      Parent->FrameObjects().Repaint(this);
    } else {
      Active = true;
      Increment = false;
      Parent->Animator().StartAnimation();
    }
  }
  Parent->OnMouseLeaveEvent(IDName);
}

bool TbsSkinAnimateObject::AnimationStep() {
  if (!Active || (Pressed && !IsEmptyRect(DownSkinRect))) return false;
  if (ElapsedTime < TimerInterval) {
    ElapsedTime += 25;
    return true;
  }
  ElapsedTime = 25;
  if (Increment) {
    if (++Frame > CountFrames) Frame = 1;
    if (!Cycle && Frame >= CountFrames) {
      Frame = CountFrames;
      Active = false;
    }
  } else {
    if (--Frame <= 0) Frame = CountFrames;
    if (Frame <= 1) {
      Frame = 1;
      Active = false;
    }
  }
  Parent->FrameObjects().Repaint(this);
  return Active;
}

void TbsSkinAnimateObject::DoCommand() {
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
    case cmSysMenu: DropMenu(Parent->MenuMode().SystemMenuItems()); break;
    case cmDefault: DropMenu(MenuItem); break;
    default: break;
  }
}

void TbsSkinAnimateObject::DropMenu(TMenuItem* items) {
  if (!items || items->Count() == 0) return;
  RECT window{};
  if (Parent->Form() && Parent->Form()->HandleAllocated()) GetWindowRect(Parent->Form()->Handle(), &window);
  const RECT under = ObjectRect.Offsetted(window.Left, window.Top);
  MenuOpen = true;
  Parent->FrameObjects().Repaint(this);
  Parent->MenuMode().PopupAt(items, {under.Left, under.Bottom}, &under);
}

bool TbsSkinAnimateObject::MenuClosed() {
  if (!MenuOpen) return false;
  MenuOpen = false;
  Active = true;
  Frame = CountFrames;
  Increment = false;
  Parent->Animator().StartAnimation();
  return true;
}

void TbsSkinAnimateObject::ResetHover() {
  TbsActiveSkinObject::ResetHover();
  Frame = 1;
}

void TbsSkinAnimateObject::MouseDown(int x, int y, TMouseButton button) {
  if (button != mbLeft) return;
  TbsActiveSkinObject::MouseDown(x, y, button);
  if (!IsEmptyRect(DownSkinRect)) {
    Frame = CountFrames;
    Pressed = true;
    Parent->FrameObjects().Repaint(this);
  }
  if (Command == cmSysMenu && ButtonStyle && MouseIn) DoCommand();
}

void TbsSkinAnimateObject::MouseUp(int x, int y, TMouseButton button) {
  if (button != mbLeft || MenuOpen) return;
  TbsActiveSkinObject::MouseUp(x, y, button);
  if (!IsEmptyRect(DownSkinRect)) {
    Pressed = false;
    Parent->FrameObjects().Repaint(this);
    Parent->Animator().StartAnimation();
  }
  if (Command != cmSysMenu && ButtonStyle && MouseIn) DoCommand();
}

// ---- TbsSkinCaptionObject --------------------------------------------------------------

TbsSkinCaptionObject::TbsSkinCaptionObject(TbsSkinForm* parent, const TbsDataSkinObject* data)
    : TbsActiveSkinObject(parent, data) {
  if (const auto* caption = dynamic_cast<const TbsDataSkinCaption*>(data)) {
    FontName = caption->FontName;
    FontStyle = caption->FontStyle;
    FontHeight = caption->FontHeight;
    FontColor = caption->FontColor;
    ActiveFontColor = caption->ActiveFontColor;
    Alignment = caption->Alignment;
    TextRect = caption->TextRect;
    Light = caption->Light;
    LightColor = caption->LightColor;
    ActiveLightColor = caption->ActiveLightColor;
    Shadow = caption->Shadow;
    ShadowColor = caption->ShadowColor;
    ActiveShadowColor = caption->ActiveShadowColor;
    FrameRect = caption->FrameRect;
    ActiveFrameRect = caption->ActiveFrameRect;
    FrameTextRect = caption->FrameTextRect;
    FrameLeftOffset = caption->FrameLeftOffset;
    FrameRightOffset = caption->FrameRightOffset;
    StretchEffect = caption->StretchEffect;
    AnimateSkinRect = caption->AnimateSkinRect;
    FrameCount = caption->FrameCount;
    AnimateInterval = caption->AnimateInterval;
    InActiveAnimation = caption->InActiveAnimation;
    FullFrame = caption->FullFrame;
  }
  if (!ActivePicture) FrameRect = ActiveFrameRect = AnimateSkinRect = {};
}

void TbsSkinCaptionObject::MouseEnter() {
  MouseIn = true;
  Parent->OnMouseEnterEvent(IDName);
}

void TbsSkinCaptionObject::MouseLeave() {
  MouseIn = false;
  Parent->OnMouseLeaveEvent(IDName);
}

void TbsSkinCaptionObject::MouseDown(int x, int y, TMouseButton button) {
  Parent->OnMouseDownEvent(IDName, x, y, ObjectRect, button);
}

void TbsSkinCaptionObject::MouseUp(int x, int y, TMouseButton button) {
  Parent->OnMouseUpEvent(IDName, x, y, ObjectRect, button);
}

void TbsSkinCaptionObject::MakeRoomForButtons(bool leftSide, int x) {
  if (leftSide)
    ObjectRect.Left = x;
  else
    ObjectRect.Right = x;
}

bool TbsSkinCaptionObject::CanAnimate() const {
  return SkinData && SkinData->EnableSkinEffects && !IsEmptyRect(AnimateSkinRect) && FrameCount > 0;
}

void TbsSkinCaptionObject::SetActiveState(bool active, bool repaint) {
  if (Active == active) return;
  Active = active;
  if (repaint) {
    if (CanAnimate()) {
      ElapsedTime = 25;
      AnimateFrame = active ? 1 : (InActiveAnimation ? FrameCount : 0);
      Parent->Animator().StartAnimation();
    }
    if (CanMorphing()) Parent->Animator().StartMorph();
  } else if (CanMorphing()) {
    MorphFactor = active ? 1 : 0;
  }
}

bool TbsSkinCaptionObject::AnimationStep() {
  if (!CanAnimate()) return false;
  if (ElapsedTime < AnimateInterval) {
    ElapsedTime += 25;
    return true;
  }
  ElapsedTime = 25;
  if (Active && AnimateFrame <= FrameCount) {
    ++AnimateFrame;
  } else if (!Active && AnimateFrame > 0) {
    --AnimateFrame;
  } else {
    return false;
  }
  Parent->FrameObjects().Repaint(this);
  return Active ? AnimateFrame <= FrameCount : AnimateFrame > 0;
}

RECT TbsSkinCaptionObject::AnimationFrameRect(int frame) const {
  const RECT& a = AnimateSkinRect;
  if (HeightOf(a) > HeightOf(SkinRect)) {
    const int h = HeightOf(a) / FrameCount;
    return {a.Left, a.Top + (frame - 1) * h, a.Right, a.Top + frame * h};
  }
  const int w = WidthOf(a) / FrameCount;
  return {a.Left + (frame - 1) * w, a.Top, a.Left + frame * w, a.Bottom};
}

void TbsSkinCaptionObject::StripImage(TBitmap& target, TBitmap* picture, const RECT& source) const {
  const int w = WidthOf(ObjectRect), h = HeightOf(ObjectRect);
  target.SetSize(w, h);
  if (!picture || picture->Empty() || IsEmptyRect(source)) return;
  const TbsSkinFormInfo& info = SkinData->FormInfo();
  const int left = std::max(info.LeftTopPoint.X - SkinRect.Left, 0);
  const int right = std::max(SkinRect.Right - info.RightTopPoint.X, 0);
  if (left == 0 && right == 0) {
    BitBlt(target.Canvas()->Handle(), 0, 0, w, h, picture->Canvas()->Handle(), source.Left, source.Top, SRCCOPY);
    return;
  }
  const RECT s{source.Left, source.Top, source.Left + WidthOf(SkinRect), source.Top + h};
  ComposeHorizontalStrip(left, right, &target, StretchEffect, w, s, picture);
}

void TbsSkinCaptionObject::Draw(TCanvas* canvas, bool) {
  if (IsEmptyRect(ObjectRect)) return;
  const bool windowActive = Parent->GetFormActive();
  const bool autoInactive = SkinData && SkinData->FormInfo().AutoRenderingInActiveImage;
  const TbsInactiveEffect effect = SkinData ? SkinData->FormInfo().InActiveEffect : ieBrightness;
  TBitmap image;
  bool background = true;
  if (CanAnimate() && AnimateFrame >= 1 && AnimateFrame <= FrameCount) {
    StripImage(image, ActivePicture, AnimationFrameRect(AnimateFrame));
  } else if (MorphInProgress()) {
    TBitmap active;
    StripImage(image, NormalPicture(), SkinRect);
    StripImage(active, ActivePicture, ActiveSkinRect);
    if (!windowActive && autoInactive) ApplyInactiveEffectTo(image, effect);
    TbsEffectBmp from(image.Handle()), to(active.Handle());
    from.Morph(int(MorphKind), to, MorphFactor);
    from.DrawToDevice(image.Canvas()->Handle(), 0, 0);
  } else if (IsEmptyRect(ActiveSkinRect) || (!Active && !StretchEffect && !CanAnimate())) {
    background = false;
  } else if (!Active) {
    StripImage(image, NormalPicture(), SkinRect);
    if (!windowActive && autoInactive) ApplyInactiveEffectTo(image, effect);
  } else {
    StripImage(image, ActivePicture, ActiveSkinRect);
  }
  if (background) {
    canvas->Draw(ObjectRect.Left, ObjectRect.Top, &image);
  }
  DrawText(canvas, ObjectRect.Left, ObjectRect.Top);
}

void TbsSkinCaptionObject::DrawText(TCanvas* canvas, int originX, int originY) {
  TCustomForm* form = Parent->Form();
  std::string text = form ? form->Caption() : std::string();
  RECT t = TextRect;
  if (!IsEmptyRect(t)) t.Right += WidthOf(ObjectRect) - WidthOf(SkinRect);
  if (!IsEmptyRect(FrameRect)) {
    t.Left += FrameTextRect.Left;
    t.Top += FrameTextRect.Top;
    t.Right += FrameTextRect.Right - WidthOf(FrameRect);
  }
  if (text.empty() || IsEmptyRect(t)) return;
  TFont* font = canvas->Font();
  font->SetName(FontName);
  font->SetStyle(FontStyle);
  font->SetHeight(FontHeight);
  font->SetCharset(SkinTextCharset(SkinData, Parent->DefCaptionFont()));
  EllipsizeText(canvas, text, WidthOf(t));
  const SIZE size = canvas->TextExtent(text);
  const int y = t.Top + HeightOf(t) / 2 - size.cy / 2;
  int x = t.Left;
  if (Alignment == taRightJustify) x = t.Right - size.cx;
  if (Alignment == taCenter) x = t.Left + WidthOf(t) / 2 - size.cx / 2;
  canvas->Brush()->SetStyle(bsClear);
  if (!IsEmptyRect(FrameRect)) {
    const RECT piece = Active && !IsEmptyRect(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
    int left, width;
    if (FullFrame) {
      left = Parent->SkinData() ? Parent->SkinData()->FormInfo().ButtonsOffset : 0;
      width = WidthOf(ObjectRect) - 2 * left;
    } else {
      left = x - FrameTextRect.Left;
      width = WidthOf(FrameRect) + size.cx - WidthOf(FrameTextRect);
    }
    if (width > 0) {
      TBitmap strip;
      strip.SetSize(width, HeightOf(piece));
      ComposeHorizontalStrip(FrameLeftOffset, FrameRightOffset, &strip, StretchEffect, width, piece, ActivePicture);
      canvas->Draw(originX + left, originY + y - FrameTextRect.Top, &strip);
      canvas->Brush()->SetStyle(bsClear);
    }
  }
  if (Light) {
    font->SetColor(Active ? ActiveLightColor : LightColor);
    canvas->TextOut(originX + x - 1, originY + y - 1, text);
  }
  if (Shadow) {
    font->SetColor(Active ? ActiveShadowColor : ShadowColor);
    canvas->TextOut(originX + x + 1, originY + y + 1, text);
  }
  font->SetColor(Active ? ActiveFontColor : FontColor);
  canvas->TextOut(originX + x, originY + y, text);
}

}  // namespace kora

// TbsSkinScrollBar: range and position, the parts for the current size,
// mouse tracking with repeat and thumb dragging, and both looks.

#include "skin/controls/bsSkinCtrls_ScrollBar.h"

#include <algorithm>

#include "framework/core/ClassBuilder.h"

namespace kora {

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstDelay = 500;
constexpr UINT kRepeatInterval = 100;
// The default look's shortest thumb.
constexpr int kMinThumb = 8;

void CopyPiece(TBitmap* target, TBitmap* picture, const RECT& piece, const RECT& dest) {
  if (!picture || IsEmptyRect(piece) || IsEmptyRect(dest)) return;
  TbsPiecePainter(target, picture)
      .Copy(piece, {dest.Left, dest.Top, dest.Left + WidthOf(piece), dest.Top + HeightOf(piece)});
}

void DrawFace(TCanvas* canvas, RECT r, bool pressed) {
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(SystemColor(COLOR_BTNFACE));
  canvas->FillRect(r);
  if (pressed) {
    canvas->Brush()->SetColor(SystemColor(COLOR_BTNSHADOW));
    canvas->FrameRect(r);
  } else {
    DrawEdge(canvas->Handle(), &r, EDGE_RAISED, BF_RECT);
  }
}

}  // namespace

const TTypeInfo* TypeInfoOf(TScrollBarKind) {
  static const TTypeInfo info = EnumTypeInfo("TScrollBarKind", {"sbHorizontal", "sbVertical"});
  return &info;
}

TClass TbsSkinScrollBar::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinScrollBar>("TbsSkinScrollBar")
          .Property("Kind", &TbsSkinScrollBar::Kind, &TbsSkinScrollBar::SetKind)
          .Default(sbHorizontal)
          .Property("Min", &TbsSkinScrollBar::Min, &TbsSkinScrollBar::SetMin)
          .Default(0)
          .Property("Max", &TbsSkinScrollBar::Max, &TbsSkinScrollBar::SetMax)
          .Default(100)
          .Property("PageSize", &TbsSkinScrollBar::PageSize, &TbsSkinScrollBar::SetPageSize)
          .Default(0)
          .Property("Position", &TbsSkinScrollBar::Position, &TbsSkinScrollBar::SetPosition)
          .Default(0)
          .Property("SmallChange", &TbsSkinScrollBar::SmallChange, &TbsSkinScrollBar::SetSmallChange)
          .Default(1)
          .Property("LargeChange", &TbsSkinScrollBar::LargeChange, &TbsSkinScrollBar::SetLargeChange)
          .Default(1)
          .Property("OnChange", &TbsSkinScrollBar::OnChange));
  return &info;
}

TbsSkinScrollBar::TbsSkinScrollBar(TComponent* owner) : TbsSkinCustomControl(owner) {
  SetControlStyle({csCaptureMouse, csOpaque});
  SetSkinDataName("hscrollbar");
  SetBounds(Left(), Top(), 200, 16);
}

TbsSkinScrollBar::~TbsSkinScrollBar() {
  if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
}

void TbsSkinScrollBar::SetKind(TScrollBarKind value) {
  if (value == FKind) return;
  FKind = value;
  if (SkinDataName() == "hscrollbar" || SkinDataName() == "vscrollbar")
    SetSkinDataName(value == sbVertical ? "vscrollbar" : "hscrollbar");
  if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  Layout();
  Invalidate();
}

int32_t TbsSkinScrollBar::MaxPosition() const { return FPageSize > 0 ? std::max(FMax - FPageSize + 1, FMin) : FMax; }

void TbsSkinScrollBar::SetParams(int32_t position, int32_t min, int32_t max, int32_t pageSize) {
  FMin = min;
  FMax = std::max(max, min);
  FPageSize = std::max(pageSize, 0);
  position = std::clamp(position, FMin, MaxPosition());
  const bool moved = position != FPosition;
  FPosition = position;
  Layout();
  Invalidate();
  if (moved) OnChange(this);
}

int32_t TbsSkinScrollBar::SkinThickness() {
  ResolveSkinRecord();
  if (RecordIndex() != -1 && FHasRecord && !IsEmptyRect(SourceRect))
    return Vertical() ? WidthOf(SourceRect) : HeightOf(SourceRect);
  return 16;
}

void TbsSkinScrollBar::ResolveSkinRecord() {
  TbsSkinCustomControl::ResolveSkinRecord();
  const auto* record = RecordIndex() == -1 ? nullptr : dynamic_cast<const TbsDataSkinScrollBarControl*>(SkinRecord());
  FHasRecord = record != nullptr;
  if (record) FRecord = *record;
}

void TbsSkinScrollBar::PrepareSkinChange() {
  TbsSkinCustomControl::PrepareSkinChange();
  FHasRecord = false;
}

void TbsSkinScrollBar::ApplySkinChange() {
  TbsSkinCustomControl::ApplySkinChange();
  Layout();
}

void TbsSkinScrollBar::SetBounds(int left, int top, int width, int height) {
  TbsSkinCustomControl::SetBounds(left, top, width, height);
  Layout();
}

void TbsSkinScrollBar::Layout() {
  const int w = Width(), h = Height();
  if (RecordIndex() != -1 && FHasRecord) {
    const int dW = w - WidthOf(SourceRect), dH = h - HeightOf(SourceRect);
    FUp = FRecord.UpButtonRect;
    FDown = FRecord.DownButtonRect;
    FTrack = FRecord.TrackArea;
    // The parts past the stretched middle move with the far end.
    if (Vertical()) {
      if (FDown.Top >= BottomLeftMark.Y) FDown.Offset(0, dH);
      FTrack.Bottom += dH;
    } else {
      if (FDown.Left >= TopRightMark.X) FDown.Offset(dW, 0);
      FTrack.Right += dW;
    }
  } else if (Vertical()) {
    const int b = std::min(w, h / 2);
    FUp = {0, 0, w, b};
    FDown = {0, h - b, w, h};
    FTrack = {0, b, w, h - b};
  } else {
    const int b = std::min(h, w / 2);
    FUp = {0, 0, b, h};
    FDown = {w - b, 0, w, h};
    FTrack = {b, 0, w - b, h};
  }
  // The thumb: as long as the page's share of the track, at the position's
  // share of the rest.
  const int length = Vertical() ? HeightOf(FTrack) : WidthOf(FTrack);
  const int range = FMax - FMin + 1;
  FThumb = {};
  if (length <= 0 || !Enabled() || (FPageSize > 0 && FPageSize >= range)) return;
  int minimum = kMinThumb;
  int natural = Vertical() ? WidthOf(FTrack) : HeightOf(FTrack);
  if (RecordIndex() != -1 && FHasRecord && !IsEmptyRect(FRecord.ThumbRect)) {
    const int glyph = Vertical() ? HeightOf(FRecord.GlyphRect) : WidthOf(FRecord.GlyphRect);
    minimum = std::max(FRecord.ThumbOffset1 + FRecord.ThumbOffset2 + std::max(glyph, 0) + 2, 4);
    natural = Vertical() ? HeightOf(FRecord.ThumbRect) : WidthOf(FRecord.ThumbRect);
  }
  int thumb = FPageSize > 0 ? std::max(int(int64_t(length) * FPageSize / range), minimum) : natural;
  if (thumb > length) return;
  const int span = MaxPosition() - FMin;
  const int start = span > 0 ? int(int64_t(length - thumb) * (FPosition - FMin) / span) : 0;
  if (Vertical())
    FThumb = {FTrack.Left, FTrack.Top + start, FTrack.Right, FTrack.Top + start + thumb};
  else
    FThumb = {FTrack.Left + start, FTrack.Top, FTrack.Left + start + thumb, FTrack.Bottom};
}

// ---- Mouse -------------------------------------------------------------------------------

TbsSkinScrollBar::TPart TbsSkinScrollBar::PartAt(int x, int y) const {
  if (FUp.Contains(x, y)) return kUp;
  if (FDown.Contains(x, y)) return kDown;
  if (FThumb.Contains(x, y)) return kThumb;
  if (!FTrack.Contains(x, y) || IsEmptyRect(FThumb)) return kNone;
  const int at = Vertical() ? y : x;
  return at < (Vertical() ? FThumb.Top : FThumb.Left) ? kPageUp : kPageDown;
}

void TbsSkinScrollBar::SetHot(TPart part) {
  if (part == FHot) return;
  FHot = part;
  Invalidate();
}

void TbsSkinScrollBar::StepPart(TPart part) {
  const int page = FPageSize > 0 ? FPageSize : FLargeChange;
  switch (part) {
    case kUp: SetPosition(FPosition - FSmallChange); break;
    case kDown: SetPosition(FPosition + FSmallChange); break;
    case kPageUp: SetPosition(FPosition - page); break;
    case kPageDown: SetPosition(FPosition + page); break;
    default: break;
  }
}

void TbsSkinScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TbsSkinCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  FPressed = PartAt(x, y);
  FLastMouse = {x, y};
  SetHot(FPressed);
  if (FPressed == kThumb) {
    FDragOffset = Along({x, y}) - (Vertical() ? FThumb.Top : FThumb.Left);
  } else if (FPressed != kNone) {
    StepPart(FPressed);
    FFirstDelay = true;
    if (HandleAllocated()) SetTimer(Handle(), kRepeatTimer, kFirstDelay, nullptr);
  }
  Invalidate();
}

void TbsSkinScrollBar::MouseMove(TShiftState shift, int x, int y) {
  FLastMouse = {x, y};
  if (FPressed == kThumb) {
    // The thumb follows the pointer; the position is its share of the track.
    const int length = Vertical() ? HeightOf(FTrack) : WidthOf(FTrack);
    const int thumb = Vertical() ? HeightOf(FThumb) : WidthOf(FThumb);
    const int free = length - thumb;
    const int start = Along({x, y}) - FDragOffset - (Vertical() ? FTrack.Top : FTrack.Left);
    if (free > 0)
      SetPosition(FMin + int((int64_t(std::clamp(start, 0, free)) * (MaxPosition() - FMin) + free / 2) / free));
  } else if (FPressed == kNone) {
    SetHot(PartAt(x, y));
  }
  TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
  if (button == mbLeft && FPressed != kNone) {
    FPressed = kNone;
    FHot = PartAt(x, y);
    Invalidate();
  }
  TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinScrollBar::RepeatTick() {
  if (FFirstDelay) {
    FFirstDelay = false;
    SetTimer(Handle(), kRepeatTimer, kRepeatInterval, nullptr);
    return;
  }
  // Only while the pointer is on the pressed part (the track stops once the
  // thumb has reached the pointer).
  if (PartAt(FLastMouse.X, FLastMouse.Y) == FPressed) StepPart(FPressed);
}

void TbsSkinScrollBar::WndProc(TMessage& message) {
  if (message.Msg == WM_TIMER && message.WParam == kRepeatTimer) {
    RepeatTick();
    return;
  }
  TbsSkinCustomControl::WndProc(message);
  if (message.Msg == CM_MOUSELEAVE && FPressed == kNone) SetHot(kNone);
  if (message.Msg == CM_ENABLEDCHANGED) {
    Layout();
    Invalidate();
  }
}

// ---- Painting --------------------------------------------------------------------------------

void TbsSkinScrollBar::PaintSkinLook(TBitmap* bitmap) {
  if (!FHasRecord) return;
  Layout();
  TbsSkinCustomControl::PaintSkinLook(bitmap);
  const auto state = [&](TPart part, const RECT& normal, const RECT& active, const RECT& down) {
    if (FPressed == part && FHot == part && !IsEmptyRect(down)) return down;
    if (FHot == part && !IsEmptyRect(active)) return active;
    return normal;
  };
  // The buttons at rest are part of the bar's picture.
  const RECT none{};
  CopyPiece(bitmap, Picture, state(kUp, none, FRecord.ActiveUpButtonRect, FRecord.DownUpButtonRect), FUp);
  CopyPiece(bitmap, Picture, state(kDown, none, FRecord.ActiveDownButtonRect, FRecord.DownDownButtonRect), FDown);
  PaintThumbSkin(bitmap);
}

void TbsSkinScrollBar::PaintThumbSkin(TBitmap* bitmap) {
  if (IsEmptyRect(FThumb) || !Picture) return;
  const bool hot = FHot == kThumb || FPressed == kThumb;
  RECT source = FRecord.ThumbRect;
  RECT glyph = FRecord.GlyphRect;
  if (FPressed == kThumb && !IsEmptyRect(FRecord.DownThumbRect)) {
    source = FRecord.DownThumbRect;
    if (!IsEmptyRect(FRecord.DownGlyphRect)) glyph = FRecord.DownGlyphRect;
  } else if (hot && !IsEmptyRect(FRecord.ActiveThumbRect)) {
    source = FRecord.ActiveThumbRect;
    if (!IsEmptyRect(FRecord.ActiveGlyphRect)) glyph = FRecord.ActiveGlyphRect;
  }
  if (IsEmptyRect(source)) return;
  TBitmap thumb;
  if (Vertical())
    ComposeVerticalStrip(FRecord.ThumbOffset1, FRecord.ThumbOffset2, &thumb, StretchMiddle, HeightOf(FThumb), source,
                         Picture);
  else
    ComposeHorizontalStrip(FRecord.ThumbOffset1, FRecord.ThumbOffset2, &thumb, StretchMiddle, WidthOf(FThumb), source,
                           Picture);
  if (!IsEmptyRect(glyph)) {
    const int gx = (thumb.Width() - WidthOf(glyph)) / 2, gy = (thumb.Height() - HeightOf(glyph)) / 2;
    CopyPiece(&thumb, Picture, glyph, {gx, gy, gx + WidthOf(glyph), gy + HeightOf(glyph)});
  }
  if (FRecord.ThumbTransparent) {
    thumb.SetTransparentColor(FRecord.ThumbTransparentColor);
    thumb.SetTransparent(true);
  }
  bitmap->Canvas()->Draw(FThumb.Left, FThumb.Top, &thumb);
}

void TbsSkinScrollBar::PaintDefaultLook(TBitmap* bitmap) {
  Layout();
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(SystemColor(COLOR_SCROLLBAR));
  canvas->FillRect({0, 0, bitmap->Width(), bitmap->Height()});
  const bool scrolls = !IsEmptyRect(FThumb);
  const TColor arrow = scrolls ? clBlack : SystemColor(COLOR_BTNSHADOW);
  DrawFace(canvas, FUp, FPressed == kUp && FHot == kUp);
  DrawFace(canvas, FDown, FPressed == kDown && FHot == kDown);
  const int shiftUp = FPressed == kUp && FHot == kUp ? 1 : 0;
  const int shiftDown = FPressed == kDown && FHot == kDown ? 1 : 0;
  DrawArrow(canvas, FUp.Offsetted(shiftUp, shiftUp), arrow, Vertical() ? 3 : 1);
  DrawArrow(canvas, FDown.Offsetted(shiftDown, shiftDown), arrow, Vertical() ? 4 : 2);
  if (FPressed == kPageUp || FPressed == kPageDown) {
    // The pressed side of the track darkens while it repeats.
    RECT side = FTrack;
    if (Vertical())
      (FPressed == kPageUp ? side.Bottom : side.Top) = FPressed == kPageUp ? FThumb.Top : FThumb.Bottom;
    else
      (FPressed == kPageUp ? side.Right : side.Left) = FPressed == kPageUp ? FThumb.Left : FThumb.Right;
    canvas->Brush()->SetColor(SystemColor(COLOR_3DDKSHADOW));
    canvas->FillRect(side);
  }
  if (scrolls) DrawFace(canvas, FThumb, false);
}

}  // namespace kora

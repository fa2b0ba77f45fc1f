// TbsSkinControl and TbsSkinCustomControl: binding to a record, fitting
// its geometry, the window shape and the off-screen paint.

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "platform/gdi/Region.h"
#include "skin/controls/bsSkinCtrls_Control.h"

namespace kora {

void RelaySkinNotice(TControl* root, UINT message, TbsSkinData* sender) {
  if (!root) return;
  if (auto* target = dynamic_cast<IbsSkinNoticeTarget*>(root)) target->SkinNotice(message, sender);
  if (auto* container = dynamic_cast<TWinControl*>(root)) {
    for (int i = 0; i < container->ControlCount(); ++i) RelaySkinNotice(container->Controls(i), message, sender);
  }
}

TFontCharset SkinTextCharset(const TbsSkinData* skin, const TFont* fallback) {
  if (skin && skin->ResourceStrData()) return TFontCharset(skin->ResourceStrData()->CharSet);
  return fallback ? fallback->Charset() : bsDefaultFontCharset;
}

// ---- TbsSkinControl ---------------------------------------------------------------

TClass TbsSkinControl::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinControl>("TbsSkinControl")
          .Property("SkinData", &TbsSkinControl::SkinData, &TbsSkinControl::SetSkinData)
          .Property("SkinDataName", &TbsSkinControl::SkinDataName, &TbsSkinControl::SetSkinDataName)
          .Property("OnMouseEnter", &TbsSkinControl::OnMouseEnter)
          .Property("OnMouseLeave", &TbsSkinControl::OnMouseLeave));
  return &info;
}

TbsSkinControl::TbsSkinControl(TComponent* owner) : TCustomControl(owner) {}

TbsSkinControl::~TbsSkinControl() {
  if (ShapeRegion) DeleteObject(ShapeRegion);
}

const TbsDataSkinControl* TbsSkinControl::SkinRecord() const {
  if (FRecordIndex < 0 || !FSkinData || FRecordIndex >= FSkinData->ControlRecordCount()) return nullptr;
  return FSkinData->ControlRecord(FRecordIndex);
}

void TbsSkinControl::ResolveSkinRecord() {
  FRecordIndex = (!FSkinData || FSkinData->Empty()) ? -1 : FSkinData->FindControlRecord(FSkinDataName);
}

void TbsSkinControl::StoreSkinDataName(const std::string& value) { FSkinDataName = value; }

void TbsSkinControl::StoreSkinData(TbsSkinData* value) {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = value;
  if (FSkinData) FSkinData->FreeNotification(this);
  if (FSkinData && !FSkinData->Empty() && !Designing()) ApplySkinChange();
}

void TbsSkinControl::PaintDefaultLook(TBitmap*) {}
void TbsSkinControl::PaintSkinLook(TBitmap*) {}

void TbsSkinControl::ApplySkinChange() {
  ResolveSkinRecord();
  Invalidate();
}

void TbsSkinControl::PrepareSkinChange() { FRecordIndex = -1; }

void TbsSkinControl::SkinNotice(UINT message, TbsSkinData* sender) {
  if (sender && sender != FSkinData) return;
  if (message == SKINMSG_SKIN_CHANGING) PrepareSkinChange();
  if (message == SKINMSG_SKIN_CHANGED) ApplySkinChange();
}

void TbsSkinControl::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  ResolveSkinRecord();
  TBitmap bitmap;
  bitmap.SetSize(Width(), Height());
  if (FRecordIndex == -1)
    PaintDefaultLook(&bitmap);
  else
    PaintSkinLook(&bitmap);
  Canvas()->Draw(0, 0, &bitmap);
}

void TbsSkinControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      // The paint covers every pixel; erasing would only flicker.
      message.Result = 1;
      return;
    case WM_PAINT: {
      const bool outer = FInSystemPaint;
      FInSystemPaint = message.WParam == 0;
      try {
        TCustomControl::WndProc(message);
      } catch (...) {
        FInSystemPaint = outer;
        throw;
      }
      FInSystemPaint = outer;
      return;
    }
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TCustomControl::WndProc(message);
      if (!Designing()) {
        if (message.Msg == CM_MOUSEENTER)
          OnMouseEnter(this);
        else
          OnMouseLeave(this);
      }
      return;
    default: TCustomControl::WndProc(message);
  }
}

void TbsSkinControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == FSkinData) FSkinData = nullptr;
}

// ---- TbsSkinCustomControl -----------------------------------------------------------

TClass TbsSkinCustomControl::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinCustomControl>("TbsSkinCustomControl")
          .Property("DefaultFont", &TbsSkinCustomControl::DefaultFont, &TbsSkinCustomControl::SetDefaultFont)
          .Property("DefaultWidth", &TbsSkinCustomControl::DefaultWidth, &TbsSkinCustomControl::SetDefaultWidth)
          .Default(0)
          .Property("DefaultHeight", &TbsSkinCustomControl::DefaultHeight, &TbsSkinCustomControl::SetDefaultHeight)
          .Default(0)
          .Property("UseSkinFont", &TbsSkinCustomControl::UseSkinFont, &TbsSkinCustomControl::SetUseSkinFont)
          .Default(false));
  return &info;
}

TbsSkinCustomControl::TbsSkinCustomControl(TComponent* owner)
    : TbsSkinControl(owner), FDefaultFont(std::make_unique<TFont>()) {
  FDefaultFont->SetName(bsDefaultFontName);
  FDefaultFont->SetCharset(bsDefaultFontCharset);
  FDefaultFont->SetHeight(-12);
  FDefaultFont->OnChange = [this](TObject* sender) { DefaultFontChanged(sender); };
}

TbsSkinCustomControl::~TbsSkinCustomControl() { FDefaultFont->OnChange = nullptr; }

void TbsSkinCustomControl::SetDefaultWidth(int32_t value) {
  FDefaultWidth = value;
  if (RecordIndex() == -1 && value > 0) SetWidth(value);
}

void TbsSkinCustomControl::SetDefaultHeight(int32_t value) {
  FDefaultHeight = value;
  if (RecordIndex() == -1 && value > 0) SetHeight(value);
}

void TbsSkinCustomControl::SetDefaultFont(const TFont* value) {
  FDefaultFont->Assign(value);
  DefaultFontUpdated();
}

void TbsSkinCustomControl::DefaultFontChanged(TObject*) {
  DefaultFontUpdated();
  if (RecordIndex() == -1) Invalidate();
}

void TbsSkinCustomControl::ResolveSkinRecord() {
  TbsSkinControl::ResolveSkinRecord();
  if (RecordIndex() == -1) return;
  const auto* record = dynamic_cast<const TbsDataSkinCustomControl*>(SkinRecord());
  if (!record) {
    // Bound to a record without geometry: nothing to draw from the skin, and
    // no size to take from it either (a fixed size would be the stale or
    // empty rectangle of no record).
    SizingMode = -1;
    Picture = ShapeMask = nullptr;
    return;
  }
  TopLeftMark = record->LeftTopPoint;
  TopRightMark = record->RightTopPoint;
  BottomLeftMark = record->LeftBottomPoint;
  BottomRightMark = record->RightBottomPoint;
  SourceRect = record->SkinRect;
  StretchMiddle = record->StretchEffect;
  StretchLeftEdge = record->LeftStretch;
  StretchTopEdge = record->TopStretch;
  StretchRightEdge = record->RightStretch;
  StretchBottomEdge = record->BottomStretch;
  InnerRect = record->ClientRect;
  Picture = SkinData()->FindActivePicture(record->PictureIndex);
  ShapeMask = SkinData()->FindActivePicture(record->MaskPictureIndex);
  // In this order: a record with all four points set stretches both ways.
  if (IsEmptyRect(SourceRect))
    SizingMode = -1;
  else if (BottomRightMark.X != 0 && BottomRightMark.Y != 0)
    SizingMode = 1;
  else if (TopRightMark.X != 0 || TopRightMark.Y != 0)
    SizingMode = 2;
  else if (BottomLeftMark.X != 0 || BottomLeftMark.Y != 0)
    SizingMode = 3;
  else
    SizingMode = 0;
}

void TbsSkinCustomControl::FitHorizontally(int width) {
  const int dx = width - WidthOf(SourceRect);
  FitTopLeftMark = TopLeftMark;
  FitTopRightMark = {TopRightMark.X + dx, TopRightMark.Y};
  FitInnerRect = {InnerRect.Left, InnerRect.Top, InnerRect.Right + dx, InnerRect.Bottom};
}

void TbsSkinCustomControl::FitSizeToSkin(int& width, int& height) {
  if (RecordIndex() == -1) return;
  const int dx = width - WidthOf(SourceRect), dy = height - HeightOf(SourceRect);
  switch (SizingMode) {
    case 1:
      FitTopLeftMark = TopLeftMark;
      FitTopRightMark = {TopRightMark.X + dx, TopRightMark.Y};
      FitBottomLeftMark = {BottomLeftMark.X, BottomLeftMark.Y + dy};
      FitBottomRightMark = {BottomRightMark.X + dx, BottomRightMark.Y + dy};
      FitInnerRect = {InnerRect.Left, InnerRect.Top, InnerRect.Right + dx, InnerRect.Bottom + dy};
      break;
    case 2:
      height = HeightOf(SourceRect);
      FitHorizontally(width);
      break;
    case 3:
      width = WidthOf(SourceRect);
      FitTopLeftMark = TopLeftMark;
      FitBottomLeftMark = {BottomLeftMark.X, BottomLeftMark.Y + dy};
      FitInnerRect = {InnerRect.Left, InnerRect.Top, InnerRect.Right, InnerRect.Bottom + dy};
      break;
    case 0:
      width = WidthOf(SourceRect);
      height = HeightOf(SourceRect);
      FitInnerRect = InnerRect;
      break;
    default: break;
  }
}

void TbsSkinCustomControl::SetBounds(int left, int top, int width, int height) {
  ResolveSkinRecord();
  const bool resized = (width != Width() || height != Height()) && RecordIndex() != -1;
  if (resized) {
    FitSizeToSkin(width, height);
    if (SizingMode == 0) FitInnerRect = InnerRect;
  }
  TbsSkinControl::SetBounds(left, top, width, height);
  if (resized) {
    UpdateWindowShape();
    Invalidate();
  }
}

void TbsSkinCustomControl::ApplySkinChange() {
  ResolveSkinRecord();
  const int oldWidth = Width(), oldHeight = Height();
  if (RecordIndex() == -1) {
    if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
    if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    UpdateWindowShape();
    Invalidate();
    return;
  }
  int width = oldWidth, height = oldHeight;
  FitSizeToSkin(width, height);
  if (width != oldWidth || height != oldHeight) {
    // Through the bounds setter, which shapes and repaints.
    SetBounds(Left(), Top(), width, height);
  } else {
    UpdateWindowShape();
    Invalidate();
  }
}

void TbsSkinCustomControl::UpdateWindowShape() {
  if (!HandleAllocated()) return;
  if (!ShapeMask || RecordIndex() == -1) {
    if (ShapeRegion) {
      SetWindowRgn(Handle(), HRGN(), true);
      DeleteObject(ShapeRegion);
      ShapeRegion = HRGN();
    }
    return;
  }
  int width = Width(), height = Height();
  FitSizeToSkin(width, height);
  HRGN region;
  const TbsSkinGeometry geometry = Geometry();
  const SIZE size{Width(), Height()};
  switch (SizingMode) {
    case 0: region = RegionFromMask(ShapeMask); break;
    case 1: region = BuildSkinRegion(geometry, FitGeometry(), ShapeMask, size); break;
    case 2: {
      TbsSkinGeometry fit = geometry;
      fit.RT.X += Width() - WidthOf(SourceRect);
      fit.C = FitInnerRect;
      region = BuildSkinRegion(geometry, fit, ShapeMask, size);
      break;
    }
    case 3: {
      TbsSkinGeometry fit = geometry;
      fit.LB.Y += Height() - HeightOf(SourceRect);
      fit.C = FitInnerRect;
      region = BuildSkinRegion(geometry, fit, ShapeMask, size);
      break;
    }
    default: region = HRGN(); break;
  }
  // The window owns the region it is given; ours is a copy we can free.
  HRGN windowRegion;
  if (region) {
    windowRegion = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(windowRegion, region, HRGN(), RGN_COPY);
  }
  SetWindowRgn(Handle(), windowRegion, true);
  if (ShapeRegion) DeleteObject(ShapeRegion);
  ShapeRegion = region;
}

void TbsSkinCustomControl::CreateWnd() {
  TbsSkinControl::CreateWnd();
  UpdateWindowShape();
}

void TbsSkinCustomControl::PaintDefaultLook(TBitmap* bitmap) {
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(ClientRect());
}

void TbsSkinCustomControl::PaintSkinLook(TBitmap* bitmap) {
  if (!Picture) return;
  const int width = bitmap->Width(), height = bitmap->Height();
  switch (SizingMode) {
    case 0: {
      bitmap->SetSize(WidthOf(SourceRect), HeightOf(SourceRect));
      BitBlt(bitmap->Canvas()->Handle(), 0, 0, WidthOf(SourceRect), HeightOf(SourceRect), Picture->Canvas()->Handle(),
             SourceRect.Left, SourceRect.Top, SRCCOPY);
      break;
    }
    case 1:
      if (ContainerPaint) break;
      ComposeNinePart(Geometry(), FitGeometry(), bitmap, Picture, SourceRect, {width, height}, true, StretchFlags());
      break;
    case 2:
      ComposeHorizontalStrip(TopLeftMark.X, WidthOf(SourceRect) - TopRightMark.X, bitmap, StretchMiddle, width,
                             SourceRect, Picture);
      break;
    case 3:
      ComposeVerticalStrip(TopLeftMark.Y, HeightOf(SourceRect) - BottomLeftMark.Y, bitmap, StretchMiddle, height,
                           SourceRect, Picture);
      break;
    default: break;
  }
}

void TbsSkinCustomControl::Paint() {
  ResolveSkinRecord();
  if (RecordIndex() != -1 && ContainerPaint && SizingMode == 1 && Picture) {
    PaintContainer();
    return;
  }
  TbsSkinControl::Paint();
}

void TbsSkinCustomControl::PaintContainer() {
  const int width = Width(), height = Height();
  if (width <= 0 || height <= 0) return;
  int fitWidth = width, fitHeight = height;
  FitSizeToSkin(fitWidth, fitHeight);
  TBitmap left, top, right, bottom;
  ComposeBorderBands(Geometry(), FitGeometry(), {&left, &top, &right, &bottom}, Picture, SourceRect, {width, height},
                     StretchFlags());
  PaintSkinLook(&top);
  TCanvas* canvas = Canvas();
  const HDC dc = canvas->Handle();
  if (TileInterior) {
    const RECT piece = InnerRect.Offsetted(SourceRect.Left, SourceRect.Top);
    const int pw = WidthOf(piece), ph = HeightOf(piece);
    if (pw > 0 && ph > 0) {
      const ScopedSaveDC saved(dc);
      IntersectClipRect(dc, FitInnerRect.Left, FitInnerRect.Top, FitInnerRect.Right, FitInnerRect.Bottom);
      const HDC source = Picture->Canvas()->Handle();
      for (int i = 0; i <= WidthOf(FitInnerRect) / pw; ++i)
        for (int j = 0; j <= HeightOf(FitInnerRect) / ph; ++j)
          BitBlt(dc, FitInnerRect.Left + i * pw, FitInnerRect.Top + j * ph, pw, ph, source, piece.Left, piece.Top,
                 SRCCOPY);
    }
  }
  canvas->Draw(0, 0, &top);
  canvas->Draw(0, top.Height(), &left);
  canvas->Draw(width - right.Width(), top.Height(), &right);
  canvas->Draw(0, height - bottom.Height(), &bottom);
}

}  // namespace kora

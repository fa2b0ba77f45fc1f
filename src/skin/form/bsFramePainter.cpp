// Painting the frame in its two looks and a skinned client's background.

#include "skin/form/bsFramePainter.h"

#include <algorithm>

#include "skin/data/bsEffects.h"
#include "skin/form/bsSkinForm.h"

namespace kora {

namespace {

void ApplyEffect(TBitmap& band, TbsInactiveEffect effect) {
  if (band.Empty()) return;
  TbsEffectBmp image(band.Handle());
  image.ApplyInactiveEffect(int(effect));
  image.DrawToDevice(band.Canvas()->Handle(), 0, 0);
}

}  // namespace

void TbsFramePainter::PaintSkin(HDC dc) const {
  TbsSkinData* skin = FFrame->SkinData();
  const TbsFrameGeometry& g = FFrame->Geometry();
  const int width = g.Width, height = g.Height;
  const TbsSkinFormInfo& info = skin->FormInfo();
  const bool active = FFrame->GetFormActive();
  TBitmap* picture = active || skin->InactivePicture()->Empty() ? skin->Picture() : skin->InactivePicture();
  const TbsSkinGeometry geo{info.LeftTopPoint, info.RightTopPoint, info.LeftBottomPoint, info.RightBottomPoint,
                            info.ClientRect};
  const TbsSkinGeometry fit{g.TopLeft, g.TopRight, g.BottomLeft, g.BottomRight, g.Inner};
  TBitmap left, top, right, bottom;
  ComposeBorderBands(geo, fit, {&left, &top, &right, &bottom}, picture, {0, 0, picture->Width(), picture->Height()},
                     {width, height},
                     {info.LeftStretch, info.TopStretch, info.RightStretch, info.BottomStretch, false});
  if (!active && info.AutoRenderingInActiveImage) {
    for (TBitmap* band : {&top, &bottom, &left, &right}) ApplyEffect(*band, info.InActiveEffect);
  }
  for (int i = 0; i < FFrame->FrameObjects().Count(); ++i) {
    TbsActiveSkinObject* object = FFrame->FrameObjects().At(i);
    if (!object->Visible) continue;
    if (object->ObjectRect.Bottom <= g.Inner.Top) {
      if (!top.Empty()) object->Draw(top.Canvas(), false);
    } else if (!bottom.Empty()) {
      const RECT saved = object->ObjectRect;
      object->ObjectRect.Offset(0, -g.Inner.Bottom);
      object->Draw(bottom.Canvas(), false);
      object->ObjectRect = saved;
    }
  }
  const ScopedSaveDC save(dc);
  ExcludeClipRect(dc, g.Inner.Left, g.Inner.Top, g.Inner.Right, g.Inner.Bottom);
  const auto put = [dc](TBitmap& band, int x, int y) {
    if (!band.Empty()) BitBlt(dc, x, y, band.Width(), band.Height(), band.Canvas()->Handle(), 0, 0, SRCCOPY);
  };
  put(top, 0, 0);
  put(left, 0, top.Height());
  put(right, width - right.Width(), top.Height());
  put(bottom, 0, height - bottom.Height());
}

void TbsFramePainter::PaintDefault(HDC dc) const {
  const TbsFrameGeometry& g = FFrame->Geometry();
  const int width = g.Width, height = g.Height;
  const RECT inner = g.Inner;
  TBitmap frame;
  frame.SetSize(width, height);
  TCanvas* canvas = frame.Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect({0, 0, width, height});
  RECT edge{0, 0, width, height};
  DrawEdge(canvas->Handle(), &edge, EDGE_RAISED, BF_RECT);
  const bool active = FFrame->GetFormActive();
  // The caption is drawn down to a row short of the client.
  RECT caption = g.Caption;
  --caption.Bottom;
  // The caption fonts are button text and button shadow: the caption sits on
  // the button face, and the text colour tells active from inactive.
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(caption);
  int textLeft = caption.Left + 2, textRight = caption.Right - 2;
  for (int i = 0; i < FFrame->FrameObjects().Count(); ++i) {
    TbsActiveSkinObject* object = FFrame->FrameObjects().At(i);
    if (!object->Visible) continue;
    object->Draw(canvas, true);
    if (object->ButtonCommand() == cmSysMenu)
      textLeft = std::max(textLeft, object->ObjectRect.Right + 2);
    else
      textRight = std::min(textRight, object->ObjectRect.Left - 2);
  }
  std::string text = FFrame->Form()->Caption();
  if (!text.empty() && textRight > textLeft) {
    canvas->Font()->Assign(active ? FFrame->DefCaptionFont() : FFrame->DefInActiveCaptionFont());
    EllipsizeText(canvas, text, textRight - textLeft);
    canvas->Brush()->SetStyle(bsClear);
    const SIZE size = canvas->TextExtent(text);
    canvas->TextOut(textLeft, caption.Top + HeightOf(caption) / 2 - size.cy / 2, text);
  }
  const ScopedSaveDC save(dc);
  ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
  BitBlt(dc, 0, 0, width, height, canvas->Handle(), 0, 0, SRCCOPY);
}

void TbsFramePainter::PaintClientBackground(HDC dc) const {
  TbsSkinData* skin = FFrame->SkinData();
  TBitmap* logo = FFrame->LogoBitMap();
  RECT client;
  GetClientRect(FFrame->Form()->Handle(), &client);
  TCanvas canvas;
  canvas.SetHandle(dc);
  const TbsSkinFormInfo& info = skin->FormInfo();
  TBitmap* tilePicture = nullptr;
  RECT piece{};
  if (info.BGPictureIndex != -1) {
    tilePicture = skin->FindActivePicture(info.BGPictureIndex);
    if (tilePicture) piece = {0, 0, tilePicture->Width(), tilePicture->Height()};
  } else if (!IsEmptyRect(info.ClientRect)) {
    tilePicture = skin->Picture();
    piece = info.ClientRect;
  }
  if (!tilePicture || IsEmptyRect(piece)) {
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(client);
  } else {
    const int w = WidthOf(piece), h = HeightOf(piece);
    const HDC source = tilePicture->Canvas()->Handle();
    for (int i = 0; i <= client.Right / w; ++i)
      for (int j = 0; j <= client.Bottom / h; ++j)
        BitBlt(dc, i * w, j * h, w, h, source, piece.Left, piece.Top, SRCCOPY);
  }
  if (info.BGPictureIndex == -1 && !logo->Empty()) {
    logo->SetTransparent(FFrame->LogoBitMapTransparent);
    canvas.Draw(std::max(client.Right / 2 - logo->Width() / 2, 0), std::max(client.Bottom / 2 - logo->Height() / 2, 0),
                logo);
  }
  canvas.SetHandle(HDC());
}

}  // namespace kora

// The form frame as the skinned frame composes it: four border bands cut
// from the main picture at the window's size, the caption buttons laid out
// from the caption rectangle's right, the caption text drawn straight onto
// the top band, the inactive effect on an inactive window's bands, and the
// window region from the mask.
#include <algorithm>

#include "platform/gdi/Region.h"
#include "skinc/PreviewParts.h"

namespace kora::skinc {

namespace {

struct FrameGeometry {
  POINT LT, RT, LB, RB;
  RECT Inner, Caption, Mask;
};

FrameGeometry FitFrame(const TbsSkinFormInfo& info, int dx, int dy) {
  FrameGeometry g;
  g.LT = info.LeftTopPoint;
  g.RT = info.RightTopPoint.Offsetted(dx, 0);
  g.LB = info.LeftBottomPoint.Offsetted(0, dy);
  g.RB = info.RightBottomPoint.Offsetted(dx, dy);
  const RECT& c = info.ClientRect;
  g.Inner = {c.Left, c.Top, c.Right + dx, c.Bottom + dy};
  g.Caption = info.CaptionRect;
  if (!IsEmptyRect(g.Caption)) g.Caption.Right += dx;
  const RECT& m = info.MaskRectArea;
  g.Mask = {m.Left, m.Top, m.Right + dx, m.Bottom + dy};
  return g;
}

// The object's look in the top band: in-picture buttons copy their state
// rectangle from the object's active picture.
void DrawButtonObject(const TbsSkinData& data, const TbsDataSkinStdButton& record, TCanvas* canvas, const RECT& at,
                      int look) {
  TBitmap image;
  ComposeCaptionButton(data, record, look, false, image);
  Paste(canvas, at.Left, at.Top, image);
}

void DrawCaptionText(const TbsDataSkinCaption& caption, TCanvas* canvas, const RECT& object, bool active,
                     const std::string& text) {
  RECT t = caption.TextRect;
  if (IsEmptyRect(t) || text.empty()) return;
  t.Right += WidthOf(object) - WidthOf(caption.SkinRect);
  t.Offset(object.Left, object.Top);
  SetFont(canvas, caption.FontName, caption.FontHeight, caption.FontStyle,
          active ? caption.ActiveFontColor : caption.FontColor, caption.FontCharset);
  std::string shown = text;
  EllipsizeText(canvas, shown, WidthOf(t));
  const SIZE size = MeasureText(canvas, shown);
  const int y = t.Top + HeightOf(t) / 2 - size.cy / 2;
  int x = t.Left;
  if (caption.Alignment == taRightJustify) x = t.Right - size.cx;
  if (caption.Alignment == taCenter) x = t.Left + WidthOf(t) / 2 - size.cx / 2;
  const TColor color = canvas->Font()->Color();
  if (caption.Light) {
    canvas->Font()->SetColor(active ? caption.ActiveLightColor : caption.LightColor);
    DrawTextAt(canvas, x - 1, y - 1, shown);
  }
  if (caption.Shadow) {
    canvas->Font()->SetColor(active ? caption.ActiveShadowColor : caption.ShadowColor);
    DrawTextAt(canvas, x + 1, y + 1, shown);
  }
  canvas->Font()->SetColor(color);
  DrawTextAt(canvas, x, y, shown);
}

// The window region as the frame builds it after a size change: the black
// pixels of the four mask bands around the fitted mask area.
HRGN FrameRegion(const TbsSkinFormInfo& info, const FrameGeometry& g, TBitmap* mask, int W, int H) {
  TBitmap top, left, right, bottom;
  ComposeMaskBands(
      {info.LeftTopPoint, info.RightTopPoint, info.LeftBottomPoint, info.RightBottomPoint, info.MaskRectArea},
      {g.LT, g.RT, g.LB, g.RB, g.Mask}, mask, {&left, &top, &right, &bottom}, {W, H});
  HRGN region = CreateRectRgn(g.Mask.Left, g.Mask.Top, g.Mask.Right, g.Mask.Bottom);
  const struct {
    TBitmap* Band;
    int X, Y;
  } bands[] = {{&top, 0, 0}, {&bottom, 0, g.Mask.Bottom}, {&left, 0, g.Mask.Top}, {&right, g.Mask.Right, g.Mask.Top}};
  for (const auto& band : bands) {
    HRGN part = RegionFromMask(band.Band);
    if (!part) continue;
    OffsetRgn(part, band.X, band.Y);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  }
  return region;
}

}  // namespace

void ComposeCaptionButton(const TbsSkinData& data, const TbsDataSkinStdButton& record, int look, bool restore,
                          TBitmap& target) {
  TBitmap* picture = data.FindActivePicture(record.ActivePictureIndex);
  RECT normal = record.SkinRect, hot = record.ActiveSkinRect, down = record.DownRect,
       inactive = record.InActiveSkinRect;
  if (restore && !IsEmptyRect(record.RestoreRect)) {
    normal = record.RestoreRect;
    hot = record.RestoreActiveRect;
    down = record.RestoreDownRect;
    inactive = record.RestoreInActiveRect;
  }
  RECT piece = normal;
  if (look == 1 && !IsEmptyRect(hot)) piece = hot;
  if (look == 2 && !IsEmptyRect(down)) piece = down;
  if (look == 3 && !IsEmptyRect(inactive)) piece = inactive;
  target.SetSize(WidthOf(record.SkinRect), HeightOf(record.SkinRect));
  CopyPiece(target.Canvas(), 0, 0, picture, piece);
}

HRGN ComposeFrame(const TbsSkinData& data, int W, int H, const FrameState& state, TBitmap& window, RECT& clientRect) {
  const TbsSkinFormInfo& info = data.FormInfo();
  TBitmap* picture = data.Picture();
  const int picW = picture->Width(), picH = picture->Height();
  const FrameGeometry g = FitFrame(info, W - picW, H - picH);
  const RECT R{0, 0, picW, picH};

  TBitmap left, top, right, bottom;
  ComposeBorderBands(
      {info.LeftTopPoint, info.RightTopPoint, info.LeftBottomPoint, info.RightBottomPoint, info.ClientRect},
      {g.LT, g.RT, g.LB, g.RB, g.Inner}, {&left, &top, &right, &bottom}, picture, R, {W, H},
      {info.LeftStretch, info.TopStretch, info.RightStretch, info.BottomStretch});
  if (!state.Active && info.AutoRenderingInActiveImage)
    for (TBitmap* band : {&left, &top, &right, &bottom}) ApplyEffect(*band, info.InActiveEffect);

  // Caption buttons from the row's right: close, then minimize (the main
  // window's border icons), each buttonsoffset apart.
  const RECT row = IsEmptyRect(g.Caption) ? RECT{} : g.Caption;
  int x = row.Right;
  for (const char* name : {"closebutton", "minbutton"}) {
    const auto* button = FindObjectRecord<TbsDataSkinStdButton>(data, name);
    if (!button || !button->SkinRectInAPicture || IsEmptyRect(row)) continue;
    const int w = WidthOf(button->SkinRect), h = HeightOf(button->SkinRect);
    const RECT at{x - w, row.Top, x, row.Top + h};
    int look = state.Active ? 0 : 3;
    if (state.Active && button->Command == state.HotCommand) look = state.Down ? 2 : 1;
    DrawButtonObject(data, *button, top.Canvas(), at, look);
    x -= w + info.ButtonsOffset;
  }
  if (const auto* caption = FindObjectRecord<TbsDataSkinCaption>(data, "caption")) {
    // The caption widens with the window (its corners lie in the top-left
    // and top-right areas), then ends where the buttons begin.
    RECT object = caption->SkinRect;
    object.Right += W - picW;
    if (!IsEmptyRect(row)) object.Right = x + info.ButtonsOffset;
    DrawCaptionText(*caption, top.Canvas(), object, state.Active, state.Caption);
  }

  window.SetSize(W, H);
  TCanvas* canvas = window.Canvas();
  // The client background: the main picture's client piece tiled.
  clientRect = g.Inner;
  TilePiece(canvas, g.Inner, picture, info.ClientRect);
  Paste(canvas, 0, 0, top);
  Paste(canvas, 0, top.Height(), left);
  Paste(canvas, W - right.Width(), top.Height(), right);
  Paste(canvas, 0, H - bottom.Height(), bottom);

  if (data.MaskPicture()->Empty()) return nullptr;
  return FrameRegion(info, g, data.MaskPicture(), W, H);
}

}  // namespace kora::skinc

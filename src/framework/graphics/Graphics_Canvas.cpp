// TCanvas: drawing calls on a device context with the canvas's objects.

#include "framework/core/ClassBuilder.h"
#include "framework/graphics/Graphics.h"
#include "platform/text/Text.h"

namespace kora {

TClass TCanvas::StaticClass() {
  static const TClassInfo info(TClassBuilder<TCanvas>("TCanvas"));
  return &info;
}

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  // A changed object must leave the context before its old handle goes.
  FFont->OnChange = [this](TObject*) { DeselectFont(); };
  FPen->OnChange = [this](TObject*) { DeselectPen(); };
  FBrush->OnChange = [this](TObject*) { DeselectBrush(); };
}

TCanvas::~TCanvas() { SetHandle(HDC()); }

HDC TCanvas::Handle() {
  if (!FHandle) {
    CreateHandle();
    if (!FHandle) throw EInvalidGraphicOperation("Canvas does not allow drawing");
  }
  SelectFont();
  SelectPen();
  SelectBrush();
  return FHandle;
}

void TCanvas::SetHandle(HDC value) {
  if (value == FHandle) return;
  Refresh();
  FHandle = value;
}

void TCanvas::Refresh() {
  DeselectFont();
  DeselectPen();
  DeselectBrush();
}

void TCanvas::SelectFont() {
  if (FOldFont) return;
  FOldFont = SelectObject(FHandle, FFont->Handle());
  SetTextColor(FHandle, ColorToColorRef(FFont->Color()));
}

void TCanvas::SelectPen() {
  if (FOldPen) return;
  FOldPen = SelectObject(FHandle, FPen->Handle());
  if (!SetROP2(FHandle, static_cast<int>(FPen->Mode()) + R2_BLACK)) SetROP2(FHandle, R2_COPYPEN);
}

void TCanvas::SelectBrush() {
  if (FOldBrush) return;
  FOldBrush = SelectObject(FHandle, FBrush->Handle());
  // Text backgrounds follow the brush, as drawing code expects.
  SetBkColor(FHandle, ColorToColorRef(FBrush->Color()));
  SetBkMode(FHandle, FBrush->Style() == bsClear ? TRANSPARENT : OPAQUE);
}

void TCanvas::DeselectFont() {
  if (FOldFont) SelectObject(FHandle, std::exchange(FOldFont, HGDIOBJ()));
}

void TCanvas::DeselectPen() {
  if (FOldPen) SelectObject(FHandle, std::exchange(FOldPen, HGDIOBJ()));
}

void TCanvas::DeselectBrush() {
  if (FOldBrush) SelectObject(FHandle, std::exchange(FOldBrush, HGDIOBJ()));
}

void TCanvas::Changing() { OnChanging(this); }

void TCanvas::Changed() { OnChange(this); }

POINT TCanvas::PenPos() {
  POINT p;
  GetCurrentPositionEx(Handle(), &p);
  return p;
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  Changing();
  kora::LineTo(Handle(), x, y);
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Changing();
  kora::Rectangle(Handle(), x1, y1, x2, y2);
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Changing();
  kora::Ellipse(Handle(), x1, y1, x2, y2);
  Changed();
}

void TCanvas::FillRect(const RECT& r) {
  Changing();
  const HDC dc = Handle();
  kora::FillRect(dc, &r, FBrush->Handle());
  Changed();
}

void TCanvas::FrameRect(const RECT& r) {
  Changing();
  const HDC dc = Handle();
  kora::FrameRect(dc, &r, FBrush->Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const RECT& r) {
  Changing();
  kora::DrawFocusRect(Handle(), &r);
  Changed();
}

TColor TCanvas::Pixels(int x, int y) { return static_cast<TColor>(GetPixel(Handle(), x, y)); }

void TCanvas::SetPixels(int x, int y, TColor value) {
  Changing();
  SetPixel(Handle(), x, y, ColorToColorRef(value));
  Changed();
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  Changing();
  kora::TextOut(Handle(), x, y, text);
  MoveTo(x + TextWidth(text), y);
  Changed();
}

void TCanvas::TextRect(const RECT& r, int x, int y, std::string_view text) {
  Changing();
  const uint32_t options = ETO_CLIPPED | (FBrush->Style() != bsClear ? ETO_OPAQUE : 0);
  ExtTextOut(Handle(), x, y, options, &r, text);
  Changed();
}

SIZE TCanvas::TextExtent(std::string_view text) {
  SIZE size;
  GetTextExtentPoint32(Handle(), text, &size);
  return size;
}

void TCanvas::Draw(int x, int y, const TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  StretchDraw(RECT::FromSize(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const RECT& r, const TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  graphic->Draw(this, r);
  Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source) {
  if (!canvas) return;
  Changing();
  StretchBlt(Handle(), dest.Left, dest.Top, dest.Width(), dest.Height(), canvas->Handle(), source.Left, source.Top,
             source.Width(), source.Height(), FCopyMode);
  Changed();
}

void TCanvas::BrushCopy(const RECT& dest, const TBitmap* bitmap, const RECT& source, TColor color) {
  if (!bitmap || bitmap->Empty()) return;
  Changing();
  const HDC dc = Handle();
  kora::FillRect(dc, &dest, FBrush->Handle());
  // The bitmap's own canvas is the only context its pixels can be read through.
  TransparentBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), const_cast<TBitmap*>(bitmap)->Canvas()->Handle(),
                 source.Left, source.Top, source.Width(), source.Height(), ColorToColorRef(color));
  Changed();
}

RECT TCanvas::ClipRect() {
  RECT r;
  GetClipBox(Handle(), &r);
  return r;
}

}  // namespace kora

// Fonts, pens, brushes and canvases.

#include "GraphicsTestSupport.h"

#include "framework/core/FormText.h"

namespace kora::test {
namespace {

TEST(GraphicsFont, HeightAndSizeConvertAtNinetySixDpi) {
  TFont font;
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
  font.SetSize(9);
  EXPECT_EQ(font.Height(), -12);
  font.SetSize(8);
  EXPECT_EQ(font.Height(), -11);  // 10.67 rounds to 11
  font.SetHeight(-13);
  EXPECT_EQ(font.Size(), 10);  // 9.75 rounds to 10
  font.SetHeight(16);          // a cell height reads as a negative size
  EXPECT_EQ(font.Size(), -12);
}

TEST(GraphicsFont, ChangesNotifyAndRebuildTheHandle) {
  TFont font;
  int changes = 0;
  font.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &font);
    ++changes;
  };
  const HFONT first = font.Handle();
  font.SetName("宋体");
  font.SetHeight(-12);
  font.SetStyle({fsBold, fsItalic});
  font.SetCharset(GB2312_CHARSET);
  EXPECT_EQ(changes, 4);
  font.SetHeight(-12);  // unchanged values stay quiet
  font.SetName("");     // as does an empty name
  EXPECT_EQ(changes, 4);

  const HFONT second = font.Handle();
  EXPECT_NE(second, first);
  EXPECT_EQ(GetObjectType(first), 0);  // the old handle is gone
  LOGFONT logFont;
  ASSERT_GT(GetObject(second, &logFont), 0);
  EXPECT_EQ(logFont.lfFaceName, "宋体");
  EXPECT_EQ(logFont.lfHeight, -12);
  EXPECT_EQ(logFont.lfWeight, FW_BOLD);
  EXPECT_TRUE(logFont.lfItalic);
  EXPECT_EQ(logFont.lfCharSet, GB2312_CHARSET);

  font.SetColor(clRed);  // not part of the handle
  EXPECT_EQ(changes, 5);
  EXPECT_EQ(font.Handle(), second);

  TFont copy;
  int copyChanges = 0;
  copy.OnChange = [&](TObject*) { ++copyChanges; };
  copy.Assign(&font);
  EXPECT_EQ(copyChanges, 1);
  EXPECT_EQ(copy.Name(), "宋体");
  EXPECT_EQ(copy.Style(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(copy.Color(), clRed);
  TPen pen;
  EXPECT_THROW(copy.Assign(&pen), EConvertError);
}

TEST(GraphicsFont, StoredFormsSetFontsByName) {
  RegisterClass(TGfxHolder::StaticClass());
  TGfxHolder holder(nullptr);
  ReadComponentText(
      "object Holder: TGfxHolder\n"
      "  Font.Charset = GB2312_CHARSET\n"
      "  Font.Color = clBtnText\n"
      "  Font.Height = -12\n"
      "  Font.Name = '宋体'\n"
      "  Font.Style = [fsBold, fsUnderline]\n"
      "end\n",
      &holder);
  const TFont& font = *holder.Font();
  EXPECT_EQ(font.Charset(), 134);
  EXPECT_EQ(font.Color(), clBtnText);
  EXPECT_EQ(font.Size(), 9);
  EXPECT_EQ(font.Name(), "宋体");
  EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsUnderline}));

  const std::string text = WriteComponentText(&holder);
  EXPECT_NE(text.find("Font.Charset = GB2312_CHARSET"), std::string::npos) << text;
  EXPECT_NE(text.find("Font.Color = clBtnText"), std::string::npos) << text;
  EXPECT_NE(text.find("Font.Style = [fsBold, fsUnderline]"), std::string::npos) << text;
  EXPECT_EQ(text.find("Font.Size"), std::string::npos) << text;
}

TEST(GraphicsCanvas, DrawingReachesTheBitmap) {
  auto bitmap = SolidBitmap(40, 30, clWhite);
  TCanvas& canvas = *bitmap->Canvas();

  canvas.Pen()->SetColor(clBlue);
  canvas.Brush()->SetColor(clYellow);
  canvas.Rectangle(2, 2, 10, 8);
  EXPECT_EQ(canvas.Pixels(2, 2), clBlue);
  EXPECT_EQ(canvas.Pixels(9, 7), clBlue);
  EXPECT_EQ(canvas.Pixels(5, 5), clYellow);
  EXPECT_EQ(canvas.Pixels(10, 8), clWhite);

  canvas.MoveTo(0, 20);
  canvas.LineTo(5, 20);
  EXPECT_EQ(canvas.Pixels(4, 20), clBlue);
  EXPECT_EQ(canvas.Pixels(5, 20), clWhite);  // the end point is left out
  EXPECT_EQ(canvas.PenPos(), (POINT{5, 20}));

  canvas.Brush()->SetColor(clRed);
  canvas.FrameRect({20, 0, 30, 10});
  EXPECT_EQ(canvas.Pixels(20, 5), clRed);
  EXPECT_EQ(canvas.Pixels(25, 5), clWhite);
  canvas.Brush()->SetStyle(bsClear);
  canvas.FillRect({20, 0, 30, 10});  // a clear brush paints nothing
  EXPECT_EQ(canvas.Pixels(25, 5), clWhite);

  canvas.SetPixels(39, 29, clGreen);
  EXPECT_EQ(canvas.Pixels(39, 29), clGreen);
  EXPECT_EQ(canvas.Pixels(40, 29), -1);
  canvas.SetPixels(38, 29, clBtnFace);  // system colours resolve
  EXPECT_EQ(canvas.Pixels(38, 29), ColorToRGB(clBtnFace));
  EXPECT_EQ(canvas.ClipRect(), (RECT{0, 0, 40, 30}));
}

TEST(GraphicsCanvas, TextUsesTheFontAndFollowsItsChanges) {
  auto bitmap = SolidBitmap(120, 40, clWhite);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.Font()->SetName("Arial");
  canvas.Font()->SetHeight(-12);
  canvas.Font()->SetColor(clBlack);
  canvas.Brush()->SetStyle(bsClear);
  const SIZE extent = canvas.TextExtent("Kora");
  EXPECT_GT(extent.cx, 10);
  EXPECT_GT(extent.cy, 10);
  canvas.TextOut(2, 2, "Kora");
  EXPECT_EQ(canvas.PenPos(), (POINT{2 + extent.cx, 2}));

  int inked = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) inked += canvas.Pixels(x, y) != clWhite;
  EXPECT_GT(inked, 10);

  // A changed font is selected again before the next text.
  canvas.Font()->SetHeight(-24);
  EXPECT_GT(canvas.TextHeight("Kora"), extent.cy);
  canvas.Font()->SetColor(clRed);
  canvas.TextOut(60, 2, "K");
  bool red = false;
  for (int y = 0; y < 30; ++y)
    for (int x = 60; x < 80; ++x) red |= canvas.Pixels(x, y) == clRed;
  EXPECT_TRUE(red);

  // A solid brush fills the text cell, clipped to the rectangle.
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(clAqua);
  canvas.TextRect({0, 25, 30, 40}, 0, 25, "Kora Editor");
  EXPECT_EQ(canvas.Pixels(29, 39), clAqua);
  EXPECT_EQ(canvas.Pixels(31, 39), clWhite);
}

TEST(GraphicsCanvas, PutsTheContextsObjectsBackWhenReleased) {
  const HDC dc = CreateCompatibleDC(HDC());
  const HBITMAP surface = CreateCompatibleBitmap(dc, 10, 10);
  const HGDIOBJ oldBitmap = SelectObject(dc, surface);
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
  const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
  {
    TCanvas canvas;
    EXPECT_THROW(canvas.Handle(), EInvalidGraphicOperation);
    canvas.SetHandle(dc);
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect({0, 0, 10, 10});
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), canvas.Brush()->Handle());
    const HBRUSH red = canvas.Brush()->Handle();
    canvas.Brush()->SetColor(clBlue);  // the old brush leaves the context and is deleted
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetObjectType(red), 0);
    canvas.FillRect({0, 0, 5, 5});
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 255));
    canvas.TextOut(0, 0, "x");
    canvas.LineTo(3, 3);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  SelectObject(dc, oldBitmap);
  DeleteObject(surface);
  DeleteDC(dc);
}

TEST(GraphicsCanvas, CopiesBetweenCanvases) {
  auto source = SolidBitmap(4, 4, clWhite);
  FillArea(*source, {0, 0, 2, 2}, clRed);
  auto target = SolidBitmap(20, 20, clBlack);
  TCanvas& canvas = *target->Canvas();

  canvas.CopyRect({0, 0, 8, 8}, source->Canvas(), {0, 0, 4, 4});  // doubled
  EXPECT_EQ(canvas.Pixels(3, 3), clRed);
  EXPECT_EQ(canvas.Pixels(4, 4), clWhite);
  canvas.SetCopyMode(cmNotSrcCopy);
  canvas.CopyRect({10, 0, 14, 4}, source->Canvas(), {0, 0, 4, 4});
  EXPECT_EQ(canvas.Pixels(10, 0), clAqua);   // not red
  EXPECT_EQ(canvas.Pixels(13, 3), clBlack);  // not white

  // BrushCopy shows the brush where the bitmap has the given colour.
  canvas.Brush()->SetColor(clLime);
  canvas.BrushCopy({0, 10, 4, 14}, source.get(), {0, 0, 4, 4}, clWhite);
  EXPECT_EQ(canvas.Pixels(0, 10), clRed);
  EXPECT_EQ(canvas.Pixels(3, 13), clLime);

  int changes = 0;
  target->OnChange = [&](TObject*) { ++changes; };
  canvas.SetCopyMode(cmSrcCopy);
  canvas.StretchDraw({12, 12, 20, 20}, source.get());
  EXPECT_EQ(changes, 1);  // drawing on a bitmap's canvas changes the bitmap
  EXPECT_EQ(canvas.Pixels(15, 15), clRed);
  EXPECT_EQ(canvas.Pixels(16, 16), clWhite);
  canvas.Draw(0, 0, nullptr);
  EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace kora::test

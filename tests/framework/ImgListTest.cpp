// Image lists: cutting, masks, greyed drawing, form data.

#include "GraphicsTestSupport.h"

#include "framework/core/FormText.h"
#include "framework/graphics/ImgList.h"

namespace kora::test {
namespace {

// Images side by side, each a square of its colour.
std::unique_ptr<TBitmap> Strip(std::initializer_list<TColor> colours, int side = 16) {
  auto strip = SolidBitmap(side * static_cast<int>(colours.size()), side, clWhite);
  int x = 0;
  for (TColor colour : colours) {
    FillArea(*strip, {x, 0, x + side, side}, colour);
    x += side;
  }
  return strip;
}

// A white picture with a square of `colour` at (4, 4)..(10, 10).
std::unique_ptr<TBitmap> Badge(TColor colour) {
  auto badge = SolidBitmap(16, 16, clWhite);
  FillArea(*badge, {4, 4, 10, 10}, colour);
  return badge;
}

TEST(ImageList, AWideBitmapIsCutIntoImagesThatKeepTheirPositions) {
  TImageList list(nullptr);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  EXPECT_EQ(list.AddMasked(Strip({clRed, clGreen, clBlue}).get(), clWhite), 0);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.AddMasked(SolidBitmap(16, 16, clYellow).get(), clWhite), 3);
  EXPECT_EQ(changes, 2);

  auto target = SolidBitmap(80, 16, clBlack);
  for (int i = 0; i < 4; ++i) list.Draw(target->Canvas(), i * 20, 0, i);
  EXPECT_EQ(PixelAt(*target, 8, 8), clRed);
  EXPECT_EQ(PixelAt(*target, 28, 8), clGreen);
  EXPECT_EQ(PixelAt(*target, 48, 8), clBlue);
  EXPECT_EQ(PixelAt(*target, 75, 15), clYellow);
  EXPECT_EQ(PixelAt(*target, 76, 8), clBlack);

  // Columns left over are dropped; a narrower or shorter picture still
  // takes one place, transparent where it has no pixels.
  EXPECT_EQ(list.AddMasked(SolidBitmap(40, 16, clAqua).get(), clWhite), 4);
  EXPECT_EQ(list.AddMasked(SolidBitmap(10, 20, clNavy).get(), clWhite), 6);
  EXPECT_EQ(list.AddMasked(SolidBitmap(16, 8, clTeal).get(), clWhite), 7);
  EXPECT_EQ(list.Count(), 8);
  auto odd = SolidBitmap(40, 16, clBlack);
  list.Draw(odd->Canvas(), 0, 0, 6);
  list.Draw(odd->Canvas(), 20, 0, 7);
  EXPECT_EQ(PixelAt(*odd, 9, 15), clNavy);
  EXPECT_EQ(PixelAt(*odd, 10, 5), clBlack);
  EXPECT_EQ(PixelAt(*odd, 35, 7), clTeal);
  EXPECT_EQ(PixelAt(*odd, 35, 8), clBlack);

  list.Delete(0);
  EXPECT_EQ(list.Count(), 7);
  list.Draw(target->Canvas(), 0, 0, 0);
  EXPECT_EQ(PixelAt(*target, 8, 8), clGreen);
  EXPECT_THROW(list.Delete(7), EInvalidGraphicOperation);
  list.Draw(target->Canvas(), 0, 0, 99);  // nothing to draw
  list.Draw(nullptr, 0, 0, 0);
  EXPECT_EQ(PixelAt(*target, 8, 8), clGreen);
  EXPECT_THROW(list.Add(nullptr, nullptr), EInvalidGraphicOperation);
  TBitmap empty;
  EXPECT_THROW(list.AddMasked(&empty, clWhite), EInvalidGraphicOperation);

  list.SetWidth(32);  // a new size empties the list
  EXPECT_EQ(list.Count(), 0);
  EXPECT_THROW(list.SetHeight(0), EInvalidGraphicOperation);
}

TEST(ImageList, MasksMakePartsTransparent) {
  TImageList list(nullptr);
  list.AddMasked(Badge(clRed).get(), clWhite);
  auto mask = SolidBitmap(16, 16, clWhite);
  FillArea(*mask, {0, 0, 8, 8}, clBlack);
  list.Add(SolidBitmap(16, 16, clGreen).get(), mask.get());
  auto framed = SolidBitmap(16, 16, clFuchsia);
  FillArea(*framed, {2, 2, 14, 14}, clLime);
  list.AddMasked(framed.get(), clDefault);  // the bottom-left colour
  list.AddMasked(Badge(clRed).get(), clNone);

  auto target = SolidBitmap(64, 16, clBlue);
  for (int i = 0; i < 4; ++i) list.Draw(target->Canvas(), i * 16, 0, i);
  EXPECT_EQ(PixelAt(*target, 0, 0), clBlue);
  EXPECT_EQ(PixelAt(*target, 5, 5), clRed);
  EXPECT_EQ(PixelAt(*target, 16 + 7, 7), clGreen);
  EXPECT_EQ(PixelAt(*target, 16 + 8, 8), clBlue);
  EXPECT_EQ(PixelAt(*target, 32 + 1, 1), clBlue);
  EXPECT_EQ(PixelAt(*target, 32 + 2, 2), clLime);
  EXPECT_EQ(PixelAt(*target, 48, 0), clWhite);

  // Unmasked lists show black, a background colour fills the masked parts.
  list.SetMasked(false);
  list.Draw(target->Canvas(), 0, 0, 0);
  EXPECT_EQ(PixelAt(*target, 0, 0), clBlack);
  list.SetMasked(true);
  list.SetBkColor(clYellow);
  list.Draw(target->Canvas(), 0, 0, 0);
  EXPECT_EQ(PixelAt(*target, 0, 0), clYellow);
  EXPECT_EQ(PixelAt(*target, 5, 5), clRed);
  list.SetBkColor(clNone);

  TBitmap copy;
  EXPECT_FALSE(list.GetBitmap(4, &copy));
  EXPECT_TRUE(copy.Empty());
  ASSERT_TRUE(list.GetBitmap(0, &copy));
  EXPECT_EQ(copy.Width(), 16);
  EXPECT_EQ(PixelAt(copy, 0, 0), clWhite);
  EXPECT_EQ(PixelAt(copy, 9, 9), clRed);
}

TEST(ImageList, GreyedImagesAreEtchedAndKeepTheirTransparency) {
  TImageList list(nullptr);
  list.AddMasked(Badge(clRed).get(), clWhite);
  auto enabled = SolidBitmap(20, 20, clBtnFace);
  auto greyed = SolidBitmap(20, 20, clBtnFace);
  list.Draw(enabled->Canvas(), 0, 0, 0, true);
  list.Draw(greyed->Canvas(), 0, 0, 0, false);

  EXPECT_EQ(PixelAt(*enabled, 5, 5), clRed);
  EXPECT_EQ(PixelAt(*greyed, 5, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(*greyed, 10, 10), ColorToRGB(clBtnHighlight));  // one pixel down and right
  EXPECT_EQ(PixelAt(*greyed, 10, 5), ColorToRGB(clBtnHighlight));
  for (const POINT p : {POINT{0, 0}, POINT{3, 3}, POINT{11, 11}, POINT{15, 2}}) {
    EXPECT_EQ(PixelAt(*greyed, p.X, p.Y), ColorToRGB(clBtnFace)) << p.X << "," << p.Y;
  }

  // A sheet for a person to look at: pictures enabled and greyed, and text.
  TImageList faces(nullptr);
  faces.SetWidth(48);
  faces.SetHeight(48);
  auto face = SolidBitmap(96, 48, clWhite);
  TCanvas& painter = *face->Canvas();
  painter.Brush()->SetColor(static_cast<TColor>(0x7FB8F0));
  painter.Ellipse(8, 4, 40, 44);
  painter.Brush()->SetColor(clMaroon);
  painter.Ellipse(54, 6, 90, 42);
  painter.Brush()->SetColor(clBlack);
  painter.Ellipse(16, 16, 22, 22);
  painter.Ellipse(26, 16, 32, 22);
  painter.Pen()->SetWidth(2);
  painter.MoveTo(17, 32);
  painter.LineTo(31, 32);
  faces.AddMasked(face.get(), clWhite);
  ASSERT_EQ(faces.Count(), 2);

  auto sheet = SolidBitmap(240, 150, clBtnFace);
  TCanvas& canvas = *sheet->Canvas();
  for (int i = 0; i < 2; ++i) {
    faces.Draw(&canvas, 8 + i * 56, 8, i, true);
    faces.Draw(&canvas, 8 + i * 56, 64, i, false);
  }
  list.Draw(&canvas, 130, 8, 0, true);
  list.Draw(&canvas, 130, 64, 0, false);
  canvas.Brush()->SetStyle(bsClear);
  canvas.Font()->SetName("宋体");
  canvas.Font()->SetCharset(GB2312_CHARSET);
  canvas.Font()->SetHeight(-12);
  canvas.TextOut(8, 120, "人物参数 enabled / greyed");
  canvas.Font()->SetName("Arial");
  canvas.Font()->SetStyle({fsBold});
  canvas.TextOut(8, 134, "Kora Editor");
  EXPECT_EQ(PixelAt(*sheet, 24, 24), static_cast<TColor>(0x7FB8F0));
  EXPECT_EQ(PixelAt(*sheet, 24 + 56, 24), clMaroon);
  EXPECT_EQ(PixelAt(*sheet, 24, 80), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(*sheet, 9, 65), ColorToRGB(clBtnFace));
  SaveArtifact(*sheet, "framework_imagelist_sheet.png");
}

TEST(ImageList, ImagesTravelInForms) {
  RegisterClasses({TGfxHolder::StaticClass(), TImageList::StaticClass()});
  TGfxHolder holder(nullptr);
  holder.SetName("Holder");
  auto* list = new TImageList(&holder);
  list->SetName("Images");
  list->SetWidth(8);
  list->SetHeight(8);
  auto pictures = Strip({clRed, clBlue}, 8);
  pictures->Canvas()->SetPixels(3, 3, clWhite);
  list->AddMasked(pictures.get(), clWhite);
  const std::string text = WriteComponentText(&holder);
  EXPECT_NE(text.find("Width = 8"), std::string::npos) << text;
  EXPECT_NE(text.find("Bitmap = {"), std::string::npos) << text;

  TGfxHolder copy(nullptr);
  ReadComponentText(text, &copy);
  auto* read = dynamic_cast<TImageList*>(copy.FindComponent("Images"));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->Count(), 2);
  auto target = SolidBitmap(16, 8, clGreen);
  read->Draw(target->Canvas(), 0, 0, 0);
  read->Draw(target->Canvas(), 8, 0, 1);
  EXPECT_EQ(PixelAt(*target, 0, 0), clRed);
  EXPECT_EQ(PixelAt(*target, 3, 3), clGreen);
  EXPECT_EQ(PixelAt(*target, 15, 7), clBlue);
}

}  // namespace
}  // namespace kora::test

// Bitmaps and icons: files, copies, transparency, pixel access, form data.

#include "GraphicsTestSupport.h"

#include <cstring>

#include "framework/core/FormText.h"

namespace kora::test {
namespace {

std::vector<uint8_t> BmpBytes(const TBitmap& bitmap) {
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return stream.Bytes();
}

void Append(TMemoryStream& stream, const std::vector<uint8_t>& bytes) {
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void SetFileSizeField(std::vector<uint8_t>& bmp, uint32_t size) { std::memcpy(bmp.data() + 2, &size, 4); }

TEST(GraphicsBitmap, LoadFromStreamStopsWhereTheFileSaysItEnds) {
  auto first = SolidBitmap(3, 2, clRed);
  first->SetPixelFormat(pf24bit);
  auto second = SolidBitmap(5, 4, clBlue);
  second->SetPixelFormat(pf8bit);
  FillArea(*second, {0, 3, 1, 4}, clLime);
  // The first file declares six bytes more than its pixels need.
  std::vector<uint8_t> a = BmpBytes(*first);
  a.insert(a.end(), 6, 0xEE);
  SetFileSizeField(a, static_cast<uint32_t>(a.size()));
  const std::vector<uint8_t> b = BmpBytes(*second);
  TMemoryStream stream;
  Append(stream, a);
  Append(stream, b);
  Append(stream, {'E', 'N', 'D'});
  stream.SetPosition(0);

  TBitmap one, two;
  one.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), static_cast<int64_t>(a.size()));
  two.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), static_cast<int64_t>(a.size() + b.size()));
  EXPECT_EQ(one.Width(), 3);
  EXPECT_EQ(one.PixelFormat(), pf24bit);
  EXPECT_EQ(PixelAt(one, 2, 1), clRed);
  EXPECT_EQ(two.Height(), 4);
  EXPECT_EQ(two.PixelFormat(), pf8bit);
  EXPECT_EQ(PixelAt(two, 0, 3), clLime);
  EXPECT_EQ(PixelAt(two, 4, 0), clBlue);
  // Written back in its own depth and colour table.
  EXPECT_EQ(BmpBytes(two), b);

  // A size field of 0: the file ends where its pixels end.
  std::vector<uint8_t> unsized = BmpBytes(*first);
  SetFileSizeField(unsized, 0);
  TMemoryStream second_stream;
  Append(second_stream, unsized);
  Append(second_stream, {'E', 'N', 'D'});
  second_stream.SetPosition(0);
  one.LoadFromStream(second_stream);
  EXPECT_EQ(second_stream.Position(), static_cast<int64_t>(unsized.size()));

  // Nothing left to read leaves an empty bitmap.
  second_stream.Seek(0, TSeekOrigin::soEnd);
  one.LoadFromStream(second_stream);
  EXPECT_TRUE(one.Empty());
}

TEST(GraphicsBitmap, DamagedFilesRaise) {
  const std::vector<uint8_t> good = BmpBytes(*SolidBitmap(8, 8, clRed));
  auto load = [](std::vector<uint8_t> bytes) {
    TMemoryStream stream;
    Append(stream, bytes);
    stream.SetPosition(0);
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
  };
  EXPECT_THROW(load({'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0, 0}), EInvalidGraphic);
  EXPECT_THROW(load({'B', 'M', 1}), EInvalidGraphic);
  EXPECT_THROW(load(std::vector<uint8_t>(good.begin(), good.begin() + 60)), EReadError);
  std::vector<uint8_t> forged = good;
  SetFileSizeField(forged, 0x7FFFFFFF);  // refused by running out of bytes, not by allocating them
  EXPECT_THROW(load(forged), EReadError);
  SetFileSizeField(forged, 20);
  EXPECT_THROW(load(forged), EInvalidGraphic);
  std::vector<uint8_t> noPixels = good;
  noPixels[18] = 0;  // width 0
  EXPECT_THROW(load(noPixels), EInvalidGraphic);
  EXPECT_THROW(TBitmap().LoadFromFile(std::string(KORA_TEST_TMP) + "/no such file.bmp"), EFOpenError);
}

TEST(GraphicsBitmap, AssignCopiesDeeply) {
  auto original = SolidBitmap(4, 4, clRed);
  original->SetTransparent(true);
  original->SetTransparentColor(clBlue);
  TBitmap copy;
  copy.Assign(original.get());
  FillArea(copy, {0, 0, 4, 4}, clGreen);
  EXPECT_EQ(PixelAt(*original, 1, 1), clRed);
  EXPECT_EQ(PixelAt(copy, 1, 1), clGreen);
  EXPECT_NE(copy.Handle(), original->Handle());
  EXPECT_TRUE(copy.Transparent());
  EXPECT_EQ(copy.TransparentColor(), clBlue);
  EXPECT_EQ(copy.TransparentMode(), tmFixed);

  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
  TFont font;
  EXPECT_THROW(copy.Assign(&font), EConvertError);
}

TEST(GraphicsBitmap, TransparentDrawLeavesOutTheBottomLeftColour) {
  auto sprite = SolidBitmap(4, 4, clFuchsia);
  FillArea(*sprite, {1, 1, 3, 3}, clNavy);
  auto opaque = SolidBitmap(8, 8, clWhite);
  opaque->Canvas()->Draw(2, 2, sprite.get());
  EXPECT_EQ(PixelAt(*opaque, 2, 2), clFuchsia);

  sprite->SetTransparent(true);
  EXPECT_EQ(sprite->TransparentMode(), tmAuto);
  EXPECT_EQ(sprite->TransparentColor(), clFuchsia);
  auto target = SolidBitmap(8, 8, clWhite);
  target->Canvas()->Draw(2, 2, sprite.get());
  EXPECT_EQ(PixelAt(*target, 2, 2), clWhite);
  EXPECT_EQ(PixelAt(*target, 3, 3), clNavy);

  // The automatic colour follows the bottom-left pixel; a fixed one stays.
  sprite->Canvas()->SetPixels(0, 3, clNavy);
  EXPECT_EQ(sprite->TransparentColor(), clNavy);
  sprite->SetTransparentColor(clFuchsia);
  EXPECT_EQ(sprite->TransparentMode(), tmFixed);
  target->Canvas()->Draw(4, 4, sprite.get());
  EXPECT_EQ(PixelAt(*target, 4, 7), clNavy);
  EXPECT_EQ(PixelAt(*target, 7, 7), clWhite);
  sprite->SetTransparentMode(tmAuto);
  EXPECT_EQ(sprite->TransparentColor(), clNavy);
  sprite->SetMonochrome(true);
  EXPECT_EQ(sprite->TransparentColor(), clWhite);
}

TEST(GraphicsBitmap, SizeScanLinesAndPixelFormats) {
  TBitmap bitmap;
  bitmap.SetWidth(3);
  EXPECT_TRUE(bitmap.Empty());
  bitmap.SetHeight(2);
  ASSERT_FALSE(bitmap.Empty());
  EXPECT_EQ(PixelAt(bitmap, 2, 1), clWhite);
  FillArea(bitmap, {0, 0, 3, 2}, clRed);
  bitmap.SetSize(5, 3);  // the old pixels stay, new ones are white
  EXPECT_EQ(PixelAt(bitmap, 2, 1), clRed);
  EXPECT_EQ(PixelAt(bitmap, 4, 2), clWhite);

  const uint8_t* row = bitmap.ScanLine(1);
  EXPECT_EQ(row[0], 0);  // blue, green, red, unused
  EXPECT_EQ(row[2], 255);
  uint8_t* written = bitmap.ScanLine(2) + 4 * 4;
  written[1] = written[2] = 0;  // white loses green and red
  EXPECT_EQ(PixelAt(bitmap, 4, 2), clBlue);
  EXPECT_THROW(bitmap.ScanLine(3), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap.SetSize(100000, 100000), EOutOfResources);

  auto depthOf = [](const std::vector<uint8_t>& bmp) { return bmp[28] | bmp[29] << 8; };
  FillArea(bitmap, {0, 0, 2, 3}, static_cast<TColor>(0x404040));
  FillArea(bitmap, {2, 0, 5, 3}, static_cast<TColor>(0xD0D0D0));
  bitmap.SetMonochrome(true);
  EXPECT_EQ(bitmap.PixelFormat(), pf1bit);
  EXPECT_EQ(PixelAt(bitmap, 1, 1), clBlack);
  EXPECT_EQ(PixelAt(bitmap, 3, 1), clWhite);
  EXPECT_EQ(depthOf(BmpBytes(bitmap)), 1);

  FillArea(bitmap, {0, 0, 1, 1}, static_cast<TColor>(0x0000F0));
  bitmap.SetPixelFormat(pf4bit);  // mapped to the standard colours
  EXPECT_EQ(PixelAt(bitmap, 0, 0), clRed);
  const std::vector<uint8_t> four = BmpBytes(bitmap);
  EXPECT_EQ(depthOf(four), 4);
  TMemoryStream stream;
  Append(stream, four);
  stream.SetPosition(0);
  TBitmap reloaded;
  reloaded.LoadFromStream(stream);
  EXPECT_EQ(reloaded.PixelFormat(), pf4bit);
  EXPECT_EQ(PixelAt(reloaded, 0, 0), clRed);
  EXPECT_EQ(PixelAt(reloaded, 3, 2), clWhite);
  reloaded.SetPixelFormat(pf32bit);
  EXPECT_EQ(depthOf(BmpBytes(reloaded)), 32);
}

TEST(GraphicsBitmap, TravelsInFormsAsData) {
  RegisterClass(TGfxHolder::StaticClass());
  TGfxHolder holder(nullptr);
  holder.SetName("Holder");
  auto glyph = SolidBitmap(6, 3, clYellow);
  FillArea(*glyph, {0, 0, 1, 1}, clMaroon);
  glyph->SetPixelFormat(pf24bit);
  holder.SetGlyph(glyph.get());
  const std::string text = WriteComponentText(&holder);
  // A 32-bit length (the BMP's size) in front of the file.
  const std::size_t size = BmpBytes(*glyph).size();
  char lengthHex[32];
  std::snprintf(lengthHex, sizeof lengthHex, "Glyph.Data={%02X%02X0000424D", unsigned(size & 0xFF),
                unsigned(size >> 8));
  std::string compact = text;
  std::erase_if(compact, [](char c) { return c == ' ' || c == '\n'; });
  EXPECT_NE(compact.find(lengthHex), std::string::npos) << text;

  TGfxHolder copy(nullptr);
  ReadComponentText(text, &copy);
  EXPECT_EQ(copy.Glyph()->Width(), 6);
  EXPECT_EQ(PixelAt(*copy.Glyph(), 0, 0), clMaroon);
  EXPECT_EQ(PixelAt(*copy.Glyph(), 5, 2), clYellow);

  // Data that is the bare file loads as well.
  std::string hex;
  for (uint8_t byte : BmpBytes(*SolidBitmap(2, 2, clTeal))) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", byte);
    hex += digits;
  }
  ReadComponentText("object Holder: TGfxHolder\n  Glyph.Data = {" + hex + "}\nend\n", &copy);
  EXPECT_EQ(copy.Glyph()->Width(), 2);
  EXPECT_EQ(PixelAt(*copy.Glyph(), 1, 1), clTeal);
}

TEST(GraphicsIcon, SystemIconsDrawAndTravelAsIcoFiles) {
  TIcon icon;
  icon.LoadSystemIcon(IDI_INFORMATION, 32);
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_EQ(icon.Height(), 32);
  EXPECT_NO_THROW(icon.SetWidth(32));
  EXPECT_THROW(icon.SetWidth(16), EInvalidGraphicOperation);
  EXPECT_THROW(icon.LoadSystemIcon(12345), EInvalidGraphicOperation);

  auto drawn = SolidBitmap(40, 40, clWhite);
  drawn->Canvas()->Draw(4, 4, &icon);
  EXPECT_EQ(PixelAt(*drawn, 4, 4), clWhite);  // a transparent corner
  int inked = 0;
  for (int y = 4; y < 36; ++y)
    for (int x = 4; x < 36; ++x) inked += PixelAt(*drawn, x, y) != clWhite;
  EXPECT_GT(inked, 200);

  TMemoryStream stream;
  icon.SaveToStream(stream);
  const int64_t size = stream.Size();
  Append(stream, {'E', 'N', 'D'});
  stream.SetPosition(0);
  TIcon loaded;
  loaded.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), size);
  ASSERT_EQ(loaded.Width(), 32);
  auto redrawn = SolidBitmap(40, 40, clWhite);
  redrawn->Canvas()->Draw(4, 4, &loaded);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(PixelAt(*redrawn, x, y), PixelAt(*drawn, x, y)) << x << "," << y;

  TIcon copy;
  copy.Assign(&loaded);
  EXPECT_NE(copy.Handle(), loaded.Handle());
  EXPECT_EQ(copy.Width(), 32);
  TMemoryStream garbage;
  Append(garbage, {0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0, 0xFF, 0xFF, 0xFF, 0x7F, 22, 0, 0, 0});
  garbage.SetPosition(0);
  EXPECT_THROW(copy.LoadFromStream(garbage), EInvalidGraphic);
}

}  // namespace
}  // namespace kora::test

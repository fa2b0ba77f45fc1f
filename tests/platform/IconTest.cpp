#include <gtest/gtest.h>

#include "platform/GdiTestCanvas.h"

namespace kora {
namespace {

using test::kBlack;
using test::kBlue;
using test::kRed;
using test::kWhite;
using test::TestCanvas;

SIZE IconSize(HICON icon) {
  ICONINFO info;
  if (!GetIconInfo(icon, &info)) return {};
  BITMAP bm;
  GetObject(info.hbmColor, &bm);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return {bm.bmWidth, bm.bmHeight};
}

TEST(IconTest, StandardIconsAreSharedAndDrawnCleanly) {
  for (int id : {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING, IDI_ERROR, IDI_QUESTION}) {
    SCOPED_TRACE(id);
    HICON icon = LoadIcon(nullptr, id);
    ASSERT_TRUE(icon);
    EXPECT_EQ(LoadIcon(nullptr, id), icon);
    EXPECT_TRUE(DestroyIcon(icon));  // shared: stays alive
    EXPECT_EQ(IconSize(icon), (SIZE{32, 32}));

    TestCanvas c(32, 32, kBlue);
    EXPECT_TRUE(DrawIcon(c.Dc, 0, 0, icon));
    EXPECT_EQ(c.At(0, 0), kBlue);  // the corner stays transparent
    int partial = 0, changed = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const COLORREF p = c.At(x, y);
        changed += p != kBlue;
        // Edge pixels mix with the background: anti-aliasing.
        partial += p != kBlue && GetBValue(p) > 0 && GetBValue(p) < 255 && GetRValue(p) > 0 && GetRValue(p) < 200;
      }
    EXPECT_GT(changed, 300);
    EXPECT_GT(partial, 8);
  }
  EXPECT_FALSE(LoadIcon(reinterpret_cast<const void*>(1), IDI_ERROR));
  EXPECT_FALSE(LoadIcon(nullptr, 12345));
}

TEST(IconTest, GlyphsSitInTheMiddleOfTheirBadge) {
  TestCanvas c(32, 32);
  DrawIconEx(c.Dc, 0, 0, LoadIcon(nullptr, IDI_ERROR), 0, 0, 0, HBRUSH(), DI_NORMAL);
  EXPECT_EQ(c.At(16, 16), kWhite);          // the crossing of the "x"
  EXPECT_GT(GetRValue(c.At(16, 26)), 150);  // red badge below it
  EXPECT_LT(GetGValue(c.At(16, 26)), 100);
  TestCanvas w(32, 32);
  DrawIconEx(w.Dc, 0, 0, LoadIcon(nullptr, IDI_WARNING), 0, 0, 0, HBRUSH(), DI_NORMAL);
  EXPECT_LT(GetRValue(w.At(16, 16)), 80);   // the dark "!" stem
  EXPECT_GT(GetRValue(w.At(10, 24)), 200);  // yellow body beside it
  EXPECT_GT(GetGValue(w.At(10, 24)), 150);
}

TEST(IconTest, SizesCopiesAndMasks) {
  HICON small = LoadSystemIcon(IDI_INFORMATION, 16);
  EXPECT_EQ(IconSize(small), (SIZE{16, 16}));
  HICON copied = HICON(CopyImage(LoadIcon(nullptr, IDI_INFORMATION), IMAGE_ICON, 16, 16, 0));
  TestCanvas a(16, 16), b(16, 16);
  DrawIconEx(a.Dc, 0, 0, small, 0, 0, 0, HBRUSH(), DI_NORMAL);
  DrawIconEx(b.Dc, 0, 0, copied, 0, 0, 0, HBRUSH(), DI_NORMAL);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(a.At(x, y), b.At(x, y)) << "system icons are redrawn, not scaled";
  EXPECT_TRUE(DestroyIcon(small));
  EXPECT_FALSE(DestroyIcon(small));
  DestroyIcon(copied);

  // A classic mask icon: white mask keeps the background, black shows the colour.
  TestCanvas colour(2, 1, kRed), mask(2, 1, kWhite);
  SetPixel(mask.Dc, 1, 0, kBlack);
  ICONINFO info;
  info.hbmColor = colour.Bitmap;
  info.hbmMask = mask.Bitmap;
  HICON icon = CreateIconIndirect(&info);
  ASSERT_TRUE(icon);
  TestCanvas target(4, 2, kBlue);
  EXPECT_TRUE(DrawIconEx(target.Dc, 0, 0, icon, 0, 0, 0, HBRUSH(), DI_NORMAL));
  EXPECT_EQ(target.At(0, 0), kBlue ^ kRed);  // AND white keeps blue, XOR red mixes in
  EXPECT_EQ(target.At(1, 0), kRed);
  // A size stretches; the flicker-free brush is laid under the image.
  EXPECT_TRUE(DrawIconEx(target.Dc, 0, 1, icon, 4, 1, 0, GetSysColorBrush(COLOR_WINDOW), DI_IMAGE));
  EXPECT_EQ(target.Ascii({0, 1, 4, 2}, {{kRed, 'r'}}), "rrrr\n");
  DestroyIcon(icon);
  ICONINFO none;
  EXPECT_FALSE(CreateIconIndirect(&none));
}

}  // namespace
}  // namespace kora

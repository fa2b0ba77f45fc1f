// Sheets of the frame for a person to judge: active and inactive, the
// caption buttons hot, pressed and half-way through their morph, rolled up
// and at the skin's minimum width. Each cell is also checked for what must
// hold in it.

#include "SkinFormTestSupport.h"

namespace kora::test {
namespace {

class SkinFormSheetTest : public SkinFormTest {
protected:
  void SetUp() override {
    SkinFormTest::SetUp();
    LoadProgramSkin();
    ShowForm();
  }
  RECT Top(int height = 40) {
    const RECT r = WindowRect();
    return {r.Left, r.Top, r.Right, r.Top + height};
  }
  RECT Buttons() {
    const RECT r = WindowRect();
    return {r.Right - 60, r.Top, r.Right, r.Top + 30};
  }
  COLORREF CaptionInk() {
    // The darkest pixel of the caption text.
    COLORREF darkest = RGB(255, 255, 255);
    const ScreenImage image = Screen.Capture();
    const RECT r = WindowRect();
    for (int y = r.Top + 6; y < r.Top + 24; ++y)
      for (int x = r.Left + 8; x < r.Left + 100; ++x) {
        const COLORREF c = image.ColorAt(x, y);
        if (GetRValue(c) + GetGValue(c) + GetBValue(c) < GetRValue(darkest) + GetGValue(darkest) + GetBValue(darkest))
          darkest = c;
      }
    return darkest;
  }
};

TEST_F(SkinFormSheetTest, TheFrameInEachOfItsLooks) {
  TSheet sheet(1180, 760);
  const RECT window = WindowRect();
  sheet.Put(Screen, window.Inflated(2, 2), 4, 4, "active");
  const COLORREF activeInk = CaptionInk();

  TForm other(nullptr);
  other.SetBounds(900, 600, 80, 60);
  other.Show();
  Screen.RunUntilIdle();
  ASSERT_FALSE(Frame->GetFormActive());
  sheet.Put(Screen, Top(), 600, 4, "inactive (top band)");
  sheet.Put(Screen, Buttons(), 600, 60, "inactive buttons x3", 3);
  const COLORREF inactiveInk = CaptionInk();
  // The caption's two colours: 11168318 active, 16111036 inactive.
  EXPECT_NE(activeInk, inactiveInk);
  SetActiveWindow(Window());
  Screen.RunUntilIdle();

  TbsSkinStdButtonObject* close = Button("closebutton");
  const POINT closeAt = Middle(close->ObjectRect);
  Screen.MouseMove(closeAt);
  Screen.Wait(50);
  EXPECT_GT(close->MorphFactor, 0.0);
  EXPECT_LT(close->MorphFactor, 1.0);
  sheet.Put(Screen, Buttons(), 800, 60, "mid-morph x3", 3);
  Screen.Wait(200);
  sheet.Put(Screen, Buttons(), 600, 170, "hot x3", 3);
  const POINT edgeAt = AtWindow(close->ObjectRect.Left + 3, close->ObjectRect.Top + 10);
  const COLORREF hot = PixelAt(edgeAt);
  Screen.MouseDown(closeAt);
  Screen.RunUntilIdle();
  ASSERT_TRUE(close->Down());
  sheet.Put(Screen, Buttons(), 800, 170, "pressed x3", 3);
  EXPECT_NE(PixelAt(edgeAt), hot);
  // Let go elsewhere: nothing closes.
  Screen.MouseMove(AtWindow(300, 300));
  Screen.MouseUp(AtWindow(300, 300));
  Screen.Wait(300);

  Frame->SetBorderIcons({TbsBorderIcon::biMinimize, TbsBorderIcon::biRollUp});
  Frame->RollUp(true);
  Screen.RunUntilIdle();
  EXPECT_EQ(HeightOf(WindowRect()), Frame->States().GetMinHeight());
  sheet.Put(Screen, WindowRect().Inflated(2, 2), 600, 290, "rolled up");
  Frame->RollUp(false);
  Screen.RunUntilIdle();
  EXPECT_EQ(Form->ClientHeight(), 434);

  Form->SetClientWidth(0);
  Form->SetClientHeight(0);
  Form->SetBounds(window.Left, window.Top, 100, 120);
  Screen.RunUntilIdle();
  EXPECT_EQ(WidthOf(WindowRect()), 100);  // below the minimum the skin stays off
  Frame->ApplySkin();
  Screen.RunUntilIdle();
  EXPECT_EQ(WidthOf(WindowRect()), 160);
  sheet.Put(Screen, WindowRect().Inflated(2, 2), 600, 350, "minimum width (160)");
  sheet.Put(Screen, Top(30), 800, 350, "x3", 3);
  sheet.Save("skin-form-frame-sheet");
}

}  // namespace
}  // namespace kora::test

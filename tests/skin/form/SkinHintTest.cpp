// The skinned hints: the window's size and place for a text, the frame's
// object hints shown and hidden by the application's pauses without
// taking the activation, the application's own hints in the skinned
// window, one active hint component, and a sheet.

#include <algorithm>
#include <cstdlib>
#include <string>

#include "SkinFormTestSupport.h"
#include "skin/form/bsSkinHint.h"

namespace kora::test {
namespace {

class SkinHintTest : public SkinFormTest {
protected:
  void SetUp() override {
    SkinFormTest::SetUp();
    LoadProgramSkin();
    ShowForm();
    Hint = new TbsSkinHint(Form.get());
    Hint->SetSkinData(Skin);
    Frame->SetSkinHint(Hint);
  }
  RECT HintRect() const {
    RECT r;
    GetWindowRect(Hint->HintWindow()->Handle(), &r);
    return r;
  }
  SIZE Picture() const {
    const TBitmap* p = Skin->FindActivePicture(Skin->HintWindow().WindowPictureIndex);
    return {p->Width(), p->Height()};
  }

  TbsSkinHint* Hint = nullptr;
};

TEST_F(SkinHintTest, TheWindowFitsTheTextAndStaysOnTheScreen) {
  const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);
  // A narrow text still makes a window of the picture's size.
  Hint->ActivateHint({100, 100}, "a");
  Screen.RunUntilIdle();
  EXPECT_EQ(HintRect(), RECT::FromSize(100, 100, Picture().cx, Picture().cy));
  // A wider one: the text and the picture's borders round the client.
  Hint->ActivateHint({100, 100}, "最小化到系统托盘区");
  Screen.RunUntilIdle();
  const RECT wide = HintRect();
  const RECT& c = Skin->HintWindow().ClientRect;
  const RECT inner = Hint->HintWindow()->FitInnerRect;
  EXPECT_GT(WidthOf(wide), Picture().cx);
  EXPECT_EQ(WidthOf(wide) - WidthOf(inner), Picture().cx - WidthOf(c));
  EXPECT_EQ(HeightOf(wide), Picture().cy);
  // The text sits in the middle of the inner rectangle, in the skin's colour.
  const ScreenImage shot = Screen.Capture();
  const COLORREF ink = ColorToRGB(Skin->HintWindow().FontColor);
  int left = wide.Right, right = wide.Left;
  for (int y = wide.Top; y < wide.Bottom; ++y)
    for (int x = wide.Left; x < wide.Right; ++x)
      if (shot.ColorAt(x, y) == ink) {
        left = std::min(left, x);
        right = std::max(right, x + 1);
      }
  ASSERT_LT(left, right);
  EXPECT_LE(std::abs((left - wide.Left - inner.Left) - (wide.Left + inner.Right - right)), 2);
  // At the right edge it moves left of the point by its width + 2, at the
  // bottom above it by its height + 2.
  Hint->ActivateHint({W - 10, H - 5}, "最小化到系统托盘区");
  Screen.RunUntilIdle();
  EXPECT_EQ(HintRect().TopLeft(), (POINT{W - 10 - WidthOf(wide) - 2, H - 5 - HeightOf(wide) - 2}));
  // Without a skin: the text inside a frame, as far from its left side as
  // from its right, no glyph touching it.
  Hint->SetSkinData(nullptr);
  Hint->ActivateHint({100, 100}, "a");
  Screen.RunUntilIdle();
  EXPECT_LT(WidthOf(HintRect()), Picture().cx);
  EXPECT_EQ(PixelAt({100, 100}), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt({101, 101}), ColorToRGB(clInfoBk));
  Hint->ActivateHint({100, 100}, "最小化到系统托盘区");
  Screen.RunUntilIdle();
  const RECT plain = HintRect();
  const ScreenImage plainShot = Screen.Capture();
  int first = plain.Right, last = plain.Left;
  for (int y = plain.Top + 1; y < plain.Bottom - 1; ++y)
    for (int x = plain.Left + 1; x < plain.Right - 1; ++x)
      if (plainShot.ColorAt(x, y) != COLORREF(ColorToRGB(clInfoBk))) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
  ASSERT_LT(first, last);
  EXPECT_GE(first - plain.Left, 3) << "the first glyph touches the frame";
  EXPECT_LE(std::abs((first - plain.Left) - (plain.Right - 1 - last)), 1);
}

TEST_F(SkinHintTest, ObjectHintsShowAfterThePauseAtTheCursorAndGoAfterTheHidePause) {
  App->SetHintPause(500);
  App->SetHintHidePause(2500);
  const POINT cursor = AtWindow(300, 200);
  Screen.MouseMove(cursor);
  Screen.RunUntilIdle();
  Hint->ShowObjectHint("关闭");
  Screen.Wait(400);
  EXPECT_FALSE(Hint->ObjectHintShowing());
  Screen.Wait(150);
  ASSERT_TRUE(Hint->ObjectHintShowing());
  EXPECT_EQ(HintRect().Left, cursor.X);
  EXPECT_EQ(HintRect().Top, cursor.Y + GetCursorHeightMargin());
  EXPECT_GT(GetCursorHeightMargin(), 0);
  EXPECT_EQ(GetActiveWindow(), Window());  // shown without taking the activation
  Screen.Wait(2600);
  EXPECT_FALSE(Hint->ObjectHintShowing());
  // Hiding stops a hint that is still waiting.
  Hint->ShowObjectHint("关闭");
  Hint->HideObjectHint();
  Screen.Wait(600);
  EXPECT_FALSE(Hint->ObjectHintShowing());
}

TEST_F(SkinHintTest, TheApplicationsHintsShowInTheSkinnedWindow) {
  App->SetShowHint(true);
  App->SetHintPause(100);
  ASSERT_TRUE(dynamic_cast<TbsSkinHintWindow*>(App->HintWindow()));
  auto* panel = new TWinControl(Form.get());
  panel->SetParent(Form.get());
  panel->SetBounds(20, 40, 120, 60);
  panel->SetHint("选择游戏ROM");
  panel->SetShowHint(true);
  bool relayed = false;
  Hint->OnShowHint = [&](std::string& text, bool&, THintInfo&) {
    relayed = true;
    EXPECT_EQ(text, "选择游戏ROM");
  };
  Screen.RunUntilIdle();
  Screen.MouseMove(panel->ClientToScreen({30, 20}));
  Screen.Wait(150);
  EXPECT_TRUE(relayed);
  THintWindow* window = App->HintWindow();
  ASSERT_TRUE(window->IsHintShown());
  EXPECT_EQ(dynamic_cast<TbsSkinHintWindow*>(window)->Skin(), Skin);
  RECT r;
  GetWindowRect(window->Handle(), &r);
  EXPECT_EQ(HeightOf(r), Picture().cy);
  Screen.SaveArtifact("skin-hint-application");
}

TEST_F(SkinHintTest, ActivatingASecondHintComponentDeactivatesTheFirst) {
  auto* second = new TbsSkinHint(Form.get());
  EXPECT_EQ(TbsSkinHint::Current(), Hint);
  second->SetActive(true);
  EXPECT_FALSE(Hint->Active());
  EXPECT_EQ(TbsSkinHint::Current(), second);
  Hint->SetActive(true);
  EXPECT_FALSE(second->Active());
  delete Hint;
  Hint = nullptr;
  EXPECT_EQ(TbsSkinHint::Current(), nullptr);  // none active is left
}

TEST_F(SkinHintTest, ASheetOfTheHint) {
  TSheet sheet(360, 130);
  Hint->ActivateHint({100, 100}, "最小化到系统托盘区");
  Screen.RunUntilIdle();
  sheet.Put(Screen, HintRect(), 10, 10, "skin", 2);
  Hint->SetSkinData(nullptr);
  Hint->ActivateHint({100, 100}, "最小化到系统托盘区");
  Screen.RunUntilIdle();
  sheet.Put(Screen, HintRect(), 10, 80, "default", 1);
  sheet.ExpectDrawnAndDistinct();
  sheet.Save("skin-hint");
}

}  // namespace
}  // namespace kora::test

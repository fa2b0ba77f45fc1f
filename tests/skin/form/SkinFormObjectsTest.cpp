// The active objects on a miniature skin: no active picture means no hover
// look, fixed objects leave their look to the bands, hidden and custom
// buttons, the animation strip and the edges of a sizeable frame.

#include <string>
#include <vector>

#include "SkinFormTestSupport.h"

namespace kora::test {
namespace {

// Main picture: a light grey frame with a white client; the fixed objects'
// looks are coloured squares in it. Buttons: normal red, active green, down
// blue; the animation strip's three frames are shades of yellow.
std::string FrameBmp() {
  return BmpOf(100, 60, [](int x, int y) {
    if (x >= 12 && x < 22 && y >= 4 && y < 14) return RGB(90, 0, 90);
    if (x >= 74 && x < 84 && y >= 4 && y < 14) return RGB(0, 90, 90);
    if (x >= 86 && x < 96 && y >= 4 && y < 14) return RGB(90, 90, 0);
    if (x >= 4 && x < 96 && y >= 20 && y < 56) return RGB(255, 255, 255);
    return RGB(200, 200, 200);
  });
}

std::string ButtonsBmp() {
  return BmpOf(60, 60, [](int x, int y) {
    if (y < 12) return x < 12 ? RGB(255, 0, 0) : x < 24 ? RGB(0, 255, 0) : RGB(0, 0, 255);
    if (y >= 20 && y < 30) return RGB(80 + 50 * (x / 10), 80 + 50 * (x / 10), 0);
    return RGB(0, 0, 0);
  });
}

std::string MiniIni() {
  return "[VERSION]\nver=3\n"
         "[PICTURES]\npicture=frame.bmp\ninactivepicture=\nmask=\nactivepicturescount=1\n0=buttons.bmp\n"
         "[FORMINFO]\nlefttoppoint=30,20\nrighttoppoint=70,20\nleftbottompoint=30,56\nrightbottompoint=70,56\n"
         "clientrect=4,20,96,56\nleftstretch=0\nrightstretch=0\ntopstretch=0\nbottomstretch=0\n"
         "hittestlefttoppoint=10,10\nhittestrighttoppoint=90,10\nhittestleftbottompoint=10,50\n"
         "hittestrightbottompoint=90,50\ncaptionrect=3,2,60,18\nbuttonsoffset=1\nbuttonsinleft=0\nborderwidth="
         "3\nformminwidth=0\n"
         "[SKINOBJECTS]\ncount=6\n0=closebutton:stdbutton\n1=plain:button\n2=fixedmax:stdbutton\n"
         "3=custom:stdbutton\n4=anim:animate\n5=caption:caption\n"
         "[closebutton]\nactivepictureindex=0\nskinrectinapicture=1\nskinrect=0,0,12,12\n"
         "activeskinrect=12,0,24,12\ndownrect=24,0,36,12\nmorphing=1\ncommand=cmclose\n"
         "[plain]\nactivepictureindex=-1\nskinrectinapicture=0\nskinrect=12,4,22,14\nactiveskinrect=12,0,22,10\n"
         "morphing=1\n"
         "[fixedmax]\nactivepictureindex=0\nskinrectinapicture=0\nskinrect=74,4,84,14\n"
         "activeskinrect=12,0,22,10\ncommand=cmmaximize\n"
         "[custom]\nactivepictureindex=0\nskinrectinapicture=1\nskinrect=0,0,12,12\ncommand=cmdefault\n"
         "[anim]\nactivepictureindex=0\nskinrect=86,4,96,14\nactiveskinrect=0,20,10,30\ncountframes=3\ncycle=0\n"
         "buttonstyle=1\ntimerinterval=10\n"
         "[caption]\nactivepictureindex=-1\nskinrect=24,2,60,18\ntextrect=0,0,36,16\nfontname=Arial\n"
         "fontheight=12\nfontcolor=0\nactivefontcolor=0\nalignment=taleftjustify\n"
         "[SKINCONTROLS]\ncount=0\n";
}

class SkinFormObjectsTest : public SkinFormTest {
protected:
  void SetUp() override {
    SkinFormTest::SetUp();
    Form->SetClientWidth(0);
    Form->SetClientHeight(0);
    Form->SetBounds(100, 100, 200, 120);
    Frame->SetBorderIcons({TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize, TbsBorderIcon::biRollUp});
  }
  void Load() {
    LoadMiniSkin(MiniIni(), {{"frame.bmp", FrameBmp()}, {"buttons.bmp", ButtonsBmp()}});
    ShowForm();
  }
  POINT At(const std::string& name, int dx = 2, int dy = 2) {
    const RECT& r = Frame->FrameObjects().Find(name)->ObjectRect;
    return AtWindow(r.Left + dx, r.Top + dy);
  }
};

TEST_F(SkinFormObjectsTest, WithoutAnActivePictureAnObjectNeverChangesLookAndFixedOnesComeFromTheBands) {
  Load();
  TbsActiveSkinObject* plain = Frame->FrameObjects().Find("plain");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->ActivePicture, nullptr);
  EXPECT_FALSE(plain->Morphing);
  EXPECT_TRUE(IsEmptyRect(plain->ActiveSkinRect));
  // In the top-left corner area: it stays where the skin has it.
  EXPECT_EQ(plain->ObjectRect, (RECT{12, 4, 22, 14}));
  EXPECT_EQ(PixelAt(At("plain")), RGB(90, 0, 90));
  Screen.MouseMove(At("plain"));
  Screen.Wait(200);
  EXPECT_EQ(Frame->Hover().HotIndex(), 1);
  EXPECT_FALSE(Frame->Animator().MorphTimer()->Enabled());
  EXPECT_EQ(PixelAt(At("plain")), RGB(90, 0, 90));
  // A fixed object in the top-right corner moves with the right edge; its normal look is the band's.
  TbsActiveSkinObject* fixed = Frame->FrameObjects().Find("fixedmax");
  EXPECT_EQ(fixed->ObjectRect, (RECT{174, 4, 184, 14}));
  EXPECT_EQ(PixelAt(At("fixedmax")), RGB(0, 90, 90));
  // The in-picture close button: its normal look is drawn over the band.
  EXPECT_EQ(Frame->FrameObjects().Find("closebutton")->ObjectRect, (RECT{60 + 100 - 12, 2, 60 + 100, 14}));
  EXPECT_EQ(PixelAt(At("closebutton")), RGB(255, 0, 0));
  Screen.MouseMove(At("closebutton"));
  Screen.Wait(200);
  EXPECT_EQ(PixelAt(At("closebutton")), RGB(0, 255, 0));
  Screen.MouseDown(At("closebutton"));
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(At("closebutton")), RGB(0, 0, 255));
  Screen.MouseUp(AtWindow(50, 40));
  Screen.RunUntilIdle();
}

TEST_F(SkinFormObjectsTest, HiddenCaptionButtonsAndCustomButtons) {
  std::vector<std::string> asked;
  bool showCustom = false;
  Frame->OnActivateCustomObject = [&](const std::string& name, bool& visible) {
    asked.push_back(name);
    visible = showCustom;
  };
  Load();
  EXPECT_EQ(asked, (std::vector<std::string>{"custom"}));
  EXPECT_FALSE(Frame->FrameObjects().Find("custom")->Visible);
  showCustom = true;
  Frame->SetBorderIcons(Frame->BorderIcons());
  EXPECT_TRUE(Frame->FrameObjects().Find("custom")->Visible);
  // The custom button goes after the standard ones, left of the close button.
  EXPECT_EQ(Frame->FrameObjects().Find("custom")->ObjectRect.Right,
            Frame->FrameObjects().Find("closebutton")->ObjectRect.Left - 1);

  Frame->SetHideCaptionButtons(true);
  EXPECT_FALSE(Frame->FrameObjects().Find("closebutton")->Visible);
  EXPECT_FALSE(Frame->FrameObjects().Find("closebutton")->Enabled);
  EXPECT_TRUE(Frame->FrameObjects().Find("fixedmax")->Visible);
  EXPECT_FALSE(Frame->FrameObjects().Find("fixedmax")->Enabled);
  Screen.MouseMove(At("fixedmax"));
  Screen.RunUntilIdle();
  EXPECT_EQ(Frame->Hover().HotIndex(), -1);

  // Without a handler a custom button stays hidden.
  Frame->SetHideCaptionButtons(false);
  Frame->OnActivateCustomObject = nullptr;
  Frame->SetBorderIcons(Frame->BorderIcons());
  EXPECT_FALSE(Frame->FrameObjects().Find("custom")->Visible);
}

TEST_F(SkinFormObjectsTest, AnAnimationWithoutCycleStopsAtItsLastFrameAndRunsBackWhenLeft) {
  Load();
  auto* anim = dynamic_cast<TbsSkinAnimateObject*>(Frame->FrameObjects().Find("anim"));
  ASSERT_TRUE(anim);
  EXPECT_EQ(anim->TimerInterval, 25);  // 10 in the skin
  const auto shade = [&] { return GetRValue(PixelAt(At("anim"))); };
  EXPECT_EQ(shade(), 80);  // its first frame over the band
  Screen.MouseMove(At("anim"));
  Screen.RunUntilIdle();
  std::vector<int> frames;
  for (int i = 0; i < 4; ++i) {
    Screen.Wait(25);
    frames.push_back(anim->Frame);
  }
  EXPECT_EQ(frames, (std::vector<int>{2, 3, 3, 3}));
  EXPECT_FALSE(anim->Active);
  EXPECT_EQ(shade(), 180);
  Screen.MouseMove(AtWindow(50, 40));
  Screen.RunUntilIdle();
  Screen.Wait(100);
  EXPECT_EQ(anim->Frame, 1);
  EXPECT_EQ(shade(), 80);
  EXPECT_FALSE(Frame->Animator().AnimationTimer()->Enabled());
}

TEST_F(SkinFormObjectsTest, ASizeableFrameAnswersItsEdgesAndAMaskLessSkinHasNoRegion) {
  Form->SetBorderStyle(bsSizeable);
  Load();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(Window(), region), ERROR);
  DeleteObject(region);
  const RECT r = WindowRect();
  const auto hit = [&](int x, int y) {
    return SendMessage(Window(), WM_NCHITTEST, 0, MAKELPARAM(r.Left + x, r.Top + y));
  };
  const int w = r.Width(), h = r.Height();
  EXPECT_EQ(hit(1, h / 2), HTLEFT);
  EXPECT_EQ(hit(w - 2, h / 2), HTRIGHT);
  EXPECT_EQ(hit(w / 2, h - 1), HTBOTTOM);
  EXPECT_EQ(hit(w / 2, 1), HTTOP);
  EXPECT_EQ(hit(1, 1), HTTOPLEFT);
  EXPECT_EQ(hit(w - 1, h - 1), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(w / 2, h / 2), HTCLIENT);
  EXPECT_EQ(hit(40, 10), HTCAPTION);
  // Maximized: no edges.
  Frame->Maximize();
  Screen.RunUntilIdle();
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(WindowRect(), work);  // a task bar keeps it from the whole screen
  const RECT m = WindowRect();
  EXPECT_NE(SendMessage(Window(), WM_NCHITTEST, 0, MAKELPARAM(m.Left + 1, m.Top + m.Height() / 2)), HTLEFT);
  // The caption double click restores a maximized sizeable frame.
  Screen.Click(AtWindow(40, 10));
  Screen.Click(AtWindow(40, 10));
  Screen.RunUntilIdle();
  EXPECT_EQ(Frame->States().WindowState(), fwsNormal);
  EXPECT_EQ(WindowRect(), r);
}

}  // namespace
}  // namespace kora::test

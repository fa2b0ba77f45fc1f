// The skinned check box and radio button: the check image of each state from
// the record, the caption beside it, the default look, and the mouse, the
// space bar and the accelerator that toggle it.

#include <string>

#include "SkinControlTestSupport.h"

namespace kora::test {
namespace {

constexpr COLORREF kStrip = RGB(200, 200, 200);
// The six check images, one colour each.
constexpr COLORREF kChecked = RGB(255, 0, 0), kUnchecked = RGB(0, 255, 0), kHotChecked = RGB(0, 0, 255),
                   kHotUnchecked = RGB(255, 255, 0), kOffChecked = RGB(255, 0, 255), kOffUnchecked = RGB(0, 255, 255);

// A strip 60 x 17 that stretches across, the images under it.
std::string CheckIni() {
  return "[VERSION]\nver=3\n[PICTURES]\npicture=\ninactivepicture=\nmask=\nactivepicturescount=1\n0=box.bmp\n"
         "[FORMINFO]\nborderwidth=4\n[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=1\n0=checkbox:checkradio\n"
         "[checkbox]\npictureindex=0\nskinrect=0,0,60,17\nlefttoppoint=19,0\nrighttoppoint=58,0\n"
         "leftbottompoint=19,0\nrightbottompoint=58,0\nclientrect=0,0,60,17\nstretcheffect=1\n"
         "fontname=Arial\nfontheight=14\nfontcolor=128\nactivefontcolor=32768\nunenabledfontcolor=8421504\n"
         "checkimagearea=1,2,14,15\ntextarea=18,0,60,17\n"
         "checkimagerect=0,20,13,33\nuncheckimagerect=13,20,26,33\nactivecheckimagerect=26,20,39,33\n"
         "activeuncheckimagerect=39,20,52,33\nunenabledcheckimagerect=52,20,65,33\n"
         "unenableduncheckimagerect=65,20,78,33\nmorphing=0\n";
}

std::string MiniPicture() {
  const COLORREF images[] = {kChecked, kUnchecked, kHotChecked, kHotUnchecked, kOffChecked, kOffUnchecked};
  return BmpOf(80, 40, [&](int x, int y) {
    if (y < 17) return x == 59 ? RGB(0, 0, 0) : kStrip;  // a dark right edge
    if (y >= 20 && y < 33 && x < 78) return images[x / 13];
    return RGB(255, 255, 255);
  });
}

class SkinCheckRadioBoxTest : public SkinControlTest {
protected:
  TbsSkinCheckRadioBox* Place(const std::string& caption, int left, int top) {
    auto* box = new TbsSkinCheckRadioBox(Form.get());
    box->SetBounds(left, top, 140, 30);
    box->SetCaption(caption);
    box->SetParent(Form.get());
    return box;
  }
  // The middle of the check image as the screen shows it.
  COLORREF Image(const TControl* box) {
    Screen.RunUntilIdle();
    return PixelAt(box, 7, box->Height() / 2);
  }
};

TEST_F(SkinCheckRadioBoxTest, TheUserTogglesItByMouseSpaceAndAccelerator) {
  ShowForm();
  TbsSkinCheckRadioBox* box = Place("显示(&S)", 10, 10);
  auto* other = new TbsSkinButton(Form.get());
  other->SetBounds(10, 60, 75, 25);
  other->SetParent(Form.get());
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  Screen.RunUntilIdle();

  Screen.Click(Middle(box));
  Screen.RunUntilIdle();
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(box->Focused());  // a press takes the focus
  Screen.Click(Middle(box));    // a quick second click toggles again
  Screen.RunUntilIdle();
  EXPECT_FALSE(box->Checked());
  Screen.PressKey(VK_SPACE);
  Screen.RunUntilIdle();
  EXPECT_TRUE(box->Checked());
  // The plain letter from another control that takes no characters.
  other->SetFocus();
  Screen.Type("s");
  Screen.RunUntilIdle();
  EXPECT_FALSE(box->Checked());
  EXPECT_TRUE(box->Focused());
  EXPECT_EQ(clicks, 4);

  // Set by the program: no click; disabled: the user cannot change it.
  box->SetChecked(true);
  EXPECT_EQ(clicks, 4);
  box->SetEnabled(false);
  Screen.Click(Middle(box));
  Screen.Type("s");
  Screen.RunUntilIdle();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 4);
}

TEST_F(SkinCheckRadioBoxTest, ARadioButtonUnchecksItsGroupOnly) {
  ShowForm();
  TbsSkinCheckRadioBox* a = Place("A", 10, 10);
  TbsSkinCheckRadioBox* b = Place("B", 10, 40);
  TbsSkinCheckRadioBox* c = Place("C", 10, 70);
  TbsSkinCheckRadioBox* plain = Place("D", 10, 100);  // a check box beside them
  for (TbsSkinCheckRadioBox* radio : {a, b, c}) radio->SetRadio(true);
  EXPECT_EQ(a->SkinDataName(), "radiobox");
  EXPECT_EQ(plain->SkinDataName(), "checkbox");
  c->SetGroupIndex(1);
  a->SetChecked(true);
  c->SetChecked(true);
  plain->SetChecked(true);
  Screen.Click(Middle(b));
  Screen.RunUntilIdle();
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(c->Checked());
  EXPECT_TRUE(plain->Checked());
  // Clicking a checked radio button leaves it checked.
  Screen.Click(Middle(b));
  Screen.RunUntilIdle();
  EXPECT_TRUE(b->Checked());
}

TEST_F(SkinCheckRadioBoxTest, TheRecordGivesTheImageOfEachStateAndTheCaptionsColours) {
  LoadMiniSkin(CheckIni(), {{"box.bmp", MiniPicture()}});
  ShowForm();
  TbsSkinCheckRadioBox* box = Place("Kora", 10, 10);
  box->SetSkinData(Skin);
  EXPECT_NE(box->RecordIndex(), -1);
  // The strip stretches across and keeps its height.
  EXPECT_EQ(box->Width(), 140);
  EXPECT_EQ(box->Height(), 17);
  EXPECT_EQ(Image(box), kUnchecked);
  EXPECT_EQ(PixelAt(box, 139, 8), RGB(0, 0, 0));  // the right edge moved with the width
  EXPECT_EQ(PixelAt(box, 100, 8), kStrip);
  box->SetChecked(true);
  EXPECT_EQ(Image(box), kChecked);

  // Hot under the pointer: the active images and the active font colour.
  Screen.MouseMove(At(box, 100, 8));
  EXPECT_EQ(Image(box), kHotChecked);
  box->SetChecked(false);
  EXPECT_EQ(Image(box), kHotUnchecked);
  const auto inkOf = [&](COLORREF color) {
    Screen.RunUntilIdle();
    const ScreenImage image = Screen.Capture();
    const POINT origin = At(box, 0, 0);
    int count = 0;
    for (int y = 0; y < box->Height(); ++y)
      for (int x = 18; x < 60; ++x) count += image.ColorAt(origin.X + x, origin.Y + y) == color;
    return count;
  };

  EXPECT_GT(inkOf(RGB(0, 128, 0)), 10);
  Screen.MouseMove(At(box, 300, 300));
  EXPECT_EQ(Image(box), kUnchecked);
  EXPECT_GT(inkOf(RGB(128, 0, 0)), 10);
  EXPECT_EQ(inkOf(RGB(0, 128, 0)), 0);

  box->SetEnabled(false);
  EXPECT_EQ(Image(box), kOffUnchecked);
  EXPECT_GT(inkOf(RGB(128, 128, 128)), 10);
  box->SetChecked(true);
  EXPECT_EQ(Image(box), kOffChecked);

  // Without its record: the built-in look, at the size it was asked for.
  box->SetSkinDataName("nothing");
  box->SetEnabled(true);
  box->SetBounds(10, 10, 140, 30);
  box->SetChecked(false);
  EXPECT_EQ(box->RecordIndex(), -1);
  EXPECT_EQ(box->Height(), 30);
  EXPECT_EQ(Image(box), ColorToColorRef(clWindow));
}

TEST_F(SkinCheckRadioBoxTest, SheetOfTheStates) {
  TSheet sheet(420, 220);
  const auto row = [&](int y, const std::string& look) {
    const char* names[] = {"off", "on", "focused", "disabled", "radio"};
    for (int i = 0; i < 5; ++i) {
      auto* box = Place(i == 4 ? "单选(&R)" : "不再显示该信息", 10 + 130 * (i % 3), 10 + 50 * (i / 3));
      box->SetSkinData(Skin);
      box->SetChecked(i != 0);
      box->SetRadio(i == 4);
      box->SetEnabled(i != 3);
      if (i == 2) box->SetFocus();
    }
    Screen.RunUntilIdle();
    for (int i = 0; i < Form->ControlCount(); ++i) {
      TControl* box = Form->Controls(i);
      sheet.Put(Screen, box, box->Left(), y + box->Top() - 10, look + " " + names[i]);
    }
    while (Form->ControlCount() > 0) delete Form->Controls(0);
  };
  ShowForm();
  row(0, "plain");
  LoadProgramSkin();
  row(110, "skinned");
  sheet.ExpectDrawnAndDistinct();
  sheet.Save("skin_checkbox_states");
}

}  // namespace
}  // namespace kora::test

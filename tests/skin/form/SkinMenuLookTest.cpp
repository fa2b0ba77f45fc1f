// How the skinned popup menus look: the default look's colours and
// glyphs, the program skin's item pictures, and a sheet of every look.

#include <string>
#include <vector>

#include "SkinMenuTestSupport.h"

namespace kora::test {
namespace {

class SkinMenuLookTest : public SkinMenuTest {
protected:
  void SetUp() override {
    SkinMenuTest::SetUp();
    LoadProgramSkin();
    ShowForm();
    View = Add(Menu->Items(), "", "&View");
    Wrap = Add(View, "", "&Word wrap");
    Wrap->SetChecked(true);
    Wrap->SetShortCut(ShortCut('W', {ssCtrl}));
    Large = Add(View, "", "&Large icons");
    Large->SetRadioItem(true);
    Large->SetChecked(true);
    Add(View, "", "&Small icons")->SetRadioItem(true);
    Add(View, "", "-");
    Recent = Add(View, "", "&Recent");
    Add(Recent, "", "&First.nds");
    Add(Recent, "", "&Second.nds");
    auto* close = Add(View, "BSF_CLOSE", "关闭(&C)");
    close->SetShortCut(TextToShortCut("Alt+F4"));
  }
  // Pixels of a colour in a screen rectangle.
  int Count(const RECT& r, COLORREF color) const {
    const ScreenImage shot = Screen.Capture();
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += shot.ColorAt(x, y) == color;
    return n;
  }

  TMenuItem *View, *Wrap, *Large, *Recent;
};

TEST_F(SkinMenuLookTest, TheDefaultLookFramesTheHighlightInNavyAndDrawsTheGlyphs) {
  Skinned = false;
  Step([&] {
    const TbsSkinPopupWindow& w = *Popup(0);
    const RECT window = PopupRect(0);
    const ScreenImage shot = Screen.Capture();
    // The window: a button-shadow frame, the glyph column in button face.
    EXPECT_EQ(shot.ColorAt(window.Left, window.Top + 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(shot.ColorAt(window.Left + 10, window.Bottom - 3), ColorToRGB(clBtnFace));
    EXPECT_EQ(shot.ColorAt(window.Right - 5, window.Bottom - 3), ColorToRGB(clWindow));
    // The highlighted first item: a navy frame round the light fill.
    const RECT item = w.ItemScreenRect(0);
    EXPECT_EQ(shot.ColorAt(item.Left, item.Top), RGB(0, 0, 128));
    EXPECT_EQ(shot.ColorAt(item.Right - 1, item.Bottom - 1), RGB(0, 0, 128));
    EXPECT_EQ(shot.ColorAt(item.Right - 3, item.Top + 2), RGB(182, 189, 210));
    // A check mark and a radio dot in the glyph column, in the text colour.
    const RECT wrap = w.ItemScreenRect(0);
    const RECT large = w.ItemScreenRect(1);
    const COLORREF text = ColorToRGB(clWindowText);
    EXPECT_GT(Count({wrap.Left + 2, wrap.Top, wrap.Left + 19, wrap.Bottom}, text), 10);
    EXPECT_GT(Count({large.Left + 2, large.Top, large.Left + 19, large.Bottom}, text), 10);
    // The line: button shadow at half height from the glyph column on.
    const RECT line = w.ItemScreenRect(3);
    EXPECT_EQ(HeightOf(line), 4);
    EXPECT_EQ(shot.ColorAt(line.Left + 30, line.Top + 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(shot.ColorAt(line.Left + 5, line.Top + 2), ColorToRGB(clBtnFace));
    // The submenu arrow of "&Recent" near its right end.
    const RECT recent = w.ItemScreenRect(4);
    EXPECT_GT(Count({recent.Right - 14, recent.Top, recent.Right - 2, recent.Bottom}, text), 8);
    Screen.PressKey(VK_ESCAPE);
  });
  Open(View);
}

TEST_F(SkinMenuLookTest, TheProgramSkinDrawsItemsFromItsMenuItemPictures) {
  const auto* record = dynamic_cast<const TbsDataSkinMenuItem*>(Skin->ObjectRecord(Skin->FindObjectRecord("menuitem")));
  ASSERT_TRUE(record);
  TBitmap* picture = Skin->FindActivePicture(record->ActivePictureIndex);
  ASSERT_TRUE(picture);
  // A pixel of the active and of the normal item picture in their middles.
  const COLORREF active =
      ColorToRGB(picture->Canvas()->Pixels(record->ActiveSkinRect.Left + 20, record->ActiveSkinRect.Bottom - 2));
  const COLORREF normal =
      ColorToRGB(picture->Canvas()->Pixels(record->SkinRect.Left + 20, record->SkinRect.Bottom - 2));
  ASSERT_NE(active, normal);
  Skin->EnableSkinEffects = false;  // no morph: the active picture at once
  Step([&] {
    const TbsSkinPopupWindow& w = *Popup(0);
    ASSERT_TRUE(w.Skinned());
    const ScreenImage shot = Screen.Capture();
    const RECT first = w.ItemScreenRect(0);
    const RECT second = w.ItemScreenRect(1);
    EXPECT_EQ(HeightOf(first), HeightOf(record->SkinRect));
    EXPECT_EQ(shot.ColorAt(first.Left + WidthOf(first) / 2, first.Bottom - 2), active);
    EXPECT_EQ(shot.ColorAt(second.Left + WidthOf(second) / 2, second.Bottom - 2), normal);
    // The width: the widest text, the glyph column and the margins.
    Screen.PressKey(VK_ESCAPE);
  });
  Open(File);
}

TEST_F(SkinMenuLookTest, ItemsMorphToTheirActiveLookAndBackInFiveSteps) {
  std::vector<double> kf;
  const auto look = [&](UINT key) {
    Step([&, key] {
      kf.push_back(Popup(0)->ItemList[0]->MorphKf);
      if (key) Screen.PressKey(key);
      Screen.Time().Advance(TbsSkinMenu::kMorphInterval);
    });
  };
  // The first item is highlighted at the opening and morphs in, then out.
  for (int i = 0; i < 5; ++i) look(0);
  look(VK_DOWN);  // the key comes before the next tick, which starts over
  for (int i = 0; i < 6; ++i) look(0);
  Key(VK_ESCAPE);
  Open(File);
  const std::vector<double> expected{0, 0.2, 0.4, 0.6, 0.8, 1, 1, 0.8, 0.6, 0.4, 0.2, 0};
  ASSERT_EQ(kf.size(), expected.size());
  for (size_t i = 0; i < kf.size(); ++i) EXPECT_NEAR(kf[i], expected[i], 1e-9) << i;
}

TEST_F(SkinMenuLookTest, ASheetOfEveryLook) {
  TSheet sheet(900, 420);
  TMenuItem* five = Add(Menu->Items(), "", "&Five");
  for (const char* caption : {"&One", "T&wo", "Th&ree", "&Four", "F&ive"}) Add(five, "", caption);
  Skin->EnableSkinEffects = false;
  int x = 10;
  for (bool skinned : {true, false}) {
    Skinned = skinned;
    const std::string look = skinned ? "skin" : "default";
    Step([&] {
      sheet.Put(Screen, PopupRect(0), x, 10, look + ": File");
      Screen.PressKey(VK_ESCAPE);
    });
    Open(File);
    Step([&] { Screen.PressKey(VK_DOWN); });
    Step([&] { Screen.PressKey(VK_DOWN); });
    Step([&] { Screen.PressKey(VK_DOWN); });
    Step([&] { Screen.PressKey(VK_RIGHT); });
    Step([&] {
      const RECT a = PopupRect(0), b = PopupRect(1);
      sheet.Put(Screen, {a.Left, a.Top, b.Right, std::max(a.Bottom, b.Bottom)}, x, 110,
                look + ": checks, radios, submenu");
      Screen.PressKey(VK_ESCAPE);
      Screen.PressKey(VK_ESCAPE);
    });
    Open(View);
    Engine->SetMaxMenuItemsInWindow(3);
    Step([&] { Screen.PressKey(VK_UP); });
    Step([&] {
      sheet.Put(Screen, PopupRect(0), x, 300, look + ": scrolled", 1);
      Screen.PressKey(VK_ESCAPE);
    });
    Open(five);
    Engine->SetMaxMenuItemsInWindow(0);
    x += 440;
  }
  sheet.ExpectDrawnAndDistinct();
  sheet.Save("skin-menus");
}

}  // namespace
}  // namespace kora::test

// The tool bar's parts: the speed button that never takes the focus and is
// flat until the pointer comes, the menu speed button that drops its menu
// under itself, and the bevel in its two tones.

#include "SkinControlTestSupport.h"
#include "skin/controls/bsSkinBoxCtrls.h"

namespace kora::test {
namespace {

// Records where it was asked to open instead of opening.
class TRecordingMenu : public TPopupMenu {
public:
  using TPopupMenu::TPopupMenu;
  void Popup(int x, int y) override { Points.push_back({x, y}); }
  std::vector<POINT> Points;
};

class SkinToolButtonTest : public SkinControlTest {
protected:
  template <class T>
  T* Place(int x, int y, int w, int h) {
    auto* part = new T(Form.get());
    part->SetBounds(x, y, w, h);
    part->SetParent(Form.get());
    return part;
  }
  TBitmap* Glyph() {
    FGlyph.SetSize(8, 8);
    FGlyph.Canvas()->Brush()->SetColor(RGB(255, 0, 255));
    FGlyph.Canvas()->FillRect({0, 0, 8, 8});
    FGlyph.Canvas()->Brush()->SetColor(RGB(0, 128, 0));
    FGlyph.Canvas()->FillRect({2, 2, 6, 6});
    return &FGlyph;
  }
  // Every pixel of the control as the screen shows it.
  std::vector<COLORREF> Snapshot(const TControl* control) const {
    const ScreenImage image = Screen.Capture();
    const POINT origin = control->ClientToScreen({0, 0});
    std::vector<COLORREF> pixels;
    for (int y = 0; y < control->Height(); ++y)
      for (int x = 0; x < control->Width(); ++x) pixels.push_back(image.ColorAt(origin.X + x, origin.Y + y));
    return pixels;
  }
  TBitmap FGlyph;
};

TEST_F(SkinToolButtonTest, ASpeedButtonClicksWithoutTakingTheFocusAndIsFlatAtRest) {
  ShowForm();
  auto* edit = Place<TbsSkinEdit>(10, 60, 100, 21);
  auto* button = Place<TbsSkinSpeedButton>(10, 10, 25, 25);
  button->SetGlyph(Glyph());
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_EQ(button->SkinDataName(), "toolbutton");
  EXPECT_FALSE(button->TabStop());
  edit->SetFocus();
  Screen.RunUntilIdle();
  Screen.MouseMove({900, 700});
  Screen.RunUntilIdle();
  // At rest: no border, only the glyph on the face.
  EXPECT_EQ(PixelAt(button, 0, 0), ColorToColorRef(clBtnFace));
  EXPECT_EQ(PixelAt(button, 12, 12), RGB(0, 128, 0));
  Screen.Click(Middle(button));
  Screen.RunUntilIdle();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(edit->Edit()->Focused());
  // Under the pointer it shows its border.
  EXPECT_NE(PixelAt(button, 0, 0), ColorToColorRef(clBtnFace));
  button->SetFlat(false);
  Screen.MouseMove({900, 700});
  Screen.RunUntilIdle();
  EXPECT_NE(PixelAt(button, 0, 0), ColorToColorRef(clBtnFace));

  // Bound, the tool button record draws it, hot and at rest apart.
  LoadProgramSkin();
  button->SetSkinData(Skin);
  Screen.RunUntilIdle();
  EXPECT_NE(button->RecordIndex(), -1);
  EXPECT_EQ(button->Width(), 25);
  const std::vector<COLORREF> rest = Snapshot(button);
  Screen.MouseMove(Middle(button));
  Screen.Wait(300);  // the record fades the hot look in
  EXPECT_NE(Snapshot(button), rest);
}

TEST_F(SkinToolButtonTest, AMenuSpeedButtonDropsItsMenuUnderItselfWithAMarker) {
  ShowForm();
  auto* button = Place<TbsSkinMenuSpeedButton>(40, 30, 37, 25);
  EXPECT_EQ(button->SkinDataName(), "toolmenubutton");
  auto* menu = new TRecordingMenu(Form.get());
  button->SetSkinPopupMenu(menu);
  Screen.Click(Middle(button));
  Screen.RunUntilIdle();
  ASSERT_EQ(menu->Points.size(), 1u);
  EXPECT_EQ(menu->Points[0], button->ClientToScreen({0, 25}));
  // The marker: a small arrow in the strip at the right edge.
  const RECT marker = button->MarkerRect();
  EXPECT_GE(marker.Left, 37 - 11);
  EXPECT_LE(marker.Right, 37);
  Screen.MouseMove({900, 700});
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(button, (marker.Left + marker.Right) / 2, marker.Top), ColorToColorRef(clBtnText));

  LoadProgramSkin();
  button->SetSkinData(Skin);
  Screen.RunUntilIdle();
  // The record's marker and its track strip (10 of 22 pixels) decide.
  const RECT skinned = button->MarkerRect();
  EXPECT_EQ(skinned.Right - skinned.Left, 7);
  EXPECT_EQ(skinned.Left, 37 - 10 + (10 - 7) / 2);
  // A menu that goes away is forgotten.
  delete menu;
  EXPECT_FALSE(button->SkinPopupMenu());
  Screen.Click(Middle(button));
  Screen.RunUntilIdle();
}

TEST_F(SkinToolButtonTest, TheBevelDrawsInItsRecordsTwoTones) {
  ShowForm();
  auto* box = Place<TbsSkinBevel>(10, 10, 40, 30);
  auto* line = Place<TbsSkinBevel>(60, 10, 40, 30);
  line->SetShape(bsLeftLine);
  line->SetStyle(bsRaised);
  auto* spacer = Place<TbsSkinBevel>(110, 10, 40, 30);
  spacer->SetShape(bsSpacer);
  Screen.RunUntilIdle();
  // Lowered: dark above and left, light below and right; raised the other way.
  EXPECT_EQ(PixelAt(box, 5, 0), ColorToColorRef(clBtnShadow));
  EXPECT_EQ(PixelAt(box, 5, 29), ColorToColorRef(clBtnHighlight));
  EXPECT_EQ(PixelAt(line, 0, 5), ColorToColorRef(clBtnHighlight));
  EXPECT_EQ(PixelAt(line, 1, 5), ColorToColorRef(clBtnShadow));
  EXPECT_EQ(PixelAt(spacer, 0, 0), ColorToColorRef(Form->Color()));

  LoadProgramSkin();
  for (TbsSkinBevel* bevel : {box, line, spacer}) bevel->SetSkinData(Skin);
  Screen.RunUntilIdle();
  EXPECT_NE(box->RecordIndex(), -1);
  EXPECT_EQ(box->LightColor(), TColor(16777215));
  EXPECT_EQ(box->DarkColor(), TColor(14730416));
  EXPECT_EQ(PixelAt(box, 5, 0), ColorToColorRef(TColor(14730416)));
  EXPECT_EQ(PixelAt(spacer, 0, 0), ColorToColorRef(Form->Color()));
  // A record of another kind gives no colours: the default look.
  box->SetSkinDataName("button");
  EXPECT_EQ(box->RecordIndex(), -1);
  EXPECT_EQ(box->DarkColor(), TColor(clBtnShadow));
  // The skin going away leaves the default look too.
  delete Skin;
  Skin = nullptr;
  EXPECT_FALSE(line->SkinData());
  EXPECT_EQ(line->LightColor(), TColor(clBtnHighlight));
}

}  // namespace
}  // namespace kora::test

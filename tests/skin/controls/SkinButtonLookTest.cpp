// The skinned button's looks: every state from the program's skin, from a
// miniature skin and in the default look (with sheets for a person to look
// at), the glyph frames and image-list images, the glyph and caption
// layout, the font colours, and painting on an erase request.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "SkinButtonTestSkin.h"
#include "framework/controls/StdCtrls.h"
#include "skin/data/bsEffects.h"

namespace kora::test {
namespace {

class SkinButtonLookTest : public SkinControlTest {
protected:
  TbsSkinButton* Button(const std::string& caption, RECT bounds) {
    auto* button = new TbsSkinButton(Form.get());
    button->SetCaption(caption);
    button->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
    button->SetParent(Form.get());
    return button;
  }
  void Away() {
    Screen.MouseMove(At(Form.get(), 590, 430));
    Screen.Wait(200);
  }
  // Counts the pixels of one colour in the control.
  int Count(const TControl* control, COLORREF color) const {
    const ScreenImage image = Screen.Capture();
    const POINT origin = control->ClientToScreen({0, 0});
    int n = 0;
    for (int y = 0; y < control->Height(); ++y)
      for (int x = 0; x < control->Width(); ++x)
        if (image.ColorAt(origin.X + x, origin.Y + y) == color) ++n;
    return n;
  }

  // Drives `button` through every state and puts each into a row of the
  // sheet; `check` looks at each state as it stands on the screen.
  void Row(TSheet& sheet, int y, TbsSkinButton* button, TbsSkinButton* grouped,
           const std::function<void(const std::string& state)>& check = {}) {
    int x = 10;
    const auto put = [&](const TControl* control, const std::string& state) {
      Screen.RunUntilIdle();
      sheet.Put(Screen, control, x, y, state);
      if (check) check(state);
      x += 100;
    };
    Holder->SetFocus();
    Away();
    put(button, "normal");
    Screen.MouseMove(Middle(button));
    Screen.Wait(200);
    put(button, "hot");
    Away();
    Screen.MouseMove(Middle(button));
    Screen.Wait(40);
    put(button, "mid-morph");
    Screen.MouseDown(Middle(button));
    put(button, "pressed");
    Screen.MouseUp(Middle(button));
    Away();
    put(button, "focused");
    button->SetEnabled(false);
    put(button, "disabled");
    button->SetEnabled(true);
    Holder->SetFocus();
    grouped->SetDown(true);
    Away();
    put(grouped, "down in group");
  }
  void Prepare() {
    ShowForm();
    Holder = new TEdit(Form.get());
    Holder->SetBounds(500, 400, 60, 21);
    Holder->SetParent(Form.get());
  }
  TEdit* Holder = nullptr;
};

TEST_F(SkinButtonLookTest, EveryStateFromEachSkinAndInTheDefaultLook) {
  TSheet sheet(720, 190);
  // The program's skin: each state's rectangle of the button record.
  LoadProgramSkin();
  Prepare();
  TbsSkinButton* ok = Button("确定", {10, 10, 90, 35});
  TbsSkinButton* down = Button("+", {10, 50, 43, 75});
  for (TbsSkinButton* button : {ok, down}) button->SetSkinData(Skin);
  down->SetGroupIndex(1);
  TBitmap* picture = Skin->FindActivePicture(0);
  ASSERT_TRUE(picture);
  const auto skinPixel = [&](int left) { return ColorToRGB(picture->Canvas()->Pixels(left + 1, 183)); };
  const std::map<std::string, int> programLefts = {{"normal", 0},   {"hot", 40},       {"focused", 40},
                                                   {"pressed", 80}, {"disabled", 120}, {"down in group", 80}};
  Row(sheet, 5, ok, down, [&](const std::string& state) {
    const TbsSkinButton* b = state == "down in group" ? down : ok;
    if (const auto it = programLefts.find(state); it != programLefts.end()) {
      EXPECT_EQ(PixelAt(b, 1, 1), skinPixel(it->second)) << state;
    } else {
      EXPECT_DOUBLE_EQ(ok->MorphFactor(), 0.4);
    }
  });

  // A miniature skin.
  LoadMiniSkin(ButtonIni(), ButtonPictures());
  const std::map<std::string, COLORREF> miniFills = {{"normal", kNormalFill},     {"hot", kHotFill},
                                                     {"pressed", kDownFill},      {"focused", kHotFill},
                                                     {"disabled", kDisabledFill}, {"down in group", kDownFill}};
  Row(sheet, 65, ok, down, [&](const std::string& state) {
    const TbsSkinButton* b = state == "down in group" ? down : ok;
    if (const auto it = miniFills.find(state); it != miniFills.end()) {
      EXPECT_EQ(PixelAt(b, 2, 2), it->second) << state;
    } else {
      const auto mix = [](int normal, int hot) { return RoundToByte(0.6 * normal + 0.4 * hot); };
      EXPECT_EQ(PixelAt(b, 2, 2), RGB(mix(200, 120), mix(200, 200), mix(200, 120)));
    }
  });

  // The default look, for a name the skin does not have.
  for (TbsSkinButton* button : {ok, down}) {
    button->SetSkinDataName("no such record");
    button->ApplySkinChange();
  }
  const COLORREF face = ColorToRGB(clBtnFace), shadow = ColorToRGB(clBtnShadow);
  const auto hot = std::make_pair(RGB(0, 0, 128), RGB(182, 189, 210));
  const auto pressed = std::make_pair(RGB(0, 0, 128), RGB(133, 147, 181));
  const std::map<std::string, std::pair<COLORREF, COLORREF>> defaults = {
      {"normal", {shadow, face}}, {"hot", hot},         {"focused", hot},
      {"mid-morph", hot},         {"pressed", pressed}, {"disabled", {shadow, face}},
      {"down in group", pressed}};
  Row(sheet, 125, ok, down, [&](const std::string& state) {
    const TbsSkinButton* b = state == "down in group" ? down : ok;
    EXPECT_EQ(std::make_pair(PixelAt(b, 0, 0), PixelAt(b, 3, 3)), defaults.at(state)) << state;
    // Disabled, the caption is drawn in the frame's colour too.
    if (state == "disabled") {
      EXPECT_GT(Count(b, shadow), 2 * (80 + 25 - 2));
    }
  });
  sheet.Save("skin-button-states");
}

TEST_F(SkinButtonLookTest, GlyphFramesFollowTheStateAndImagesTakeTheirPlace) {
  Prepare();
  TbsSkinButton* button = Button("", {10, 10, 90, 35});
  TBitmap glyph;
  MakeGlyph(glyph);
  button->SetGlyph(&glyph);
  button->SetNumGlyphs(4);
  // Centred: the 8 x 8 glyph at (36, 8); its bottom row is transparent.
  const auto glyphAt = [&](int x = 37, int y = 9) { return PixelAt(button, x, y); };
  Holder->SetFocus();
  Away();
  EXPECT_EQ(glyphAt(), RGB(255, 0, 0));
  EXPECT_EQ(glyphAt(37, 15), ColorToRGB(clBtnFace));
  Screen.MouseMove(Middle(button));
  Screen.RunUntilIdle();
  EXPECT_EQ(glyphAt(), RGB(0, 160, 0));  // hot: frame 4
  Screen.MouseDown(Middle(button));
  Screen.RunUntilIdle();
  EXPECT_EQ(glyphAt(38, 10), RGB(0, 0, 255));  // down: frame 3, one pixel on
  Screen.MouseUp(Middle(button));
  Away();
  Holder->SetFocus();
  button->SetEnabled(false);
  Screen.RunUntilIdle();
  EXPECT_EQ(glyphAt(), RGB(128, 128, 128));  // disabled: frame 2
  // With two frames only, hot and down show the first.
  button->SetEnabled(true);
  button->SetNumGlyphs(2);
  Screen.MouseMove(Middle(button));
  Screen.RunUntilIdle();
  EXPECT_EQ(glyphAt(), RGB(255, 0, 0));

  // An image of the list stands in for the glyph while its index is valid.
  auto* images = new TImageList(Form.get());
  images->SetWidth(10);
  images->SetHeight(10);
  TBitmap cyan;
  cyan.SetSize(10, 10);
  cyan.Canvas()->Brush()->SetColor(RGB(0, 255, 255));
  cyan.Canvas()->FillRect({0, 0, 10, 10});
  images->AddMasked(&cyan, clNone);
  button->SetImageList(images);
  button->SetImageIndex(0);
  Away();
  EXPECT_EQ(PixelAt(button, 36, 8), RGB(0, 255, 255));
  button->SetImageIndex(1);  // no such image: the glyph again
  Screen.RunUntilIdle();
  EXPECT_EQ(glyphAt(), RGB(255, 0, 0));
  // A freed list is forgotten.
  button->SetImageIndex(0);
  delete images;
  EXPECT_EQ(button->ImageList(), nullptr);
  Screen.RunUntilIdle();
  EXPECT_EQ(glyphAt(), RGB(255, 0, 0));
}

TEST_F(SkinButtonLookTest, GlyphAndCaptionAreLaidOutByMarginSpacingAndLayout) {
  const RECT area{0, 0, 80, 24};
  const SIZE glyph{10, 8}, text{30, 12};
  struct Case {
    TbsButtonLayout Layout;
    int Margin;
    POINT Glyph, Text;
  };
  // cx = 40, cy = 12; spacing 4.
  const std::vector<Case> cases = {{blGlyphLeft, -1, {18, 8}, {32, 6}},      // m = 22
                                   {blGlyphRight, -1, {52, 8}, {18, 6}},     //
                                   {blGlyphTop, -1, {35, -0}, {25, 12}},     // l = 12
                                   {blGlyphBottom, -1, {35, 16}, {25, 0}},   //
                                   {blGlyphLeft, 3, {3, 8}, {17, 6}},        //
                                   {blGlyphRight, 3, {67, 8}, {33, 6}},      //
                                   {blGlyphTop, 2, {35, 2}, {25, 14}},       //
                                   {blGlyphBottom, 2, {35, 14}, {25, -2}}};  //
  for (const Case& c : cases) {
    const TbsButtonContent at = PlaceButtonContent(area, glyph, text, c.Layout, c.Margin, 4);
    EXPECT_EQ(at.Glyph, c.Glyph) << int(c.Layout) << " " << c.Margin;
    EXPECT_EQ(at.Text, c.Text) << int(c.Layout) << " " << c.Margin;
  }

  // On a button: the glyph left of the caption, a margin from the edge.
  LoadProgramSkin();
  Prepare();
  TSheet sheet(440, 130);
  TBitmap strip;
  MakeGlyph(strip, 1);
  const TbsButtonLayout layouts[] = {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom};
  const char* names[] = {"left", "right", "top", "bottom"};
  for (int i = 0; i < 4; ++i)
    for (int margin : {-1, 4}) {
      TbsSkinButton* button =
          Button("确定", {10 + i * 100, margin < 0 ? 10 : 60, 100 + i * 100, margin < 0 ? 50 : 100});
      button->SetSkinData(Skin);
      button->SetGlyph(&strip);
      button->SetLayout(layouts[i]);
      button->SetMargin(margin);
      Screen.RunUntilIdle();
      sheet.Put(Screen, button, 10 + i * 105, margin < 0 ? 5 : 65,
                std::string(names[i]) + " margin " + std::to_string(margin));
      // The margin counts from the text area (4, 4, 86, 36 at this size);
      // the 8 x 8 glyph is centred on its other axis.
      if (margin == 4 && layouts[i] == blGlyphLeft) {
        EXPECT_EQ(PixelAt(button, 8, 16), RGB(255, 0, 0));
        EXPECT_NE(PixelAt(button, 7, 16), RGB(255, 0, 0));
      }
      if (margin == 4 && layouts[i] == blGlyphRight) {
        EXPECT_EQ(PixelAt(button, 81, 16), RGB(255, 0, 0));
        EXPECT_NE(PixelAt(button, 82, 16), RGB(255, 0, 0));
      }
    }
  sheet.Save("skin-button-layouts");
}

TEST_F(SkinButtonLookTest, CaptionColoursComeFromTheRecordUnlessToldOtherwise) {
  LoadMiniSkin(ButtonIni(), ButtonPictures());
  Prepare();
  TbsSkinButton* button = Button("确定", {10, 10, 90, 35});
  button->SetSkinData(Skin);
  button->SetCanFocused(false);
  Away();
  EXPECT_GT(Count(button, RGB(0, 0, 0)), 10);  // fontcolor
  Screen.MouseMove(Middle(button));
  Screen.Wait(200);
  EXPECT_GT(Count(button, RGB(255, 0, 0)), 10);  // activefontcolor
  EXPECT_EQ(Count(button, RGB(0, 0, 0)), 0);
  Screen.MouseDown(Middle(button));
  Screen.RunUntilIdle();
  EXPECT_GT(Count(button, RGB(0, 0, 255)), 10);  // downfontcolor
  Screen.MouseUp(Middle(button));
  Away();
  button->SetEnabled(false);
  Screen.RunUntilIdle();
  EXPECT_GT(Count(button, RGB(128, 128, 128)), 10);  // disabledfontcolor
  // The default font's colour while enabled.
  button->SetEnabled(true);
  button->SetUseSkinFontColor(false);
  button->DefaultFont()->SetColor(RGB(0, 128, 0));
  Screen.MouseMove(Middle(button));
  Screen.Wait(200);
  EXPECT_GT(Count(button, RGB(0, 128, 0)), 10);
}

TEST_F(SkinButtonLookTest, ShowFocusFramesTheTextAreaAndEraseRequestsPaintTheButton) {
  LoadMiniSkin(ButtonIni(), ButtonPictures());
  Prepare();
  TbsSkinButton* button = Button("", {10, 10, 90, 35});
  button->SetSkinDataName("animated");
  button->SetSkinData(Skin);
  Holder->SetFocus();
  Away();
  const COLORREF before = PixelAt(button, 4, 10);
  button->SetFocus();
  Screen.Wait(200);
  EXPECT_NE(PixelAt(button, 4, 10), before);  // the dotted frame on the text area's edge
  EXPECT_NE(PixelAt(button, 4, 10), kHotFill);

  // Asked to erase outside a paint, the button draws its look there.
  TBitmap target;
  target.SetSize(80, 25);
  SendMessage(button->Handle(), WM_ERASEBKGND, WPARAM(target.Canvas()->Handle().Value()), 0);
  EXPECT_EQ(ColorToRGB(target.Canvas()->Pixels(2, 2)), kHotFill);
}

}  // namespace
}  // namespace kora::test

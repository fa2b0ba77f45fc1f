// Panels and group boxes: the container look from the program's skin and
// from miniature skins, the caption bar (check box, glyph, caption image,
// frame strip, roll-up marker) and where it moves as the panel stretches,
// the children's area, checking and folding by mouse, re-skinning while
// folded, the default look, and form descriptions naming every property.

#include <functional>
#include <string>
#include <vector>

#include "SkinControlTestSupport.h"
#include "framework/core/ClassBuilder.h"
#include "framework/core/FormText.h"

namespace kora::test {
namespace {

// Every pixel of the picture tells where it came from.
COLORREF PanelCoded(int x, int y) { return RGB(x, y, 90); }
constexpr COLORREF kPanelRed = RGB(255, 0, 0);

// A 60 x 50 box at (0, 0) of the picture: 4-pixel borders below and at the
// sides, a caption band of `band` rows above the client area.
std::string Box(int band, const std::string& extra) {
  const std::string b = std::to_string(band);
  return "pictureindex=0\nskinrect=0,0,60,50\nlefttoppoint=4," + b + "\nrighttoppoint=56," + b +
         "\nleftbottompoint=4,46\nrightbottompoint=56,46\nclientrect=4," + b + ",56,46\n" + extra;
}

std::string PanelIni(int band = 20) {
  const std::string caption = "captionrect=5,2,58," + std::to_string(band - 2) + "\nfontcolor=255\n";
  const std::string left = caption + "alignment=taleftjustify\n";
  const std::vector<std::pair<std::string, std::string>> records = {
      {"groupbox", Box(band, left + "checkimagerect=70,0,80,10\nuncheckimagerect=80,0,90,10\n"
                                    "markframerect=90,0,100,16\n")},
      {"framed", Box(band, left + "framerect=0,100,30,116\nframetextrect=5,0,25,16\n"
                                  "frameleftoffset=5\nframerightoffset=5\n")},
      {"rightbox", Box(band, caption + "alignment=tarightjustify\n")},
      {"panel", Box(4, "captionrect=0,0,0,0\n")},
      {"backed", Box(4, "bgpictureindex=1\n")},
      {"tl", Box(20, "captionrect=1,1,3,3\n")},
      {"tr", Box(20, "captionrect=57,1,59,3\n")},
      {"bl", Box(20, "captionrect=1,47,3,49\n")},
      {"br", Box(20, "captionrect=57,47,59,49\n")},
      {"down", Box(20, "captionrect=1,5,3,48\n")},
      // Across only, 24 high.
      {"strip",
       "pictureindex=0\nskinrect=0,60,40,84\nlefttoppoint=6,"
       "0\nrighttoppoint=34,0\n"
       "clientrect=6,20,34,24\ncaptionrect=2,2,38,18\n"},
      {"stripend",
       "pictureindex=0\nskinrect=0,60,40,84\nlefttoppoint=6,"
       "0\nrighttoppoint=34,0\n"
       "clientrect=6,20,34,24\ncaptionrect=35,2,39,18\n"},
      // Down only, 40 wide.
      {"column",
       "pictureindex=0\nskinrect=0,60,40,100\nlefttoppoint=0,"
       "4\nleftbottompoint=0,30\n"
       "clientrect=2,10,38,30\ncaptionrect=2,32,38,38\n"},
      {"columnspan",
       "pictureindex=0\nskinrect=0,60,40,100\nlefttoppoint=0,"
       "4\nleftbottompoint=0,30\n"
       "clientrect=2,10,38,30\ncaptionrect=2,2,38,36\n"},
      {"stdlabel", "fontcolor=16711680\n"}};
  std::string ini =
      "[VERSION]\nver=3\n[PICTURES]\npicture=\ninactivepicture="
      "\nmask=\nactivepicturescount=2\n0=controls.bmp\n"
      "1=bg.bmp\n[FORMINFO]\nborderwidth=4\n[SKINOBJECTS]\ncount="
      "0\n[SKINCONTROLS]\ncount=" +
      std::to_string(records.size()) + "\n";
  for (size_t i = 0; i < records.size(); ++i) {
    const std::string& name = records[i].first;
    ini += std::to_string(i) + "=" + name + (name == "stdlabel" ? ":stdlabel\n" : ":panel\n");
  }
  for (const auto& [name, keys] : records) ini += "[" + name + "]\n" + keys;
  return ini;
}

std::vector<std::pair<std::string, std::string>> PanelPictures() {
  return {{"controls.bmp", BmpOf(120, 120, PanelCoded)},
          {"bg.bmp", BmpOf(8, 8, [](int x, int y) { return (x + y) % 2 ? RGB(0, 128, 0) : RGB(0, 64, 0); })}};
}

// Two 8 x 8 frames, blue then green, their bottom rows the transparent key.
TBitmap* TwoFrameGlyph(TBitmap* glyph) {
  glyph->SetSize(16, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x)
      glyph->Canvas()->SetPixels(x, y, y == 7 ? TColor(RGB(255, 0, 255)) : x < 8 ? clBlue : clLime);
  return glyph;
}

// A panel that counts its paints.
class TCountingPanel : public TbsSkinPanel {
public:
  using TbsSkinPanel::TbsSkinPanel;
  void PaintDefaultLook(TBitmap* bitmap) override {
    ++Paints;
    TbsSkinPanel::PaintDefaultLook(bitmap);
  }
  int Paints = 0;
};

class SkinPanelTest : public SkinControlTest {
protected:
  template <typename T = TbsSkinGroupBox>
  T* Place(const std::string& caption, RECT bounds, TWinControl* parent = nullptr) {
    auto* panel = new T(Form.get());
    panel->SetCaption(caption);
    panel->SetBounds(bounds.Left, bounds.Top, WidthOf(bounds), HeightOf(bounds));
    panel->SetParent(parent ? parent : Form.get());
    return panel;
  }
  TbsSkinStdLabel* Label(TWinControl* parent, const std::string& caption, int x, int y) {
    auto* label = new TbsSkinStdLabel(Form.get());
    label->SetAutoSize(false);
    label->SetBounds(x, y, 24, 12);
    label->Font()->SetName("MS Sans Serif");
    label->Font()->SetHeight(-11);
    label->SetCaption(caption);
    label->SetParent(parent);
    label->SetSkinData(Skin);
    return label;
  }
  // The screen's pixels of the given colour inside r of the control.
  std::vector<POINT> Find(const TControl* control, const RECT& r, COLORREF color) const {
    const ScreenImage image = Screen.Capture();
    const POINT origin = control->ClientToScreen({0, 0});
    std::vector<POINT> found;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (image.ColorAt(origin.X + x, origin.Y + y) == color) found.push_back({x, y});
    return found;
  }
  int Count(const TControl* control, const RECT& r, COLORREF color) const {
    return int(Find(control, r, color).size());
  }
  static RECT ChildArea(TWinControl* control) {
    RECT r = control->ClientRect();
    control->AdjustClientRect(r);
    return r;
  }
  void Paint() { Screen.RunUntilIdle(); }
};

// ---- The main window's group boxes
// ------------------------------------------------------

TEST_F(SkinPanelTest, TheMainWindowsGroupBoxesWithTheProgramSkin) {
  LoadProgramSkin();
  ShowForm();
  const char* names[] = {"体力", "魔力", "速度", "防御", "力量", "技术", "运气", "魔防"};
  const int lefts[] = {16, 136, 264, 392};
  auto* base = Place("角色基础能力", {8, 10, 8 + 521, 10 + 89});
  auto* growth = Place("角色成长率", {6, 110, 6 + 521, 110 + 89});
  auto* frame = Place("", {168, 210, 168 + 361, 210 + 129});
  for (TbsSkinGroupBox* box : {base, growth, frame}) {
    box->SetDefaultCaptionHeight(22);
    box->SetBorderStyle(bvFrame);
    box->SetSkinData(Skin);
  }
  std::vector<TbsSkinStdLabel*> labels;
  for (TbsSkinGroupBox* box : {base, growth})
    for (int i = 0; i < 8; ++i) {
      const int left = lefts[i % 4], top = i < 4 ? 32 : 56;
      labels.push_back(Label(box, names[i], left, top));
      // The field's spin edit, 32 to the right, as the window lays them out.
      auto* spin = new TbsSkinSpinEdit(Form.get());
      spin->SetBounds(left + 32, top - 2, 41, 16);
      spin->SetParent(box);
      spin->SetSkinData(Skin);
      spin->SetValue(10 + i);
    }
  Paint();

  ASSERT_NE(base->RecordIndex(), -1);
  EXPECT_EQ(base->Height(), 89);
  // The skin's client rectangle, stretched, is the children's area, with or
  // without a caption.
  EXPECT_EQ(ChildArea(base), (RECT{2, 23, 519, 87}));
  EXPECT_EQ(ChildArea(frame), (RECT{2, 23, 359, 127}));
  // The caption rectangle widens with the box.
  EXPECT_EQ(base->SkinCaptionArea(), (RECT{6, 1, 518, 21}));
  const COLORREF captionColor = 8142880;
  EXPECT_GT(Count(base, base->SkinCaptionArea(), captionColor), 20);
  EXPECT_EQ(Count(frame, frame->SkinCaptionArea(), captionColor), 0);
  EXPECT_GT(Count(labels[0], {0, 0, 24, 12}, 4599070),
            5);  // the skin's label colour

  TSheet sheet(560, 370);
  sheet.Put(Screen, base, 10, 10, "groupbox, program skin");
  sheet.Put(Screen, growth, 10, 120, "second group box");
  sheet.Put(Screen, frame, 10, 230, "without a caption");
  sheet.Save("skin-groupbox-main-window");
}

// ---- Caption
// ------------------------------------------------------------------------------

TEST_F(SkinPanelTest, TheCaptionRectangleMovesAndStretchesWithThePanel) {
  LoadMiniSkin(PanelIni(), PanelPictures());
  ShowForm();
  auto* panel = Place<TbsSkinPanel>("x", {10, 10, 210, 110});
  panel->SetSkinData(Skin);
  const struct {
    const char* Record;
    RECT Expected;
  } cases[] = {// 200 x 100 from 60 x 50: dx 140, dy 50.
               {"tl", {1, 1, 3, 3}},
               {"tr", {197, 1, 199, 3}},
               {"bl", {1, 97, 3, 99}},
               {"br", {197, 97, 199, 99}},
               {"down", {1, 5, 3, 98}},
               {"groupbox", {5, 2, 198, 18}},
               // 24 high from 40 x 24: dx 160.
               {"strip", {2, 2, 198, 18}},
               {"stripend", {195, 2, 199, 18}},
               // 40 wide from 40 x 40: dy 60.
               {"column", {2, 92, 38, 98}},
               {"columnspan", {2, 2, 38, 96}}};
  for (const auto& c : cases) {
    panel->SetSkinDataName(c.Record);
    panel->SetBounds(10, 10, 200, 100);
    panel->ApplySkinChange();
    EXPECT_EQ(panel->SkinCaptionArea(), c.Expected) << c.Record;
  }
}

TEST_F(SkinPanelTest, TheSkinnedCaptionDrawsCheckBoxTextMarkerAndFrame) {
  LoadMiniSkin(PanelIni(), PanelPictures());
  ShowForm();
  auto* box = Place("Ab", {10, 10, 210, 70});
  box->SetSkinData(Skin);
  box->SetCheckedMode(true);
  Paint();
  // The caption work area is (5, 2, 198, 18): the 10 x 10 check piece at
  // its left, centred; the text 12 pixels further in.
  EXPECT_EQ(PixelAt(box, 6, 6), PanelCoded(81, 1));
  box->SetChecked(true);
  Paint();
  EXPECT_EQ(PixelAt(box, 6, 6), PanelCoded(71, 1));
  std::vector<POINT> text = Find(box, {5, 2, 198, 18}, kPanelRed);
  ASSERT_FALSE(text.empty());
  const auto leftmost = [](const std::vector<POINT>& points) {
    int x = 1 << 20;
    for (POINT p : points) x = std::min(x, p.X);
    return x;
  };
  EXPECT_GE(leftmost(text), 17);
  EXPECT_LT(leftmost(text), 20);

  // The roll-up marker: its frame piece right of the narrowed work area,
  // then an arrow pointing up while unfolded, down while folded.
  box->SetRollUpMode(true);
  Paint();
  EXPECT_EQ(PixelAt(box, 187, 2), PanelCoded(90, 0));
  const auto arrowPointsDown = [&] {
    const std::vector<POINT> arrow = Find(box, {187, 2, 197, 18}, kPanelRed);
    int top = 1 << 20, bottom = -1;
    for (POINT p : arrow) top = std::min(top, int(p.Y)), bottom = std::max(bottom, int(p.Y));
    int topCount = 0, bottomCount = 0;
    for (POINT p : arrow) topCount += p.Y == top, bottomCount += p.Y == bottom;
    return topCount > bottomCount;
  };
  EXPECT_FALSE(arrowPointsDown());
  box->SetRollUpState(true);
  Paint();
  EXPECT_TRUE(arrowPointsDown());

  // A frame strip behind the text, as wide as the text plus the frame's
  // margins; the text moves in by the frame's text rectangle.
  auto* framed = Place("Ab", {10, 80, 210, 140});
  framed->SetSkinDataName("framed");
  framed->SetSkinData(Skin);
  Paint();
  TBitmap measure;
  measure.Canvas()->SetFont(framed->DefaultFont());
  const int textWidth = measure.Canvas()->TextWidth("Ab");
  EXPECT_EQ(PixelAt(framed, 5, 2), PanelCoded(0, 100));
  EXPECT_EQ(PixelAt(framed, 5 + textWidth + 10 - 1, 2), PanelCoded(29, 100));
  EXPECT_EQ(GetGValue(PixelAt(framed, 5 + textWidth + 10, 2)),
            2);  // the caption band again
  EXPECT_GE(leftmost(Find(framed, {5, 2, 198, 18}, kPanelRed)), 10);
}

TEST_F(SkinPanelTest, GlyphOrCaptionImageLeadTheAlignedCaption) {
  LoadMiniSkin(PanelIni(), PanelPictures());
  ShowForm();
  auto* images = new TImageList(Form.get());
  images->SetWidth(8);
  images->SetHeight(8);
  TBitmap blue;
  blue.SetSize(8, 8);
  blue.Canvas()->Brush()->SetColor(clNavy);
  blue.Canvas()->FillRect({0, 0, 8, 8});
  images->Add(&blue, nullptr);

  // Right-aligned: the image and the text end at the work area's right.
  auto* box = Place("Ab", {10, 10, 210, 70});
  box->SetSkinDataName("rightbox");
  box->SetSkinData(Skin);
  box->SetCaptionImageList(images);
  box->SetCaptionImageIndex(0);
  Paint();
  const std::vector<POINT> text = Find(box, {5, 2, 198, 18}, kPanelRed);
  ASSERT_FALSE(text.empty());
  int right = 0;
  for (POINT p : text) right = std::max(right, int(p.X));
  EXPECT_LT(right, 198);  // not cut off by the image in front
  EXPECT_GE(right, 194);
  TBitmap measure;
  measure.Canvas()->SetFont(box->DefaultFont());
  const int imageLeft = 198 - (measure.Canvas()->TextWidth("Ab") + 8 + 2);
  EXPECT_EQ(PixelAt(box, imageLeft, 6), ColorToColorRef(clNavy));
  EXPECT_NE(PixelAt(box, imageLeft - 1, 6), ColorToColorRef(clNavy));

  // A glyph takes the image's place; its second frame is the disabled look.
  TBitmap glyph;
  box->SetGlyph(TwoFrameGlyph(&glyph));
  box->SetNumGlyphs(2);
  Paint();
  EXPECT_EQ(PixelAt(box, imageLeft + 2, 6), ColorToColorRef(clBlue));
  box->SetEnabled(false);
  Paint();
  EXPECT_EQ(PixelAt(box, imageLeft + 2, 6), ColorToColorRef(clLime));

  // Removing the image list forgets it.
  box->SetGlyph(nullptr);
  delete images;
  EXPECT_EQ(box->CaptionImageList(), nullptr);
  Paint();
}

// ---- Children's area and painting paths
// -------------------------------------------------------

TEST_F(SkinPanelTest, ChildrenGetTheAreaTheLookLeavesThem) {
  ShowForm();
  auto* panel = Place<TbsSkinPanel>("", {10, 10, 110, 90});
  auto* child = Place<TbsSkinPanel>("", {0, 0, 10, 10}, panel);
  child->SetAlign(alClient);
  // Default look: one pixel of border, the caption bar's height when shown.
  EXPECT_EQ(child->BoundsRect(), (RECT{1, 1, 99, 79}));
  panel->SetCaptionMode(true);
  EXPECT_EQ(child->BoundsRect(), (RECT{1, 23, 99, 79}));
  panel->SetBorderStyle(bvNone);
  EXPECT_EQ(child->BoundsRect(), (RECT{0, 22, 100, 80}));
  panel->SetDefaultCaptionHeight(30);
  EXPECT_EQ(child->BoundsRect(), (RECT{0, 30, 100, 80}));

  // Bound: the skin's client area at the panel's size; a panel record with
  // a background picture, or a borderless panel without caption, leaves
  // the whole client.
  LoadMiniSkin(PanelIni(), PanelPictures());
  panel->SetBorderStyle(bvFrame);
  panel->SetSkinData(Skin);
  EXPECT_EQ(child->BoundsRect(), (RECT{4, 4, 96, 76}));
  panel->SetCaptionMode(false);
  panel->SetBorderStyle(bvNone);
  EXPECT_EQ(child->BoundsRect(), (RECT{0, 0, 100, 80}));
  child->SetAlign(alNone);
  child->SetBounds(150, 0, 10, 10);
  Paint();
  // Borderless and captionless: the client piece tiled from (0, 0).
  EXPECT_EQ(PixelAt(panel, 0, 0), PanelCoded(4, 4));
  EXPECT_EQ(PixelAt(panel, 52, 0), PanelCoded(4, 4));

  panel->SetBorderStyle(bvFrame);
  panel->SetSkinDataName("backed");
  panel->ApplySkinChange();
  child->SetAlign(alClient);
  EXPECT_EQ(child->BoundsRect(), (RECT{0, 0, 100, 80}));
  child->SetAlign(alNone);
  child->SetBounds(150, 0, 10, 10);
  Paint();
  EXPECT_EQ(PixelAt(panel, 0, 0), RGB(0, 64, 0));
  EXPECT_EQ(PixelAt(panel, 9, 0), RGB(0, 128, 0));
}

TEST_F(SkinPanelTest, TheDefaultLookDrawsBordersCaptionBarAndCheckBox) {
  ShowForm();
  const COLORREF shadow = ColorToColorRef(clBtnShadow), light = ColorToColorRef(clBtnHighlight),
                 face = ColorToColorRef(clBtnFace), ink = ColorToColorRef(clBtnText);
  const struct {
    TbsSkinBorderStyle Style;
    COLORREF TopLeft, BottomRight;
  } borders[] = {
      {bvFrame, shadow, shadow}, {bvRaised, light, shadow}, {bvLowered, shadow, light}, {bvNone, face, face}};
  int x = 10;
  for (const auto& b : borders) {
    auto* panel = Place<TbsSkinPanel>("", {x, 10, x + 60, 50});
    panel->SetBorderStyle(b.Style);
    Paint();
    EXPECT_EQ(PixelAt(panel, 0, 0), b.TopLeft) << int(b.Style);
    EXPECT_EQ(PixelAt(panel, 59, 39), b.BottomRight) << int(b.Style);
    EXPECT_EQ(PixelAt(panel, 30, 20), face);
    x += 70;
  }

  // The caption bar: a shadow frame around a highlight one in bvFrame.
  auto* box = Place<TCountingPanel>("Options", {10, 60, 210, 140});
  box->SetCaptionMode(true);
  box->SetCheckedMode(true);
  Paint();
  EXPECT_EQ(PixelAt(box, 100, 21), shadow);
  EXPECT_EQ(PixelAt(box, 100, 1), light);
  // The 14 x 14 check box at x 5, centred in the bar inside both frames.
  const RECT check{5, 4, 19, 18};
  EXPECT_EQ(PixelAt(box, check.Left, check.Top), shadow);
  EXPECT_EQ(PixelAt(box, check.Right - 1, check.Bottom - 1), shadow);
  EXPECT_EQ(Count(box, check, ink), 0);
  box->SetChecked(true);
  Paint();
  EXPECT_GT(Count(box, check, ink), 10);
  // The caption starts 20 + 2 further in.
  EXPECT_EQ(Count(box, {2, 2, 22, 20}, ink), Count(box, check, ink));

  // Roll-up without a skin folds to the default caption bar.
  box->SetRollUpMode(true);
  box->SetRollUpState(true);
  EXPECT_EQ(box->Height(), 23);
  EXPECT_EQ(box->RealHeight(), 80);
}

// ---- Checking and folding
// ------------------------------------------------------------------

TEST_F(SkinPanelTest, ACaptionClickChecksAndCheckingDrivesTheChildren) {
  ShowForm();
  auto* box = Place<TCountingPanel>("Options", {10, 10, 210, 110});
  box->SetCaptionMode(true);
  box->SetCheckedMode(true);
  TbsSkinStdLabel* label = Label(box, "x", 10, 40);
  auto* inner = Place<TbsSkinPanel>("", {10, 60, 60, 90}, box);
  std::vector<std::string> events;
  box->OnChecked = [&](TObject*) { events.push_back(box->Checked() ? "checked" : "unchecked"); };
  Paint();
  Screen.Click(At(box, 100, 10));
  Paint();
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(label->Enabled() && inner->Enabled());
  Screen.Click(At(box, 100, 10));
  Paint();
  EXPECT_FALSE(label->Enabled() || inner->Enabled());
  Screen.Click(At(box, 100, 50));  // below the caption bar
  Paint();
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(events, (std::vector<std::string>{"checked", "unchecked"}));

  // Without AutoEnabledControls the children keep their state.
  box->SetAutoEnabledControls(false);
  box->SetChecked(true);
  EXPECT_FALSE(label->Enabled());
  // Without CheckedMode: no child changes, no repaint, but the event.
  box->SetAutoEnabledControls(true);
  box->SetCheckedMode(false);
  Paint();
  const int paints = box->Paints;
  box->SetChecked(false);
  box->SetChecked(true);
  Paint();
  EXPECT_EQ(box->Paints, paints);
  EXPECT_FALSE(label->Enabled());
  EXPECT_EQ(events.size(), 5u);
  // And a caption click does nothing then.
  Screen.Click(At(box, 100, 10));
  Paint();
  EXPECT_TRUE(box->Checked());
}

TEST_F(SkinPanelTest, FoldingKeepsTheSkinsFrameAndReskinningFoldsAgain) {
  LoadMiniSkin(PanelIni(20), PanelPictures());
  ShowForm();
  auto* box = Place("Fold", {10, 10, 210, 130});
  box->SetSkinData(Skin);
  box->SetRollUpMode(true);
  box->Constraints()->SetMinHeight(60);
  box->Constraints()->SetMaxWidth(300);
  TbsSkinStdLabel* shown = Label(box, "a", 10, 30);
  TbsSkinStdLabel* hidden = Label(box, "b", 10, 50);
  hidden->Hide();
  std::vector<std::string> events;
  box->OnChangeRollUpState = [&](TObject*) { events.push_back(box->RollUpState() ? "up" : "down"); };
  Paint();

  Screen.Click(At(box, 100, 10));
  Paint();
  EXPECT_TRUE(box->RollUpState());
  EXPECT_EQ(box->RealHeight(), 120);
  EXPECT_EQ(box->Height(),
            24);  // the 20 rows above the client area and the 4 below
  EXPECT_FALSE(shown->Visible());
  EXPECT_EQ(box->Constraints()->MinHeight(), 0);
  EXPECT_EQ(PixelAt(box, 1, 19), PanelCoded(1, 19));
  EXPECT_EQ(PixelAt(box, 1, 20), PanelCoded(1, 46));  // the bottom band right under the top one

  // Re-skinning while folded: unbound between the notices, folded to the
  // new skin's bands after, the height before folding kept.
  std::vector<std::string> order;
  Form->AfterNotice = [&](UINT message) {
    order.push_back(std::string(message == SKINMSG_SKIN_CHANGING ? "changing" : "changed") + " box " +
                    std::to_string(box->RecordIndex() != -1) + " h " + std::to_string(box->Height()) + " label " +
                    std::to_string(shown->RecordIndex() != -1));
  };
  LoadMiniSkin(PanelIni(14), PanelPictures());
  Form->AfterNotice = nullptr;
  EXPECT_EQ(order, (std::vector<std::string>{"changing box 0 h 24 label 0", "changed box 1 h 18 label 1"}));
  EXPECT_EQ(box->RealHeight(), 120);

  Screen.Click(At(box, 100, 6));
  Paint();
  EXPECT_FALSE(box->RollUpState());
  EXPECT_EQ(box->Height(), 120);
  EXPECT_EQ(box->RealHeight(), -1);
  EXPECT_TRUE(shown->Visible());
  EXPECT_FALSE(hidden->Visible());  // hidden before folding, hidden after
  EXPECT_EQ(box->Constraints()->MinHeight(), 60);
  EXPECT_EQ(box->Constraints()->MaxWidth(), 300);
  EXPECT_EQ(events, (std::vector<std::string>{"up", "down"}));

  // Without RollUpMode nothing folds and the constraints stay; a panel
  // folded when the mode went off unfolds when its state is cleared.
  box->SetRollUpState(true);
  box->SetRollUpMode(false);
  box->SetRollUpState(false);
  EXPECT_EQ(box->Height(), 120);
  EXPECT_TRUE(shown->Visible());
  box->SetRollUpState(true);
  EXPECT_FALSE(box->RollUpState());
  EXPECT_EQ(box->Height(), 120);
  EXPECT_EQ(box->Constraints()->MinHeight(), 60);
}

// ---- Form descriptions
// --------------------------------------------------------------------------

class TPanelForm : public TForm {
  KORA_CLASS(TPanelForm, TForm)
  using TForm::TForm;
  void BoxChecked(TObject*) { Log.push_back("checked"); }
  void BoxRolled(TObject*) { Log.push_back("rolled"); }
  std::vector<std::string> Log;
};

TClass TPanelForm::StaticClass() {
  static const TClassInfo info(TClassBuilder<TPanelForm>("TPanelForm")
                                   .Method("BoxChecked", &TPanelForm::BoxChecked)
                                   .Method("BoxRolled", &TPanelForm::BoxRolled));
  return &info;
}

// A box stored checked and rolled up loads folded to the default caption
// bar without raising its events; changed afterwards, it raises them.
TEST_F(SkinPanelTest, AStoredRolledUpBoxLoadsFoldedAndQuiet) {
  RegisterFrameworkClasses();
  RegisterSkinControlClasses();
  const std::string text =
      "object PanelForm: TPanelForm\n"
      "  object Box: TbsSkinGroupBox\n"
      "    Left = 10\n    Top = 10\n    Width = 200\n    Height = 100\n"
      "    OnChecked = BoxChecked\n    OnChangeRollUpState = BoxRolled\n"
      "    DefaultCaptionHeight = 18\n    CheckedMode = True\n    Checked = True\n"
      "    RollUpMode = True\n    RollUpState = True\n    RealHeight = -1\n"
      "  end\n"
      "end\n";
  TPanelForm form(nullptr);
  ReadComponentText(text, &form);
  auto* box = dynamic_cast<TbsSkinGroupBox*>(form.FindComponent("Box"));
  ASSERT_TRUE(box);
  EXPECT_TRUE(box->RollUpState());
  EXPECT_EQ(box->Height(), 19);
  EXPECT_EQ(box->RealHeight(), 100);
  EXPECT_TRUE(form.Log.empty());
  box->SetChecked(false);
  box->SetRollUpState(false);
  EXPECT_EQ(box->Height(), 100);
  EXPECT_EQ(form.Log, (std::vector<std::string>{"checked", "rolled"}));
}

// ---- Sheets
// ----------------------------------------------------------------------------------

// Each look in each state, for a person to judge.
TEST_F(SkinPanelTest, SheetOfEveryState) {
  Form->SetBounds(0, 0, 1000, 200);
  ShowForm();
  TSheet sheet(7 * 130 + 10, 3 * 110 + 10);
  const auto row = [&](int y, const std::string& look, const std::function<void(TbsSkinPanel*)>& bind) {
    const std::vector<std::pair<std::string, std::function<void(TbsSkinPanel*)>>> states = {
        {"normal", [](TbsSkinPanel*) {}},
        {"disabled",
         [](TbsSkinPanel* p) {
           p->SetEnabled(false);
           p->Controls(0)->SetEnabled(false);
         }},
        {"unchecked", [](TbsSkinPanel* p) { p->SetCheckedMode(true); }},
        {"checked",
         [](TbsSkinPanel* p) {
           p->SetCheckedMode(true);
           p->SetChecked(true);
         }},
        {"roll-up mode", [](TbsSkinPanel* p) { p->SetRollUpMode(true); }},
        {"rolled up",
         [](TbsSkinPanel* p) {
           p->SetRollUpMode(true);
           p->SetRollUpState(true);
         }},
        {"panel", [](TbsSkinPanel* p) { p->SetCaptionMode(false); }}};
    std::vector<TbsSkinPanel*> boxes;
    for (size_t i = 0; i < states.size(); ++i) {
      TbsSkinPanel* box = states[i].first == "panel"
                              ? Place<TbsSkinPanel>("", {int(i) * 125, 0, int(i) * 125 + 120, 90})
                              : Place("能力值", {int(i) * 125, 0, int(i) * 125 + 120, 90});
      TbsSkinStdLabel* label = Label(box, "体力", 12, 40);
      label->SetSkinData(nullptr);
      bind(box);
      label->SetSkinData(box->SkinData());
      states[i].second(box);
      boxes.push_back(box);
    }
    Paint();
    for (size_t i = 0; i < boxes.size(); ++i)
      sheet.Put(Screen, boxes[i], 10 + int(i) * 130, y, look + " " + states[i].first);
    for (TbsSkinPanel* box : boxes) delete box;
  };
  LoadProgramSkin();
  row(10, "program", [&](TbsSkinPanel* p) { p->SetSkinData(Skin); });
  LoadMiniSkin(PanelIni(), PanelPictures());
  row(120, "mini", [&](TbsSkinPanel* p) { p->SetSkinData(Skin); });
  row(230, "default", [](TbsSkinPanel*) {});
  // The program's skin has no check box picture for its group boxes.
  sheet.ExpectDrawnAndDistinct({{"program unchecked", "program checked"}});
  sheet.Save("skin-panel-states");
}

}  // namespace
}  // namespace kora::test

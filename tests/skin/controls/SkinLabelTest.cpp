// The skinned standard label: its colour and font from the skin or its own,
// the embossed disabled look, ellipses, measuring empty captions, and the
// skin's change notices unbinding and rebinding it.

#include <algorithm>
#include <string>
#include <vector>

#include "SkinControlTestSupport.h"

namespace kora::test {
namespace {

constexpr COLORREF kLabelRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

// Labels in red, 24 pixels high in bold Arial when the skin's font is
// wanted; green highlights and blue shadows; a panel record by the same
// name as a label's in `other`.
std::string LabelIni(int fontHeight = 24) {
  return "[VERSION]\nver=3\n[PICTURES]\npicture=\ninactivepicture=\nmask=\nactivepicturescount=0\n"
         "[FORMINFO]\nborderwidth=4\n[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=2\n"
         "0=stdlabel:stdlabel\n1=other:panel\n"
         "[stdlabel]\nfontname=Arial\nfontheight=" +
         std::to_string(fontHeight) +
         "\nfontstyle=fsbold\nfontcolor=255\n"
         "[other]\nfontcolor=16711680\n"
         "[SKINCOLORS]\ncbtnhighlight=65280\ncbtnshadow=16711680\n";
}

class SkinLabelTest : public SkinControlTest {
protected:
  TbsSkinStdLabel* Place(const std::string& caption, RECT bounds, bool autoSize = false) {
    auto* label = new TbsSkinStdLabel(Form.get());
    label->SetAutoSize(autoSize);
    label->SetBounds(bounds.Left, bounds.Top, WidthOf(bounds), HeightOf(bounds));
    // A face drawn from its bitmap strike: whole pixels of the text's colour.
    label->Font()->SetName(bsDefaultFontName);
    label->Font()->SetHeight(-12);
    label->Font()->SetColor(clBlack);
    label->SetCaption(caption);
    label->SetParent(Form.get());
    return label;
  }
  // Pixels of the label that are not the form's colour, by colour.
  std::vector<std::pair<POINT, COLORREF>> Ink(const TControl* label) {
    Screen.RunUntilIdle();
    const ScreenImage image = Screen.Capture();
    const POINT origin = label->ClientToScreen({0, 0});
    std::vector<std::pair<POINT, COLORREF>> ink;
    for (int y = 0; y < label->Height(); ++y)
      for (int x = 0; x < label->Width(); ++x) {
        const COLORREF c = image.ColorAt(origin.X + x, origin.Y + y);
        if (c != ColorToColorRef(Form->Color())) ink.push_back({{x, y}, c});
      }
    return ink;
  }
  static int Count(const std::vector<std::pair<POINT, COLORREF>>& ink, COLORREF color) {
    return int(std::count_if(ink.begin(), ink.end(), [&](const auto& p) { return p.second == color; }));
  }
  static COLORREF At(const std::vector<std::pair<POINT, COLORREF>>& ink, int x, int y) {
    for (const auto& [p, c] : ink)
      if (p.X == x && p.Y == y) return c;
    return CLR_INVALID;
  }
};

TEST_F(SkinLabelTest, ColourAndFontComeFromTheSkinWhenAsked) {
  LoadMiniSkin(LabelIni(), {});
  ShowForm();
  TbsSkinStdLabel* label = Place("Label", {10, 10, 60, 20}, true);
  const int plainHeight = label->Height();
  // Binding refreshes at once: the record's font sizes the label before any paint.
  label->SetUseSkinFont(true);
  label->SetSkinData(Skin);
  EXPECT_NE(label->RecordIndex(), -1);
  EXPECT_GT(label->Height(), plainHeight + 8);
  std::vector<std::pair<POINT, COLORREF>> ink = Ink(label);
  EXPECT_GT(Count(ink, kLabelRed), 20);
  EXPECT_EQ(Count(ink, RGB(0, 0, 0)), 0);
  // Font's own colour and size unless the skin's are wanted.
  label->SetUseSkinColor(false);
  label->SetUseSkinFont(false);
  ink = Ink(label);
  EXPECT_EQ(label->Height(), plainHeight);
  EXPECT_EQ(Count(ink, kLabelRed), 0);
  EXPECT_GT(Count(ink, RGB(0, 0, 0)), 10);

  // A record of another kind binds without copying its colour.
  label->SetUseSkinColor(true);
  label->SetSkinDataName("other");
  ink = Ink(label);
  EXPECT_NE(label->RecordIndex(), -1);
  EXPECT_EQ(Count(ink, kBlue), 0);

  // Unbound: DefaultFont when UseSkinFont, else Font.
  label->SetSkinDataName("no such record");
  label->DefaultFont()->SetName("Arial");
  label->DefaultFont()->SetHeight(-20);
  label->DefaultFont()->SetColor(clLime);
  label->SetUseSkinFont(true);
  ink = Ink(label);
  EXPECT_EQ(label->RecordIndex(), -1);
  EXPECT_GT(label->Height(), plainHeight + 4);
  EXPECT_GT(Count(ink, kGreen), 20);
  label->SetUseSkinFont(false);
  EXPECT_GT(Count(Ink(label), RGB(0, 0, 0)), 10);
}

TEST_F(SkinLabelTest, DisabledLabelsAreEmbossed) {
  LoadMiniSkin(LabelIni(), {});
  ShowForm();
  TbsSkinStdLabel* bound = Place("Embossed", {10, 10, 90, 30});
  bound->SetSkinData(Skin);
  TbsSkinStdLabel* unbound = Place("Embossed", {10, 40, 90, 60});
  for (TbsSkinStdLabel* label : {bound, unbound}) label->SetEnabled(false);
  const struct {
    TbsSkinStdLabel* Label;
    COLORREF Light, Dark;
  } cases[] = {
      {bound, kGreen, kBlue},
      {unbound, ColorToColorRef(SystemColor(COLOR_BTNHIGHLIGHT)), ColorToColorRef(SystemColor(COLOR_BTNSHADOW))}};
  for (const auto& c : cases) {
    const std::vector<std::pair<POINT, COLORREF>> ink = Ink(c.Label);
    ASSERT_GT(Count(ink, c.Dark), 10);
    ASSERT_GT(Count(ink, c.Light), 5);
    // Every light pixel is the dark copy's pixel one down and right.
    for (const auto& [p, color] : ink)
      if (color == c.Light) {
        EXPECT_EQ(At(ink, p.X - 1, p.Y - 1), c.Dark) << p.X << "," << p.Y;
      }
    EXPECT_EQ(Count(ink, kLabelRed) + Count(ink, RGB(0, 0, 0)), 0);
  }
}

TEST_F(SkinLabelTest, EllipsesShortenCaptionsWiderThanTheLabel) {
  ShowForm();
  const std::string wide = "MMMMMMMMMMMMMMMMMMMM";
  TbsSkinStdLabel* plain = Place(wide, {10, 10, 70, 24});
  TbsSkinStdLabel* end = Place(wide, {10, 30, 70, 44});
  end->SetEllipsType(bsetEndEllips);
  TbsSkinStdLabel* path = Place("C:\\Folder\\Another\\File.txt", {10, 50, 70, 64});
  TbsSkinStdLabel* pathPlain = Place("C:\\Folder\\Another\\File.txt", {10, 70, 70, 84});
  path->SetEllipsType(bsetPathEllips);
  // The highest ink in the rightmost 6 columns, and over the whole label.
  const auto tops = [&](TbsSkinStdLabel* label) {
    int right = 1 << 20, all = 1 << 20;
    for (const auto& [p, color] : Ink(label)) {
      all = std::min(all, int(p.Y));
      if (p.X >= label->Width() - 6) right = std::min(right, int(p.Y));
    }
    return std::pair{right, all};
  };
  // Cut M's reach the top at the right edge; the ellipsis' dots sit low.
  const auto [plainRight, plainTop] = tops(plain);
  EXPECT_EQ(plainRight, plainTop);
  const auto [endRight, endTop] = tops(end);
  EXPECT_GT(endRight, endTop + 4);
  // The path keeps its end and loses its middle.
  const std::vector<std::pair<POINT, COLORREF>> a = Ink(path), b = Ink(pathPlain);
  EXPECT_NE(a.size(), b.size());
  // A caption that fits is left alone.
  end->SetCaption("MM");
  plain->SetCaption("MM");
  EXPECT_EQ(Ink(end).size(), Ink(plain).size());
}

TEST_F(SkinLabelTest, EmptyCaptionsAreMeasuredAsABlank) {
  ShowForm();
  TbsSkinStdLabel* blank = Place("", {10, 10, 100, 30}, true);
  TbsSkinStdLabel* prefix = Place("&", {10, 40, 100, 60}, true);
  TbsSkinStdLabel* literal = Place("&", {10, 70, 100, 90}, true);
  literal->SetShowAccelChar(false);
  TBitmap measure;
  measure.Canvas()->SetFont(blank->Font());
  EXPECT_EQ(blank->Height(), measure.Canvas()->TextHeight("W"));
  EXPECT_EQ(blank->Width(), measure.Canvas()->TextWidth(" "));
  EXPECT_EQ(prefix->Width(), blank->Width());
  EXPECT_EQ(literal->Width(), measure.Canvas()->TextWidth("&"));
}

TEST_F(SkinLabelTest, SkinNoticesUnbindThenRefreshTheLabel) {
  LoadMiniSkin(LabelIni(24), {});
  ShowForm();
  TbsSkinStdLabel* label = Place("Label", {10, 10, 60, 20}, true);
  label->SetUseSkinFont(true);
  label->SetSkinData(Skin);
  const int tall = label->Height();
  std::vector<std::string> order;
  Form->AfterNotice = [&](UINT message) {
    order.push_back(std::string(message == SKINMSG_SKIN_CHANGING ? "changing" : "changed") + " bound " +
                    std::to_string(label->RecordIndex() != -1) + " h " + std::to_string(label->Height()));
  };
  LoadMiniSkin(LabelIni(12), {});
  Form->AfterNotice = nullptr;
  ASSERT_EQ(order.size(), 2u);
  EXPECT_EQ(order[0], "changing bound 0 h " + std::to_string(tall));
  EXPECT_LT(label->Height(), tall);  // re-measured with the new record's font
  EXPECT_EQ(order[1], "changed bound 1 h " + std::to_string(label->Height()));

  // Another skin's notices pass the label by; removing its skin forgets it.
  auto* other = new TbsSkinData(Form.get());
  RelaySkinNotice(Form.get(), SKINMSG_SKIN_CHANGING, other);
  EXPECT_NE(label->RecordIndex(), -1);
  delete Skin;
  Skin = nullptr;
  EXPECT_EQ(label->SkinData(), nullptr);
  label->SetUseSkinFont(false);
  const std::vector<std::pair<POINT, COLORREF>> ink = Ink(label);
  EXPECT_EQ(label->RecordIndex(), -1);
  EXPECT_GT(Count(ink, RGB(0, 0, 0)), 10);
}

TEST_F(SkinLabelTest, SheetOfEveryState) {
  ShowForm();
  TSheet sheet(4 * 130 + 10, 3 * 40 + 10);
  const auto row = [&](int y, const std::string& look) {
    const char* states[] = {"normal", "disabled", "end ellipsis", "path ellipsis"};
    std::vector<TbsSkinStdLabel*> labels;
    for (int i = 0; i < 4; ++i) {
      TbsSkinStdLabel* label =
          Place(i < 2 ? "体力 魔防" : "C:\\Data\\Image\\Face\\0001.bmp", {10 + i * 130, 10, 130 + i * 130, 26});
      label->Font()->SetName("MS Sans Serif");
      label->SetSkinData(Skin);
      label->SetEnabled(i != 1);
      label->SetEllipsType(i == 2 ? bsetEndEllips : i == 3 ? bsetPathEllips : bsetNone);
      labels.push_back(label);
    }
    Screen.RunUntilIdle();
    for (int i = 0; i < 4; ++i) sheet.Put(Screen, labels[size_t(i)], 10 + i * 130, y, look + " " + states[i]);
    for (TbsSkinStdLabel* label : labels) delete label;
  };
  LoadProgramSkin();
  row(10, "program");
  LoadMiniSkin(LabelIni(), {});
  row(50, "mini");
  delete Skin;
  Skin = nullptr;
  row(90, "default");
  sheet.ExpectDrawnAndDistinct();
  sheet.Save("skin-label-states");
}

}  // namespace
}  // namespace kora::test

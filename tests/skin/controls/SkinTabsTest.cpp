// The skinned page control: its binding, the tabs' places and the page area
// on every side, tab states and sizes, hot tracking, hidden pages, the tab
// scroller, keyboard switching and the sheets' backgrounds.

#include <string>
#include <vector>

#include "SkinControlTestSupport.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/ClassBuilder.h"
#include "framework/core/FormText.h"
#include "skin/controls/bsSkinTabs.h"

namespace kora::test {
namespace {

// Every pixel of the picture tells where it came from.
COLORREF TabsCoded(int x, int y) { return RGB(x, y, 90); }

std::string TabKeys(const std::string& active, const std::string& extra) {
  return "pictureindex=0\nskinrect=0,0,40,40\nclientrect=3,1,37,"
         "37\nlefttoppoint=3,3\nrighttoppoint=37,3\n"
         "leftbottompoint=3,37\nrightbottompoint=37,37\ntabrect=40,0,70,"
         "20\nactivetabrect=" +
         active +
         "\nmouseintabrect=100,0,130,20\nfocustabrect=0,0,0,0\n"
         "tabsbgrect=130,0,138,21\ntableftoffset=4\ntabrightoffset="
         "4\ntabstretcheffect=1\nleftstretch=1\n"
         "topstretch=1\nrightstretch=1\nbottomstretch=1\nfontname="
         "Arial\nfontheight=-11\nfontcolor=255\n"
         "activefontcolor=65280\nfocusfontcolor=16711680\nmouseinfontcolor="
         "65535\nupdown=ud\n" +
         extra;
}

std::string TabsIni() {
  return "[VERSION]\nver=3\n"
         "[PICTURES]\npicture=\ninactivepicture=\nmask=\nactivepicturescount="
         "2\n0=tabs.bmp\n1=bg.bmp\n"
         "[FORMINFO]\nborderwidth=4\n[SKINOBJECTS]\ncount=0\n"
         "[SKINCONTROLS]\ncount=4\n0=tab:tab\n1=ud:updown\n2=bgtab:tab\n3="
         "label:stdlabel\n"
         "[tab]\n" +
         TabKeys("70,0,100,20", "bgpictureindex=-1\n") + "[bgtab]\n" + TabKeys("70,0,100,21", "bgpictureindex=1\n") +
         "[ud]\npictureindex=0\nskinrect=0,40,32,56\nupbuttonrect=16,0,32,"
         "16\ndownbuttonrect=0,0,16,16\n"
         "activeupbuttonrect=32,40,48,56\nactivedownbuttonrect=48,40,64,56\n"
         "downupbuttonrect=64,40,80,56\ndowndownbuttonrect=80,40,96,56\n"
         "[label]\nfontcolor=0\n";
}

std::vector<std::pair<std::string, std::string>> TabsPictures() {
  return {{"tabs.bmp", BmpOf(140, 60, TabsCoded)}, {"bg.bmp", BmpOf(10, 10, [](int, int) { return RGB(1, 2, 3); })}};
}

class SkinTabsTest : public SkinControlTest {
protected:
  TbsSkinPageControl* Pages(const std::vector<std::string>& captions, RECT bounds = {10, 10, 410, 210}) {
    auto* pages = new TbsSkinPageControl(Form.get());
    pages->SetBounds(bounds.Left, bounds.Top, WidthOf(bounds), HeightOf(bounds));
    pages->SetParent(Form.get());
    for (const std::string& caption : captions) AddPage(pages, caption);
    return pages;
  }
  TbsSkinTabSheet* AddPage(TbsSkinPageControl* pages, const std::string& caption) {
    auto* sheet = new TbsSkinTabSheet(Form.get());
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages);
    return sheet;
  }
  void Bind(TbsSkinPageControl* pages, const std::string& record = "tab") {
    pages->SetSkinDataName(record);
    pages->SetSkinData(Skin);
  }
  // OnDrawSkinTab records "page:state" for every tab drawn.
  void Record(TbsSkinPageControl* pages) {
    pages->OnDrawSkinTab = [this](TObject*, int page, const RECT&, bool active, bool mouseIn, TCanvas*) {
      Drawn.push_back(std::to_string(page) + (active ? ":active" : mouseIn ? ":hot" : ":normal"));
    };
  }
  void MoveTo(TControl* control, int x, int y) {
    Screen.MouseMove(At(control, x, y));
    Screen.RunUntilIdle();
  }
  static POINT MiddleOf(const RECT& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
  std::vector<std::string> Drawn;
};

TEST_F(SkinTabsTest, TabsCloseUpToTheEdgeOnEverySide) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  ShowForm();
  TbsSkinPageControl* pages = Pages({"a", "b", "c"});
  pages->SetTabWidth(50);
  Bind(pages);
  ASSERT_NE(pages->RecordIndex(), -1);
  EXPECT_EQ(pages->ItemHeight(), 20);  // the skin's tab height
  struct Case {
    TTabPosition position;
    RECT first, second;
  };
  // 400 x 200: the window system's items sit 2 pixels in; ours move out by
  // 2 and the first one loses a pixel on its left along the top or bottom.
  for (const Case& c :
       {Case{tpTop, {1, 0, 50, 20}, {50, 0, 100, 20}}, Case{tpBottom, {1, 180, 50, 200}, {50, 180, 100, 200}},
        Case{tpLeft, {0, 2, 20, 52}, {0, 52, 20, 102}}, Case{tpRight, {380, 2, 400, 52}, {380, 52, 400, 102}}}) {
    pages->SetTabPosition(c.position);
    EXPECT_EQ(pages->TabRect(0), c.first) << c.position;
    EXPECT_EQ(pages->TabRect(1), c.second) << c.position;
    EXPECT_EQ(pages->TabRect(3), (RECT{})) << c.position;
  }
}

TEST_F(SkinTabsTest, ThePageAreaMeetsTheTabsBoundAndUnbound) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  ShowForm();
  TbsSkinPageControl* pages = Pages({"a", "b"});
  struct Case {
    TTabPosition position;
    RECT bound, unbound;
  };
  // The frame (the page area grown by the record's margins 3, 1, 3, 3, or
  // by 1 unbound) starts where the 20-pixel tabs end.
  const std::vector<Case> cases{{tpTop, {3, 21, 397, 197}, {1, 21, 399, 199}},
                                {tpBottom, {3, 1, 397, 177}, {1, 1, 399, 179}},
                                {tpLeft, {23, 1, 397, 197}, {21, 1, 399, 199}},
                                {tpRight, {3, 1, 377, 197}, {1, 1, 379, 199}}};
  for (const Case& c : cases) {
    pages->SetTabPosition(c.position);
    pages->SetSkinData(nullptr);
    pages->ApplySkinChange();
    EXPECT_EQ(pages->DisplayRect(), c.unbound) << c.position;
    EXPECT_EQ(pages->ActivePage()->BoundsRect(), c.unbound) << c.position;
    Bind(pages);
    EXPECT_EQ(pages->DisplayRect(), c.bound) << c.position;
    EXPECT_EQ(pages->ActivePage()->BoundsRect(), c.bound) << c.position;
  }
  // Painted: the page's frame comes from the skin's bands, the strip from
  // the tab background piece (its last row is the baseline over the frame).
  pages->SetTabPosition(tpTop);
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(pages, 399, 199), TabsCoded(39, 39));
  EXPECT_EQ(PixelAt(pages, 0, 21), TabsCoded(0, 1));
  EXPECT_EQ(PixelAt(pages, 399, 20), TabsCoded(137, 20));
}

TEST_F(SkinTabsTest, TabHeightStretchesTheSkinPiece) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  ShowForm();
  TbsSkinPageControl* pages = Pages({"first", "second"});
  pages->SetTabWidth(50);
  pages->SetTabHeight(0);
  Bind(pages);
  Screen.RunUntilIdle();
  EXPECT_EQ(pages->ItemHeight(), 20);
  EXPECT_EQ(pages->TabRect(1), (RECT{50, 0, 100, 20}));
  // The second tab (not active) from tabrect, its ends fixed, 1:1 down.
  EXPECT_EQ(PixelAt(pages, 51, 19), TabsCoded(41, 19));
  pages->SetTabHeight(30);
  Screen.RunUntilIdle();
  EXPECT_EQ(pages->ItemHeight(), 30);
  EXPECT_EQ(pages->TabRect(1), (RECT{50, 0, 100, 30}));
  EXPECT_EQ(pages->DisplayRect().Top, 31);
  // Stretched to 30: the piece's last row ends the tab.
  EXPECT_EQ(PixelAt(pages, 51, 29), TabsCoded(41, 19));
  EXPECT_EQ(PixelAt(pages, 51, 0), TabsCoded(41, 0));
  // Unbound, 0 means DefaultItemHeight.
  pages->SetTabHeight(0);
  pages->SetSkinData(nullptr);
  pages->ApplySkinChange();
  pages->SetDefaultItemHeight(24);
  EXPECT_EQ(pages->ItemHeight(), 24);
  EXPECT_EQ(pages->TabRect(0).Bottom, 24);
}

TEST_F(SkinTabsTest, BottomTabsAreFlippedAndSideTabsTurned) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  ShowForm();
  TbsSkinPageControl* pages = Pages({"a", "b"});
  pages->SetTabWidth(50);
  Bind(pages);
  // The second tab is not active: tabrect (40, 0, 70, 20), ends 4 wide.
  pages->SetTabPosition(tpBottom);
  Screen.RunUntilIdle();
  const RECT bottom = pages->TabRect(1);
  EXPECT_EQ(PixelAt(pages, bottom.Left, bottom.Bottom - 1), TabsCoded(40, 0));  // top row at the outer edge
  EXPECT_EQ(PixelAt(pages, bottom.Left, bottom.Top), TabsCoded(40, 19));
  // The strip's piece turns with them: its baseline on the frame's outer row.
  EXPECT_EQ(PixelAt(pages, 300, bottom.Top - 1), TabsCoded(134, 20));
  pages->SetTabPosition(tpLeft);
  Screen.RunUntilIdle();
  const RECT left = pages->TabRect(1);
  // Turned a quarter to the left: the piece's top row runs up the outer
  // edge, its left end at the bottom.
  EXPECT_EQ(PixelAt(pages, left.Left, left.Bottom - 1), TabsCoded(40, 0));
  EXPECT_EQ(PixelAt(pages, left.Right - 1, left.Bottom - 1), TabsCoded(40, 19));
  pages->SetTabPosition(tpRight);
  Screen.RunUntilIdle();
  const RECT right = pages->TabRect(1);
  EXPECT_EQ(PixelAt(pages, right.Right - 1, right.Top), TabsCoded(40, 0));
  EXPECT_EQ(PixelAt(pages, right.Left, right.Top), TabsCoded(40, 19));
}

TEST_F(SkinTabsTest, HotTrackingRedrawsOnlyTheTwoTabsConcerned) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  ShowForm();
  TbsSkinPageControl* pages = Pages({"a", "b", "c"});
  pages->SetTabWidth(50);
  Bind(pages);
  pages->SetActivePageIndex(2);
  Screen.RunUntilIdle();
  Record(pages);
  MoveTo(pages, 20, 10);
  EXPECT_EQ(Drawn, (std::vector<std::string>{"0:hot"}));
  EXPECT_EQ(pages->HotTab(), 0);
  Drawn.clear();
  MoveTo(pages, 70, 10);
  EXPECT_EQ(Drawn, (std::vector<std::string>{"0:normal", "1:hot"}));
  // The selected tab never takes the hot look; only the one left is redrawn.
  Drawn.clear();
  MoveTo(pages, 120, 10);
  EXPECT_EQ(Drawn, (std::vector<std::string>{"1:normal"}));
  EXPECT_EQ(pages->HotTab(), 2);
  Drawn.clear();
  MoveTo(pages, 70, 10);
  EXPECT_EQ(Drawn, (std::vector<std::string>{"1:hot"}));
  // The hot look is the skin's mouse-in piece.
  pages->OnDrawSkinTab = nullptr;
  Drawn.clear();
  MoveTo(pages, 20, 10);
  EXPECT_EQ(PixelAt(pages, 2, 10), TabsCoded(101, 10));
  EXPECT_EQ(PixelAt(pages, 51, 10), TabsCoded(41, 10));
  // Leaving the control: the hot tab is drawn normal again.
  Record(pages);
  MoveTo(Form.get(), 500, 400);
  EXPECT_EQ(Drawn, (std::vector<std::string>{"0:normal"}));
  EXPECT_EQ(pages->HotTab(), -1);
}

TEST_F(SkinTabsTest, AHiddenPageKeepsTheOthersTabsAndIndices) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  ShowForm();
  TbsSkinPageControl* pages = Pages({"人物参数", "职业参数", "武器道具"});
  Bind(pages);
  const std::vector<RECT> three{pages->TabRect(0), pages->TabRect(1), pages->TabRect(2)};
  // The main window's fourth page has no tab: nothing moves.
  TbsSkinTabSheet* stats = AddPage(pages, "数据统计");
  stats->SetTabVisible(false);
  Screen.RunUntilIdle();
  EXPECT_EQ(pages->VisibleTabCount(), 3);
  EXPECT_EQ((std::vector<RECT>{pages->TabRect(0), pages->TabRect(1), pages->TabRect(2)}), three);
  EXPECT_EQ(pages->TabRect(3), (RECT{}));

  // A hidden page between others: the later tabs close up, their pages keep
  // their indices for hot tracking, drawing and clicks.
  pages->Pages(1)->SetTabVisible(false);
  Screen.RunUntilIdle();
  EXPECT_EQ(pages->TabRect(1).Left, three[1].Left);
  Record(pages);
  const POINT second = MiddleOf(pages->TabRect(1));
  MoveTo(pages, second.X, second.Y);
  EXPECT_EQ(pages->HotTab(), 1);
  EXPECT_EQ(pages->HotPage(), 2);
  EXPECT_EQ(Drawn, (std::vector<std::string>{"2:hot"}));
  Drawn.clear();
  pages->Invalidate();
  Screen.RunUntilIdle();
  EXPECT_EQ(Drawn, (std::vector<std::string>{"0:active", "2:hot", "0:active"}));
  Screen.Click(At(pages, second.X, second.Y));
  Screen.RunUntilIdle();
  EXPECT_EQ(pages->ActivePageIndex(), 2);
  EXPECT_EQ(pages->TabIndex(), 1);
}

TEST_F(SkinTabsTest, TheScrollerComesAndGoesAsTabsOverflow) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  ShowForm();
  TbsSkinPageControl* pages = Pages({"a", "b"}, {10, 10, 210, 160});
  pages->SetTabWidth(50);
  Bind(pages);
  EXPECT_EQ(pages->TabScroller(), nullptr);
  // Room up to 200 - 40 - 3 = 157: three tabs end at 150, the fourth at 200.
  AddPage(pages, "c");
  EXPECT_EQ(pages->TabScroller(), nullptr);
  std::vector<TbsSkinTabSheet*> more{AddPage(pages, "d"), AddPage(pages, "e")};
  TbsSkinUpDown* scroller = pages->TabScroller();
  ASSERT_NE(scroller, nullptr);
  EXPECT_EQ(scroller->MaxValue(), 2);
  EXPECT_EQ(scroller->Position(), 0);
  EXPECT_EQ(scroller->SkinDataName(), "ud");
  // Bound to its record: the skin's size, at the control's top right.
  EXPECT_EQ(scroller->BoundsRect(), (RECT{168, 2, 200, 18}));  // level with the 20-pixel tabs
  Screen.RunUntilIdle();

  // The right button scrolls one tab out on the left.
  Screen.Click(At(scroller, 24, 8));
  Screen.RunUntilIdle();
  EXPECT_EQ(pages->FirstTab(), 1);
  EXPECT_EQ(pages->TabRect(1), (RECT{0, 0, 50, 20}));
  EXPECT_EQ(pages->TabRect(0).Right, 0);
  EXPECT_EQ(pages->TabScroller()->Position(), 1);
  Screen.Click(At(pages->TabScroller(), 8, 8));
  Screen.RunUntilIdle();
  EXPECT_EQ(pages->FirstTab(), 0);

  // Selecting a tab under the scroller brings it into view.
  pages->SelectNextPage(false);
  EXPECT_EQ(pages->ActivePageIndex(), 4);
  EXPECT_LE(pages->TabRect(4).Right, 157);
  EXPECT_EQ(pages->FirstTab(), 2);

  // Removing pages until all fit takes the scroller away.
  for (TbsSkinTabSheet* sheet : more) delete sheet;
  Screen.RunUntilIdle();
  EXPECT_EQ(pages->TabScroller(), nullptr);
  EXPECT_EQ(pages->FirstTab(), 0);
  EXPECT_EQ(pages->TabRect(0).Left, 1);
  // Narrowing the control brings it back.
  pages->SetWidth(150);
  EXPECT_NE(pages->TabScroller(), nullptr);
}

TEST_F(SkinTabsTest, ADisabledPageControlPaintsAsAnEnabledOne) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  ShowForm();
  TbsSkinPageControl* pages = Pages({"人物参数", "职业参数", "武器道具"});
  Bind(pages);
  Screen.RunUntilIdle();
  auto capture = [&] {
    const ScreenImage image = Screen.Capture();
    const POINT origin = At(pages, 0, 0);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < pages->Height(); ++y)
      for (int x = 0; x < pages->Width(); ++x) pixels.push_back(image.ColorAt(origin.X + x, origin.Y + y));
    return pixels;
  };
  const std::vector<COLORREF> enabled = capture();
  pages->SetEnabled(false);
  pages->Invalidate();
  Screen.RunUntilIdle();
  EXPECT_EQ(capture(), enabled);
  // And takes no clicks.
  Screen.Click(At(pages, MiddleOf(pages->TabRect(1)).X, 10));
  Screen.RunUntilIdle();
  EXPECT_EQ(pages->ActivePageIndex(), 0);
}

TEST_F(SkinTabsTest, KeysSwitchPagesPastHiddenOnes) {
  ShowForm();
  TbsSkinPageControl* pages = Pages({"a", "b", "c", "d"});
  pages->Pages(3)->SetTabVisible(false);
  auto* edit = new TEdit(Form.get());
  edit->SetParent(pages->Pages(0));
  std::vector<int> changes;
  pages->OnChange = [&](TObject*) { changes.push_back(pages->ActivePageIndex()); };
  Screen.RunUntilIdle();
  edit->SetFocus();
  // Ctrl+Tab from a control on a page, forward and with Shift back, wrapping.
  Screen.KeyDown(VK_CONTROL);
  Screen.PressKey(VK_TAB);
  Screen.PressKey(VK_TAB);
  Screen.PressKey(VK_TAB);
  Screen.KeyDown(VK_SHIFT);
  Screen.PressKey(VK_TAB);
  Screen.KeyUp(VK_SHIFT);
  Screen.KeyUp(VK_CONTROL);
  Screen.RunUntilIdle();
  EXPECT_EQ(changes, (std::vector<int>{1, 2, 0, 2}));
  // Arrows on the focused strip step without wrapping.
  pages->SetFocus();
  changes.clear();
  for (UINT key : {VK_LEFT, VK_LEFT, VK_RIGHT, VK_RIGHT}) Screen.PressKey(key);
  Screen.RunUntilIdle();
  EXPECT_EQ(changes, (std::vector<int>{1, 0, 1, 2}));
}

TEST_F(SkinTabsTest, TabStatesTakeTheirPiecesAndColours) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  ShowForm();
  TbsSkinPageControl* pages = Pages({"a", "b"});
  pages->SetTabWidth(50);
  Bind(pages, "bgtab");  // its active piece is a pixel taller
  Screen.RunUntilIdle();
  // The active tab reaches one pixel over the page's top edge.
  EXPECT_EQ(PixelAt(pages, 2, 5), TabsCoded(71, 5));
  EXPECT_EQ(PixelAt(pages, 2, 20), TabsCoded(71, 20));
  EXPECT_EQ(PixelAt(pages, 60, 20), TabsCoded(134, 20));  // the strip's baseline beside it
  // Focused without a focus piece: the active piece again.
  pages->SetFocus();
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(pages, 2, 5), TabsCoded(71, 5));
  // Fonts: the record's colours, and its face with UseSkinFont.
  std::vector<TColor> colours;
  std::vector<std::string> faces;
  pages->OnDrawSkinTab = [&](TObject*, int, const RECT&, bool, bool, TCanvas* canvas) {
    colours.push_back(canvas->Font()->Color());
    faces.push_back(canvas->Font()->Name());
  };
  pages->Invalidate();
  Screen.RunUntilIdle();
  EXPECT_EQ(colours, (std::vector<TColor>{16711680, 255, 16711680}));
  EXPECT_EQ(faces.front(), "宋体");
  pages->SetUseSkinFont(true);
  pages->ApplySkinChange();
  faces.clear();
  Screen.RunUntilIdle();
  EXPECT_EQ(faces.front(), "Arial");
  EXPECT_EQ(pages->Font()->Name(), "Arial");
  EXPECT_EQ(pages->Font()->Height(), -11);
}

TEST_F(SkinTabsTest, SkinNoticesUnbindAndRebindThePageControl) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  ShowForm();
  TbsSkinPageControl* pages = Pages({"a", "b"});
  Bind(pages);
  int indexBetween = 0;
  Form->AfterNotice = [&](UINT message) {
    if (message == SKINMSG_SKIN_CHANGING) indexBetween = pages->RecordIndex();
  };
  ReloadSkin();
  EXPECT_EQ(indexBetween, -1);
  EXPECT_NE(pages->RecordIndex(), -1);
  // Another skin's notices pass it by.
  auto* other = new TbsSkinData(Form.get());
  RelaySkinNotice(Form.get(), SKINMSG_SKIN_CHANGING, other);
  EXPECT_NE(pages->RecordIndex(), -1);
  // A removed skin leaves the built-in look at the next paint.
  delete Skin;
  Skin = nullptr;
  EXPECT_EQ(pages->SkinData(), nullptr);
  Screen.RunUntilIdle();
  pages->Invalidate();
  Screen.RunUntilIdle();
  EXPECT_EQ(pages->RecordIndex(), -1);
  EXPECT_EQ(PixelAt(pages, 0, pages->DisplayRect().Top - 1), ColorToColorRef(clBtnShadow));
}

TEST_F(SkinTabsTest, SheetsPaintTheBackgroundTheirChildrenShow) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  ShowForm();
  TbsSkinPageControl* pages = Pages({"a", "b"});
  Bind(pages);
  auto* sheet = static_cast<TbsSkinTabSheet*>(pages->Pages(0));
  Screen.RunUntilIdle();
  // The client piece (3, 2, 37, 37) of the skin rectangle, tiled from the
  // sheet's corner.
  EXPECT_EQ(PixelAt(sheet, 0, 0), TabsCoded(3, 1));
  EXPECT_EQ(PixelAt(sheet, 34, 36), TabsCoded(3, 1));
  // A transparent child asks for it through PaintParentBackground.
  auto* child = new TLabel(Form.get());
  child->SetBounds(40, 40, 30, 12);
  child->SetParent(sheet);
  TBitmap behind;
  behind.SetSize(30, 12);
  PaintParentBackground(child, behind.Canvas());
  EXPECT_EQ(ColorToColorRef(behind.Canvas()->Pixels(0, 0)), TabsCoded(3 + 40 % 34, 1 + 40 % 36));

  // The record's background picture when it has one.
  Bind(pages, "bgtab");
  sheet->Invalidate();
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(sheet, 5, 5), RGB(1, 2, 3));
  // A wallpaper before anything else.
  TBitmap paper;
  paper.SetSize(4, 4);
  paper.Canvas()->Brush()->SetColor(RGB(9, 8, 7));
  paper.Canvas()->FillRect({0, 0, 4, 4});
  sheet->SetWallPaper(&paper);
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(sheet, 5, 5), RGB(9, 8, 7));
  // Unbound and without one: the button face.
  sheet->SetWallPaper(nullptr);
  pages->SetSkinData(nullptr);
  pages->ApplySkinChange();
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(sheet, 5, 5), ColorToColorRef(clBtnFace));
}

TEST_F(SkinTabsTest, TheStripCanShowTheParentInstead) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  ShowForm();
  TbsSkinPageControl* pages = Pages({"a"});
  pages->SetTabWidth(50);
  Bind(pages);
  pages->SetTabsBGTransparent(true);
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(pages, 300, 5), RGB(236, 233, 216));  // the form's colour
  EXPECT_EQ(PixelAt(pages, 2, 5), TabsCoded(71, 5));      // the tab itself
}

class TTabsForm : public TForm {
  KORA_CLASS(TTabsForm, TForm)
  using TForm::TForm;
  void PagesDrawTab(TObject*, int page, const RECT&, bool, bool, TCanvas*) { Log.push_back(page); }
  std::vector<int> Log;
};

TClass TTabsForm::StaticClass() {
  static const TClassInfo info(TClassBuilder<TTabsForm>("TTabsForm").Method("PagesDrawTab", &TTabsForm::PagesDrawTab));
  return &info;
}

// Loaded, the pages find their record and its font, open the stored page
// and call the form's handler by name.
TEST_F(SkinTabsTest, AStoredPageControlBindsItsRecordPageAndHandler) {
  LoadMiniSkin(TabsIni(), TabsPictures());
  RegisterFrameworkClasses();
  RegisterSkinControlClasses();
  TTabsForm form(nullptr);
  auto* skin = new TbsSkinData(&form);
  skin->SetName("Skin1");
  skin->SetCompressedStoredSkin(Stored);
  const std::string text =
      "object TabsForm: TTabsForm\n"
      "  object Pages: TbsSkinPageControl\n"
      "    SkinData = Skin1\n    SkinDataName = 'bgtab'\n    UseSkinFont = True\n"
      "    ActivePage = Sheet2\n    OnDrawSkinTab = PagesDrawTab\n"
      "    object Sheet1: TbsSkinTabSheet\n    end\n"
      "    object Sheet2: TbsSkinTabSheet\n    end\n"
      "  end\n"
      "end\n";
  ReadComponentText(text, &form);
  auto* pages = dynamic_cast<TbsSkinPageControl*>(form.FindComponent("Pages"));
  ASSERT_NE(pages, nullptr);
  EXPECT_NE(pages->RecordIndex(), -1);
  EXPECT_EQ(pages->Font()->Name(), "Arial");  // the record's, with UseSkinFont
  ASSERT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  pages->OnDrawSkinTab(pages, 1, RECT{}, true, false, nullptr);
  EXPECT_EQ(form.Log, (std::vector<int>{1}));
}

}  // namespace
}  // namespace kora::test

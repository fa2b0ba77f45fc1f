// The skinned scroll bar and list box the drop-down is built from (and the
// open-file dialog reuses): range, thumb and its dragging, the repeating
// buttons and track, the skin's bar geometry; rows, their own scroll bar,
// clicks, caption and horizontal extent.

#include <string>
#include <vector>

#include "SkinControlTestSupport.h"
#include "skin/controls/bsSkinBoxCtrls.h"

namespace kora::test {
namespace {

class SkinListScrollTest : public SkinControlTest {
protected:
  void Run() { Screen.RunUntilIdle(); }
  static POINT Mid(const TControl* control, const RECT& r) {
    return control->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  }
  TbsSkinScrollBar* Bar(int left, int top, int width, int height) {
    auto* bar = new TbsSkinScrollBar(Form.get());
    bar->SetKind(sbVertical);
    bar->SetBounds(left, top, width, height);
    bar->SetParent(Form.get());
    bar->OnChange = [this, bar](TObject*) { Positions.push_back(bar->Position()); };
    return bar;
  }
  std::vector<int> Positions;
};

TEST_F(SkinListScrollTest, TheThumbShowsThePageAndFollowsADrag) {
  ShowForm();
  TbsSkinScrollBar* bar = Bar(10, 10, 16, 232);
  EXPECT_EQ(bar->SkinDataName(), "vscrollbar");
  bar->SetParams(0, 0, 99, 25);  // a quarter of the range in view
  EXPECT_EQ(bar->UpButtonRect(), (RECT{0, 0, 16, 16}));
  EXPECT_EQ(bar->DownButtonRect(), (RECT{0, 216, 16, 232}));
  EXPECT_EQ(bar->ThumbRect(), (RECT{0, 16, 16, 66}));
  EXPECT_EQ(bar->MaxPosition(), 75);
  bar->SetPosition(500);
  EXPECT_EQ(bar->Position(), 75);
  EXPECT_EQ(bar->ThumbRect().Bottom, 216);
  // Dragging the thumb halfway down the track.
  bar->SetPosition(0);
  Positions.clear();
  Screen.MouseMove(Mid(bar, bar->ThumbRect()));
  Screen.MouseDown(Mid(bar, bar->ThumbRect()));
  const POINT half = bar->ClientToScreen({8, 41 + 75});
  Screen.MouseMove(half);
  Screen.MouseUp(half);
  Run();
  EXPECT_EQ(bar->Position(), 38);
  EXPECT_EQ(Positions.back(), 38);
  // Everything in view: no thumb, the buttons greyed.
  bar->SetParams(0, 0, 9, 10);
  EXPECT_TRUE(IsEmptyRect(bar->ThumbRect()));
}

TEST_F(SkinListScrollTest, ButtonsStepAndTheTrackPagesWhileHeld) {
  ShowForm();
  TbsSkinScrollBar* bar = Bar(10, 10, 16, 232);
  bar->SetParams(50, 0, 99, 10);
  Run();
  Positions.clear();
  Screen.Click(Mid(bar, bar->DownButtonRect()));
  Run();
  EXPECT_EQ(bar->Position(), 51);
  // Held below the thumb: a page now, then every 100 ms after 500 ms,
  // until the thumb reaches the pointer.
  const POINT below = bar->ClientToScreen({8, 210});
  Screen.MouseMove(below);
  Screen.MouseDown(below);
  Run();
  EXPECT_EQ(bar->Position(), 61);
  Screen.Wait(800);
  Screen.MouseUp(below);
  Run();
  EXPECT_EQ(Positions, (std::vector<int>{51, 61, 71, 81, 90}));
}

TEST_F(SkinListScrollTest, TheProgramSkinsBarKeepsItsWidthAndMovesItsFarButton) {
  LoadProgramSkin();
  ShowForm();
  TbsSkinScrollBar* bar = Bar(10, 10, 30, 200);
  bar->SetSkinData(Skin);
  Run();
  EXPECT_EQ(bar->Width(), 16);
  EXPECT_EQ(bar->SkinThickness(), 16);
  EXPECT_EQ(bar->DownButtonRect(), (RECT{0, 184, 16, 200}));
  EXPECT_EQ(bar->TrackRect(), (RECT{0, 16, 16, 184}));
  bar->SetParams(0, 0, 99, 50);
  // The thumb's ends are fixed: never shorter than both with the grip.
  EXPECT_EQ(HeightOf(bar->ThumbRect()), 84);
  bar->SetParams(0, 0, 999, 1);
  EXPECT_EQ(HeightOf(bar->ThumbRect()), 4 + 4 + 5 + 2);
}

TEST_F(SkinListScrollTest, AListBoxScrollsWithItsOwnBarAndReportsClicks) {
  LoadProgramSkin();
  ShowForm();
  auto* list = new TbsSkinListBox(Form.get());
  list->SetBounds(10, 10, 150, 2 + 5 * 18);
  for (int i = 0; i < 20; ++i) list->Items()->Add("row " + std::to_string(i));
  list->SetParent(Form.get());
  list->SetSkinData(Skin);
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  Run();
  EXPECT_EQ(list->ItemHeight(), 18);
  TbsSkinScrollBar* bar = list->VScrollBar();
  ASSERT_TRUE(bar->Visible());
  EXPECT_EQ(bar->PageSize(), 5);
  EXPECT_EQ(bar->Max(), 19);
  EXPECT_EQ(list->ListBox()->Width(), 150 - 2 - 16);
  // The wheel over the rows moves the bar too.
  list->SetFocus();
  Run();
  Screen.Wheel(Middle(list->ListBox()), -120);
  Run();
  EXPECT_EQ(list->TopIndex(), 3);
  EXPECT_EQ(bar->Position(), 3);
  Screen.Click(Mid(list->ListBox(), list->ListBox()->ItemRect(4)));
  Run();
  EXPECT_EQ(list->ItemIndex(), 4);
  EXPECT_EQ(clicks, 1);
  // Fewer rows than fit: no bar, full width.
  while (list->Items()->Count() > 3) list->Items()->Delete(0);
  Run();
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(list->ListBox()->Width(), 150 - 2);
}

TEST_F(SkinListScrollTest, CaptionAndHorizontalExtentTakeTheirRoom) {
  ShowForm();
  auto* list = new TbsSkinListBox(Form.get());
  list->SetBounds(10, 10, 150, 124);
  for (int i = 0; i < 3; ++i) list->Items()->Add("a wide row\twith a second column " + std::to_string(i));
  list->SetParent(Form.get());
  list->SetCaptionMode(true);
  list->SetCaption("Rows");
  Run();
  EXPECT_EQ(list->CaptionBarRect(), (RECT{2, 2, 148, 22}));
  EXPECT_EQ(list->ListBox()->Top(), 22);
  EXPECT_EQ(list->HeightForRows(5), 5 * 20 + 4 + 20);
  list->SetHorizontalExtent(400);
  Run();
  ASSERT_TRUE(list->HScrollBar()->Visible());
  EXPECT_EQ(list->ListBox()->Height(), 124 - 22 - 2 - 16);
  EXPECT_EQ(list->HeightForRows(5), 5 * 20 + 4 + 20 + 16);
  list->TabWidths()->Add("90");
  list->HScrollBar()->SetPosition(100);
  Run();
  EXPECT_EQ(list->HScrollBar()->Position(), 100);
}

}  // namespace
}  // namespace kora::test

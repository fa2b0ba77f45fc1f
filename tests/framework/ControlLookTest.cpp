// The plain look of the standard controls together on one panel, saved as
// a picture for people to look at.

#include "framework/ControlTestSupport.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/StdCtrls.h"

namespace kora::test {
namespace {

TEST_F(ControlTest, PlainLookPanelWithStandardControls) {
  Form->SetColor(SystemColor(COLOR_BTNFACE));
  auto* label = new TLabel(Form);
  label->SetBounds(12, 14, 10, 10);
  label->SetCaption("&Name:");
  label->SetParent(Form);
  auto* edit = new TEdit(Form);
  edit->SetBounds(70, 10, 150, 22);
  edit->SetParent(Form);
  edit->SetText("Kora");
  label->SetFocusControl(edit);
  auto* list = new TListBox(Form);
  list->SetBounds(12, 44, 120, 100);
  list->SetParent(Form);
  for (const char* item : {"体力", "力量", "魔力", "技术", "速度"}) list->Items()->Add(item);
  list->SetItemIndex(1);
  auto* pages = new TPageControl(Form);
  pages->SetBounds(145, 44, 240, 150);
  pages->SetParent(Form);
  for (const char* caption : {"人物参数", "职业参数", "Items"}) {
    auto* sheet = new TTabSheet(Form);
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages);
  }
  auto* inner = new TEdit(Form);
  inner->SetBounds(10, 10, 100, 22);
  inner->SetParent(pages->Pages(0));
  inner->SetText("12");
  edit->SetFocus();
  Screen.RunUntilIdle();
  Screen.SaveArtifact("controls_plain_look");

  // The sunken edit edge: shadow on the outer top-left, window colour inside.
  EXPECT_EQ(PixelAt(edit, 0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(PixelAt(edit, edit->Width() - 1, edit->Height() - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  // The selected list item is highlighted, the others are not.
  EXPECT_EQ(PixelAt(list, 100, 2 + 16 + 2), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(PixelAt(list, 100, 2 + 2), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace kora::test

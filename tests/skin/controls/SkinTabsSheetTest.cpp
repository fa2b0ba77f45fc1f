// Sheets of the page control for a person to look at: tabs on every side,
// skinned and in the built-in look, hot, focused and disabled, the tab
// scroller, and the main window's pages with their group boxes, labels,
// spin edits and buttons.

#include <string>
#include <tuple>
#include <vector>

#include "SkinControlTestSupport.h"
#include "skin/controls/bsSkinTabs.h"

namespace kora::test {
namespace {

const std::vector<std::string> kCaptions{"人物参数", "职业参数", "武器道具", "数据统计"};

class SkinTabsSheetTest : public SkinControlTest {
protected:
  TbsSkinPageControl* MakePages(const RECT& bounds, TTabPosition position, bool skinned,
                                const std::vector<std::string>& captions = kCaptions) {
    auto* pages = new TbsSkinPageControl(Form.get());
    pages->SetBounds(bounds.Left, bounds.Top, WidthOf(bounds), HeightOf(bounds));
    pages->SetTabPosition(position);
    pages->SetTabHeight(20);
    pages->SetParent(Form.get());
    for (const std::string& caption : captions) {
      auto* sheet = new TbsSkinTabSheet(Form.get());
      sheet->SetCaption(caption);
      sheet->SetPageControl(pages);
      // The main window's fourth page has no tab.
      if (caption == "数据统计") sheet->SetTabVisible(false);
    }
    auto* label = new TbsSkinStdLabel(Form.get());
    label->SetCaption("第一页的内容");
    label->SetBounds(12, 12, 100, 14);
    label->SetParent(pages->Pages(0));
    if (skinned) {
      label->SetSkinData(Skin);
      pages->SetSkinData(Skin);
    } else {
      pages->ApplySkinChange();
    }
    return pages;
  }
  // Captured with the pointer over the given tab (-1: away from it).
  void Shoot(TSheet& sheet, TbsSkinPageControl* pages, int hotTab, int x, int y, const std::string& label) {
    Screen.RunUntilIdle();
    if (hotTab >= 0) {
      const RECT r = pages->TabRect(hotTab);
      Screen.MouseMove(At(pages, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    } else {
      Screen.MouseMove(At(Form.get(), Form->Width() - 2, Form->Height() - 2));
    }
    Screen.RunUntilIdle();
    sheet.Put(Screen, pages, x, y, label);
  }

  // A stat group of the main window: eight labels and spin edits in two rows.
  void StatGroup(TWinControl* page, const RECT& bounds, const std::string& caption, const std::vector<int>& lefts) {
    auto* box = new TbsSkinGroupBox(Form.get());
    box->SetBounds(bounds.Left, bounds.Top, WidthOf(bounds), HeightOf(bounds));
    box->SetCaption(caption);
    box->SetDefaultCaptionHeight(22);
    box->SetParent(page);
    box->SetSkinData(Skin);
    const std::vector<std::string> top{"体力", "魔力", "速度", "防御"}, bottom{"力量", "技术", "运气", "魔防"};
    for (int row = 0; row < 2; ++row)
      for (int i = 0; i < 4; ++i) {
        auto* label = new TbsSkinStdLabel(Form.get());
        label->SetAutoSize(false);
        label->SetBounds(lefts[size_t(i)], row == 0 ? 32 : 56, 24, 12);
        label->Font()->SetName("MS Sans Serif");
        label->Font()->SetHeight(-11);
        label->SetCaption(row == 0 ? top[size_t(i)] : bottom[size_t(i)]);
        label->SetParent(box);
        label->SetSkinData(Skin);
        auto* spin = new TbsSkinSpinEdit(Form.get());
        spin->SetBounds(lefts[size_t(i)] + 32, row == 0 ? 30 : 54, 41, 16);
        spin->SetMinValue(-128);
        spin->SetMaxValue(127);
        spin->SetIncrement(5);
        spin->SetParent(box);
        spin->SetSkinData(Skin);
        spin->SetValue(row * 4 + i);
      }
  }
  void Button(TWinControl* page, const RECT& bounds, const std::string& caption) {
    auto* button = new TbsSkinButton(Form.get());
    button->SetBounds(bounds.Left, bounds.Top, WidthOf(bounds), HeightOf(bounds));
    button->SetCaption(caption);
    button->SetParent(page);
    button->SetSkinData(Skin);
  }
};

TEST_F(SkinTabsSheetTest, TabsOnEverySide) {
  LoadProgramSkin();
  Form->SetBounds(0, 0, 1000, 700);
  ShowForm();
  TSheet sheet(1100, 860);
  const std::vector<std::pair<TTabPosition, std::string>> sides{
      {tpTop, "top"}, {tpBottom, "bottom"}, {tpLeft, "left"}, {tpRight, "right"}};
  for (int skinned = 1; skinned >= 0; --skinned) {
    for (size_t i = 0; i < sides.size(); ++i) {
      TbsSkinPageControl* pages = MakePages({10, 10, 270, 210}, sides[i].first, skinned == 1);
      Shoot(sheet, pages, 1, 10 + int(i) * 272, 10 + (1 - skinned) * 220,
            std::string(skinned ? "skinned" : "default") + ", tabs " + sides[i].second + ", second tab hot");
      delete pages;
    }
  }
  // Focused, disabled, overflowing and taller tabs.
  int x = 10;
  for (int skinned = 1; skinned >= 0; --skinned) {
    TbsSkinPageControl* pages = MakePages({10, 10, 270, 170}, tpTop, skinned == 1);
    pages->SetEnabled(false);
    Shoot(sheet, pages, -1, x, 450, std::string(skinned ? "skinned" : "default") + ", control disabled");
    delete pages;
    x += 272;
  }
  TbsSkinPageControl* focused = MakePages({10, 10, 270, 170}, tpTop, true);
  focused->Pages(1)->SetEnabled(false);
  focused->SetFocus();
  Shoot(sheet, focused, 2, x, 450, "focused, third hot, second page off");
  delete focused;
  x += 272;
  TbsSkinPageControl* crowded =
      MakePages({10, 10, 270, 170}, tpTop, true, {"人物参数", "职业参数", "武器道具", "数据", "其他", "更多"});
  crowded->SetActivePageIndex(1);
  Shoot(sheet, crowded, 2, x, 450, "overflow: the tab scroller");
  delete crowded;
  x = 10;
  const std::vector<std::string> many{"人物参数", "职业参数", "武器道具", "数据", "其他", "更多"};
  for (const auto& [position, skinned, label] :
       std::vector<std::tuple<TTabPosition, bool, std::string>>{{tpTop, false, "default, overflow"},
                                                                {tpBottom, true, "skinned, bottom overflow"},
                                                                {tpBottom, false, "default, bottom overflow"}}) {
    TbsSkinPageControl* pages = MakePages({10, 10, 270, 170}, position, skinned, many);
    Shoot(sheet, pages, 1, x, 670, label);
    delete pages;
    x += 272;
  }
  TbsSkinPageControl* tall = MakePages({10, 10, 270, 170}, tpTop, true);
  tall->SetTabHeight(30);
  Shoot(sheet, tall, 1, x, 670, "skinned, TabHeight 30");
  delete tall;
  sheet.ExpectDrawnAndDistinct();
  sheet.Save("tabs-sides");
}

TEST_F(SkinTabsSheetTest, TheMainWindowsPages) {
  LoadProgramSkin();
  Form->SetBounds(0, 0, 600, 460);
  ShowForm();
  auto* pages = new TbsSkinPageControl(Form.get());
  pages->SetBounds(8, 24, 537, 401);
  pages->SetTabHeight(20);
  pages->SetParent(Form.get());
  std::vector<TbsSkinTabSheet*> sheets;
  for (const std::string& caption : kCaptions) {
    auto* sheet = new TbsSkinTabSheet(Form.get());
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages);
    sheets.push_back(sheet);
  }
  sheets[3]->SetTabVisible(false);
  pages->SetSkinData(Skin);
  // Page 1: the characters (the portrait list's place stays empty here).
  auto* frame = new TbsSkinGroupBox(Form.get());
  frame->SetBounds(168, 8, 361, 129);
  frame->SetParent(sheets[0]);
  frame->SetSkinData(Skin);
  StatGroup(sheets[0], {8, 144, 529, 233}, "角色基础能力", {16, 136, 264, 392});
  StatGroup(sheets[0], {6, 240, 527, 329}, "角色成长率", {16, 136, 264, 392});
  Button(sheets[0], {8, 344, 41, 369}, "+");
  Button(sheets[0], {48, 344, 81, 369}, "-");
  Button(sheets[0], {448, 344, 528, 369}, "确定");
  // Page 2: the classes.
  StatGroup(sheets[1], {16, 40, 513, 129}, "职业基础值", {16, 128, 240, 352});
  StatGroup(sheets[1], {16, 136, 513, 225}, "职业成长率", {16, 128, 240, 352});
  StatGroup(sheets[1], {16, 232, 513, 321}, "能力上限", {16, 128, 240, 352});
  Button(sheets[1], {16, 328, 49, 353}, "+");
  Button(sheets[1], {56, 328, 89, 353}, "-");
  Button(sheets[1], {432, 336, 512, 361}, "确定");

  TSheet sheet(1110, 440);
  Screen.RunUntilIdle();
  Screen.MouseMove(At(Form.get(), 590, 450));
  Screen.RunUntilIdle();
  sheet.Put(Screen, pages, 10, 10, "page 1, enabled");
  Screen.Click(At(pages, (pages->TabRect(1).Left + pages->TabRect(1).Right) / 2, 10));
  Screen.MouseMove(At(pages, (pages->TabRect(2).Left + pages->TabRect(2).Right) / 2, 10));
  Screen.RunUntilIdle();
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  sheet.Put(Screen, pages, 560, 10, "page 2 after a click, page 3 hot");
  sheet.Save("tabs-main-window");
}

}  // namespace
}  // namespace kora::test

// The plain skinned edit (typing, its keys and looks) and the skinned list
// view (its record's colours, its headers, the outside scroll bars).

#include "SkinControlTestSupport.h"
#include "skin/controls/bsSkinBoxCtrls.h"

namespace kora::test {
namespace {

class SkinEditListViewTest : public SkinControlTest {
protected:
  TbsSkinEdit* Edit(int x, int y) {
    auto* edit = new TbsSkinEdit(Form.get());
    edit->SetBounds(x, y, 150, 21);
    edit->SetParent(Form.get());
    return edit;
  }
  void Run() { Screen.RunUntilIdle(); }
  // Every pixel of the control as the screen shows it.
  std::vector<COLORREF> Snapshot(const TControl* control) const {
    const ScreenImage image = Screen.Capture();
    const POINT origin = control->ClientToScreen({0, 0});
    std::vector<COLORREF> pixels;
    for (int y = 0; y < control->Height(); ++y)
      for (int x = 0; x < control->Width(); ++x) pixels.push_back(image.ColorAt(origin.X + x, origin.Y + y));
    return pixels;
  }
};

TEST_F(SkinEditListViewTest, TheEditTypesIntoItsInnerFieldAndReportsItsKeys) {
  ShowForm();
  TbsSkinEdit* edit = Edit(10, 10);
  TbsSkinEdit* other = Edit(10, 50);
  std::vector<std::string> changes;
  std::vector<WORD> keys;
  edit->OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, edit);
    changes.push_back(edit->Text());
  };
  edit->OnKeyDown = [&](TObject* sender, WORD& key, TShiftState) {
    EXPECT_EQ(sender, edit);
    keys.push_back(key);
  };
  // A click anywhere on it puts the caret in the text.
  Screen.Click(At(edit, 1, 1));
  Run();
  EXPECT_TRUE(edit->Edit()->Focused());
  EXPECT_TRUE(edit->Active());
  Screen.Type("ab");
  Screen.PressKey(VK_RETURN);
  Run();
  EXPECT_EQ(edit->Text(), "ab");
  EXPECT_EQ(changes, (std::vector<std::string>{"a", "ab"}));
  EXPECT_NE(std::find(keys.begin(), keys.end(), WORD(VK_RETURN)), keys.end());
  edit->SetText("x.nds");
  EXPECT_EQ(edit->Edit()->Text(), "x.nds");
  EXPECT_EQ(changes.back(), "x.nds");
  // Focused, the default look frames it in navy; away, in the shadow colour.
  EXPECT_EQ(PixelAt(edit, 0, 10), RGB(0, 0, 128));
  other->SetFocus();
  Screen.MouseMove({900, 700});
  Run();
  EXPECT_EQ(PixelAt(edit, 0, 10), ColorToColorRef(clBtnShadow));
  EXPECT_EQ(PixelAt(edit, 140, 10), ColorToColorRef(clWindow));
  edit->SetEnabled(false);
  Run();
  EXPECT_FALSE(edit->Edit()->Enabled());
  EXPECT_EQ(PixelAt(edit, 140, 10), ColorToColorRef(clBtnFace));
}

TEST_F(SkinEditListViewTest, TheEditBoundToItsRecordShowsTheActiveLookWhileFocused) {
  LoadProgramSkin();
  ShowForm();
  TbsSkinEdit* edit = Edit(10, 10);
  TbsSkinEdit* other = Edit(10, 50);
  edit->SetSkinData(Skin);
  other->SetSkinData(Skin);
  Screen.MouseMove({900, 700});
  Run();
  EXPECT_NE(edit->RecordIndex(), -1);
  EXPECT_TRUE(edit->Edit()->EditTransparent());
  // The text sits inside the record's client rectangle.
  EXPECT_GE(edit->Edit()->Left(), 3);
  EXPECT_LE(edit->Edit()->Left() + edit->Edit()->Width(), 150 - 3);
  const std::vector<COLORREF> rest = Snapshot(edit);
  edit->SetFocus();
  Run();
  EXPECT_NE(Snapshot(edit), rest);
  other->SetFocus();
  Run();
  EXPECT_EQ(Snapshot(edit), rest);
  EXPECT_EQ(edit->Edit()->Font()->Color(), TColor(4599070));
}

TEST_F(SkinEditListViewTest, TheListViewTakesItsRecordsColoursAndHeaders) {
  auto* list = new TbsSkinListView(Form.get());
  list->SetBounds(10, 10, 300, 200);
  list->SetParent(Form.get());
  list->SetViewStyle(vsReport);
  list->Columns() = {{"名称", 150}, {"大小", 60, taRightJustify}};
  for (int i = 0; i < 5; ++i) list->AddItem({"rom" + std::to_string(i), {std::to_string(i)}, -1});
  ShowForm();
  EXPECT_EQ(list->Color(), clWindow);
  EXPECT_EQ(list->HeaderRecordIndex(), -1);
  // The window has no edge of its own: its container frames it.
  EXPECT_FALSE(GetWindowLong(list->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  const COLORREF plainHeader = PixelAt(list, 40, 2);

  LoadProgramSkin();
  list->SetSkinData(Skin);
  Run();
  EXPECT_NE(list->RecordIndex(), -1);
  EXPECT_NE(list->HeaderRecordIndex(), -1);
  EXPECT_EQ(list->Color(), TColor(16777215));
  EXPECT_EQ(list->TextColor(), TColor(4599070));
  EXPECT_EQ(list->SelectionColor(), Skin->SkinColors().Highlight);
  EXPECT_NE(PixelAt(list, 40, 2), plainHeader);
  // An empty list can say why it is empty.
  list->ClearItems();
  list->SetEmptyText("无法读取此文件夹。");
  Run();
  bool ink = false;
  for (int x = 100; x < 200 && !ink; ++x)
    for (int y = 30; y < 60 && !ink; ++y) ink = PixelAt(list, x, y) != ColorToColorRef(list->Color());
  EXPECT_TRUE(ink);
  // A removed skin: the default look again.
  Skin->ClearSkin();
  RelaySkinNotice(Form.get(), SKINMSG_SKIN_CHANGED, Skin);
  EXPECT_EQ(list->RecordIndex(), -1);
  EXPECT_EQ(list->Color(), clWindow);
}

TEST_F(SkinEditListViewTest, TheListViewsOutsideBarsAreEnabledOnlyWhenNeededAndScrollIt) {
  ShowForm();
  auto* vbar = new TbsSkinScrollBar(Form.get());
  vbar->SetKind(sbVertical);
  vbar->SetBounds(310, 10, 19, 200);
  vbar->SetParent(Form.get());
  auto* hbar = new TbsSkinScrollBar(Form.get());
  hbar->SetBounds(10, 210, 300, 19);
  hbar->SetParent(Form.get());
  auto* list = new TbsSkinListView(Form.get());
  list->SetBounds(10, 10, 300, 200);
  list->SetParent(Form.get());
  list->SetVScrollBar(vbar);
  list->SetHScrollBar(hbar);
  list->SetViewStyle(vsReport);
  list->Columns() = {{"名称", 200}};
  Run();
  EXPECT_FALSE(vbar->Enabled());
  EXPECT_FALSE(hbar->Enabled());
  // The window's own bars stay away.
  EXPECT_FALSE(GetWindowLong(list->Handle(), GWL_STYLE) & WS_VSCROLL);

  for (int i = 0; i < 60; ++i) list->AddItem({"rom" + std::to_string(i), {}, -1});
  Run();
  EXPECT_TRUE(vbar->Enabled());
  EXPECT_EQ(vbar->Max(), 59);
  EXPECT_EQ(vbar->PageSize(), list->VisibleLines());
  vbar->SetPosition(10);
  EXPECT_EQ(list->TopIndex(), 10);
  list->SetTopIndex(20);
  EXPECT_EQ(vbar->Position(), 20);
  // Columns wider than the view scroll across on the other bar.
  list->Columns() = {{"名称", 500}};
  list->ColumnsChanged();
  EXPECT_TRUE(hbar->Enabled());
  hbar->SetPosition(40);
  EXPECT_EQ(list->ScrollX(), 40);

  // The list style runs its lines across: the horizontal bar has them, the wheel too.
  for (int i = 60; i < 400; ++i) list->AddItem({"rom" + std::to_string(i), {}, -1});
  list->SetViewStyle(vsList);
  Run();
  EXPECT_TRUE(hbar->Enabled());
  EXPECT_FALSE(vbar->Enabled());
  hbar->SetPosition(2);
  EXPECT_EQ(list->TopIndex(), 2);
  list->SetFocus();
  Screen.Wheel(Middle(list), -WHEEL_DELTA);
  Run();
  EXPECT_EQ(list->TopIndex(), 3);
  // A bar that goes away is forgotten.
  delete hbar;
  EXPECT_FALSE(list->HScrollBar());
  list->SetTopIndex(0);
}

}  // namespace
}  // namespace kora::test

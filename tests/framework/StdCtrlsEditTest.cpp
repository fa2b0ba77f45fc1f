// The single-line edit driven like a person: typing, selecting with the
// mouse and with Shift+arrows, the clipboard, undo, the length limit,
// read-only mode and moving between edits with Tab.

#include "framework/ControlTestSupport.h"
#include "framework/controls/StdCtrls.h"

namespace kora::test {
namespace {

class EditTest : public ControlTest {
protected:
  void SetUp() override {
    ControlTest::SetUp();
    Edit = NewEdit(10, 10);
    Edit->OnChange = [this](TObject*) { ++Changes; };
    Edit->SetFocus();
    Screen.RunUntilIdle();
  }
  TEdit* NewEdit(int x, int y) {
    auto* edit = new TEdit(Form);
    edit->SetBounds(x, y, 200, 22);
    edit->SetParent(Form);
    return edit;
  }
  // The x of the boundary before character `pos`, in the edit's coordinates.
  int XBefore(int pos) {
    Edit->Canvas()->SetFont(Edit->Font());
    return 3 + Edit->Canvas()->TextExtent(Edit->Text().substr(0, size_t(pos))).cx;
  }

  TEdit* Edit = nullptr;
  int Changes = 0;
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndKeysMoveAndDelete) {
  Type("hello");
  EXPECT_EQ(Edit->Text(), "hello");
  EXPECT_EQ(Changes, 5);
  EXPECT_TRUE(Edit->Modified());
  Press(VK_HOME);
  Type(">");
  Press(VK_END);
  Press(VK_LEFT);
  Press(VK_BACK);
  EXPECT_EQ(Edit->Text(), ">helo");
  Press(VK_DELETE);
  EXPECT_EQ(Edit->Text(), ">hel");
  Type("中文");  // characters, not bytes
  EXPECT_EQ(Edit->CaretPos(), 6);
  Press(VK_LEFT);
  Press(VK_BACK);
  EXPECT_EQ(Edit->Text(), ">hel文");
}

TEST_F(EditTest, ShiftArrowsAndMouseDragSelect) {
  Type("abcdef");
  PressWith(VK_SHIFT, VK_LEFT);
  PressWith(VK_SHIFT, VK_LEFT);
  EXPECT_EQ(Edit->SelText(), "ef");
  PressWith(VK_SHIFT, VK_HOME);
  EXPECT_EQ(Edit->SelText(), "abcdef");
  Type("X");  // typing replaces the selection
  EXPECT_EQ(Edit->Text(), "X");

  Edit->SetText("abcdef");
  Screen.MouseDown(At(Edit, XBefore(1), 10));
  Screen.MouseMove(At(Edit, XBefore(3), 10));
  Screen.MouseMove(At(Edit, XBefore(4), 10));
  Screen.MouseUp(At(Edit, XBefore(4), 10));
  Screen.RunUntilIdle();
  EXPECT_EQ(Edit->SelStart(), 1);
  EXPECT_EQ(Edit->SelText(), "bcd");
  // Dragging back past the anchor selects the other way.
  Screen.MouseDown(At(Edit, XBefore(4), 10));
  Screen.MouseMove(At(Edit, 0, 10));
  Screen.MouseUp(At(Edit, 0, 10));
  Screen.RunUntilIdle();
  EXPECT_EQ(Edit->SelText(), "abcd");
  EXPECT_EQ(Edit->CaretPos(), 0);
}

TEST_F(EditTest, ClipboardCutCopyPasteAndSingleLevelUndo) {
  Type("one two");
  PressWith(VK_SHIFT, VK_LEFT);
  PressWith(VK_SHIFT, VK_LEFT);
  PressWith(VK_SHIFT, VK_LEFT);
  PressWith(VK_CONTROL, 'C');
  EXPECT_EQ(Screen.GetClipboardText(), "two");
  PressWith(VK_CONTROL, 'X');
  EXPECT_EQ(Edit->Text(), "one ");
  Press(VK_HOME);
  PressWith(VK_CONTROL, 'V');
  EXPECT_EQ(Edit->Text(), "twoone ");

  PressWith(VK_CONTROL, 'Z');
  EXPECT_EQ(Edit->Text(), "one ");
  PressWith(VK_CONTROL, 'Z');  // undoing the undo brings the paste back
  EXPECT_EQ(Edit->Text(), "twoone ");

  // Only the first line of a pasted text is taken.
  Screen.SetClipboardText("line1\r\nline2");
  Edit->SelectAll();
  PressWith(VK_CONTROL, 'V');
  EXPECT_EQ(Edit->Text(), "line1");

  // Text set by the program cannot be undone.
  Edit->SetText("fresh");
  EXPECT_FALSE(Edit->CanUndo());
  PressWith(VK_CONTROL, 'Z');
  EXPECT_EQ(Edit->Text(), "fresh");
}

TEST_F(EditTest, MaxLengthStopsTypingAndCutsPastes) {
  Edit->SetMaxLength(4);
  Type("123456");
  EXPECT_EQ(Edit->Text(), "1234");
  EXPECT_EQ(Screen.Beeps(), 2);
  Press(VK_HOME);
  PressWith(VK_SHIFT, VK_RIGHT);
  Screen.SetClipboardText("abc");
  PressWith(VK_CONTROL, 'V');  // one character selected: room for one
  EXPECT_EQ(Edit->Text(), "a234");
  Edit->SetText("longer than four");  // the program is not limited
  EXPECT_EQ(Edit->Text(), "longer than four");
}

TEST_F(EditTest, ReadOnlyKeepsTheTextButAllowsSelectingAndCopying) {
  Edit->SetText("fixed");
  Edit->SetReadOnly(true);
  Changes = 0;
  Type("x");
  Press(VK_BACK);
  Press(VK_DELETE);
  PressWith(VK_CONTROL, 'X');
  PressWith(VK_CONTROL, 'V');
  EXPECT_EQ(Edit->Text(), "fixed");
  EXPECT_EQ(Changes, 0);
  PressWith(VK_CONTROL, 'A');
  PressWith(VK_CONTROL, 'C');
  EXPECT_EQ(Screen.GetClipboardText(), "fixed");
}

TEST_F(EditTest, TabMovesBetweenEditsAndFocusSelectsAll) {
  TEdit* second = NewEdit(10, 40);
  TEdit* third = NewEdit(10, 70);
  second->SetText("second");
  third->SetTabOrder(1);  // before second
  Press(VK_TAB);
  EXPECT_TRUE(third->Focused());
  Press(VK_TAB);
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(second->SelText(), "second");
  PressWith(VK_SHIFT, VK_TAB);
  EXPECT_TRUE(third->Focused());
  // A click places the caret instead of selecting everything.
  Click(second, XBefore(0) + 1, 10);
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(second->SelLength(), 0);
}

// An edit laid out and coloured by its owner, as a skinned spin edit's inner one.
class TInnerEdit : public TEdit {
public:
  using TEdit::TEdit;
  using TEdit::TextRect;

protected:
  TColor TextColor() const override { return clRed; }
  void PaintBackground(TCanvas* canvas, const RECT& client) override {
    canvas->Brush()->SetColor(clYellow);
    canvas->FillRect(client);
  }
};

TEST_F(EditTest, AnInnerEditTakesItsTextRectangleAndColoursFromItsOwner) {
  auto* inner = new TInnerEdit(Form);
  inner->SetParent(Form);
  inner->SetBorderStyle(bsNone);
  inner->Font()->SetHeight(-12);
  inner->SetBounds(10, 60, 60, 12);
  EXPECT_EQ(inner->TextRect(), (RECT{1, 1, 59, 11}));  // the default margin of one pixel
  inner->SetTextMargins({0, 0, 0, 0});
  EXPECT_EQ(inner->TextRect(), (RECT{0, 0, 60, 12}));  // all twelve rows for a 12-pixel font
  inner->SetText("Wg");
  Screen.RunUntilIdle();
  int red = 0, lowest = -1;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 30; ++x)
      if (const COLORREF c = PixelAt(inner, x, y); GetRValue(c) > 200 && GetGValue(c) < 128) {
        ++red;
        lowest = y;
      }
  EXPECT_GT(red, 10);
  EXPECT_GE(lowest, 9);  // the descender of "g" is drawn, not clipped
  EXPECT_EQ(PixelAt(inner, 55, 6), RGB(255, 255, 0));
}

}  // namespace
}  // namespace kora::test

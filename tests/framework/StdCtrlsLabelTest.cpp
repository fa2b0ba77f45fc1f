// The label: sizing to its text, alignment, wrapping, the accelerator and
// transparency.

#include "framework/ControlTestSupport.h"
#include "framework/controls/StdCtrls.h"

namespace kora::test {
namespace {

class LabelTest : public ControlTest {
protected:
  TLabel* NewLabel(const std::string& caption) {
    auto* label = new TLabel(Form);
    label->SetBounds(20, 20, 10, 10);
    label->SetParent(Form);
    label->SetCaption(caption);
    return label;
  }
};

TEST_F(LabelTest, AutoSizeFollowsTextAndKeepsTheAlignedEdge) {
  TLabel* label = NewLabel("Short");
  const int shortWidth = label->Width();
  EXPECT_GT(shortWidth, 10);
  EXPECT_GT(label->Height(), 5);
  label->SetCaption("A much longer caption");
  EXPECT_GT(label->Width(), shortWidth);
  EXPECT_EQ(label->Left(), 20);

  label->SetAlignment(taRightJustify);
  const int right = label->Left() + label->Width();
  label->SetCaption("Short");
  EXPECT_EQ(label->Left() + label->Width(), right);

  // The ampersand marks the accelerator and takes no room; "&&" shows one.
  label->SetAlignment(taLeftJustify);
  label->SetCaption("&Short");
  EXPECT_EQ(label->Width(), shortWidth);
  label->SetShowAccelChar(false);
  EXPECT_GT(label->Width(), shortWidth);
}

TEST_F(LabelTest, WordWrapBreaksWithinTheWidthAndGrowsDown) {
  TLabel* label = NewLabel("one");
  const int lineHeight = label->Height();
  label->SetWordWrap(true);
  label->SetWidth(40);
  label->SetCaption("several words that cannot fit on one line");
  EXPECT_LE(label->Width(), 40);
  EXPECT_GE(label->Height(), 3 * lineHeight);
  // Unwrapped, the same caption is one long line.
  label->SetWordWrap(false);
  EXPECT_GT(label->Width(), 100);
  EXPECT_EQ(label->Height(), lineHeight);
}

TEST_F(LabelTest, AltAcceleratorFocusesTheFocusControl) {
  auto* edit = new TEdit(Form);
  edit->SetBounds(100, 60, 100, 22);
  edit->SetParent(Form);
  auto* other = new TEdit(Form);
  other->SetBounds(100, 100, 100, 22);
  other->SetParent(Form);
  TLabel* label = NewLabel("&Name");
  label->SetFocusControl(edit);
  other->SetFocus();
  Screen.RunUntilIdle();
  PressWith(VK_MENU, 'N');
  EXPECT_TRUE(edit->Focused());

  // The control going away leaves the label without one.
  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST_F(LabelTest, OpaqueLabelPaintsItsColourTransparentOneShowsTheParent) {
  Form->SetColor(clBlue);
  TLabel* label = NewLabel("   ");
  label->SetColor(clYellow);
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(label, 1, 1), RGB(255, 255, 0));
  label->SetTransparent(true);
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(label, 1, 1), RGB(0, 0, 255));
}

}  // namespace
}  // namespace kora::test

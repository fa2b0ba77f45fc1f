#include <memory>

#include "FormTestSupport.h"

namespace kora::test {
namespace {

// A focusable box filled with its colour.
class TShowBox : public TCustomControl {
public:
  explicit TShowBox(TWinControl* parent, int left, TColor color = clSilver) : TCustomControl(parent) {
    SetParent(parent);
    SetTabStop(true);
    SetBounds(left, 10, 40, 20);
    SetColor(color);
  }

protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
};

class FormShowTest : public FormFixture {
protected:
  void SetUp() override {
    FormFixture::SetUp();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(100, 100, 240, 120);
    Form->SetColor(clMaroon);
    First = new TShowBox(Form.get(), 10, clLime);
    Second = new TShowBox(Form.get(), 60);
    Third = new TShowBox(Form.get(), 110);
  }
  TShowBox* First = nullptr;
  TShowBox* Second = nullptr;
  TShowBox* Third = nullptr;
};

TEST_F(FormShowTest, ShowMakesTheWindowsAndPutsTheFormOnScreen) {
  EXPECT_FALSE(Form->HandleAllocated());
  Form->Show();
  EXPECT_TRUE(Form->HandleAllocated());
  EXPECT_TRUE(First->HandleAllocated());
  EXPECT_TRUE(Form->Showing());
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  Screen.RunUntilIdle();
  const ScreenImage image = Screen.Capture();
  const POINT background = Form->ClientToScreen({200, 80});
  const POINT box = First->ClientToScreen({5, 5});
  EXPECT_EQ(image.ColorAt(background.X, background.Y), ColorToColorRef(clMaroon));
  EXPECT_EQ(image.ColorAt(box.X, box.Y), ColorToColorRef(clLime));

  Form->Hide();
  Screen.RunUntilIdle();
  EXPECT_NE(Screen.Capture().ColorAt(background.X, background.Y), ColorToColorRef(clMaroon));
}

TEST_F(FormShowTest, FocusGoesToTheActiveControlOrTheFirstTabStop) {
  // Shown normally: the active control takes the focus, not the form.
  Form->SetActiveControl(Second);
  Form->Show();
  EXPECT_EQ(GetFocus(), Second->Handle());
  Form->Hide();

  // Modal without an active control: the first in tab order.
  TForm dialog(nullptr);
  auto* a = new TShowBox(&dialog, 10);
  auto* b = new TShowBox(&dialog, 60);
  b->SetTabOrder(0);
  HWND focused{};
  Screen.WhenIdle([&] {
    focused = GetFocus();
    dialog.SetModalResult(mrOk);
    PostMessage(dialog.Handle(), WM_NULL, 0, 0);  // wakes the modal loop
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_EQ(focused, b->Handle());
  EXPECT_EQ(dialog.ActiveControl(), b);

  // Modal again with an active control set by hand.
  dialog.SetActiveControl(a);
  Screen.WhenIdle([&] {
    focused = GetFocus();
    dialog.SetModalResult(mrOk);
    PostMessage(dialog.Handle(), WM_NULL, 0, 0);  // wakes the modal loop
  });
  dialog.ShowModal();
  EXPECT_EQ(focused, a->Handle());
}

}  // namespace
}  // namespace kora::test

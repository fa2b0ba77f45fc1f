#include <memory>
#include <string>

#include "AppTestSupport.h"
#include "framework/core/ClassBuilder.h"
#include "framework/forms/Forms.h"

namespace kora::test {

// A hint window of another class, as the skin engine installs one.
class TOtherHintWindow : public THintWindow {
  KORA_CLASS(TOtherHintWindow, THintWindow)
  using THintWindow::THintWindow;
};

TClass TOtherHintWindow::StaticClass() {
  static const TClassInfo info(TClassBuilder<TOtherHintWindow>("TOtherHintWindow"));
  return &info;
}

namespace {

class TPanelControl : public TCustomControl {
public:
  explicit TPanelControl(TComponent* owner) : TCustomControl(owner) {}
  bool RefuseHint = false;

protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == CM_HINTSHOW && RefuseHint) {
      message.Result = 1;
      return;
    }
    TCustomControl::WndProc(message);
  }
  void Paint() override {
    Canvas()->Brush()->SetColor(clSilver);
    Canvas()->FillRect(ClientRect());
  }
};

class TMarkControl : public TGraphicControl {
public:
  explicit TMarkControl(TComponent* owner) : TGraphicControl(owner) {}
};

class HintTest : public HeadlessTest {
protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    App = std::make_unique<TApplication>(nullptr);
    Form = new TForm(nullptr);
    Form->SetBounds(100, 100, 400, 300);
    Form->SetShowHint(true);
    Panel = new TPanelControl(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(10, 10, 150, 60);
    Panel->SetHint("Open|Opens a ROM image");
    Mark = new TMarkControl(Form);
    Mark->SetParent(Form);
    Mark->SetBounds(200, 10, 80, 30);
    Mark->SetHint("Save");
    Plain = new TPanelControl(Form);
    Plain->SetParent(Form);
    Plain->SetBounds(10, 150, 150, 60);
    Plain->SetShowHint(false);
    Plain->SetHint("never shown");
    Form->HandleNeeded();
    Form->Show();
    Screen.RunUntilIdle();
  }
  void TearDown() override {
    delete Form;
    App.reset();
    HeadlessTest::TearDown();
  }

  POINT At(const TControl* control, int x, int y) { return control->ClientToScreen({x, y}); }
  void Move(POINT p) {
    Screen.MouseMove(p);
    Screen.RunUntilIdle();
  }
  bool HintShown() { return App->HintWindow() && App->HintWindow()->IsHintShown(); }
  std::string HintText() { return App->HintWindow()->Caption(); }

  std::unique_ptr<TApplication> App;
  TForm* Form = nullptr;
  TPanelControl* Panel = nullptr;
  TMarkControl* Mark = nullptr;
  TPanelControl* Plain = nullptr;
};

TEST(HintTextTest, ShortAndLongParts) {
  EXPECT_EQ(GetShortHint("Open|Opens a ROM image"), "Open");
  EXPECT_EQ(GetLongHint("Open|Opens a ROM image"), "Opens a ROM image");
  EXPECT_EQ(GetShortHint("Save"), "Save");
  EXPECT_EQ(GetLongHint("Save"), "Save");
  EXPECT_EQ(GetShortHint("|only long"), "");
}

TEST_F(HintTest, ShowsAfterThePauseBelowTheCursorAndHidesAfterTheHidePause) {
  const POINT p = At(Panel, 30, 20);
  Move(p);
  EXPECT_EQ(App->Hint(), "Opens a ROM image");
  Screen.Wait(App->HintPause() - 50);
  EXPECT_FALSE(HintShown());
  Screen.Wait(100);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(HintText(), "Open");
  const RECT r = App->HintWindow()->BoundsRect();
  EXPECT_EQ(r.Left, p.X);
  EXPECT_GT(r.Top, p.Y + 10);  // below the arrow, not under it
  EXPECT_LT(r.Top, p.Y + 33);
  EXPECT_EQ(Screen.Capture().ColorAt(r.Left + 1, r.Bottom - 2), GetSysColor(COLOR_INFOBK));
  EXPECT_EQ(Screen.Capture().ColorAt(r.Left, r.Top), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_NE(GetActiveWindow(), App->HintWindow()->Handle());
  Screen.SaveArtifact("hint_plain");

  // Moving inside the control keeps the hint.
  Move(At(Panel, 40, 25));
  EXPECT_TRUE(HintShown());
  Screen.Wait(App->HintHidePause() + 50);
  EXPECT_FALSE(HintShown());
}

TEST_F(HintTest, MouseDownKeyDownAndLeavingHideIt) {
  const auto show = [&] {
    Move(At(Panel, 30, 20));
    Screen.Wait(App->HintPause() + 50);
    ASSERT_TRUE(HintShown());
  };
  show();
  Screen.MouseDown(At(Panel, 30, 20));
  Screen.MouseUp(At(Panel, 30, 20));
  Screen.RunUntilIdle();
  EXPECT_FALSE(HintShown());

  Move(At(Panel, 60, 30));
  show();
  Screen.PressKey(VK_DOWN);
  Screen.RunUntilIdle();
  EXPECT_FALSE(HintShown());

  Move(At(Panel, 70, 30));
  show();
  Move(At(Plain, 20, 20));  // no hint there
  EXPECT_FALSE(HintShown());
  Screen.Wait(App->HintPause() + 50);
  EXPECT_FALSE(HintShown());
  EXPECT_EQ(App->Hint(), "never shown");

  show();
  Move({700, 600});  // off the form
  Screen.RunUntilIdle();
  EXPECT_FALSE(HintShown());

  show();
  SendMessage(Form->Handle(), WM_ACTIVATEAPP, 0, 0);
  EXPECT_FALSE(HintShown());
}

TEST_F(HintTest, NextControlWhileShownUsesTheShortPause) {
  Move(At(Panel, 30, 20));
  Screen.Wait(App->HintPause() + 50);
  ASSERT_TRUE(HintShown());
  App->SetHintShortPause(50);
  Move(At(Mark, 10, 10));  // a windowless control with its own hint
  Screen.Wait(60);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(HintText(), "Save");
  EXPECT_EQ(App->HintWindow()->Left(), At(Mark, 10, 10).X);
}

TEST_F(HintTest, ParentShowHintDecidesForControlsWithoutTheirOwn) {
  Form->SetShowHint(false);  // Panel and Mark follow the form
  Move(At(Panel, 30, 20));
  Screen.Wait(App->HintPause() + 50);
  EXPECT_FALSE(HintShown());
  Panel->SetShowHint(true);
  Move(At(Panel, 35, 20));
  Screen.Wait(App->HintPause() + 50);
  EXPECT_TRUE(HintShown());
}

TEST_F(HintTest, OnShowHintAndHintShowMessageChangeOrCancel) {
  TControl* seen = nullptr;
  App->OnShowHint = [&](std::string& text, bool&, THintInfo& info) {
    seen = info.HintControl;
    text = "Changed text";
    info.HintPos.X += 100;
  };
  const POINT p = At(Panel, 30, 20);
  Move(p);
  Screen.Wait(App->HintPause() + 50);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(seen, Panel);
  EXPECT_EQ(HintText(), "Changed text");
  EXPECT_EQ(App->HintWindow()->Left(), p.X + 100);
  App->CancelHint();
  EXPECT_FALSE(HintShown());

  App->OnShowHint = [&](std::string&, bool& canShow, THintInfo&) { canShow = false; };
  App->ActivateHint(p);
  EXPECT_FALSE(HintShown());

  App->OnShowHint = nullptr;
  Panel->RefuseHint = true;
  App->ActivateHint(p);
  EXPECT_FALSE(HintShown());
  Panel->RefuseHint = false;
  App->ActivateHint(p);
  EXPECT_TRUE(HintShown());
}

TEST_F(HintTest, ShowHintOffAndOnMakesTheWindowOfTheCurrentClass) {
  EXPECT_EQ(App->HintWindow()->ClassType(), THintWindow::StaticClass());
  EXPECT_THROW(App->SetHintWindowClass(TForm::StaticClass()), EInvalidOperation);
  App->SetHintWindowClass(TOtherHintWindow::StaticClass());
  App->SetShowHint(false);
  EXPECT_EQ(App->HintWindow(), nullptr);
  Move(At(Panel, 30, 20));
  Screen.Wait(App->HintPause() + 50);
  EXPECT_FALSE(HintShown());
  App->SetShowHint(true);
  ASSERT_NE(App->HintWindow(), nullptr);
  EXPECT_EQ(App->HintWindow()->ClassType(), TOtherHintWindow::StaticClass());
  Move(At(Panel, 31, 20));
  Screen.Wait(App->HintPause() + 50);
  EXPECT_TRUE(HintShown());
}

TEST_F(HintTest, FreeingTheControlWhileWaitingIsHarmless) {
  Move(At(Panel, 30, 20));
  delete Panel;
  Screen.Wait(App->HintPause() + 50);
  EXPECT_FALSE(HintShown());
}

TEST_F(HintTest, WindowStaysOnScreenAndGrowsWithTheText) {
  THintWindow* hint = App->HintWindow();
  const RECT one = hint->CalcHintRect(300, "Short", nullptr);
  const RECT two = hint->CalcHintRect(300, "Short\nand a second line", nullptr);
  EXPECT_GT(two.Bottom, one.Bottom);
  const RECT wrapped = hint->CalcHintRect(60, "several words that need wrapping", nullptr);
  EXPECT_LE(wrapped.Right, 60 + 6);
  EXPECT_GT(wrapped.Bottom, one.Bottom);

  RECT r = one;
  OffsetRect(&r, 1024 - 10, 768 - 5);
  hint->ActivateHint(r, "Short");
  EXPECT_EQ(hint->BoundsRect().Right, 1024);
  EXPECT_EQ(hint->BoundsRect().Bottom, 768);
  EXPECT_EQ(hint->Width(), one.Right);
  hint->ReleaseHandle();
  EXPECT_FALSE(hint->IsHintShown());
}

}  // namespace
}  // namespace kora::test

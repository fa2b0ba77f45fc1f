// The skinned button's behaviour on the headless screen: press, release and
// click order, auto-repeat timing, groups, the default and cancel buttons,
// keys and accelerators, the cross-fade and frame animation on the virtual
// clock, skin sizes, and the values its setters refuse or imply.

#include <string>
#include <vector>

#include "SkinButtonTestSkin.h"
#include "framework/controls/StdCtrls.h"
#include "platform/gdi/Region.h"
#include "skin/data/bsEffects.h"

namespace kora::test {
namespace {

class SkinButtonTest : public SkinControlTest {
protected:
  TbsSkinButton* Button(const std::string& name, RECT bounds, const std::string& caption = "OK") {
    auto* button = new TbsSkinButton(Form.get());
    button->SetName(name);
    button->SetCaption(caption);
    button->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
    button->SetParent(Form.get());
    button->OnClick = [this, button](TObject*) { Log.push_back(button->Name() + " click" + Stamp()); };
    button->OnMouseDown = [this, button](TObject*, TMouseButton, TShiftState, int, int) {
      Log.push_back(button->Name() + " down");
    };
    button->OnMouseUp = [this, button](TObject*, TMouseButton, TShiftState, int, int) {
      Log.push_back(button->Name() + " up");
    };
    return button;
  }
  // Times the clicks relative to Start when stamping is on.
  std::string Stamp() { return Stamping ? " @" + std::to_string(Screen.Time().NowMs() - Start) : std::string(); }
  void Skinned() {
    LoadMiniSkin(ButtonIni(), ButtonPictures());
    ShowForm();
  }
  void Press(TControl* control) {
    Screen.MouseMove(Middle(control));
    Screen.MouseDown(Middle(control));
    Screen.RunUntilIdle();
  }
  void Release(POINT p) {
    Screen.MouseUp(p);
    Screen.RunUntilIdle();
  }
  void Key(UINT vk) {
    Screen.PressKey(vk);
    Screen.RunUntilIdle();
  }

  std::vector<std::string> Log;
  bool Stamping = false;
  uint64_t Start = 0;
};

TEST_F(SkinButtonTest, PressAndReleaseOverTheButtonClickBeforeTheMouseUpEvent) {
  Skinned();
  TbsSkinButton* ok = Button("ok", {10, 10, 90, 35});
  ok->SetSkinData(Skin);
  Press(ok);
  EXPECT_TRUE(ok->Down());
  EXPECT_TRUE(ok->Focused());  // the press focuses it first
  Release(Middle(ok));
  EXPECT_EQ(Log, (std::vector<std::string>{"ok down", "ok click", "ok up"}));
  EXPECT_FALSE(ok->Down());

  // Released elsewhere: no click, and the button is up.
  Log.clear();
  Press(ok);
  Screen.MouseMove(At(Form.get(), 300, 300));
  Screen.RunUntilIdle();
  EXPECT_FALSE(ok->MouseIn());
  Release(At(Form.get(), 300, 300));
  EXPECT_EQ(Log, (std::vector<std::string>{"ok down", "ok up"}));
  EXPECT_FALSE(ok->Down());

  // Leaving and coming back before the release still clicks.
  Log.clear();
  Press(ok);
  Screen.MouseMove(At(Form.get(), 300, 300));
  Screen.RunUntilIdle();
  Screen.MouseMove(Middle(ok));
  Screen.RunUntilIdle();
  Release(Middle(ok));
  EXPECT_EQ(Log, (std::vector<std::string>{"ok down", "ok click", "ok up"}));

  // The right button only raises the framework's events.
  Log.clear();
  Screen.MouseDown(Middle(ok), MOUSE_RIGHT);
  Screen.MouseUp(Middle(ok), MOUSE_RIGHT);
  Screen.RunUntilIdle();
  EXPECT_EQ(Log, (std::vector<std::string>{"ok down", "ok up"}));
  EXPECT_FALSE(ok->Down());
}

TEST_F(SkinButtonTest, HeldInRepeatModeItClicksEveryIntervalAndOnceMoreOnRelease) {
  Skinned();
  TbsSkinButton* plus = Button("plus", {10, 10, 43, 35}, "+");
  plus->SetSkinData(Skin);
  plus->SetRepeatMode(true);
  plus->SetRepeatInterval(100);
  Stamping = true;
  Press(plus);
  Start = Screen.Time().NowMs();
  Screen.Wait(350);
  Release(Middle(plus));
  EXPECT_EQ(Log, (std::vector<std::string>{"plus down", "plus click @100", "plus click @200", "plus click @300",
                                           "plus click @350", "plus up"}));

  // Away from the button the repeat pauses; back over it, it starts again
  // a whole interval later.
  Log.clear();
  Press(plus);
  Start = Screen.Time().NowMs();
  Screen.Wait(150);
  Screen.MouseMove(At(Form.get(), 300, 300));
  Screen.Wait(300);
  Screen.MouseMove(Middle(plus));
  Screen.Wait(150);
  Release(Middle(plus));
  EXPECT_EQ(
      Log, (std::vector<std::string>{"plus down", "plus click @100", "plus click @550", "plus click @600", "plus up"}));

  // A button set down by code does not click under a passing pointer.
  Log.clear();
  Screen.MouseMove(At(Form.get(), 300, 300));
  Screen.RunUntilIdle();
  plus->SetDown(true);
  Screen.MouseMove(Middle(plus));
  Screen.Wait(300);
  EXPECT_TRUE(plus->MouseIn());
  EXPECT_TRUE(Log.empty());
}

TEST_F(SkinButtonTest, GroupMembersToggleOnThePress) {
  Skinned();
  TbsSkinButton* a = Button("a", {10, 10, 60, 35}, "A");
  TbsSkinButton* b = Button("b", {70, 10, 120, 35}, "B");
  for (TbsSkinButton* button : {a, b}) {
    button->SetSkinData(Skin);
    button->SetGroupIndex(1);
  }
  EXPECT_FALSE(a->CanFocused());  // a group member is no tab stop
  EXPECT_FALSE(a->TabStop());
  Press(a);
  EXPECT_EQ(Log, (std::vector<std::string>{"a down", "a click"}));  // at the press
  Release(Middle(a));
  EXPECT_TRUE(a->Down());
  EXPECT_FALSE(a->Focused());
  Press(b);
  Release(Middle(b));
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());  // one of the group is down
  // Without AllowAllUp a down member stays down.
  Log.clear();
  Press(b);
  Release(Middle(b));
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(Log, (std::vector<std::string>{"b down", "b up"}));

  // With AllowAllUp clicking a down member releases it at the release and
  // clicks again; pressing another leaves the first down.
  a->SetAllowAllUp(true);
  b->SetAllowAllUp(true);
  Log.clear();
  Press(b);
  EXPECT_TRUE(b->Down());
  Release(Middle(b));
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(Log, (std::vector<std::string>{"b down", "b click", "b up"}));
  Press(a);
  Release(Middle(a));
  Press(b);
  Release(Middle(b));
  EXPECT_TRUE(a->Down());
  EXPECT_TRUE(b->Down());

  // Other parents and other indices are other groups.
  TbsSkinButton* c = Button("c", {130, 10, 180, 35}, "C");
  c->SetGroupIndex(2);
  a->SetAllowAllUp(false);
  c->SetDown(true);
  a->SetDown(true);
  EXPECT_TRUE(c->Down());
  EXPECT_FALSE(b->Down());
}

TEST_F(SkinButtonTest, TheDefaultButtonStandsInForAnEditAndEscapeNeedsNoModifiers) {
  Skinned();
  auto* edit = new TEdit(Form.get());
  edit->SetBounds(10, 10, 100, 21);
  edit->SetParent(Form.get());
  TbsSkinButton* ok = Button("ok", {10, 40, 90, 65}, "OK");
  TbsSkinButton* cancel = Button("cancel", {100, 40, 180, 65}, "Cancel");
  TbsSkinButton* other = Button("other", {190, 40, 270, 65}, "Other");
  for (TbsSkinButton* button : {ok, cancel, other}) button->SetSkinData(Skin);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  edit->SetFocus();
  Screen.RunUntilIdle();
  // The default button shows its hot look while the edit has the focus.
  EXPECT_TRUE(ok->MouseIn());
  EXPECT_TRUE(ok->DefaultActive());
  EXPECT_FALSE(cancel->MouseIn());
  // ... and keeps it when the pointer passes over and leaves again.
  Screen.MouseMove(Middle(ok));
  Screen.RunUntilIdle();
  Screen.MouseMove(At(Form.get(), 400, 300));
  Screen.RunUntilIdle();
  EXPECT_TRUE(ok->MouseIn());

  Key(VK_RETURN);
  EXPECT_EQ(Log, (std::vector<std::string>{"ok click"}));
  EXPECT_EQ(Form->ModalResult(), mrOk);
  Key(VK_ESCAPE);
  EXPECT_EQ(Log, (std::vector<std::string>{"ok click", "cancel click"}));
  EXPECT_EQ(Form->ModalResult(), mrCancel);
  for (UINT modifier : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
    Screen.KeyDown(modifier);
    Key(VK_ESCAPE);
    Screen.KeyUp(modifier);
    Screen.RunUntilIdle();
  }
  EXPECT_EQ(Log.size(), 2u);

  // Another button with the focus takes Enter, and the default button
  // drops its hot look.
  Log.clear();
  other->SetFocus();
  Screen.RunUntilIdle();
  EXPECT_FALSE(ok->MouseIn());
  EXPECT_FALSE(ok->DefaultActive());
  EXPECT_TRUE(other->DefaultActive());
  Key(VK_RETURN);
  EXPECT_EQ(Log, (std::vector<std::string>{"other click"}));

  // Default switched off: Enter in the edit clicks nothing.
  Log.clear();
  ok->SetDefault(false);
  edit->SetFocus();
  Screen.RunUntilIdle();
  Key(VK_RETURN);
  EXPECT_TRUE(Log.empty());
}

TEST_F(SkinButtonTest, SpaceClicksOnReleaseAndAcceleratorsFocusAndClick) {
  Skinned();
  TbsSkinButton* ok = Button("ok", {10, 10, 90, 35}, "确定(&O)");
  TbsSkinButton* plus = Button("plus", {100, 10, 133, 35}, "+");
  TbsSkinButton* grouped = Button("grouped", {140, 10, 190, 35}, "&G");
  for (TbsSkinButton* button : {ok, plus, grouped}) button->SetSkinData(Skin);
  grouped->SetGroupIndex(3);
  ok->SetFocus();
  Screen.RunUntilIdle();
  Screen.KeyDown(VK_SPACE);
  Screen.RunUntilIdle();
  EXPECT_TRUE(ok->Down());
  EXPECT_TRUE(Log.empty());
  Screen.KeyUp(VK_SPACE);
  Screen.RunUntilIdle();
  EXPECT_FALSE(ok->Down());
  EXPECT_EQ(Log, (std::vector<std::string>{"ok click"}));

  // In repeat mode every key-down clicks, the release once more.
  Log.clear();
  plus->SetRepeatMode(true);
  plus->SetFocus();
  Screen.RunUntilIdle();
  Screen.KeyDown(VK_SPACE);
  Screen.KeyDown(VK_SPACE);
  Screen.KeyDown(VK_SPACE);
  Screen.KeyUp(VK_SPACE);
  Screen.RunUntilIdle();
  EXPECT_EQ(Log, (std::vector<std::string>{"plus click", "plus click", "plus click", "plus click"}));

  // The caption's letter, plain or with Alt, focuses and clicks.
  Log.clear();
  Screen.Type("o");
  Screen.RunUntilIdle();
  EXPECT_EQ(Log, (std::vector<std::string>{"ok click"}));
  EXPECT_TRUE(ok->Focused());
  // A button that takes no focus takes no keys either.
  Log.clear();
  Screen.Type("g");
  Screen.RunUntilIdle();
  EXPECT_TRUE(Log.empty());
  // Losing the focus while Space holds it down lets it up without a click.
  Screen.KeyDown(VK_SPACE);
  Screen.RunUntilIdle();
  plus->SetFocus();
  Screen.RunUntilIdle();
  EXPECT_FALSE(ok->Down());
}

TEST_F(SkinButtonTest, TheHotLookFadesInAndOutInFiveStepsOfTwentyMilliseconds) {
  Skinned();
  TbsSkinButton* ok = Button("ok", {10, 10, 90, 35});
  ok->SetSkinData(Skin);
  ok->SetCanFocused(false);
  Screen.MouseMove(Middle(ok));
  Screen.RunUntilIdle();
  EXPECT_TRUE(ok->MouseIn());
  std::vector<double> factors;
  for (int i = 0; i < 6; ++i) {
    Screen.Wait(20);
    factors.push_back(ok->MorphFactor());
  }
  EXPECT_EQ(factors, (std::vector<double>{0.2, 0.4, 0.6, 0.8, 1.0, 1.0}));
  EXPECT_EQ(PixelAt(ok, 2, 2), kHotFill);

  Screen.MouseMove(At(Form.get(), 400, 300));
  Screen.Wait(40);
  EXPECT_DOUBLE_EQ(ok->MorphFactor(), 0.6);
  // Mid-way the two looks are blended.
  const auto mix = [](int normal, int hot) { return RoundToByte(0.4 * normal + 0.6 * hot); };
  EXPECT_EQ(PixelAt(ok, 2, 2), RGB(mix(200, 120), mix(200, 200), mix(200, 120)));
  Screen.Wait(100);
  EXPECT_EQ(ok->MorphFactor(), 0.0);
  EXPECT_EQ(PixelAt(ok, 2, 2), kNormalFill);

  // With the skin's effects off the look switches at once.
  Skin->EnableSkinEffects = false;
  Screen.MouseMove(Middle(ok));
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(ok, 2, 2), kHotFill);

  // Disabling stops the fade and forgets the pointer.
  Skin->EnableSkinEffects = true;
  Screen.Wait(100);
  Screen.MouseMove(At(Form.get(), 400, 300));
  Screen.Wait(40);
  ok->SetEnabled(false);
  Screen.Wait(100);
  EXPECT_EQ(ok->MorphFactor(), 0.0);
  EXPECT_FALSE(ok->MouseIn());
  EXPECT_EQ(PixelAt(ok, 2, 2), kDisabledFill);
}

TEST_F(SkinButtonTest, TheFrameAnimationRunsForwardOnEnterAndBackOnLeave) {
  Skinned();
  TbsSkinButton* anim = Button("anim", {10, 10, 90, 35});
  anim->SetSkinDataName("animated");
  anim->SetSkinData(Skin);
  anim->SetCanFocused(false);
  Screen.MouseMove(Middle(anim));
  Screen.RunUntilIdle();
  std::vector<int> frames{anim->AnimFrame()};
  std::vector<COLORREF> pixels{PixelAt(anim, 2, 2)};
  for (int i = 0; i < 5; ++i) {
    Screen.Wait(10);
    frames.push_back(anim->AnimFrame());
    pixels.push_back(PixelAt(anim, 2, 2));
  }
  // Frames 1..4 stand in for the hot look, then the hot look itself.
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 0, 0}));
  EXPECT_EQ(pixels,
            (std::vector<COLORREF>{FrameFill(1), FrameFill(2), FrameFill(3), FrameFill(4), kHotFill, kHotFill}));
  // Backwards the frames stand in for the normal look.
  Screen.MouseMove(At(Form.get(), 400, 300));
  Screen.RunUntilIdle();
  frames = {anim->AnimFrame()};
  pixels = {PixelAt(anim, 2, 2)};
  for (int i = 0; i < 4; ++i) {
    Screen.Wait(10);
    frames.push_back(anim->AnimFrame());
    pixels.push_back(PixelAt(anim, 2, 2));
  }
  EXPECT_EQ(frames, (std::vector<int>{4, 3, 2, 1, 0}));
  EXPECT_EQ(pixels, (std::vector<COLORREF>{FrameFill(4), FrameFill(3), FrameFill(2), FrameFill(1), kNormalFill}));
  // A press stops it.
  Screen.MouseMove(Middle(anim));
  Screen.RunUntilIdle();
  Press(anim);
  EXPECT_EQ(anim->AnimFrame(), 0);
  EXPECT_EQ(PixelAt(anim, 2, 2), kDownFill);
  Release(Middle(anim));
}

TEST_F(SkinButtonTest, AFixedSizeRecordKeepsItsSizeUnlessTheSkinSizeIsOff) {
  Skinned();
  TbsSkinButton* fixed = Button("fixed", {10, 10, 90, 35});
  fixed->SetSkinDataName("fixed");
  fixed->SetSkinData(Skin);
  EXPECT_EQ(fixed->Width(), 30);
  EXPECT_EQ(fixed->Height(), 20);
  fixed->SetBounds(10, 10, 120, 50);
  EXPECT_EQ(fixed->Width(), 30);
  EXPECT_EQ(fixed->Height(), 20);
  Screen.RunUntilIdle();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(fixed->Handle(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0));

  // Freely sized: any size, rectangular, the skin picture stretched over it.
  fixed->SetUseSkinSize(false);
  fixed->SetBounds(10, 10, 90, 40);
  Screen.RunUntilIdle();
  EXPECT_EQ(fixed->Width(), 90);
  EXPECT_EQ(fixed->Height(), 40);
  EXPECT_EQ(GetWindowRgn(fixed->Handle(), region), ERROR);
  EXPECT_EQ(PixelAt(fixed, 10, 5), kFixedFill);
  EXPECT_EQ(PixelAt(fixed, 88, 38), Darker(kFixedFill));
  DeleteObject(region);

  // The nine-part record stretches both ways whatever UseSkinSize says.
  TbsSkinButton* wide = Button("wide", {10, 100, 130, 140});
  wide->SetSkinData(Skin);
  EXPECT_EQ(wide->BoundsRect(), (RECT{10, 100, 130, 140}));
  EXPECT_EQ(wide->FitInnerRect, (RECT{4, 4, 116, 36}));
}

TEST_F(SkinButtonTest, AGroupedButtonTakesNoFocusAndANegativeMarginIsRefused) {
  TbsSkinButton toggle(nullptr);
  toggle.SetGroupIndex(2);
  EXPECT_FALSE(toggle.CanFocused());
  TbsSkinButton quiet(nullptr);
  quiet.SetTabStop(false);
  EXPECT_TRUE(quiet.CanFocused());
  quiet.SetMargin(-5);
  EXPECT_EQ(quiet.Margin(), -1);
}

}  // namespace
}  // namespace kora::test

// The spin edit: value and text, typing as a person types, focus leaving,
// the buttons with their auto-repeat on the virtual clock, keys and wheel,
// and layout bound and unbound.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "SkinControlTestSupport.h"
#include "framework/core/SysUtils.h"

namespace kora::test {
namespace {

class SkinSpinEditTest : public SkinControlTest {
protected:
  TbsSkinSpinEdit* Spin(int left, int top, double min, double max, double increment = 1, int width = 60) {
    auto* spin = new TbsSkinSpinEdit(Form.get());
    spin->SetBounds(left, top, width, 20);
    spin->SetMinValue(min);
    spin->SetMaxValue(max);
    spin->SetIncrement(increment);
    spin->SetParent(Form.get());
    spin->OnChange = [this, spin](TObject* sender) {
      EXPECT_EQ(sender, spin);
      Changes.push_back(spin->Value());
    };
    return spin;
  }
  void Run() { Screen.RunUntilIdle(); }
  void Focus(TbsSkinSpinEdit* spin) {
    spin->SetFocus();
    Run();
  }
  void Type(const std::string& text) {
    Screen.Type(text);
    Run();
  }
  void Press(UINT key) {
    Screen.PressKey(key);
    Run();
  }
  void Ctrl(UINT key) {
    Screen.KeyDown(VK_CONTROL);
    Screen.PressKey(key);
    Screen.KeyUp(VK_CONTROL);
    Run();
  }
  POINT ButtonPoint(TbsSkinSpinEdit* spin, bool up) {
    const RECT b = up ? spin->UpButtonRect() : spin->DownButtonRect();
    return At(spin, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
  }
  std::vector<double> Changes;
};

TEST_F(SkinSpinEditTest, ValueIsClampedAndEveryAssignmentRaisesOnChange) {
  ShowForm();
  TbsSkinSpinEdit* spin = Spin(10, 10, -128, 127);
  spin->SetValue(125);
  Changes.clear();
  spin->SetValue(spin->Value() + 10);
  EXPECT_EQ(spin->Value(), 127);
  EXPECT_EQ(spin->Text(), "127");
  EXPECT_EQ(spin->Edit()->Text(), "127");
  spin->SetValue(spin->Value());
  EXPECT_EQ(Changes, (std::vector<double>{127, 127}));

  // Equal bounds mean no range; raising the bounds pulls the value along.
  TbsSkinSpinEdit* free = Spin(10, 40, 0, 0);
  free->SetValue(70000);
  EXPECT_EQ(free->Value(), 70000);
  free->SetMaxValue(255);
  EXPECT_EQ(free->Value(), 255);
  free->SetValue(50);
  free->SetMinValue(100);
  EXPECT_EQ(free->Text(), "100");

  // Integers show rounded (halves to even) while the value keeps its fraction.
  free->SetMinValue(0);
  free->SetMaxValue(0);
  free->SetValue(2.5);
  EXPECT_EQ(free->Text(), "2");
  EXPECT_EQ(free->Value(), 2.5);
  free->SetValueType(vtFloat);
  free->SetDecimal(3);
  free->SetValue(-1.0 / 3);
  EXPECT_EQ(free->Text(), "-0.333");
}

TEST_F(SkinSpinEditTest, AValueSetFromOnChangeGoesStraightToTheTextWithoutASecondChange) {
  ShowForm();
  TbsSkinSpinEdit* spin = Spin(10, 10, 0, 100);
  int calls = 0;
  spin->OnChange = [&](TObject*) {
    ++calls;
    if (spin->Value() > 50) spin->SetValue(50);
  };
  spin->SetValue(80);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(spin->Value(), 50);
  EXPECT_EQ(spin->Text(), "50");
}

// What a person types, step by step, with the field's text and value after each.
struct TTypingStep {
  const char* What;
  TbsSkinSpinEdit* Field;
  std::function<void()> Do;
  const char* Text;
  double Value;
};

TEST_F(SkinSpinEditTest, TypingAsAPersonDoes) {
  ShowForm();
  TbsSkinSpinEdit* signedByte = Spin(10, 10, -128, 127, 5);
  TbsSkinSpinEdit* unsignedByte = Spin(10, 40, 0, 255, 5);
  TbsSkinSpinEdit* tens = Spin(10, 70, 10, 100);
  tens->SetValue(40);
  const auto type = [this](const char* text) { return [this, text] { Type(text); }; };
  const auto key = [this](UINT vk) { return [this, vk] { Press(vk); }; };
  TbsSkinSpinEdit* const s = signedByte;
  const std::vector<TTypingStep> steps = {
      {"focus -128..127 (all selected)", s, [&] { Focus(s); }, "0", 0},
      {"type 5 over the selection", s, type("5"), "5", 5},
      {"type 7", s, type("7"), "57", 57},
      {"Backspace", s, key(VK_BACK), "5", 5},
      {"Home, type -", s, [&] { Press(VK_HOME), Type("-"); }, "-5", -5},
      {"End, type 0", s, [&] { Press(VK_END), Type("0"); }, "-50", -50},
      {"type 0: -500 is past -128", s, type("0"), "-128", -128},
      {"type - again: refused, beep", s, type("-"), "-128", -128},
      {"Ctrl+A, type 2", s, [&] { Ctrl('A'), Type("2"); }, "2", 2},
      {"type 0", s, type("0"), "20", 20},
      {"type 0: 200 is past 127", s, type("0"), "127", 127},
      {"Home, Delete", s, [&] { Press(VK_HOME), Press(VK_DELETE); }, "27", 27},
      {"type x: refused, beep", s, type("x"), "27", 27},
      {"Ctrl+A, paste 4x2", s, [&] { Screen.SetClipboardText("4x2"), Ctrl('A'), Ctrl('V'); }, "4x2", 27},
      {"Backspace: 4x", s, key(VK_BACK), "4x", 27},
      {"Backspace: 4", s, key(VK_BACK), "4", 4},
      {"Backspace: empty", s, key(VK_BACK), "", 4},
      {"type -: a lone minus", s, type("-"), "-", 4},
      {"Tab away", s, key(VK_TAB), "4", 4},
      {"focus 0..255, type -5", unsignedByte, [&] { Focus(unsignedByte), Type("-5"); }, "0", 0},
      {"type 1 after the 0", unsignedByte, type("1"), "01", 1},
      {"focus 10..100, type 5", tens, [&] { Focus(tens), Type("5"); }, "5", 10},
      {"type 0: 50", tens, type("0"), "50", 50},
      {"Backspace, Tab away", tens, [&] { Press(VK_BACK), Press(VK_TAB); }, "10", 10},
      {"focus -128..127, type 1", s, [&] { Focus(s), Type("1"); }, "1", 1},
      {"type -: passes the filter, not the check", s, type("-"), "1-", 1},
      {"type 2", s, type("2"), "1-2", 1},
      {"Tab away", s, key(VK_TAB), "1", 1},
  };
  std::string table = "step | text | Value\n";
  for (const TTypingStep& step : steps) {
    step.Do();
    char line[160];
    std::snprintf(line, sizeof line, "%s | %s | %g\n", step.What, step.Field->Text().c_str(), step.Field->Value());
    table += line;
    EXPECT_EQ(step.Field->Text(), step.Text) << step.What;
    EXPECT_EQ(step.Field->Edit()->Text(), step.Text) << step.What;
    EXPECT_EQ(step.Field->Value(), step.Value) << step.What;
  }
  EXPECT_TRUE(unsignedByte->EditFocused());
  EXPECT_EQ(Screen.Beeps(), 2);
  if (const char* folder = std::getenv("KORA_ARTIFACTS"); folder && *folder) {
    std::filesystem::create_directories(folder);
    WriteFile(std::string(folder) + "/spin-typing.txt", table);
  }
}

TEST_F(SkinSpinEditTest, ADigitStringBeyond32BitsIsTheConversionErrorAndKeepsTheValue) {
  ShowForm();
  TbsSkinSpinEdit* spin = Spin(10, 10, 0, 255);
  spin->SetValue(7);
  EXPECT_THROW(spin->SetText("99999999999"), EConvertError);
  EXPECT_EQ(spin->Value(), 7);
}

TEST_F(SkinSpinEditTest, TheFilterAndEditorEnabled) {
  ShowForm();
  TbsSkinSpinEdit* spin = Spin(10, 10, -128, 127, 5);
  Focus(spin);
  spin->SetEditorEnabled(false);
  const int beeps = Screen.Beeps();
  Type("a7");
  Press(VK_BACK);
  EXPECT_EQ(Screen.Beeps(), beeps + 3);
  EXPECT_EQ(spin->Text(), "0");
  // The arrows, the wheel and the buttons still step.
  Press(VK_UP);
  Press(VK_UP);
  Press(VK_DOWN);
  EXPECT_EQ(spin->Value(), 5);
  Screen.Wheel(Middle(spin), -120);  // toward the user: up
  Run();
  EXPECT_EQ(spin->Value(), 10);
  Screen.Wheel(Middle(spin), 120);
  Run();
  EXPECT_EQ(spin->Value(), 5);
  Screen.Click(ButtonPoint(spin, true));
  Run();
  EXPECT_EQ(spin->Value(), 10);

  // Floats take one separator, not first.
  spin->SetEditorEnabled(true);
  spin->SetValueType(vtFloat);
  spin->SetText("");
  Type("1.5.");  // the second separator is refused
  EXPECT_EQ(spin->Text(), "1.5");
  EXPECT_EQ(spin->Value(), 1.5);
  // Switching back to integers rounds the step.
  spin->SetIncrement(2.6);
  spin->SetValueType(vtInteger);
  EXPECT_EQ(spin->Increment(), 3);
}

TEST_F(SkinSpinEditTest, HoldingTheUpButtonRepeatsAfterHalfASecondThenEveryTenth) {
  ShowForm();
  TbsSkinSpinEdit* spin = Spin(10, 10, 0, 255);
  const POINT at = ButtonPoint(spin, true);
  Screen.MouseMove(at);
  Run();
  const uint64_t start = Screen.Time().NowMs();
  std::vector<uint64_t> when;
  spin->OnChange = [&](TObject*) { when.push_back(Screen.Time().NowMs() - start); };
  Screen.MouseDown(at);
  Screen.Wait(1000);
  Screen.MouseUp(at);
  Run();
  EXPECT_EQ(when, (std::vector<uint64_t>{600, 700, 800, 900, 1000, 1000}));
  EXPECT_EQ(spin->Value(), 6);

  // Released away from the button: only the repeats that happened count.
  const POINT down = ButtonPoint(spin, false);
  Screen.MouseMove(down);
  Screen.MouseDown(down);
  Screen.Wait(650);
  Screen.MouseMove({down.X + 80, down.Y});  // off the button: the repeat stops
  Screen.Wait(300);
  Screen.MouseUp({down.X + 80, down.Y});
  Run();
  EXPECT_EQ(spin->Value(), 5);
  EXPECT_EQ(Screen.Time().NowMs() - start, 1950u);
}

TEST_F(SkinSpinEditTest, LeavingTheFieldShowsTheValueAgain) {
  ShowForm();
  TbsSkinSpinEdit* spin = Spin(10, 10, -128, 127);
  TbsSkinSpinEdit* other = Spin(10, 40, -128, 127);
  spin->SetValue(12);
  Focus(spin);
  Changes.clear();
  Press(VK_BACK);  // the selection goes: an empty field
  EXPECT_EQ(spin->Text(), "");
  other->SetFocus();
  Run();
  EXPECT_EQ(spin->Text(), "12");
  EXPECT_EQ(spin->Value(), 12);
  EXPECT_TRUE(Changes.empty());
}

TEST_F(SkinSpinEditTest, LayoutBoundAndUnbound) {
  ShowForm();
  TbsSkinSpinEdit* spin = Spin(10, 10, 0, 255, 1, 60);
  spin->SetHeight(20);
  EXPECT_EQ(spin->UpButtonRect(), (RECT{43, 2, 58, 10}));
  EXPECT_EQ(spin->DownButtonRect(), (RECT{43, 10, 58, 18}));
  EXPECT_EQ(spin->Edit()->Left(), 2);
  EXPECT_EQ(spin->Edit()->Width(), 41);
  EXPECT_EQ(spin->Edit()->Top(), 10 - spin->Edit()->Height() / 2);
  EXPECT_FALSE(spin->Edit()->EditTransparent());

  // The program's skin: 22 high, buttons and text area moved with the width.
  LoadProgramSkin();
  spin->SetSkinData(Skin);
  spin->SetWidth(41);
  Run();
  EXPECT_EQ(spin->Height(), 22);
  EXPECT_EQ(spin->UpButtonRect(), (RECT{29, 1, 40, 11}));
  EXPECT_EQ(spin->DownButtonRect(), (RECT{29, 11, 40, 21}));
  EXPECT_EQ(spin->Edit()->Left(), 2);
  EXPECT_EQ(spin->Edit()->Width(), 25);  // room for "-128"
  EXPECT_TRUE(spin->Edit()->EditTransparent());
  EXPECT_EQ(spin->Edit()->Font()->Color(), TColor(4599070));

  // Stretched: the button column is shared half and half.
  spin->SetUseSkinSize(false);
  spin->SetHeight(40);
  EXPECT_EQ(spin->Height(), 40);
  EXPECT_EQ(spin->UpButtonRect(), (RECT{29, 1, 40, 20}));
  EXPECT_EQ(spin->DownButtonRect(), (RECT{29, 20, 40, 39}));
}

TEST_F(SkinSpinEditTest, HotAndFocusedLooksFollowThePointerAndTheFocus) {
  LoadProgramSkin();
  ShowForm();
  TbsSkinSpinEdit* spin = Spin(10, 10, 0, 255);
  spin->SetSkinData(Skin);
  Run();
  const COLORREF normal = PixelAt(spin, 0, 10);
  Screen.MouseMove(At(spin, 1, 1));
  Run();
  EXPECT_TRUE(spin->Hot());
  EXPECT_EQ(spin->Edit()->Font()->Color(), TColor(6828048));
  const COLORREF hot = PixelAt(spin, 0, 10);
  EXPECT_NE(hot, normal);
  // Over the edit it stays hot; away from both it is not.
  Screen.MouseMove(Middle(spin->Edit()));
  Run();
  EXPECT_TRUE(spin->Hot());
  Screen.MouseMove({900, 700});
  Run();
  Run();  // the leave message is posted while the move finds no window
  EXPECT_FALSE(spin->Hot());
  EXPECT_EQ(PixelAt(spin, 0, 10), normal);
  Focus(spin);
  EXPECT_TRUE(spin->EditFocused());
  EXPECT_EQ(PixelAt(spin, 0, 10), hot);
}

}  // namespace
}  // namespace kora::test

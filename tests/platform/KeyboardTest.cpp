// Keys, characters from text input, system keys and key state.

#include "WindowTestSupport.h"

namespace kora::test {
namespace {

using KeyboardTest = WindowTest;

std::vector<WPARAM> CharsOf(HWND w, UINT msg = WM_CHAR) {
  std::vector<WPARAM> out;
  for (const auto& m : Log().Messages) {
    if (m.Wnd == w && m.Msg == msg) out.push_back(m.WParam);
  }
  return out;
}

TEST_F(KeyboardTest, KeysGoToTheFocusAndTextBecomesOneCharPerCodePoint) {
  HWND top = Top(0, 0, 300, 200);
  HWND edit = Child(top, 10, 10, 100, 20);
  SetFocus(edit);
  Log().Clear();
  Screen.PressKey('A');
  Screen.Type("a宋😀");
  Screen.PressKey(VK_RETURN);
  Screen.PressKey(VK_BACK);
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(edit, WM_KEYDOWN), 3u);
  EXPECT_EQ(Log().Count(top, WM_KEYDOWN), 0u);
  // The key 'A' has no character of its own: text comes from text input.
  EXPECT_EQ(CharsOf(edit), (std::vector<WPARAM>{'a', 0x5B8B, 0x1F600, '\r', 0x08}));
  const LoggedMessage* up = Log().Last(edit, WM_KEYUP);
  ASSERT_TRUE(up);
  EXPECT_TRUE(uint32_t(up->LParam) & (1u << 31));
}

TEST_F(KeyboardTest, ControlLettersMakeControlCharacters) {
  HWND w = Top(0, 0, 300, 200);
  SetFocus(w);
  Log().Clear();
  Screen.KeyDown(VK_CONTROL);
  Screen.PressKey('C');
  Screen.KeyUp(VK_CONTROL);
  Screen.RunUntilIdle();
  EXPECT_EQ(CharsOf(w), (std::vector<WPARAM>{3}));
  EXPECT_EQ(Log().Count(w, WM_SYSKEYDOWN), 0u);
}

TEST_F(KeyboardTest, AltAloneOpensTheKeyMenuAndAltLetterSendsSysChar) {
  HWND top = Top(0, 0, 300, 200);
  HWND edit = Child(top, 10, 10, 100, 20);
  SetFocus(edit);
  Log().Clear();
  Screen.PressKey(VK_MENU);
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(edit, WM_SYSKEYDOWN), 1u);
  EXPECT_EQ(Log().Count(edit, WM_SYSKEYUP), 1u);
  const LoggedMessage* cmd = Log().Last(top, WM_SYSCOMMAND);
  ASSERT_TRUE(cmd);
  EXPECT_EQ(cmd->WParam, SC_KEYMENU);
  EXPECT_EQ(cmd->LParam, 0);

  Log().Clear();
  Screen.KeyDown(VK_MENU);
  Screen.PressKey('F');
  Screen.KeyUp(VK_MENU);
  Screen.RunUntilIdle();
  EXPECT_EQ(CharsOf(edit, WM_SYSCHAR), (std::vector<WPARAM>{'f'}));
  ASSERT_EQ(Log().Count(top, WM_SYSCOMMAND), 1u);  // Alt was not alone this time
  EXPECT_EQ(Log().Last(top, WM_SYSCOMMAND)->LParam, 'f');
}

TEST_F(KeyboardTest, AltF4ClosesTheWindow) {
  HWND top = Top(0, 0, 300, 200);
  SetFocus(top);
  Screen.KeyDown(VK_MENU);
  Screen.PressKey(VK_F4);
  Screen.KeyUp(VK_MENU);
  Screen.RunUntilIdle();
  EXPECT_TRUE(MatchesSequence(Log().Messages, {{WM_SYSCOMMAND, top, SC_CLOSE}, {WM_CLOSE, top}, {WM_DESTROY, top}}));
  EXPECT_FALSE(IsWindow(top));
}

TEST_F(KeyboardTest, KeyStateFollowsRetrievedMessages) {
  HWND w = Top(0, 0, 300, 200);
  SetFocus(w);
  Screen.RunUntilIdle();
  Screen.KeyDown(VK_LSHIFT);
  EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);  // the device state is known at once
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);       // the message state once it is retrieved
  Screen.RunUntilIdle();
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  EXPECT_LT(GetKeyState(VK_LSHIFT), 0);
  Screen.KeyUp(VK_LSHIFT);
  Screen.MouseDown({100, 100});
  Screen.RunUntilIdle();
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  EXPECT_LT(GetKeyState(VK_LBUTTON), 0);
  // Toggle bit flips with each press.
  const int16_t before = GetKeyState(VK_CAPITAL) & 1;
  Screen.PressKey(VK_CAPITAL);
  Screen.RunUntilIdle();
  EXPECT_NE(GetKeyState(VK_CAPITAL) & 1, before);
}

TEST_F(KeyboardTest, WheelGoesWhereThePointerIsAndChildrenPassItUp) {
  HWND top = Top(0, 0, 300, 200);
  HWND list = Child(top, 10, 10, 100, 100);
  HWND focused = Child(top, 150, 10, 100, 100);
  SetFocus(focused);
  Log().Clear();
  POINT over{50, 50};
  ClientToScreen(list, &over);
  Screen.Wheel(over, -WHEEL_DELTA);
  Screen.RunUntilIdle();
  const LoggedMessage* wheel = Log().Last(list, WM_MOUSEWHEEL);
  ASSERT_TRUE(wheel);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel->WParam), -WHEEL_DELTA);
  EXPECT_EQ(Log().Count(top, WM_MOUSEWHEEL), 1u);  // DefWindowProc passed it to the parent
  EXPECT_EQ(Log().Count(focused, WM_MOUSEWHEEL), 0u);
  // Over no window of ours, or over a disabled one, it turns nothing.
  EnableWindow(list, false);
  Screen.Wheel({500, 500}, WHEEL_DELTA);
  Screen.Wheel(over, WHEEL_DELTA);
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(top, WM_MOUSEWHEEL) + Log().Count(list, WM_MOUSEWHEEL), 2u);
}

TEST_F(KeyboardTest, DisablingTheFocusWindowTakesTheFocusAway) {
  HWND top = Top(0, 0, 300, 200);
  HWND edit = Child(top, 10, 10, 100, 20);
  SetFocus(edit);
  Log().Clear();
  EnableWindow(edit, false);
  EXPECT_TRUE(MatchesSequence(Log().Messages, {{WM_CANCELMODE, edit}, {WM_KILLFOCUS, edit}, {WM_ENABLE, edit, 0}}));
  EXPECT_EQ(GetFocus(), HWND());
  EXPECT_FALSE(SetFocus(edit));
  EXPECT_EQ(GetFocus(), HWND());
  EXPECT_TRUE(EnableWindow(edit, true));  // it was disabled
  EXPECT_EQ(Log().Last(edit, WM_ENABLE)->WParam, 1u);
}

}  // namespace
}  // namespace kora::test

// A person's first session: a ROM dropped on the window, a character's
// numbers raised with "+", taken with "确定", saved through the File menu
// with the keyboard, the message box closed; the ROM opened again shows
// the new numbers.

#include <string>

#include "EditorE2eSupport.h"

namespace kora::test {
namespace {

using EditAndSaveTest = EditorE2eTest;

TEST_F(EditAndSaveTest, DropRaiseTakeSaveAndSeeItAgain) {
  OpenWindow();
  const std::string before = ReadFileBytes(Rom);
  Screen.DropFiles(Form->ClientToScreen({200, 200}), {Rom});
  Screen.RunUntilIdle();
  ASSERT_TRUE(Form->Session()->IsOpen());
  auto* characters = Part<TbsSkinComboBox>("bsSkinComboBox3");
  ASSERT_GT(characters->Items()->Count(), 0);
  characters->SetItemIndex(0);
  Screen.RunUntilIdle();
  auto* strength = Part<TbsSkinSpinEdit>("bsSkinEdit1");
  const int old = strength->Value();
  ClickOn(Part<TbsSkinButton>("bsSkinButton4"));  // "+"
  EXPECT_EQ(strength->Value(), old + 10);
  ClickOn(Part<TbsSkinButton>("bsSkinButton1"));  // "确定"

  // Alt+F, Down to "保存数据", Enter; then the message box's button.
  Screen.WhenIdle([&] { Screen.PressKey(VK_DOWN); });
  Screen.WhenIdle([&] { Screen.PressKey(VK_RETURN); });
  Screen.WhenIdle([&] { Screen.PressKey(VK_RETURN); });
  Screen.KeyDown(VK_MENU);
  Screen.PressKey('F');
  Screen.KeyUp(VK_MENU);
  Screen.RunUntilIdle();
  EXPECT_FALSE(FileHolds(Rom, before));
  EXPECT_EQ(ReadFileBytes(Rom).size(), before.size());

  OpenWindow();
  Form->OpenRom(Rom);
  Screen.RunUntilIdle();
  Part<TbsSkinComboBox>("bsSkinComboBox3")->SetItemIndex(0);
  Screen.RunUntilIdle();
  EXPECT_EQ(Part<TbsSkinSpinEdit>("bsSkinEdit1")->Value(), old + 10);
}

}  // namespace
}  // namespace kora::test

// A person's first session: a ROM dropped on the window, a character's
// numbers raised with "+", taken with "确定", saved through the File menu
// with the keyboard, the message box closed; the ROM opened again shows
// the new numbers.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "editor/uMain.h"
#include "framework/Forms.h"
#include "framework/TempFolder.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/controls/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/dialogs/bsMessages.h"

namespace kora::test {
namespace {

class EditAndSaveTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetWindowSystem();
    SetBackend(&Screen);
    SetMainProgramFolder(KORA_PROGRAM_DIR);
    Rom = TempFolder() + "game.nds";
    const std::string make = std::string("'") + KORA_PROGRAM_DIR + "/kora-cli' make-demo-rom '" + Rom + "'";
    ASSERT_EQ(std::system(make.c_str()), 0);
  }
  void TearDown() override {
    Form.reset();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
  }
  void OpenWindow() {
    Form.reset();
    App = std::make_unique<TApplication>(nullptr);
    Form.reset(CreateMainForm(nullptr));
    App->SetMainForm(Form.get());
    Form->Show();
    Screen.RunUntilIdle();
  }
  template <typename T>
  T* Part(const std::string& name) const {
    auto* part = dynamic_cast<T*>(Form->FindComponent(name));
    EXPECT_TRUE(part) << name;
    return part;
  }
  void ClickOn(TControl* control) {
    Screen.Click(control->ClientToScreen({control->Width() / 2, control->Height() / 2}));
    Screen.RunUntilIdle();
  }
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<TfrmMain> Form;
  std::string Rom;
};

TEST_F(EditAndSaveTest, DropRaiseTakeSaveAndSeeItAgain) {
  OpenWindow();
  const std::string before = Bytes(Rom);
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
  EXPECT_NE(Bytes(Rom), before);
  EXPECT_EQ(Bytes(Rom).size(), before.size());

  OpenWindow();
  Form->OpenRom(Rom);
  Screen.RunUntilIdle();
  Part<TbsSkinComboBox>("bsSkinComboBox3")->SetItemIndex(0);
  Screen.RunUntilIdle();
  EXPECT_EQ(Part<TbsSkinSpinEdit>("bsSkinEdit1")->Value(), old + 10);
}

}  // namespace
}  // namespace kora::test

#pragma once
// The editor's main window on the headless screen, used as a person uses
// it: a program folder of the test's own (its working files and its lock
// stay away from every other test), the demo ROM, and the mouse and the keys
// on the menu bar, the open dialog, the pages and the message box. Menus and
// modal windows run nested loops, so what happens inside them is queued as
// steps, each run the first time a loop waits while its condition holds.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "agblz/Lz.h"
#include "editor/ProgramCopy.h"
#include "editor/RomBlock.h"
#include "editor/uMain.h"
#include "framework/TempFolder.h"
#include "framework/core/Classes.h"
#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/controls/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinTabs.h"
#include "skin/dialogs/bsMessages.h"
#include "skin/dialogs/bsSkinShellCtrls.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenuBar.h"
#include "skin/form/bsSkinMenus.h"

namespace kora::test {

// A shell script in place of the packer; $1 is the mode, $2 in, $3 out.
inline void ReplacePacker(const std::string& programFolder, const std::string& body) {
  namespace fs = std::filesystem;
  const std::string path = programFolder + "Tool/agblz";
  fs::remove(path);
  WriteFileBytes(path, "#!/bin/sh\n" + body);
  fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
}

// Whether the file holds exactly `bytes`; a failure names the first
// difference (comparing the strings themselves would print megabytes).
inline ::testing::AssertionResult FileHolds(const std::string& path, const std::string& bytes) {
  const std::string held = ReadFileBytes(path);
  if (held == bytes) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < held.size() && at < bytes.size() && held[at] == bytes[at]) ++at;
  return ::testing::AssertionFailure() << path << " holds " << held.size() << " bytes instead of " << bytes.size()
                                       << ", the first difference at offset " << at;
}

// What the editor's data core reads out of a ROM file: the layout and the
// data image unpacked from its block.
struct DecodedRom {
  RomLayout Layout;
  DataImage Image;
};

inline DecodedRom DecodeRom(const std::string& path) {
  DecodedRom decoded;
  std::vector<uint8_t> block;
  {
    TFileStream rom(path, fmOpenRead);
    decoded.Layout = ReadRomLayout(rom);
    block.resize(decoded.Layout.BlockEnd - decoded.Layout.BlockStart);
    rom.SetPosition(decoded.Layout.BlockStart);
    rom.ReadBuffer(block.data(), static_cast<int64_t>(block.size()));
  }
  decoded.Image = lz::Unpack(block);
  return decoded;
}

// What a message box showed.
struct SeenBox {
  std::string Caption;
  std::string Text;
};

class EditorE2eTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetWindowSystem();
    SetBackend(&Screen);
    Dir = TempFolder();
    Program = MakeProgramCopy(Dir);
    SetMainProgramFolder(Program);
    Rom = Dir + "game.nds";
    MakeDemoRom(Rom);
  }
  void TearDown() override {
    Form.reset();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
    SetMainProgramFolder("");
  }

  void MakeDemoRom(const std::string& path) const {
    const std::string make = "'" + Program + "kora-cli' make-demo-rom '" + path + "'";
    ASSERT_EQ(std::system(make.c_str()), 0) << make;
  }

  // The window as the program starts it.
  void OpenWindow() {
    Form.reset();
    App.reset();
    App = std::make_unique<TApplication>(nullptr);
    App->SetTitle("Kora Editor");
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
  TbsSkinSpinEdit* Field(int number) const { return Part<TbsSkinSpinEdit>("bsSkinEdit" + std::to_string(number)); }
  TbsSkinOpenDialog* Dialog() const { return Part<TbsSkinOpenDialog>("bsSkinOpenDialog1"); }
  TbsSkinMenu* MenuEngine() const { return SkinMenuOf(Part<TbsSkinForm>("bsSkinForm1")); }
  // The open dialog's window or the message box open now, else null.
  TbsOpenDlgForm* OpenDialog() const { return Dialog()->Form(); }
  static TbsMessageForm* MessageBox() { return dynamic_cast<TbsMessageForm*>(kora::Screen->ActiveForm()); }
  bool MenuIsOpen() const { return MenuEngine()->Visible() && MenuEngine()->PopupCount() > 0; }

  // ---- Mouse and keys ----
  static POINT Middle(const TControl* control) {
    return control->ClientToScreen({control->Width() / 2, control->Height() / 2});
  }
  static POINT MiddleOf(const TControl* control, const RECT& r) {
    return control->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  }
  void ClickOn(const TControl* control) {
    Screen.Click(Middle(control));
    Screen.RunUntilIdle();
  }
  void Press(UINT vk) {
    Screen.PressKey(vk);
    Screen.RunUntilIdle();
  }
  void CtrlKey(UINT vk) {
    Screen.KeyDown(VK_CONTROL);
    Screen.PressKey(vk);
    Screen.KeyUp(VK_CONTROL);
  }
  // A click into the field, Ctrl+A and the digits typed over what it held.
  void TypeValue(TbsSkinSpinEdit* field, const std::string& digits) {
    Screen.Click(Middle(field->Edit()));
    CtrlKey('A');
    Screen.Type(digits);
    Screen.RunUntilIdle();
  }
  void ClickSpinButton(TbsSkinSpinEdit* field, bool up) {
    Screen.Click(MiddleOf(field, up ? field->UpButtonRect() : field->DownButtonRect()));
    Screen.RunUntilIdle();
  }
  void ShowPage(int tab) {
    auto* pages = Part<TbsSkinPageControl>("bsSkinPageControl1");
    Screen.Click(MiddleOf(pages, pages->TabRect(tab)));
    Screen.RunUntilIdle();
  }
  // Opens the combo box with a click and clicks one of its rows.
  void PickRow(TbsSkinComboBox* combo, int row) {
    ClickOn(combo);
    ASSERT_TRUE(combo->DroppedDown());
    TbsListBox* rows = combo->ListBox()->ListBox();
    Screen.Click(MiddleOf(rows, rows->ItemRect(row)));
    Screen.RunUntilIdle();
    EXPECT_FALSE(combo->DroppedDown());
  }

  // ---- Steps inside nested loops ----
  // `action` runs the first time a loop waits while `ready` holds.
  void Then(std::string what, std::function<bool()> ready, std::function<void()> action, bool first = false) {
    Step step{std::move(what), std::move(ready), std::move(action)};
    if (first)
      FSteps.push_front(std::move(step));
    else
      FSteps.push_back(std::move(step));
    QueueDriver();
  }
  void ExpectStepsDone() {
    EXPECT_TRUE(FSteps.empty()) << "never reached: " << (FSteps.empty() ? "" : FSteps.front().What);
    FSteps.clear();
    EXPECT_EQ(Screen.PendingIdleSteps(), 0u);
  }
  // Clicks `menu` on the menu bar and, once it is open, `item`; the steps
  // queued before run in the loops the command opens.
  void MenuCommand(const std::string& menu, const std::string& item) {
    Then(
        "the menu " + menu, [this] { return MenuIsOpen(); },
        [this, item] {
          TbsSkinPopupWindow* popup = MenuEngine()->PopupWindow(0);
          for (int i = 0; i < popup->Count(); ++i) {
            if (popup->Items[size_t(i)]->Caption() != item) continue;
            const RECT r = popup->ItemScreenRect(i);
            Screen.Click({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
            return;
          }
          ADD_FAILURE() << "no item " << item;
          Screen.PressKey(VK_ESCAPE);
        },
        true);
    auto* bar = Part<TbsSkinMainMenuBar>("bsSkinMainMenuBar1");
    for (int i = 0; i < bar->ItemCount(); ++i) {
      if (bar->Item(i)->MenuItem->Caption() != menu) continue;
      Screen.Click(MiddleOf(bar, bar->Item(i)->ObjectRect));
      Screen.RunUntilIdle();
      ExpectStepsDone();
      return;
    }
    ADD_FAILURE() << "no menu " << menu;
  }
  // In the open dialog: a click into the file-name field, the path typed and
  // Enter, which opens its folder with the file selected; then Enter again
  // or a click on the open button.
  void ChooseInOpenDialog(const std::string& path, bool clickOpen = false) {
    Then(
        "the open dialog", [this] { return OpenDialog() != nullptr; },
        [this, path] {
          Shot("open-dialog");
          Screen.Click(Middle(OpenDialog()->FileNameEdit()));
          CtrlKey('A');
          Screen.Type(path);
          Screen.PressKey(VK_RETURN);
        });
    Then(
        "the file selected in the open dialog",
        [this] { return OpenDialog() && !OpenDialog()->FileList()->SelectedFilePath().empty(); },
        [this, clickOpen] {
          Shot("open-dialog-file-selected");
          if (clickOpen)
            Screen.Click(Middle(OpenDialog()->OpenButton()));
          else
            Screen.PressKey(VK_RETURN);
        });
  }
  void CancelOpenDialog(bool byEscape) {
    Then(
        "the open dialog", [this] { return OpenDialog() != nullptr; },
        [this, byEscape] {
          if (byEscape)
            Screen.PressKey(VK_ESCAPE);
          else
            Screen.Click(Middle(OpenDialog()->CancelButton()));
        });
  }
  // Notes the next message box in Boxes and closes it with Enter or a click
  // on its only button.
  void CloseMessageBox(bool byClick = false) {
    Then(
        "a message box", [] { return MessageBox() != nullptr; },
        [this, byClick] {
          TbsMessageForm* box = MessageBox();
          auto* label = dynamic_cast<TbsSkinStdLabel*>(box->FindComponent("Message"));
          Boxes.push_back({box->Caption(), label ? label->Caption() : "(no text)"});
          Shot("message-box-" + std::to_string(Boxes.size()));
          if (!byClick) {
            Screen.PressKey(VK_RETURN);
            return;
          }
          for (const char* name : {"Yes", "OK"})
            if (auto* button = dynamic_cast<TbsSkinButton*>(box->FindComponent(name))) {
              Screen.Click(Middle(button));
              return;
            }
          ADD_FAILURE() << "the message box has no button";
          Screen.PressKey(VK_ESCAPE);
        });
  }
  // The open command as a person gives it: the File menu, "选择ROM(&C)", the
  // path typed in the dialog; `boxes` error reports closed afterwards.
  void OpenThroughMenu(const std::string& path, int boxes = 0, bool clickOpen = false) {
    ChooseInOpenDialog(path, clickOpen);
    for (int i = 0; i < boxes; ++i) CloseMessageBox();
    MenuCommand("文件(&F)", "选择ROM(&C)");
  }
  void SaveThroughMenu(bool clickToClose = false) {
    CloseMessageBox(clickToClose);
    MenuCommand("文件(&F)", "保存数据");
  }

  // Nothing is left open over the window: no menu, dialog or box, no loop.
  void ExpectNothingOpen() {
    EXPECT_EQ(App->ModalLevel(), 0);
    EXPECT_FALSE(MenuIsOpen());
    EXPECT_EQ(OpenDialog(), nullptr);
    EXPECT_EQ(kora::Screen->ActiveForm(), Form.get());
    EXPECT_EQ(Screen.PendingIdleSteps(), 0u);
  }
  // The window still works: the demo ROM opens through the menu and a
  // character picked with the mouse shows its numbers from that ROM.
  void ExpectOpensAndShows(const std::string& rom) {
    ExpectNothingOpen();
    const size_t seen = Boxes.size();
    OpenThroughMenu(rom, 0, true);
    EXPECT_EQ(Boxes.size(), seen);
    EXPECT_TRUE(Form->Session()->IsOpen());
    EXPECT_EQ(Form->Session()->RomFileName(), rom);
    ShowPage(0);
    auto* characters = Part<TbsSkinComboBox>("bsSkinComboBox3");
    PickRow(characters, 1);
    ASSERT_EQ(characters->ItemIndex(), 1);
    const DataImage image = DecodeRom(rom).Image;
    const int record = Form->Lists().CharRecordAt(1);
    EXPECT_EQ(Field(1)->Text(), std::to_string(int8_t(image[size_t(80 * record + 44)])));
    EXPECT_EQ(Field(16)->Text(), std::to_string(int8_t(image[size_t(80 * record + 59)])));
    ExpectNothingOpen();
  }

  // With a prefix, the steps above leave a picture of the screen in
  // KORA_ARTIFACTS as they come to the dialog or a message box.
  void Shot(const std::string& what) const {
    if (!ShotPrefix.empty()) Screen.SaveArtifact(ShotPrefix + "-" + what);
  }

  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<TfrmMain> Form;
  std::string Dir, Program, Rom;
  std::vector<SeenBox> Boxes;
  std::string ShotPrefix;

private:
  struct Step {
    std::string What;
    std::function<bool()> Ready;
    std::function<void()> Action;
  };
  // A loop that waits 400 times without the condition coming true has
  // missed it; Escape closes what is open so the test can go on and fail.
  static constexpr int kPatience = 400;

  void QueueDriver() {
    if (FDriverQueued) return;
    FDriverQueued = true;
    Screen.WhenIdle([this] { Drive(); });
  }
  void Drive() {
    FDriverQueued = false;
    if (FSteps.empty()) return;
    if (FSteps.front().Ready()) {
      const std::function<void()> action = std::move(FSteps.front().Action);
      FSteps.pop_front();
      FTries = 0;
      action();
    } else if (++FTries > kPatience) {
      ADD_FAILURE() << "never came: " << FSteps.front().What;
      FSteps.clear();
      FTries = 0;
      Screen.PressKey(VK_ESCAPE);
      return;
    } else {
      // Timers (hover delays, animations) may be what the step waits for.
      Screen.Time().Advance(10);
    }
    if (!FSteps.empty()) QueueDriver();
  }

  std::deque<Step> FSteps;
  bool FDriverQueued = false;
  int FTries = 0;
};

}  // namespace kora::test

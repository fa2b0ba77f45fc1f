#pragma once
// The open-file dialog on the headless screen: the editor's main window as
// far as the dialog sees it (a skinned frame, the skin data and the dialog
// with the main window's settings), a temporary folder tree for each test,
// and the dialog's window found while it is open.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/dialogs/bsSkinShellCtrls.h"

namespace kora::test {

class OpenDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetWindowSystem();
    SetBackend(&Screen);
    App = std::make_unique<TApplication>(nullptr);
    App->SetTitle("Kora Editor");
    App->OnException = [this](TObject*, const std::exception& error) { Errors.push_back(error.what()); };
    Main = std::make_unique<TForm>(nullptr);
    Main->SetName("frmMain");
    Main->SetBounds(100, 100, 560, 460);
    Frame = new TbsSkinForm(Main.get());
    Skin = new TbsSkinData(Main.get());
    Stored = new TbsCompressedStoredSkin(Main.get());
    Frame->SetSkinData(Skin);
    Frame->SetMenusSkinData(Skin);
    // As the main window sets it up for choosing the ROM.
    Dialog = new TbsSkinOpenDialog(Main.get());
    Dialog->SetName("bsSkinOpenDialog1");
    Dialog->Title = "选择游戏ROM";
    Dialog->Filter = "NDS File|*.nds";
    Dialog->FilterIndex = 1;
    Dialog->CheckFileExists = true;
    Dialog->MultiSelection = false;
    Dialog->SetSkinData(Skin);
    Dialog->SetCtrlSkinData(Skin);
    App->SetMainForm(Main.get());
    Root = TempFolder();
    Main->Show();
    Screen.RunUntilIdle();
  }
  void TearDown() override {
    Main.reset();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
    std::error_code ignored;
    std::filesystem::permissions(Root, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(Root, ignored);
  }

  void LoadProgramSkin() {
    Stored->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    Skin->SetCompressedStoredSkin(Stored);
    ASSERT_FALSE(Skin->Empty());
  }

  // A folder of this test's own under the build's test folder, empty.
  static std::string TempFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder =
        std::string(KORA_TEST_TMP) + "/open-dialog/" + test->test_suite_name() + "." + test->name();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
  }
  // Files (and their folders) under Root; a trailing '/' makes a folder.
  void MakeTree(const std::vector<std::string>& paths) const {
    for (const std::string& relative : paths) {
      const std::string path = Root + "/" + relative;
      if (relative.ends_with('/')) {
        std::filesystem::create_directories(path);
        continue;
      }
      std::filesystem::create_directories(std::filesystem::path(path).parent_path());
      std::ofstream(path) << relative;
    }
  }

  // The window open now; null when none is.
  TbsOpenDlgForm* Open() const { return Dialog->Form(); }
  // Runs ChooseFile; `inside` runs once the window waits for the user and
  // must close it (directly or by queueing more steps).
  bool Choose(const std::function<void(TbsOpenDlgForm* form)>& inside) {
    Screen.WhenIdle([this, inside] {
      TbsOpenDlgForm* form = Open();
      EXPECT_TRUE(form);
      if (form) inside(form);
    });
    const bool result = Dialog->ChooseFile();
    EXPECT_EQ(Screen.PendingIdleSteps(), 0u);
    return result;
  }
  // Then: one more step while the window waits.
  void Then(const std::function<void(TbsOpenDlgForm* form)>& step) {
    Screen.WhenIdle([this, step] {
      TbsOpenDlgForm* form = Open();
      EXPECT_TRUE(form);
      if (form) step(form);
    });
  }

  static std::vector<std::string> Captions(TbsSkinFileListView* list) {
    std::vector<std::string> captions;
    for (int i = 0; i < list->ItemCount(); ++i) captions.push_back(list->Items(i).Caption);
    return captions;
  }
  static POINT Middle(const TControl* control) {
    return control->ClientToScreen({control->Width() / 2, control->Height() / 2});
  }
  // The middle of a row of the list, on the screen.
  static POINT RowPoint(TbsSkinFileListView* list, int index) {
    const RECT r = list->ItemRect(index);
    return list->ClientToScreen({r.Left + 8, (r.Top + r.Bottom) / 2});
  }
  void Click(const TControl* control) { Screen.Click(Middle(control)); }

  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<TForm> Main;
  TbsSkinForm* Frame = nullptr;
  TbsSkinData* Skin = nullptr;
  TbsCompressedStoredSkin* Stored = nullptr;
  TbsSkinOpenDialog* Dialog = nullptr;
  std::string Root;
  std::vector<std::string> Errors;
};

}  // namespace kora::test

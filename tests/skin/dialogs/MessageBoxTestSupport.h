#pragma once
// The message box on the headless screen: the editor's main window as far
// as the box sees it (a skinned frame, the skin data, bsSkinMessage1 with
// the window's skin for its frame and its controls), the box found while it
// is open, and sheets of the boxes for a person to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/ScreenSheet.h"
#include "skin/dialogs/bsMessages.h"

namespace kora::test {

// The editor's two messages, with its line break LF CR.
inline const std::string kSavedText = "数据导入成功!\n\r谢谢使用!";
inline const std::string kAboutText =
    "程序编写: Kora Editor 开发组\n\r\n\r"
    "相关资料来源于:\n\r游戏数据分析资料与玩家整理的数值表\n\r\n\r"
    "感谢:\n\r所有测试与反馈问题的朋友";

class MessageBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetWindowSystem();
    SetBackend(&Screen);
    App = std::make_unique<TApplication>(nullptr);
    App->SetTitle("Kora Editor");
    Main = std::make_unique<TForm>(nullptr);
    Main->SetName("frmMain");
    Main->SetCaption("Kora Editor");
    Main->SetBorderStyle(bsSingle);
    Main->SetPosition(poScreenCenter);
    Main->SetClientWidth(554);
    Main->SetClientHeight(434);
    Frame = new TbsSkinForm(Main.get());
    Frame->SetBorderIcons({TbsBorderIcon::biMinimize});
    Skin = new TbsSkinData(Main.get());
    Stored = new TbsCompressedStoredSkin(Main.get());
    Frame->SetSkinData(Skin);
    Frame->SetMenusSkinData(Skin);
    Message = new TbsSkinMessage(Main.get());
    Message->SetName("bsSkinMessage1");
    Message->SetSkinData(Skin);
    Message->SetCtrlSkinData(Skin);
    App->SetMainForm(Main.get());
  }
  void TearDown() override {
    Main.reset();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
  }

  void LoadProgramSkin() {
    Stored->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    Skin->SetCompressedStoredSkin(Stored);
    ASSERT_FALSE(Skin->Empty());
  }
  void ShowMain() {
    Main->Show();
    Screen.RunUntilIdle();
  }

  // The message box open now; null when none is.
  static TbsMessageForm* OpenBox() { return dynamic_cast<TbsMessageForm*>(kora::Screen->ActiveForm()); }
  template <typename T>
  static T* Part(TbsMessageForm* box, const std::string& name) {
    return box ? dynamic_cast<T*>(box->FindComponent(name)) : nullptr;
  }
  // Shows the box; `inside` runs once it is on screen and must close it.
  int32_t Show(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
               const std::function<void(TbsMessageForm* box)>& inside, TbsSkinMessage* message = nullptr) {
    Screen.WhenIdle([inside] {
      TbsMessageForm* box = OpenBox();
      EXPECT_TRUE(box);
      inside(box);
    });
    const int32_t result = (message ? message : Message)->ShowMessageBox(text, kind, buttons, 0);
    EXPECT_EQ(Screen.PendingIdleSteps(), 0u);
    return result;
  }
  static POINT Middle(const TControl* control) {
    return control->ClientToScreen({control->Width() / 2, control->Height() / 2});
  }
  static RECT WindowRectOf(TWinControl* form) {
    RECT r;
    GetWindowRect(form->Handle(), &r);
    return r;
  }

  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<TForm> Main;
  TbsSkinForm* Frame = nullptr;
  TbsSkinData* Skin = nullptr;
  TbsCompressedStoredSkin* Stored = nullptr;
  TbsSkinMessage* Message = nullptr;
};

}  // namespace kora::test

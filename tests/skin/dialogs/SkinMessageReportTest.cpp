// The application's default error report: the skinned message box once the
// main window has a skin, the plain window otherwise, the same texts in both.

#include "MessageBoxTestSupport.h"

namespace kora::test {
namespace {

class MessageReportTest : public MessageBoxTest {
protected:
  // A click on the main window fails the way a command of the editor does.
  void FailOnClick() {
    Main->OnClick = [](TObject*) { throw Exception("'x' is not a valid integer value"); };
  }
  void ClickMain() { Screen.Click(Main->ClientToScreen({40, 40})); }
};

TEST_F(MessageReportTest, WithASkinTheReportIsTheSkinnedBoxWithTheSameTexts) {
  LoadProgramSkin();
  ShowMain();
  // The program's show-again setting is not the report's business.
  Message->ShowAgainFlag = true;
  Message->ShowAgainFlagValue = true;
  FailOnClick();
  ClickMain();
  bool seen = false;
  Screen.WhenIdle([&] {
    TbsMessageForm* box = OpenBox();
    ASSERT_TRUE(box);
    seen = true;
    EXPECT_EQ(box->Caption(), "Kora Editor");
    EXPECT_TRUE(box->SkinForm()->SkinActive());
    EXPECT_EQ(Part<TControl>(box, "Message")->Caption(), "'x' is not a valid integer value");
    EXPECT_FALSE(box->FindComponent("Image"));
    EXPECT_FALSE(box->FindComponent("checkbox"));
    auto* ok = Part<TbsSkinButton>(box, "OK");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->Caption(), "确定");
    EXPECT_EQ(ok->SkinData(), Skin);
    EXPECT_FALSE(FindWindow("TPlainMessage", nullptr));
    EXPECT_FALSE(IsWindowEnabled(Main->Handle()));
    Screen.PressKey(VK_ESCAPE);  // OK alone is also the cancel button
  });
  Screen.RunUntilIdle();
  EXPECT_TRUE(seen);
  EXPECT_FALSE(OpenBox());
  EXPECT_TRUE(IsWindowEnabled(Main->Handle()));
  EXPECT_TRUE(Message->ShowAgainFlagValue);

  // The window carries on: the next failure is reported again.
  ClickMain();
  Screen.WhenIdle([&] {
    ASSERT_TRUE(OpenBox());
    Screen.PressKey(VK_RETURN);
  });
  Screen.RunUntilIdle();
  EXPECT_FALSE(OpenBox());
}

TEST_F(MessageReportTest, TheFramesSkinIsEnoughAndTheMessageBoxsFontsAreUsed) {
  LoadProgramSkin();
  ShowMain();
  Message->SetSkinData(nullptr);
  Message->SetCtrlSkinData(nullptr);
  Message->DefaultFont()->SetHeight(-14);
  bool seen = false;
  Screen.WhenIdle([&] {
    TbsMessageForm* box = OpenBox();
    ASSERT_TRUE(box);
    seen = true;
    EXPECT_EQ(Part<TbsSkinButton>(box, "OK")->SkinData(), Skin);
    EXPECT_EQ(Part<TbsSkinStdLabel>(box, "Message")->Font()->Height(), -14);
    Screen.PressKey(VK_RETURN);
  });
  App->HandleException(nullptr, Exception("Stream read error"));
  EXPECT_TRUE(seen);
}

TEST_F(MessageReportTest, WithoutASkinThePlainWindowReportsWithOneTheSkinnedBox) {
  ShowMain();  // nothing loaded: the skin data is empty
  FailOnClick();
  ClickMain();
  std::string caption;
  Screen.WhenIdle([&] {
    EXPECT_FALSE(OpenBox());
    HWND plain = FindWindow("TPlainMessage", nullptr);
    ASSERT_TRUE(plain);
    caption = GetWindowText(plain);
    Screen.PressKey(VK_RETURN);
  });
  Screen.RunUntilIdle();
  EXPECT_EQ(caption, "Kora Editor");

  // No main window yet (its create handler reports a missing list), but a
  // form with its skin loaded: skinned as every later report.
  LoadProgramSkin();
  App->SetMainForm(nullptr);
  bool skinned = false;
  Screen.WhenIdle([&] {
    skinned = OpenBox() && !FindWindow("TPlainMessage", nullptr);
    Screen.PressKey(VK_RETURN);
  });
  App->HandleException(nullptr, Exception("Stream read error"));
  EXPECT_TRUE(skinned);
}

TEST_F(MessageReportTest, AReporterThatFailsLeavesTheReportToThePlainWindow) {
  App->SetExceptionReporter([](const std::string&, const std::string&) -> bool { throw Exception("no window"); });
  bool plain = false;
  Screen.WhenIdle([&] {
    plain = bool(FindWindow("TPlainMessage", nullptr));
    Screen.PressKey(VK_RETURN);
  });
  App->HandleException(nullptr, Exception("Stream read error"));
  EXPECT_TRUE(plain);
  // A reporter is installed once; a later message box keeps the one there is.
  TbsSkinMessage another(nullptr);
  bool plainAgain = false;
  Screen.WhenIdle([&] {
    plainAgain = bool(FindWindow("TPlainMessage", nullptr));
    Screen.PressKey(VK_RETURN);
  });
  App->HandleException(nullptr, Exception("Stream read error"));
  EXPECT_TRUE(plainAgain);
}

}  // namespace
}  // namespace kora::test

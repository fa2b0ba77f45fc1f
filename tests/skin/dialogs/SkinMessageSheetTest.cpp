// A sheet of the message boxes a user of the editor sees, each with the
// program's skin and in the plain look: the save message, the about box, an
// OK/Cancel question, one with the show-again check box, the error report.

#include <algorithm>

#include "MessageBoxTestSupport.h"

namespace kora::test {
namespace {

TEST_F(MessageBoxTest, SheetOfTheBoxesSkinnedAndPlain) {
  LoadProgramSkin();
  ShowMain();
  TbsSkinMessage plain(nullptr);  // no skin at all
  TSheet sheet(900, 1150);
  int y[2] = {4, 4};
  const auto put = [&](int column, const RECT& area, const std::string& label) {
    sheet.Put(Screen, area, 4 + column * 450, y[column], label);
    y[column] += (area.Bottom - area.Top) + 26;
  };
  const auto shoot = [&](int column, TbsSkinMessage* message, const std::string& label, const std::string& text,
                         TMsgDlgType kind, TMsgDlgButtons buttons) {
    Show(
        text, kind, buttons,
        [&](TbsMessageForm* box) {
          ASSERT_TRUE(box);
          put(column, WindowRectOf(box), label);
          box->Close();
          PostMessage(box->Handle(), WM_NULL, 0, 0);  // wakes the loop to see it
        },
        message);
  };
  for (int column = 0; column < 2; ++column) {
    TbsSkinMessage* message = column == 0 ? Message : &plain;
    const std::string look = column == 0 ? "skinned: " : "plain: ";
    shoot(column, message, look + "save message (kind 2, Yes)", kSavedText, mtInformation, {mbYes});
    shoot(column, message, look + "about", kAboutText, mtInformation, {mbYes});
    shoot(column, message, look + "OK / Cancel", "是否继续导入数据?", mtConfirmation, {mbOK, mbCancel});
    message->ShowAgainFlag = true;
    shoot(column, message, look + "show-again check box", "数据已经保存。", mtWarning, {mbOK});
    message->ShowAgainFlag = false;
  }

  // The error report, skinned, then plain once the window has no skin.
  for (int column = 0; column < 2; ++column) {
    if (column == 1) {
      Frame->SetSkinData(nullptr);
      Message->SetSkinData(nullptr);
      Message->SetCtrlSkinData(nullptr);
    }
    bool seen = false;
    Screen.WhenIdle([&, column] {
      HWND window = column == 0 && OpenBox() ? OpenBox()->Handle() : FindWindow("TPlainMessage", nullptr);
      ASSERT_TRUE(window);
      seen = true;
      RECT r;
      GetWindowRect(window, &r);
      put(column, r, column == 0 ? "skinned: error report" : "plain: error report");
      Screen.PressKey(VK_RETURN);
    });
    App->HandleException(nullptr, Exception("Cannot open file \"D:\\Roms\\a&b.nds\". 系统找不到指定的文件。"));
    EXPECT_TRUE(seen);
  }
  sheet.Save("message_boxes");
}

}  // namespace
}  // namespace kora::test

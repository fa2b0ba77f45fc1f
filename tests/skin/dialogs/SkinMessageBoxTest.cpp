// The skinned message box as a person meets it: its caption, icon, text and
// buttons laid out from the text and the skin, the keys and clicks that
// close it, and the window behind it that waits meanwhile.

#include <algorithm>
#include <vector>

#include "MessageBoxTestSupport.h"
#include "framework/core/FormText.h"
#include "platform/gdi/Gdi.h"
#include "skin/dialogs/bsSkinManager.h"

namespace kora::test {
namespace {

// The pixels an icon draws over white.
std::vector<COLORREF> IconPixels(const TIcon* icon) {
  TBitmap bitmap;
  bitmap.SetSize(32, 32);
  bitmap.Canvas()->Brush()->SetColor(clWhite);
  bitmap.Canvas()->FillRect({0, 0, 32, 32});
  bitmap.Canvas()->Draw(0, 0, icon);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) pixels.push_back(bitmap.Canvas()->Pixels(x, y));
  return pixels;
}

std::vector<COLORREF> SystemIconPixels(int id) {
  TIcon icon;
  icon.LoadSystemIcon(id, 32);
  return IconPixels(&icon);
}

std::vector<TbsSkinButton*> Buttons(TbsMessageForm* box) {
  std::vector<TbsSkinButton*> buttons;
  for (int i = 0; i < box->ControlCount(); ++i)
    if (auto* button = dynamic_cast<TbsSkinButton*>(box->Controls(i))) buttons.push_back(button);
  return buttons;
}

int LineHeight(const TFont* font) {
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->Font()->Assign(font);
  return measure.Canvas()->TextHeight("信");
}

TEST_F(MessageBoxTest, TheEditorsInformationBoxShowsTheAsteriskAndOneCentredYesButton) {
  LoadProgramSkin();
  ShowMain();
  int mainClicks = 0;
  Main->OnClick = [&](TObject*) { ++mainClicks; };
  const int32_t result = Show(kSavedText, mtInformation, {mbYes}, [&](TbsMessageForm* box) {
    EXPECT_EQ(box->Caption(), "信息");
    EXPECT_TRUE(box->SkinForm()->SkinActive());
    auto* label = Part<TbsSkinStdLabel>(box, "Message");
    ASSERT_TRUE(label);
    auto* image = Part<TbsMessageImage>(box, "Image");
    ASSERT_TRUE(image);
    const int iconTop = std::max(10, 15 + label->Height() / 2 - 16);
    EXPECT_EQ(image->BoundsRect(), (RECT{5, iconTop, 37, iconTop + 32}));
    EXPECT_EQ(IconPixels(image->Icon()), SystemIconPixels(IDI_ASTERISK));
    EXPECT_NE(IconPixels(image->Icon()), SystemIconPixels(IDI_EXCLAMATION));

    const std::vector<TbsSkinButton*> buttons = Buttons(box);
    ASSERT_EQ(buttons.size(), 1u);
    TbsSkinButton* yes = buttons[0];
    EXPECT_EQ(yes->Name(), "Yes");
    EXPECT_EQ(yes->Caption(), "是(&Y)");
    EXPECT_EQ(yes->ModalResult(), mrYes);
    EXPECT_TRUE(yes->Default());
    EXPECT_FALSE(yes->Cancel());  // its cancel role falls to OK, which is not there
    // 70 wide, the skin's button height, centred under the text, 10 above the bottom.
    const RECT client = box->ClientRect();
    EXPECT_EQ(yes->BoundsRect(),
              (RECT{(client.Right - 70) / 2, client.Bottom - 35, (client.Right - 70) / 2 + 70, client.Bottom - 10}));
    EXPECT_EQ(client.Bottom, 25 + label->Height() + 50);
    EXPECT_EQ(client.Right, 50 + label->Width() + 40);

    // Centred on the work area by its final size.
    const RECT window = WindowRectOf(box);
    EXPECT_EQ(window.Left, (1024 - (window.Right - window.Left)) / 2);
    EXPECT_EQ(window.Top, (768 - 40 - (window.Bottom - window.Top)) / 2);

    // Modal: the main window takes no input meanwhile.
    EXPECT_FALSE(IsWindowEnabled(Main->Handle()));
    Screen.Click(Main->ClientToScreen({5, 5}));
    Screen.WhenIdle([this] { Screen.PressKey(VK_ESCAPE); });  // no cancel button: nothing
    Screen.WhenIdle([this] {
      ASSERT_TRUE(OpenBox());
      Screen.PressKey(VK_RETURN);
    });
  });
  EXPECT_EQ(result, mrYes);
  EXPECT_EQ(mainClicks, 0);
  EXPECT_TRUE(IsWindowEnabled(Main->Handle()));
  EXPECT_FALSE(OpenBox());

  // The plain letter of "是(&Y)" answers as well.
  EXPECT_EQ(Show(kSavedText, mtInformation, {mbYes}, [this](TbsMessageForm*) { Screen.Type("y"); }), mrYes);
}

TEST_F(MessageBoxTest, OkIsTheDefaultAndCancelAnswersEscape) {
  LoadProgramSkin();
  ShowMain();
  const auto check = [](TbsMessageForm* box) {
    EXPECT_EQ(box->Caption(), "确认");
    const std::vector<TbsSkinButton*> buttons = Buttons(box);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0]->Caption(), "确定");
    EXPECT_EQ(buttons[1]->Caption(), "取消");
    EXPECT_TRUE(buttons[0]->Default());
    EXPECT_FALSE(buttons[0]->Cancel());
    EXPECT_TRUE(buttons[1]->Cancel());
    // A row of 70 + 10 + 70, centred.
    EXPECT_EQ(buttons[1]->Left() - buttons[0]->Left(), 80);
    EXPECT_EQ(buttons[0]->Left(), (box->ClientRect().Right - 150) / 2);
    EXPECT_TRUE(Part<TbsMessageImage>(box, "Image"));
  };
  EXPECT_EQ(Show("继续吗?", mtConfirmation, {mbOK, mbCancel},
                 [&](TbsMessageForm* box) {
                   check(box);
                   Screen.PressKey(VK_ESCAPE);
                 }),
            mrCancel);
  EXPECT_EQ(Show("继续吗?", mtConfirmation, {mbOK, mbCancel}, [this](TbsMessageForm*) { Screen.PressKey(VK_RETURN); }),
            mrOk);
  EXPECT_EQ(Show("继续吗?", mtConfirmation, {mbOK, mbCancel},
                 [this](TbsMessageForm* box) { Screen.Click(Middle(Part<TControl>(box, "Cancel"))); }),
            mrCancel);
  // Tab moves the focus to Cancel; Enter then presses the focused button.
  EXPECT_EQ(Show("继续吗?", mtConfirmation, {mbOK, mbCancel},
                 [this](TbsMessageForm*) {
                   Screen.PressKey(VK_TAB);
                   Screen.PressKey(VK_RETURN);
                 }),
            mrCancel);
}

TEST_F(MessageBoxTest, RolesAndOrderOfEveryButton) {
  LoadProgramSkin();
  const TMsgDlgButtons all = TMsgDlgButtons::FromBits(0xFFFF);  // bits past Help mean nothing
  std::unique_ptr<TbsMessageForm> box = Message->CreateMessageForm("?", mtWarning, all);
  const std::vector<TbsSkinButton*> buttons = Buttons(box.get());
  const std::vector<std::string> names{"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                       "Ignore", "All", "NoToAll", "YesToAll", "Help"};
  const std::vector<std::string> captions{"是(&Y)",   "否(&N)",   "确定",       "取消",       "终止(&A)", "重试(&R)",
                                          "忽略(&I)", "全部(&A)", "全部否(&O)", "全部是(&Y)", "帮助(&H)"};
  ASSERT_EQ(buttons.size(), names.size());
  const int row = 11 * 70 + 10 * 10;
  EXPECT_EQ(box->ClientRect().Right, row + 40);
  for (size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(buttons[i]->Name(), names[i]);
    EXPECT_EQ(buttons[i]->Caption(), captions[i]);
    EXPECT_EQ(buttons[i]->ModalResult(), std::vector<int>({6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 0})[i]);
    EXPECT_EQ(buttons[i]->Left(), 20 + 80 * int(i));
    EXPECT_EQ(buttons[i]->Default(), names[i] == "OK");
    EXPECT_EQ(buttons[i]->Cancel(), names[i] == "Cancel");
  }

  // Yes and No: Yes is the default, No answers Escape. Retry alone is the
  // default; Abort alone has no role.
  box = Message->CreateMessageForm("?", mtWarning, {mbYes, mbNo});
  EXPECT_TRUE(Part<TbsSkinButton>(box.get(), "Yes")->Default());
  EXPECT_TRUE(Part<TbsSkinButton>(box.get(), "No")->Cancel());
  box = Message->CreateMessageForm("?", mtWarning, {mbRetry});
  EXPECT_TRUE(Part<TbsSkinButton>(box.get(), "Retry")->Default());
  box = Message->CreateMessageForm("?", mtWarning, {mbAbort});
  EXPECT_FALSE(Part<TbsSkinButton>(box.get(), "Abort")->Default());
  EXPECT_FALSE(Part<TbsSkinButton>(box.get(), "Abort")->Cancel());
  // OK alone is both.
  box = Message->CreateMessageForm("?", mtWarning, {mbOK});
  EXPECT_TRUE(Part<TbsSkinButton>(box.get(), "OK")->Default());
  EXPECT_TRUE(Part<TbsSkinButton>(box.get(), "OK")->Cancel());
}

TEST_F(MessageBoxTest, TheWindowFitsTheText) {
  LoadProgramSkin();
  // A long single line: 40 pixels more than the text's right edge.
  const std::string line = "无法打开文件 \"D:\\Roms\\Fire Emblem\\backup\\working-copy.nds\", 请检查路径是否正确。";
  std::unique_ptr<TbsMessageForm> box = Message->CreateMessageForm(line, mtError, {mbOK});
  auto* label = Part<TbsSkinStdLabel>(box.get(), "Message");
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->Font()->Assign(Message->DefaultFont());
  EXPECT_EQ(label->Width(), measure.Canvas()->TextWidth(line));
  EXPECT_EQ(label->Left(), 50);
  EXPECT_EQ(label->Top(), 15);
  EXPECT_EQ(box->ClientRect().Right, 50 + label->Width() + 40);
  EXPECT_EQ(box->Caption(), "错误");

  // The editor's texts: LF CR breaks the line once, not twice.
  const int line1 = LineHeight(Message->DefaultFont());
  box = Message->CreateMessageForm(kSavedText, mtInformation, {mbYes});
  label = Part<TbsSkinStdLabel>(box.get(), "Message");
  EXPECT_EQ(label->Height(), 2 * line1);
  EXPECT_EQ(label->Width(), measure.Canvas()->TextWidth("数据导入成功!"));
  box = Message->CreateMessageForm(kAboutText, mtInformation, {mbYes});
  label = Part<TbsSkinStdLabel>(box.get(), "Message");
  // Three headed sections with a blank line between them: seven lines.
  EXPECT_EQ(label->Height(), 7 * line1);
  EXPECT_EQ(label->Width(), measure.Canvas()->TextWidth("游戏数据分析资料与玩家整理的数值表"));
  EXPECT_EQ(box->ClientRect().Bottom, 25 + 7 * line1 + 50);
  // The icon stands by the middle of a tall text.
  EXPECT_EQ(Part<TControl>(box.get(), "Image")->Top(), 15 + 7 * line1 / 2 - 16);

  // A text wider than the screen wraps, between Chinese characters or at
  // spaces, inside a box that fits the work area and grows in height: its
  // end is shown, not cut off at the screen's edge.
  std::string huge;
  while (measure.Canvas()->TextWidth(huge) < 1500) huge += "很长的一行文字 ";
  huge += "ROM 未被改动。";
  box = Message->CreateMessageForm(huge, mtError, {mbOK});
  label = Part<TbsSkinStdLabel>(box.get(), "Message");
  EXPECT_LE(box->Width(), box->SkinForm()->States().GetMaxWidth());
  EXPECT_LE(label->Left() + label->Width() + 40, box->ClientRect().Right);
  EXPECT_GE(label->Height(), 2 * line1);
  EXPECT_EQ(box->ClientRect().Bottom, 25 + label->Height() + 50);
  EXPECT_EQ(Part<TControl>(box.get(), "OK")->Left(), (box->ClientRect().Right - 70) / 2);
  box->Show();
  Screen.RunUntilIdle();
  Screen.SaveArtifact("message-box-wrapped");
  box.reset();

  // An "&" in the text is shown, not taken as an accelerator.
  box = Message->CreateMessageForm("R&D", mtError, {mbOK});
  EXPECT_EQ(Part<TControl>(box.get(), "Message")->Width(), measure.Canvas()->TextWidth("R&D"));
}

TEST_F(MessageBoxTest, ACustomMessageHasNoIconAndTheApplicationsTitle) {
  LoadProgramSkin();
  std::unique_ptr<TbsMessageForm> box = Message->CreateMessageForm("Kora", mtCustom, {mbOK});
  EXPECT_EQ(box->Caption(), "Kora Editor");
  EXPECT_FALSE(box->FindComponent("Image"));
  // A kind past the table counts as custom.
  box = Message->CreateMessageForm("Kora", TMsgDlgType(9), {mbOK});
  EXPECT_EQ(box->Caption(), "Kora Editor");
  EXPECT_FALSE(box->FindComponent("Image"));

  const std::vector<std::pair<TMsgDlgType, std::string>> kinds{
      {mtWarning, "警告"}, {mtError, "错误"}, {mtInformation, "信息"}, {mtConfirmation, "确认"}};
  const std::vector<int> icons{IDI_EXCLAMATION, IDI_HAND, IDI_ASTERISK, IDI_QUESTION};
  for (size_t i = 0; i < kinds.size(); ++i) {
    box = Message->CreateMessageForm("Kora", kinds[i].first, {mbOK});
    EXPECT_EQ(box->Caption(), kinds[i].second);
    EXPECT_EQ(IconPixels(Part<TbsMessageImage>(box.get(), "Image")->Icon()), SystemIconPixels(icons[i])) << i;
  }
}

TEST_F(MessageBoxTest, TheShowAgainCheckBox) {
  LoadProgramSkin();
  ShowMain();
  Message->ShowAgainFlag = true;
  Message->ShowAgainFlagValue = false;
  const int32_t result = Show(kSavedText, mtInformation, {mbYes}, [this](TbsMessageForm* box) {
    auto* check = Part<TbsSkinCheckRadioBox>(box, "checkbox");
    ASSERT_TRUE(check);
    EXPECT_EQ(check->Caption(), "不再显示该信息");
    EXPECT_TRUE(check->Checked());  // not ShowAgainFlagValue
    EXPECT_NE(check->RecordIndex(), -1);
    auto* label = Part<TControl>(box, "Message");
    const RECT client = box->ClientRect();
    EXPECT_EQ(client.Bottom, 25 + label->Height() + 50 + 40);
    EXPECT_EQ(check->Left(), 5);
    EXPECT_EQ(check->Top(), client.Bottom - 25 - 50);
    // The skin's check box is a strip of fixed height.
    EXPECT_EQ(check->Height(), 17);
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->Font()->Assign(check->DefaultFont());
    EXPECT_EQ(check->Width(), measure.Canvas()->TextWidth("不再显示该信息") + 55);
    Screen.Click(Middle(check));
    Screen.WhenIdle([this, check] {
      EXPECT_FALSE(check->Checked());
      Screen.Click(Middle(Part<TControl>(OpenBox(), "Yes")));
    });
  });
  EXPECT_EQ(result, mrYes);
  EXPECT_TRUE(Message->ShowAgainFlagValue);  // left unchecked: true

  // Checked when it closes: false again; the frame's close gives mrCancel.
  Message->ShowAgainFlagValue = false;
  EXPECT_EQ(Show(kSavedText, mtInformation, {mbYes},
                 [](TbsMessageForm* box) {
                   EXPECT_TRUE(Part<TbsSkinCheckRadioBox>(box, "checkbox")->Checked());
                   box->Close();
                   PostMessage(box->Handle(), WM_NULL, 0, 0);  // wakes the loop to see it
                 }),
            mrCancel);
  EXPECT_FALSE(Message->ShowAgainFlagValue);

  // Off, there is no check box and the flag stays as it is.
  Message->ShowAgainFlag = false;
  Message->ShowAgainFlagValue = true;
  std::unique_ptr<TbsMessageForm> box = Message->CreateMessageForm("x", mtInformation, {mbYes});
  EXPECT_FALSE(box->FindComponent("checkbox"));
}

TEST_F(MessageBoxTest, TextsComeFromTheSkinsStringTable) {
  LoadProgramSkin();
  auto* strings = new TbsResourceStrData(Main.get());
  Skin->SetResourceStrData(strings);
  Message->ShowAgainFlag = true;
  std::unique_ptr<TbsMessageForm> box = Message->CreateMessageForm("x", mtInformation, {mbYes, mbNo});
  EXPECT_EQ(box->Caption(), "Information");
  EXPECT_EQ(Part<TControl>(box.get(), "Yes")->Caption(), "&Yes");
  EXPECT_EQ(Part<TControl>(box.get(), "No")->Caption(), "&No");
  EXPECT_EQ(Part<TControl>(box.get(), "checkbox")->Caption(), "Do not show this message again");

  // An empty entry keeps the built-in text.
  strings->ResStrings()->SetValue("MSG_CAP_SHOWFLAG", "");
  strings->ResStrings()->SetValue("MSG_BTN_NO", "");
  box = Message->CreateMessageForm("x", mtInformation, {mbYes, mbNo});
  EXPECT_EQ(Part<TControl>(box.get(), "checkbox")->Caption(), "不再显示该信息");
  EXPECT_EQ(Part<TControl>(box.get(), "No")->Caption(), "否(&N)");

  // The table's accelerators work: N presses "&No".
  ShowMain();
  Message->ShowAgainFlag = false;
  strings->ResStrings()->SetValue("MSG_BTN_NO", "&No");
  EXPECT_EQ(Show("x", mtInformation, {mbYes, mbNo}, [this](TbsMessageForm*) { Screen.Type("n"); }), mrNo);
}

TEST_F(MessageBoxTest, HelpShowsTheContextAndAnEmptySetClosesOnlyThroughTheFrame) {
  LoadProgramSkin();
  ShowMain();
  std::vector<int32_t> asked;
  App->OnHelp = [&](uint16_t, int32_t data, bool&) {
    asked.push_back(data);
    return true;
  };
  Screen.WhenIdle([this] { Screen.Click(Middle(Part<TControl>(OpenBox(), "Help"))); });
  Screen.WhenIdle([this] {
    ASSERT_TRUE(OpenBox());  // help does not close the box
    Screen.Click(Middle(Part<TControl>(OpenBox(), "OK")));
  });
  EXPECT_EQ(Message->ShowMessageBox("x", mtInformation, {mbOK, mbHelp}, 42), mrOk);
  EXPECT_EQ(asked, std::vector<int32_t>{42});

  EXPECT_EQ(
      Show(
          "x", mtWarning, {},
          [this](TbsMessageForm* box) {
            EXPECT_TRUE(Buttons(box).empty());
            // Only the frame's close button is left: caption buttons off.
            EXPECT_TRUE(box->SkinForm()->BorderIcons().Empty());
            Screen.PressKey(VK_RETURN);
            Screen.PressKey(VK_ESCAPE);
            Screen.WhenIdle([this] {
              TbsMessageForm* open = OpenBox();
              ASSERT_TRUE(open);
              const RECT close = open->SkinForm()->FrameObjects().Find("closebutton")->ObjectRect;
              const RECT window = WindowRectOf(open);
              Screen.Click({window.Left + (close.Left + close.Right) / 2, window.Top + (close.Top + close.Bottom) / 2});
            });
          }),
      mrCancel);
}

TEST_F(MessageBoxTest, WithoutASkinTheBoxHasTheDefaultLook) {
  Message->SetSkinData(nullptr);
  Message->SetCtrlSkinData(nullptr);
  ShowMain();
  EXPECT_EQ(Message->ButtonHeight(), 25);
  EXPECT_EQ(Show(kSavedText, mtInformation, {mbYes},
                 [this](TbsMessageForm* box) {
                   EXPECT_FALSE(box->SkinForm()->SkinActive());
                   auto* yes = Part<TbsSkinButton>(box, "Yes");
                   EXPECT_EQ(yes->RecordIndex(), -1);
                   EXPECT_EQ(yes->Height(), 25);
                   Screen.PressKey(VK_RETURN);
                 }),
            mrYes);
}

TEST_F(MessageBoxTest, TheButtonHeightIsTheSkinsAndTheSettingsReachTheParts) {
  LoadProgramSkin();
  EXPECT_EQ(Message->ButtonHeight(), 25);
  Message->ButtonSkinDataName = "resizebutton";  // another button record
  const TbsDataSkinControl* record = Skin->ControlRecord(Skin->FindControlRecord("resizebutton"));
  EXPECT_EQ(Message->ButtonHeight(), HeightOf(record->SkinRect));
  Message->ButtonSkinDataName = "stdlabel";  // not a button record
  EXPECT_EQ(Message->ButtonHeight(), 25);
  Message->ButtonSkinDataName = "button";

  Message->AlphaBlend = true;
  Message->AlphaBlendAnimation = true;
  Message->AlphaBlendValue = 180;
  Message->UseSkinFont = true;
  Message->DefaultButtonFont()->SetStyle({fsBold});
  std::unique_ptr<TbsMessageForm> box = Message->CreateMessageForm("x", mtInformation, {mbYes});
  TbsSkinForm* frame = box->SkinForm();
  EXPECT_TRUE(frame->AlphaBlend);
  EXPECT_TRUE(frame->AlphaBlendAnimation);
  EXPECT_EQ(frame->AlphaBlendValue, 180);
  EXPECT_EQ(frame->SkinData(), Skin);
  EXPECT_EQ(frame->MenusSkinData(), Skin);
  auto* yes = Part<TbsSkinButton>(box.get(), "Yes");
  EXPECT_TRUE(yes->UseSkinFont());
  EXPECT_EQ(yes->DefaultFont()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(yes->SkinData(), Skin);
  EXPECT_TRUE(Part<TbsSkinStdLabel>(box.get(), "Message")->UseSkinFont());
  EXPECT_EQ(Part<TbsSkinStdLabel>(box.get(), "Message")->SkinDataName(), "stdlabel");
}

// The skin manager reaches a message's SkinData but not its CtrlSkinData,
// and a skin that goes away is forgotten.
TEST_F(MessageBoxTest, TheSkinManagerSetsTheSkinAndARemovedSkinIsForgotten) {
  RegisterSkinDialogClasses();
  TForm form(nullptr);
  auto* skin = new TbsSkinData(&form);
  skin->SetName("bsSkinData1");
  ReadComponentText(
      "object frmMain: TForm\n"
      "  object bsSkinMessage2: TbsSkinMessage\n"
      "    SkinData = bsSkinData1\n    CtrlSkinData = bsSkinData1\n"
      "  end\n"
      "  object SkinManager1: TSkinManager\n"
      "  end\n"
      "end\n",
      &form);
  auto* message = dynamic_cast<TbsSkinMessage*>(form.FindComponent("bsSkinMessage2"));
  ASSERT_TRUE(message);
  auto* other = new TbsSkinData(&form);
  dynamic_cast<TSkinManager*>(form.FindComponent("SkinManager1"))->SetSkinData(other);
  EXPECT_EQ(message->SkinData(), other);
  EXPECT_EQ(message->CtrlSkinData(), skin);

  delete skin;
  EXPECT_EQ(message->CtrlSkinData(), nullptr);
  delete other;
  EXPECT_EQ(message->SkinData(), nullptr);
}

}  // namespace
}  // namespace kora::test

// The popup menu that opens through the frame's engine: nothing without a
// frame, the frame's menu state and settings while it is open, the asking
// control told 1228 and 1229, and its close event.

#include <string>
#include <vector>

#include "SkinMenuTestSupport.h"

namespace kora::test {
namespace {

// A control that notes the engine's messages.
class TListener : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::vector<UINT> Heard;

protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_BSMENUCLOSED || message.Msg == WM_BSMENUCOMMAND) Heard.push_back(message.Msg);
    TWinControl::WndProc(message);
  }
};

class SkinPopupMenuTest : public SkinMenuTest {
protected:
  void SetUp() override {
    SkinMenuTest::SetUp();
    LoadProgramSkin();
    ShowForm();
    Popup = new TbsSkinPopupMenu(Form.get());
    for (const char* caption : {"&One", "T&wo", "Th&ree", "&Four", "F&ive"}) Add(Popup->Items(), "", caption);
    Popup->SetOnPopup([this](TObject*) { Events.push_back("popup"); });
    Popup->SetOnMenuClose([this](TObject*) { Events.push_back("close"); });
    Frame->OnSkinMenuOpen = [this](TObject*) { Events.push_back("frame open"); };
    Frame->OnSkinMenuClose = [this](TObject*) { Events.push_back("frame close"); };
  }

  TbsSkinPopupMenu* Popup = nullptr;
  std::vector<std::string> Events;
};

TEST_F(SkinPopupMenuTest, ItOpensThroughTheFrameWithTheFramesSettings) {
  Frame->SetMaxMenuItemsInWindow(3);
  Frame->MenusAlphaBlend = true;
  Frame->MenusAlphaBlendValue = 180;
  bool open = false;
  Step([&] {
    open = Frame->MenuMode().MenuOpen();
    ASSERT_TRUE(Engine->PopupWindow(0));
    EXPECT_TRUE(Engine->PopupWindow(0)->Limited);
    EXPECT_EQ(Engine->PopupWindow(0)->Alpha, 180);
    EXPECT_EQ(Engine->PopupWindow(0)->ScreenRect().TopLeft(), (POINT{300, 250}));
    Events.push_back("shown");
    Screen.PressKey('W');
  });
  Popup->Popup(300, 250);
  EXPECT_TRUE(open);
  EXPECT_FALSE(Frame->MenuMode().MenuOpen());
  EXPECT_EQ(Popup->LastPopupPoint(), (POINT{300, 250}));
  EXPECT_EQ(Events, (std::vector<std::string>{"popup", "frame open", "shown", "frame close", "close"}));
  ASSERT_EQ(Clicked.size(), 1u);
  EXPECT_EQ(Clicked[0]->Caption(), "T&wo");
}

TEST_F(SkinPopupMenuTest, TheAskingControlHearsTheCloseAndTheCommand) {
  auto* edit = new TListener(Form.get());
  edit->SetParent(Form.get());
  edit->SetBounds(10, 40, 100, 20);
  Key(VK_ESCAPE);
  Popup->PopupFromEdit(edit, 100, 100);
  EXPECT_EQ(edit->Heard, (std::vector<UINT>{WM_BSMENUCLOSED}));
  edit->Heard.clear();
  Key(VK_RETURN);
  Popup->PopupFromEdit(edit, 100, 100);
  EXPECT_EQ(edit->Heard, (std::vector<UINT>{WM_BSMENUCLOSED, WM_BSMENUCOMMAND}));
  EXPECT_EQ(Engine->CommandControl(), edit);
  // Refused without a skin.
  Popup->SetSkinData(new TbsSkinData(Form.get()));
  edit->Heard.clear();
  Popup->PopupFromEdit(edit, 100, 100);
  EXPECT_TRUE(edit->Heard.empty());
  delete edit;
  EXPECT_EQ(Engine->CommandControl(), nullptr);
}

TEST_F(SkinPopupMenuTest, WithoutAFrameOrVisibleItemsNothingOpens) {
  TForm bare(nullptr);
  auto* lonely = new TbsSkinPopupMenu(&bare);
  Add(lonely->Items(), "", "&One");
  bool popped = false;
  lonely->SetOnPopup([&](TObject*) { popped = true; });
  lonely->Popup(100, 100);  // returns at once: no loop waits for input
  EXPECT_TRUE(popped);
  EXPECT_EQ(Screen.PendingIdleSteps(), 0u);
  for (int i = 0; i < Popup->Items()->Count(); ++i) Popup->Items()->Items(i)->SetVisible(false);
  Popup->Popup(100, 100);
  EXPECT_FALSE(Frame->MenuMode().MenuOpen());
  EXPECT_EQ(Events, (std::vector<std::string>{"popup"}));
}

}  // namespace
}  // namespace kora::test

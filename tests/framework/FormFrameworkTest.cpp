// What forms offer the components that own a frame, a menu bar or a dialog:
// the create handler's moment, the client size, re-aligning, minimizing,
// the short-cut hook, plain-letter accelerators, the window's icon and
// state, and the creation parameters hook.

#include <memory>
#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/FormText.h"
#include "framework/menus/Menus.h"

namespace kora::test {
namespace {

class FormFrameworkTest : public FormFixture {
protected:
  void SetUp() override {
    FormFixture::SetUp();
    RegisterFrameworkClasses();
  }
  // A shown form of 300 x 200 at (100, 100), the application's main form.
  void ShowForm() {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(100, 100, 300, 200);
    App->SetMainForm(Form.get());
    Form->Show();
    Screen.RunUntilIdle();
  }
  RECT Client() const {
    RECT r;
    GetClientRect(Form->Handle(), &r);
    return r;
  }
};

TEST_F(FormFrameworkTest, OnCreateRunsOnceEveryComponentOfTheStreamIsLoaded) {
  Form = std::make_unique<TForm>(nullptr);
  std::vector<std::string> seen;
  Form->OnCreate = [&](TObject*) {
    for (int i = 0; i < Form->ComponentCount(); ++i) {
      TComponent* c = Form->Components(i);
      seen.push_back(c->Name() + (c->ComponentState().Contains(csLoading) ? " loading" : " loaded"));
    }
    // An assignment in the handler is an ordinary one: the label sizes itself.
    auto* label = dynamic_cast<TLabel*>(Form->FindComponent("Label1"));
    label->SetCaption("A much longer caption");
  };
  ReadComponentText(
      "object Form1: TForm\n"
      "  object Label1: TLabel\n    Caption = 'Short'\n  end\n"
      "  object List1: TListBox\n    Left = 10\n  end\n"
      "end\n",
      Form.get());
  EXPECT_EQ(seen, (std::vector<std::string>{"Label1 loaded", "List1 loaded"}));
  auto* label = dynamic_cast<TLabel*>(Form->FindComponent("Label1"));
  EXPECT_GT(label->Width(), label->Canvas()->TextWidth("Short"));
}

// A form class whose destroy handler reads a member of its own.
class TFormWithMember : public TForm {
public:
  using TForm::TForm;
  ~TFormWithMember() override {
    DoDestroy();
    Member.reset();
  }
  std::unique_ptr<std::string> Member = std::make_unique<std::string>("kept");
};

TEST_F(FormFrameworkTest, OnDestroyRunsOnceWhileTheDerivedFormStillHasItsMembers) {
  auto form = std::make_unique<TFormWithMember>(nullptr);
  std::vector<std::string> seen;
  TFormWithMember* raw = form.get();
  form->OnDestroy = [&](TObject*) { seen.push_back(raw->Member ? *raw->Member : "gone"); };
  ReadComponentText("object Form1: TForm\nend\n", form.get());
  form.reset();
  EXPECT_EQ(seen, (std::vector<std::string>{"kept"}));

  // A form never made from a stream hears no destroy.
  auto plain = std::make_unique<TFormWithMember>(nullptr);
  plain->OnDestroy = [&](TObject*) { seen.push_back("plain"); };
  plain.reset();
  EXPECT_EQ(seen.size(), 1u);
}

TEST_F(FormFrameworkTest, AClientSizeSetEarlyIsKeptThroughTheFrameAndItsChanges) {
  Form = std::unique_ptr<TForm>(static_cast<TForm*>(
      ReadComponentText("object Form1: TForm\n  Left = 50\n  Top = 40\n  Width = 562\n  Height = 465\n"
                        "  ClientWidth = 554\n  ClientHeight = 434\n"
                        "  object List1: TListBox\n    Align = alClient\n  end\n"
                        "end\n")));
  EXPECT_EQ(Form->ClientWidth(), 554);  // before the window exists
  Form->Show();
  Screen.RunUntilIdle();
  auto* list = dynamic_cast<TListBox*>(Form->FindComponent("List1"));
  EXPECT_EQ(Client(), (RECT{0, 0, 554, 434}));
  EXPECT_EQ(list->BoundsRect(), (RECT{0, 0, 554, 434}));

  // Without a caption the window shrinks around the same client area.
  const HWND hwnd = Form->Handle();
  SetWindowLong(hwnd, GWL_STYLE, GetWindowLong(hwnd, GWL_STYLE) & ~LONG_PTR(WS_CAPTION));
  SetWindowPos(hwnd, HWND{}, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  Screen.RunUntilIdle();
  EXPECT_EQ(Client(), (RECT{0, 0, 554, 434}));
  EXPECT_LT(Form->Height(), 465);

  // A size the program gives is the client size asked for from then on.
  Form->SetClientWidth(400);
  EXPECT_EQ(Client().Right, 400);
  Form->SetBounds(Form->Left(), Form->Top(), Form->Width() + 20, Form->Height());
  SetWindowLong(hwnd, GWL_STYLE, GetWindowLong(hwnd, GWL_STYLE) | WS_CAPTION);
  SetWindowPos(hwnd, HWND{}, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  Screen.RunUntilIdle();
  EXPECT_EQ(Client(), (RECT{0, 0, 420, 434}));
  EXPECT_EQ(list->BoundsRect(), (RECT{0, 0, 420, 434}));
}

TEST_F(FormFrameworkTest, AFrameChangeAloneReAlignsTheChildren) {
  ShowForm();
  auto* list = new TListBox(Form.get());
  list->SetParent(Form.get());
  list->SetAlign(alClient);
  Screen.RunUntilIdle();
  const RECT before = Client();
  const HWND hwnd = Form->Handle();
  SetWindowLong(hwnd, GWL_STYLE, GetWindowLong(hwnd, GWL_STYLE) & ~LONG_PTR(WS_CAPTION | WS_THICKFRAME));
  SetWindowPos(hwnd, HWND{}, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  Screen.RunUntilIdle();
  EXPECT_EQ(Form->Width(), 300);  // the window kept its size
  EXPECT_GT(Client().Bottom, before.Bottom);
  EXPECT_EQ(list->BoundsRect(), Client());
}

TEST_F(FormFrameworkTest, MinimizeAndRestoreWorkEveryTime) {
  ShowForm();
  std::vector<std::string> log;
  App->OnMinimize = [&](TObject*) { log.push_back("minimize"); };
  App->OnRestore = [&](TObject*) { log.push_back("restore"); };
  const HWND hwnd = Form->Handle();
  for (int round = 0; round < 2; ++round) {
    // The window system's buttons.
    SendMessage(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(App->Minimized());
    EXPECT_EQ(Form->WindowState(), wsMinimized);
    SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(App->Minimized());
    EXPECT_EQ(Form->WindowState(), wsNormal);
    // The application's calls, undone by the window system.
    App->Minimize();
    EXPECT_TRUE(IsIconic(hwnd));
    SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(App->Minimized());
  }
  EXPECT_EQ(log, (std::vector<std::string>{"minimize", "restore", "minimize", "restore", "minimize", "restore",
                                           "minimize", "restore"}));
}

TEST_F(FormFrameworkTest, WindowStateIconAndCreationParameters) {
  Form = std::make_unique<TForm>(nullptr);
  Form->SetWindowState(wsMaximized);
  TIcon icon;
  icon.LoadSystemIcon(IDI_APPLICATION, 32);
  Form->SetIcon(&icon);
  // A frame of our own: no caption, however often the window is made.
  Form->SetCreateParamsHook([](TCreateParams& params) { params.Style &= ~DWORD(WS_CAPTION); });
  Form->Show();
  Screen.RunUntilIdle();
  EXPECT_TRUE(IsZoomed(Form->Handle()));
  EXPECT_NE(SendMessage(Form->Handle(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_FALSE(GetWindowLong(Form->Handle(), GWL_STYLE) & WS_CAPTION);
  Form->SetBorderStyle(bsDialog);  // makes the window again
  Screen.RunUntilIdle();
  EXPECT_FALSE(GetWindowLong(Form->Handle(), GWL_STYLE) & WS_CAPTION);
  EXPECT_NE(SendMessage(Form->Handle(), WM_GETICON, ICON_BIG, 0), 0);
  Form->SetWindowState(wsNormal);
  EXPECT_FALSE(IsZoomed(Form->Handle()));
  EXPECT_EQ(Form->WindowState(), wsNormal);
}

// A push button that answers its accelerator, like a dialog's "是(&Y)".
class TAccelButton : public TCustomControl {
public:
  TAccelButton(TComponent* owner, std::string caption) : TCustomControl(owner), FCaption(std::move(caption)) {
    SetTabStop(true);
  }
  int Clicks = 0;

protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == CM_DIALOGCHAR && IsAccel(char32_t(message.WParam), FCaption)) {
      ++Clicks;
      message.Result = 1;
      return;
    }
    TCustomControl::WndProc(message);
  }

private:
  std::string FCaption;
};

TEST_F(FormFrameworkTest, PlainLettersReachAcceleratorsUnlessTheFocusWantsCharacters) {
  ShowForm();
  auto* yes = new TAccelButton(Form.get(), "是(&Y)");
  yes->SetParent(Form.get());
  yes->SetBounds(10, 10, 70, 25);
  auto* edit = new TEdit(Form.get());
  edit->SetParent(Form.get());
  edit->SetBounds(10, 50, 100, 22);
  Screen.RunUntilIdle();

  yes->SetFocus();
  Screen.Type("y");
  Screen.RunUntilIdle();
  EXPECT_EQ(yes->Clicks, 1);
  edit->SetFocus();
  Screen.Type("y");
  Screen.RunUntilIdle();
  EXPECT_EQ(yes->Clicks, 1);
  EXPECT_EQ(edit->Text(), "y");
  Keys({VK_MENU}, 'Y');  // Alt+Y reaches it from anywhere
  EXPECT_EQ(yes->Clicks, 2);
}

TEST_F(FormFrameworkTest, TheShortCutHookRunsBeforeTheFocusAndTheAccelerators) {
  ShowForm();
  auto* edit = new TEdit(Form.get());
  edit->SetParent(Form.get());
  edit->SetBounds(10, 50, 100, 22);
  auto* file = new TAccelButton(Form.get(), "文件(&F)");
  file->SetParent(Form.get());
  // A menu the form does not show as its Menu, reached through the hook.
  auto* menu = new TMainMenu(Form.get());
  auto* open = new TMenuItem(menu);
  open->SetCaption("Open");
  open->SetShortCut(ShortCut('O', {ssCtrl}));
  int opened = 0;
  open->SetOnClick([&](TObject*) { ++opened; });
  menu->Items()->Add(open);
  std::vector<std::string> hooked;
  Form->OnShortCut = [&](const MSG& msg, bool& handled) {
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == 'F') {
      hooked.push_back("Alt+F");
      handled = true;
    } else {
      handled = menu->IsShortCut(WORD(msg.wParam), KeyboardShiftState());
    }
  };
  std::vector<WORD> editKeys;
  edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { editKeys.push_back(key); };
  Screen.RunUntilIdle();
  edit->SetFocus();

  Keys({VK_MENU}, 'F');
  EXPECT_EQ(hooked, (std::vector<std::string>{"Alt+F"}));
  EXPECT_EQ(file->Clicks, 0);  // the accelerator came second
  Keys({VK_CONTROL}, 'O');
  EXPECT_EQ(opened, 1);
  // The modifiers reach the edit, the keys they made short-cuts do not.
  EXPECT_EQ(editKeys, (std::vector<WORD>{VK_MENU, VK_CONTROL}));

  MSG msg{Form->Handle(), WM_SYSKEYDOWN, 'F', 0};
  EXPECT_TRUE(Form->IsShortCut(msg));
}

}  // namespace
}  // namespace kora::test

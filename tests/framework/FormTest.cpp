#include <memory>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "framework/forms/Forms.h"
#include "framework/menus/Menus.h"

namespace kora::test {
namespace {

// The smallest push button: the default one takes Enter, the cancel one
// Escape, and a click sets the form's modal result.
class TTestButton : public TCustomControl {
public:
  explicit TTestButton(TComponent* owner) : TCustomControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 75, 23);
  }
  bool Default = false;
  bool Cancel = false;
  TModalResult ModalResult = mrNone;

  void Click() override {
    if (auto* form = dynamic_cast<TCustomForm*>(GetParentForm(this)); form && ModalResult != mrNone)
      form->SetModalResult(ModalResult);
    TCustomControl::Click();
  }

protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == CM_DIALOGKEY &&
        ((message.WParam == VK_RETURN && Default) || (message.WParam == VK_ESCAPE && Cancel))) {
      Click();
      message.Result = 1;
      return;
    }
    TCustomControl::WndProc(message);
  }
  void Paint() override {
    RECT r = ClientRect();
    Canvas()->Brush()->SetColor(Default ? clNavy : clSilver);
    Canvas()->FillRect(r);
  }
};

class FormTest : public HeadlessTest {
protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    App = std::make_unique<TApplication>(nullptr);
    App->SetTitle("Kora Editor");
  }
  void TearDown() override {
    Dialog.reset();
    App.reset();
    HeadlessTest::TearDown();
  }

  // A centred dialog with OK (default) and Cancel (cancel) buttons.
  void MakeDialog() {
    Dialog = std::make_unique<TForm>(nullptr);
    Dialog->SetCaption("Confirm");
    Dialog->SetBorderStyle(bsDialog);
    Dialog->SetPosition(poScreenCenter);
    Dialog->SetClientSize(200, 80);
    Ok = new TTestButton(Dialog.get());
    Ok->SetParent(Dialog.get());
    Ok->SetBounds(20, 40, 75, 23);
    Ok->Default = true;
    Ok->ModalResult = mrOk;
    Cancel = new TTestButton(Dialog.get());
    Cancel->SetParent(Dialog.get());
    Cancel->SetBounds(105, 40, 75, 23);
    Cancel->Cancel = true;
    Cancel->ModalResult = mrCancel;
  }
  POINT Centre(TControl* control) { return control->ClientToScreen({control->Width() / 2, control->Height() / 2}); }

  std::unique_ptr<TApplication> App;
  std::unique_ptr<TForm> Dialog;
  TTestButton* Ok = nullptr;
  TTestButton* Cancel = nullptr;
};

TEST_F(FormTest, ModalDialogAnswersEnterEscapeAndClicks) {
  MakeDialog();
  Screen.WhenIdle([&] {
    EXPECT_TRUE(Dialog->Modal());
    Screen.SaveArtifact("form_modal_dialog");
    Screen.PressKey(VK_RETURN);
  });
  EXPECT_EQ(Dialog->ShowModal(), mrOk);
  EXPECT_FALSE(Dialog->Visible());
  EXPECT_FALSE(Dialog->Modal());

  Screen.WhenIdle([&] { Screen.PressKey(VK_ESCAPE); });
  EXPECT_EQ(Dialog->ShowModal(), mrCancel);

  Screen.WhenIdle([&] { Screen.Click(Centre(Ok)); });
  EXPECT_EQ(Dialog->ShowModal(), mrOk);
}

TEST_F(FormTest, CloseAsksFirstAndTheMainFormEndsTheApplication) {
  TForm main(nullptr);
  App->SetMainForm(&main);
  main.Show();
  bool allow = false;
  std::vector<std::string> log;
  main.OnCloseQuery = [&](TObject*, bool& canClose) {
    log.push_back("query");
    canClose = allow;
  };
  main.OnClose = [&](TObject*, TCloseAction& action) {
    log.push_back(action == caFree ? "close free" : "close other");
  };
  main.Close();
  EXPECT_TRUE(main.Visible());
  allow = true;
  SendMessage(main.Handle(), WM_CLOSE, 0, 0);  // the frame's close button
  EXPECT_FALSE(main.Visible());
  EXPECT_TRUE(App->Terminated());
  EXPECT_EQ(log, (std::vector<std::string>{"query", "query", "close free"}));
}

TEST_F(FormTest, KeyPreviewAndMenuShortCutsComeFirst) {
  TForm form(nullptr);
  auto* menu = new TMainMenu(&form);
  auto* save = new TMenuItem(&form);
  menu->Items()->Add(save);
  save->SetShortCut(ShortCut('S', {ssCtrl}));
  int saved = 0;
  save->SetOnClick([&](TObject*) { ++saved; });
  form.SetMenu(menu);
  auto* button = new TTestButton(&form);
  button->SetParent(&form);
  std::vector<WORD> buttonKeys;
  button->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { buttonKeys.push_back(key); };
  form.Show();
  SetActiveWindow(form.Handle());
  button->SetFocus();

  form.SetKeyPreview(true);
  form.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    if (key == 'Q') key = 0;  // eaten by the form
  };
  Screen.PressKey('Q');
  Screen.PressKey('W');
  Screen.KeyDown(VK_CONTROL);
  Screen.PressKey('S');
  Screen.KeyUp(VK_CONTROL);
  Screen.RunUntilIdle();
  EXPECT_EQ(buttonKeys, (std::vector<WORD>{'W', VK_CONTROL}));
  EXPECT_EQ(saved, 1);
}

}  // namespace
}  // namespace kora::test

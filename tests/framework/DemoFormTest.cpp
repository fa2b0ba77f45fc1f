#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/ClassBuilder.h"
#include "framework/core/Filer.h"
#include "framework/core/FormText.h"
#include "framework/menus/Menus.h"

namespace kora::test {
namespace {

// The form class the description names; its handlers are bound by name.
class TDemoForm : public TForm {
  KORA_CLASS(TDemoForm, TForm)
  using TForm::TForm;

  void FormCreate(TObject*) { Log.push_back("create"); }
  void NameEditChange(TObject*) { ++NameChanges; }
  void ItemListClick(TObject* sender) {
    auto* list = static_cast<TListBox*>(sender);
    Log.push_back("pick " + list->Items()->Strings(list->ItemIndex()));
  }
  void PagesChange(TObject* sender) {
    Log.push_back("page " + static_cast<TPageControl*>(sender)->ActivePage()->Caption());
  }
  void OpenItemClick(TObject*) { Log.push_back("open"); }
  void SaveItemClick(TObject*) { Log.push_back("save"); }
  void ExitItemClick(TObject*) { Close(); }
  void AboutItemClick(TObject*) { Log.push_back("about"); }
  void RemoveItemClick(TObject*) {
    auto* popup = static_cast<TPopupMenu*>(FindComponent("ListPopup"));
    auto* list = static_cast<TListBox*>(popup->PopupComponent());
    Log.push_back("remove " + list->Items()->Strings(list->ItemIndex()));
    list->Items()->Delete(list->ItemIndex());
  }
  void SortItemClick(TObject*) { Log.push_back("sort"); }

  std::vector<std::string> Log;
  int NameChanges = 0;
};

TClass TDemoForm::StaticClass() {
  static const TClassInfo info(TClassBuilder<TDemoForm>("TDemoForm")
                                   .Method("FormCreate", &TDemoForm::FormCreate)
                                   .Method("NameEditChange", &TDemoForm::NameEditChange)
                                   .Method("ItemListClick", &TDemoForm::ItemListClick)
                                   .Method("PagesChange", &TDemoForm::PagesChange)
                                   .Method("OpenItemClick", &TDemoForm::OpenItemClick)
                                   .Method("SaveItemClick", &TDemoForm::SaveItemClick)
                                   .Method("ExitItemClick", &TDemoForm::ExitItemClick)
                                   .Method("AboutItemClick", &TDemoForm::AboutItemClick)
                                   .Method("RemoveItemClick", &TDemoForm::RemoveItemClick)
                                   .Method("SortItemClick", &TDemoForm::SortItemClick));
  return &info;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class DemoFormTest : public FormFixture {
protected:
  void SetUp() override {
    FormFixture::SetUp();
    RegisterClass(TDemoForm::StaticClass());
    App->SetTitle("Demonstration");
    // Text to the binary form stream, then into live components.
    const std::string text = ReadFile(std::string(KORA_SOURCE_DIR) + "/tests/framework/data/DemoForm.txt");
    ASSERT_FALSE(text.empty());
    const std::vector<uint8_t> binary = FormTextToBinary(text);
    TMemoryStream stream;
    stream.WriteBuffer(binary.data(), binary.size());
    stream.SetPosition(0);
    Demo = new TDemoForm(nullptr);
    Form.reset(Demo);
    ReadComponent(stream, Demo);
    App->SetMainForm(Demo);
  }
  void TearDown() override {
    FormFixture::TearDown();
    UnRegisterClass(TDemoForm::StaticClass());
  }

  template <typename T>
  T* Find(const std::string& name) {
    auto* component = dynamic_cast<T*>(Form->FindComponent(name));
    EXPECT_NE(component, nullptr) << name;
    return component;
  }
  void Click(TControl* control, POINT at, int button = MOUSE_LEFT) {
    Screen.Click(control->ClientToScreen(at), button);
    Screen.RunUntilIdle();
  }
  static POINT Middle(const RECT& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
  // Where the first item of the open plain menu window is.
  static POINT FirstItemOfOpenMenu() {
    RECT menu{};
    GetWindowRect(FindWindow("TPlainPopupMenu", nullptr), &menu);
    return {menu.Left + 30, menu.Top + 12};
  }

  TDemoForm* Demo = nullptr;  // owned by Form
};

TEST_F(DemoFormTest, LoadsWithEveryPropertyAndHandler) {
  EXPECT_EQ(Form->Caption(), "Demonstration");
  EXPECT_EQ(Demo->Log, (std::vector<std::string>{"create"}));
  EXPECT_EQ(Form->Menu(), Find<TMainMenu>("MainMenu"));
  EXPECT_EQ(Find<TLabel>("NameLabel")->FocusControl(), Find<TEdit>("NameEdit"));
  EXPECT_EQ(Find<TListBox>("ItemList")->Items()->Count(), 12);
  EXPECT_EQ(Find<TListBox>("ItemList")->PopupMenu(), Find<TPopupMenu>("ListPopup"));
  auto* pages = Find<TPageControl>("Pages");
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->ActivePage(), Find<TTabSheet>("GeneralSheet"));
  EXPECT_EQ(Find<TEdit>("TitleEdit")->Parent(), Find<TTabSheet>("GeneralSheet"));
  EXPECT_EQ(Find<TMenuItem>("SaveItem")->ShortCut(), ShortCut('S', {ssCtrl}));
  EXPECT_EQ(Form->Menu()->Items()->Count(), 2);
}

TEST_F(DemoFormTest, DrivenByMouseAndKeys) {
  auto* name = Find<TEdit>("NameEdit");
  auto* list = Find<TListBox>("ItemList");
  auto* pages = Find<TPageControl>("Pages");
  Form->Show();
  Screen.RunUntilIdle();
  EXPECT_EQ(Focus(), name) << "the first in tab order";

  // A click moves the focus; typing fills the edit.
  Click(list, {10, 10});
  Click(name, {10, 10});
  EXPECT_EQ(Focus(), name);
  Screen.Type("Hello");
  Screen.RunUntilIdle();
  EXPECT_EQ(name->Text(), "Hello");
  EXPECT_EQ(Demo->NameChanges, 5);

  // Picking list items by mouse, then by the arrow keys.
  Click(list, Middle(list->ItemRect(2)));
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(Focus(), list);
  Keys({}, VK_DOWN);
  Keys({}, VK_DOWN);
  EXPECT_EQ(list->ItemIndex(), 4);
  EXPECT_EQ(Form->ActiveControl(), list);

  // Pages by a tab click and by Ctrl+Tab.
  Click(pages, Middle(pages->TabRect(1)));
  EXPECT_EQ(pages->ActivePage(), Find<TTabSheet>("DetailsSheet"));
  Keys({VK_CONTROL}, VK_TAB);
  EXPECT_EQ(pages->ActivePage(), Find<TTabSheet>("AboutSheet"));
  Keys({VK_CONTROL, VK_SHIFT}, VK_TAB);
  EXPECT_EQ(pages->ActivePage(), Find<TTabSheet>("DetailsSheet"));

  // Tab walks on from the page control into the page and out again.
  pages->SetFocus();
  Keys({}, VK_TAB);
  EXPECT_EQ(Focus(), Find<TEdit>("NotesEdit"));
  Keys({}, VK_TAB);
  EXPECT_EQ(Focus(), name);
  Keys({VK_SHIFT}, VK_TAB);
  EXPECT_EQ(Form->ActiveControl(), Find<TEdit>("NotesEdit"));
  // A label's accelerator focuses its control.
  Keys({VK_MENU}, 'I');
  EXPECT_EQ(Focus(), list);

  // Menu short-cuts.
  Keys({VK_CONTROL}, 'S');
  Keys({}, VK_F1);

  // The menu bar in its plain look: File, then Open... in its drop-down.
  Screen.WhenIdle([&] {
    Screen.SaveArtifact("demo-form-menu");
    Screen.Click(FirstItemOfOpenMenu());
  });
  Screen.Click(Middle(PlainMenuBarItemRect(*Form, 0)));
  Screen.RunUntilIdle();

  // The list's popup menu, chosen from as a person would; the right click
  // leaves the selection alone.
  Screen.WhenIdle([&] {
    Screen.SaveArtifact("demo-form-popup");
    Screen.Click(FirstItemOfOpenMenu());  // Remove
  });
  Click(list, Middle(list->ItemRect(1)), MOUSE_RIGHT);
  EXPECT_EQ(list->Items()->Count(), 11);
  EXPECT_EQ(list->Items()->IndexOf("Fire"), -1);

  EXPECT_EQ(Demo->Log,
            (std::vector<std::string>{"create", "pick Sword", "pick Axe", "pick Bow", "pick Fire", "page Details",
                                      "page About", "page Details", "save", "about", "open", "remove Fire"}));
  Screen.SaveArtifact("demo-form");

  Keys({VK_CONTROL}, 'Q');
  EXPECT_FALSE(Form->Visible());
  EXPECT_TRUE(App->Terminated());
}

}  // namespace
}  // namespace kora::test

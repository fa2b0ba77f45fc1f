#include <memory>
#include <string>

#include "AppTestSupport.h"
#include "framework/core/FormText.h"
#include "framework/forms/Forms.h"

namespace kora::test {
namespace {

using FormClassesTest = HeadlessTest;

// A stored form may name every framework class without the program
// registering any of them itself.
TEST_F(FormClassesTest, EveryFrameworkClassLoadsByName) {
  const std::string text =
      "object Main: TForm\n"
      "  object Label1: TLabel\n  end\n"
      "  object Edit1: TEdit\n  end\n"
      "  object ListBox1: TListBox\n  end\n"
      "  object ListView1: TListView\n  end\n"
      "  object PageControl1: TPageControl\n"
      "    object TabSheet1: TTabSheet\n    end\n"
      "  end\n"
      "  object MainMenu1: TMainMenu\n"
      "    object MenuItem1: TMenuItem\n    end\n"
      "  end\n"
      "  object PopupMenu1: TPopupMenu\n  end\n"
      "  object ImageList1: TImageList\n  end\n"
      "  object Timer1: TTimer\n  end\n"
      "end\n";
  std::unique_ptr<TComponent> form(ReadComponentText(text));
  EXPECT_EQ(form->ClassName(), "TForm");
  const std::pair<const char*, const char*> expected[] = {{"Label1", "TLabel"},
                                                          {"Edit1", "TEdit"},
                                                          {"ListBox1", "TListBox"},
                                                          {"ListView1", "TListView"},
                                                          {"PageControl1", "TPageControl"},
                                                          {"TabSheet1", "TTabSheet"},
                                                          {"MainMenu1", "TMainMenu"},
                                                          {"MenuItem1", "TMenuItem"},
                                                          {"PopupMenu1", "TPopupMenu"},
                                                          {"ImageList1", "TImageList"},
                                                          {"Timer1", "TTimer"}};
  for (const auto& [name, className] : expected) {
    TComponent* component = form->FindComponent(name);
    ASSERT_NE(component, nullptr) << name;
    EXPECT_EQ(component->ClassName(), className);
  }
}

}  // namespace
}  // namespace kora::test

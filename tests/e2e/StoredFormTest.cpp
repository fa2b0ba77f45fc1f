// The stored form and the class tables behind it: a class starts at the
// defaults its table stores (the writer leaves out a value equal to its
// default, so a disagreement loses the value on a write and read), and the
// main window written and read back is the same window, every component
// with every stored value. (Its image lists are filled as it is made, so
// the streams themselves differ.)

#include <vector>

#include "EditorE2eSupport.h"
#include "framework/StoredValues.h"
#include "framework/core/Filer.h"
#include "framework/core/TypInfo.h"

namespace kora::test {
namespace {

using StoredFormTest = EditorE2eTest;

TEST_F(StoredFormTest, EveryClassStartsAtTheDefaultsItsTableStores) {
  OpenWindow();  // registers every class the program streams
  std::vector<std::string> disagreements;
  int checked = 0;
  for (TClass aClass : RegisteredClasses()) {
    if (!aClass->CanCreateComponent()) continue;
    // Some parts want a form for their owner (the frame, the menu bar).
    auto host = std::make_unique<TForm>(nullptr);
    const TComponent* made = aClass->CreateComponent(host.get());
    DefaultDisagreements(*made, aClass->Name() + ".", disagreements);
    ++checked;
  }
  EXPECT_GT(checked, 40);
  std::string list;
  for (const std::string& line : disagreements) list += "\n  " + line;
  EXPECT_TRUE(disagreements.empty()) << disagreements.size() << " defaults disagree:" << list;
}

TEST_F(StoredFormTest, TheMainWindowWrittenAndReadBackIsTheSameWindow) {
  App = std::make_unique<TApplication>(nullptr);
  Form.reset(CreateMainForm(nullptr));
  ASSERT_GT(Form->ComponentCount(), 100);
  TMemoryStream first;
  WriteComponent(first, Form.get());
  const auto original = FormValues(*Form);
  // One window holds the program folder at a time.
  Form.reset();

  first.SetPosition(0);
  auto again = std::make_unique<TfrmMain>(nullptr);
  ReadComponent(first, again.get());
  const auto copied = FormValues(*again);
  for (const auto& [name, values] : original) {
    const auto it = copied.find(name);
    ASSERT_NE(it, copied.end()) << name << " was not written";
    EXPECT_EQ(it->second, values) << name;
  }
  EXPECT_EQ(copied.size(), original.size());
}

}  // namespace
}  // namespace kora::test

// The stored form and the class tables behind it: a class starts at the
// defaults its table stores (the writer leaves out a value equal to its
// default, so a disagreement loses the value on a write and read), and the
// main window written and read back is the same window, every component
// with every stored value. (Its image lists are filled as it is made, so
// the streams themselves differ.)

#include <map>
#include <vector>

#include "EditorE2eSupport.h"
#include "framework/core/Collections.h"
#include "framework/core/Filer.h"
#include "framework/core/TypInfo.h"

namespace kora::test {
namespace {

using StoredFormTest = EditorE2eTest;

// Every stored property of `object` (owned sub-objects under "Owner.Name"),
// as text. Events and component references are compared by name.
void StoredValues(const TObject& object, const std::string& prefix, std::map<std::string, std::string>& out,
                  int depth = 0) {
  if (depth > 4) return;
  for (const TPropInfo* prop : object.ClassType()->Properties()) {
    const std::string name = prefix + prop->Name;
    switch (prop->Kind()) {
      case TTypeKind::tkClass: {
        TObject* value = GetObjectProp(object, *prop);
        if (!value) break;
        if (prop->IsComponentReference()) {
          out[name] = static_cast<TComponent*>(value)->Name();
        } else if (const auto* collection = dynamic_cast<const TCollection*>(value)) {
          out[name] = std::to_string(collection->Count());
        } else {
          StoredValues(*value, name + ".", out, depth + 1);
        }
        break;
      }
      case TTypeKind::tkMethod: out[name] = GetMethodProp(object, *prop).Name; break;
      case TTypeKind::tkFloat:
        if (prop->SetFloat) out[name] = std::to_string(GetFloatProp(object, *prop));
        break;
      case TTypeKind::tkString:
        if (prop->SetStr) out[name] = GetStrProp(object, *prop);
        break;
      default:
        if (prop->SetOrd) out[name] = std::to_string(GetOrdProp(object, *prop));
    }
  }
}

// Ordinal properties whose value in a new object is not the default the
// table stores, as "Class.Property: stored D, made V".
void DefaultDisagreements(const TObject& object, const std::string& path, std::vector<std::string>& out,
                          int depth = 0) {
  if (depth > 4) return;
  for (const TPropInfo* prop : object.ClassType()->Properties()) {
    const std::string name = path + "." + prop->Name;
    if (prop->Kind() == TTypeKind::tkClass) {
      TObject* value = GetObjectProp(object, *prop);
      if (value && !prop->IsComponentReference() && !dynamic_cast<TCollection*>(value)) {
        DefaultDisagreements(*value, name, out, depth + 1);
      }
    } else if (prop->Default && prop->GetOrd && prop->SetOrd) {
      const int64_t made = GetOrdProp(object, *prop);
      if (made != *prop->Default) {
        out.push_back(name + ": stored " + std::to_string(*prop->Default) + ", made " + std::to_string(made));
      }
    }
  }
}

TEST_F(StoredFormTest, EveryClassStartsAtTheDefaultsItsTableStores) {
  OpenWindow();  // registers every class the program streams
  std::vector<std::string> disagreements;
  int checked = 0;
  for (TClass aClass : RegisteredClasses()) {
    if (!aClass->CanCreateComponent()) continue;
    // Some parts want a form for their owner (the frame, the menu bar).
    auto host = std::make_unique<TForm>(nullptr);
    const TComponent* made = aClass->CreateComponent(host.get());
    DefaultDisagreements(*made, aClass->Name(), disagreements);
    ++checked;
  }
  EXPECT_GT(checked, 40);
  std::string list;
  for (const std::string& line : disagreements) list += "\n  " + line;
  EXPECT_TRUE(disagreements.empty()) << disagreements.size() << " defaults disagree:" << list;
}

// Every component of the window with its stored values, its class and its
// parent, by name ("" for the window).
std::map<std::string, std::map<std::string, std::string>> WindowValues(const TComponent& window) {
  std::map<std::string, std::map<std::string, std::string>> all;
  auto add = [&all](const TComponent& component, const std::string& name) {
    auto& values = all[name];
    StoredValues(component, "", values);
    values["(class)"] = component.ClassName();
    if (const TComponent* parent = component.GetParentComponent()) values["(parent)"] = parent->Name();
  };
  add(window, "");
  for (int i = 0; i < window.ComponentCount(); ++i) add(*window.Components(i), window.Components(i)->Name());
  return all;
}

TEST_F(StoredFormTest, TheMainWindowWrittenAndReadBackIsTheSameWindow) {
  App = std::make_unique<TApplication>(nullptr);
  Form.reset(CreateMainForm(nullptr));
  ASSERT_GT(Form->ComponentCount(), 100);
  TMemoryStream first;
  WriteComponent(first, Form.get());
  const auto original = WindowValues(*Form);
  // One window holds the program folder at a time.
  Form.reset();

  first.SetPosition(0);
  auto again = std::make_unique<TfrmMain>(nullptr);
  ReadComponent(first, again.get());
  const auto copied = WindowValues(*again);
  for (const auto& [name, values] : original) {
    const auto it = copied.find(name);
    ASSERT_NE(it, copied.end()) << name << " was not written";
    EXPECT_EQ(it->second, values) << name;
  }
  EXPECT_EQ(copied.size(), original.size());
}

}  // namespace
}  // namespace kora::test

// Every class a stored form may name, framework and skin alike: a new
// object holds the defaults its class table stores (the writer leaves out a
// value equal to its default, so a disagreement loses the value on a write
// and read), and with any one of its values changed, written as form text
// and read back it keeps every stored value. One form holding every kind of
// component, children included, reads, writes and reads again to the same
// form.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/StoredValues.h"
#include "framework/core/FormText.h"
#include "framework/core/TypInfo.h"
#include "framework/forms/Forms.h"
#include "framework/menus/Menus.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/data/bsSkinData.h"
#include "skin/dialogs/bsMessages.h"
#include "skin/dialogs/bsSkinShellCtrls.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinHint.h"
#include "skin/form/bsSkinMenuBar.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsTrayIcon.h"

namespace kora {
namespace {

// Every class the layers register for stored forms that can be made.
std::vector<std::string> StoredClassNames() {
  RegisterFrameworkClasses();
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();
  RegisterSkinFormClasses();
  RegisterSkinMenuClasses();
  RegisterSkinMenuBarClasses();
  RegisterSkinHintClasses();
  RegisterTrayIconClasses();
  RegisterSkinShellClasses();
  RegisterSkinDialogClasses();
  std::vector<std::string> names;
  for (TClass aClass : RegisteredClasses()) {
    if (aClass->CanCreateComponent()) names.push_back(aClass->Name());
  }
  return names;
}

// Moves the `target`-th writable value of `object` (owned sub-objects
// counted in place) off the one it holds, so that a value the writer drops
// or the reader misplaces shows; false when there are fewer values. A value
// its setter refuses stays as it was. One at a time, because some setters
// move others (a colour clears ParentColor) as reading them does too.
bool ChangeValue(TObject& object, int target, int& seen, int depth = 0) {
  if (depth > 4) return false;
  for (const TPropInfo* prop : object.ClassType()->Properties()) {
    if (prop->Name == "Name" || prop->Kind() == TTypeKind::tkMethod) continue;
    if (prop->Kind() == TTypeKind::tkClass) {
      TObject* value = GetObjectProp(object, *prop);
      if (IsOwnedObject(*prop, value) && ChangeValue(*value, target, seen, depth + 1)) return true;
      continue;
    }
    if (seen++ != target) continue;
    try {
      switch (prop->Kind()) {
        case TTypeKind::tkFloat:
          if (prop->SetFloat) SetFloatProp(object, *prop, GetFloatProp(object, *prop) + 1.5);
          break;
        case TTypeKind::tkString:
          if (prop->SetStr) SetStrProp(object, *prop, GetStrProp(object, *prop) + "7");
          break;
        case TTypeKind::tkEnumeration:
          if (prop->SetOrd) {
            const auto count = static_cast<int64_t>(prop->PropType->EnumNames.size());
            SetOrdProp(object, *prop, (GetOrdProp(object, *prop) + 1) % count);
          }
          break;
        case TTypeKind::tkSet:
          if (prop->SetOrd) SetOrdProp(object, *prop, GetOrdProp(object, *prop) ^ 1);
          break;
        default:
          if (prop->SetOrd) SetOrdProp(object, *prop, GetOrdProp(object, *prop) + 3);
      }
    } catch (const Exception&) {}
    return true;
  }
  return false;
}

// Values a class works out for itself once read, so they need not come
// back as written: a label's size while it sizes itself to its text, the
// spin edit's text shown from its value, the skinned list's colour from its
// default colour or skin, the file list's empty text from its listing.
bool IsWorkedOut(const TComponent& component, const std::string& name) {
  if (name == "Width" || name == "Height") {
    const TPropInfo* autoSize = GetPropInfo(component, "AutoSize");
    if (autoSize && GetOrdProp(component, *autoSize) != 0) return true;
  }
  static const std::map<std::string, std::set<std::string>> kWorkedOut = {
      {"TbsSkinSpinEdit", {"Text", "Caption"}},
      {"TbsSkinListView", {"Color", "ParentColor"}},
      {"TbsSkinFileListView", {"Color", "ParentColor", "EmptyText"}}};
  const auto it = kWorkedOut.find(component.ClassName());
  return it != kWorkedOut.end() && it->second.count(name) != 0;
}

class StoredClassesTest : public ::testing::TestWithParam<std::string> {
protected:
  void SetUp() override {
    ResetWindowSystem();
    SetBackend(&Screen);
    App = std::make_unique<TApplication>(nullptr);
  }
  void TearDown() override {
    Hosts.clear();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
  }

  // A new object of the class on a form of its own (some parts want a
  // form for their owner), placed where the form's description holds it:
  // a control on the form, a menu item in a menu.
  TComponent* Make(const std::string& className) {
    Hosts.push_back(std::make_unique<TForm>(nullptr));
    TForm* host = Hosts.back().get();
    TComponent* made = FindClass(className)->CreateComponent(host);
    if (auto* item = dynamic_cast<TMenuItem*>(made)) {
      auto* menu = new TMainMenu(host);
      menu->SetName("Menu");
      menu->Items()->Add(item);
    } else if (auto* control = dynamic_cast<TControl*>(made); control && !dynamic_cast<TCustomForm*>(made)) {
      control->SetParent(host);
    }
    return made;
  }

  // `probe` written as form text and read back: a form by itself, anything
  // else as part of its form.
  const TComponent* WriteAndRead(TComponent* probe, std::string& text) {
    if (dynamic_cast<TCustomForm*>(probe)) {
      text = WriteComponentText(probe);
      return ReadComponentText(text, Make(GetParam()));
    }
    text = WriteComponentText(probe->Owner());
    Hosts.push_back(std::make_unique<TForm>(nullptr));
    ReadComponentText(text, Hosts.back().get());
    return Hosts.back()->FindComponent(probe->Name());
  }

  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::vector<std::unique_ptr<TForm>> Hosts;
};

TEST_P(StoredClassesTest, StartsAtItsTableDefaultsAndKeepsEachValueThroughAFormText) {
  TComponent* made = Make(GetParam());
  std::vector<std::string> disagreements;
  DefaultDisagreements(*made, "", disagreements);
  std::string list;
  for (const std::string& line : disagreements) list += "\n  " + line;
  EXPECT_TRUE(disagreements.empty()) << disagreements.size() << " defaults disagree:" << list;

  for (int target = 0;; ++target) {
    TComponent* probe = target == 0 ? made : Make(GetParam());
    probe->SetName("Probe");
    int seen = 0;
    if (!ChangeValue(*probe, target, seen)) break;
    std::map<std::string, std::string> written;
    StoredValues(*probe, "", written);
    std::string text;
    const TComponent* copy = WriteAndRead(probe, text);
    ASSERT_NE(copy, nullptr) << text;
    std::map<std::string, std::string> read;
    StoredValues(*copy, "", read);
    for (const auto& [name, value] : written) {
      if (IsWorkedOut(*copy, name)) continue;
      const auto it = read.find(name);
      if (it == read.end()) {
        ADD_FAILURE() << name << " = " << value << " was not read back from\n" << text;
      } else {
        EXPECT_EQ(it->second, value) << name << " in\n" << text;
      }
    }
    Hosts.clear();
  }
}

INSTANTIATE_TEST_SUITE_P(Registered, StoredClassesTest, ::testing::ValuesIn(StoredClassNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

using StoredFormOfEveryKindTest = StoredClassesTest;

TEST_F(StoredFormOfEveryKindTest, ReadsWritesAndReadsAgainToTheSameForm) {
  // The containers hold children, which follow the panel's colour and font
  // (and must still follow them when read back); every other class stands
  // once on the form.
  const std::string nested =
      "  object Panel1: TbsSkinPanel\n"
      "    Color = clInfoBk\n    Font.Height = -15\n"
      "    object PanelButton: TbsSkinButton\n      Caption = 'In'\n    end\n"
      "    object Box1: TbsSkinGroupBox\n"
      "      object BoxCheck: TbsSkinCheckRadioBox\n        Checked = True\n      end\n"
      "    end\n"
      "  end\n"
      "  object SkinPages: TbsSkinPageControl\n"
      "    ActivePage = SkinSheet2\n"
      "    object SkinSheet1: TbsSkinTabSheet\n"
      "      Caption = 'One'\n"
      "      object SheetEdit: TbsSkinEdit\n        Text = 'inside'\n      end\n"
      "    end\n"
      "    object SkinSheet2: TbsSkinTabSheet\n      Caption = 'Two'\n    end\n"
      "  end\n"
      "  object Pages: TPageControl\n"
      "    object Sheet1: TTabSheet\n"
      "      object SheetLabel: TLabel\n        Caption = 'on a page'\n      end\n"
      "    end\n"
      "  end\n"
      "  object Menu1: TMainMenu\n"
      "    object File1: TMenuItem\n      Caption = '&File'\n"
      "      object Open1: TMenuItem\n        Caption = '&Open'\n      end\n"
      "    end\n"
      "  end\n"
      "  object SkinMenu1: TbsSkinMainMenu\n"
      "    object Edit1: TMenuItem\n      Caption = '&Edit'\n    end\n"
      "  end\n"
      "  object SkinPopup1: TbsSkinPopupMenu\n"
      "    object Choose1: TMenuItem\n      Caption = '&Choose'\n    end\n"
      "  end\n";
  const std::set<std::string> placed = {
      "TbsSkinPanel",       "TbsSkinButton",   "TbsSkinGroupBox", "TbsSkinCheckRadioBox",
      "TbsSkinPageControl", "TbsSkinTabSheet", "TbsSkinEdit",     "TPageControl",
      "TTabSheet",          "TLabel",          "TMainMenu",       "TMenuItem",
      "TbsSkinMainMenu",    "TbsSkinPopupMenu"};
  std::string text = "object Main: TForm\n" + nested;
  int n = 0;
  for (const std::string& className : StoredClassNames()) {
    if (placed.count(className) || FindClass(className)->InheritsFrom(TCustomForm::StaticClass())) continue;
    text += "  object Part" + std::to_string(++n) + ": " + className + "\n  end\n";
  }
  text += "end\n";

  std::unique_ptr<TComponent> first(ReadComponentText(text));
  std::set<std::string> kinds;
  for (int i = 0; i < first->ComponentCount(); ++i) kinds.insert(first->Components(i)->ClassName());
  for (const std::string& className : StoredClassNames()) {
    if (!FindClass(className)->InheritsFrom(TCustomForm::StaticClass())) {
      EXPECT_TRUE(kinds.count(className)) << className;
    }
  }
  EXPECT_EQ(first->FindComponent("SheetEdit")->GetParentComponent(), first->FindComponent("SkinSheet1"));
  EXPECT_EQ(first->FindComponent("Open1")->GetParentComponent(), first->FindComponent("File1"));

  const std::string written = WriteComponentText(first.get());
  const auto original = FormValues(*first);
  std::unique_ptr<TComponent> again(ReadComponentText(written));
  EXPECT_EQ(FormValues(*again), original);
  const auto* inside = static_cast<const TControl*>(again->FindComponent("PanelButton"));
  EXPECT_TRUE(inside->ParentColor() && inside->ParentFont());
  EXPECT_EQ(inside->Color(), clInfoBk);
  EXPECT_EQ(WriteComponentText(again.get()), written);
}

}  // namespace
}  // namespace kora

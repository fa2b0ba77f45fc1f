#include <gtest/gtest.h>

#include "framework/TestClasses.h"

namespace kora::test {
namespace {

template <typename E, typename F>
std::string MessageOf(F action) {
  try {
    action();
  } catch (const E& e) {
    return e.Message();
  }
  return "no error";
}

TEST(ClassRegistry, FindsRegisteredClassesByNameAndCreatesComponents) {
  RegisterTestClasses();
  EXPECT_EQ(GetClass("ttestwidget"), TTestWidget::StaticClass());
  EXPECT_EQ(GetClass("TNothing"), nullptr);
  EXPECT_EQ(MessageOf<EClassNotFound>([] { FindClass("TNothing"); }), "Class TNothing not found");

  EXPECT_TRUE(TTestForm::StaticClass()->InheritsFrom(TComponent::StaticClass()));
  EXPECT_FALSE(TTestWidget::StaticClass()->InheritsFrom(TTestForm::StaticClass()));
  TComponent owner(nullptr);
  TComponent* created = FindClass("TTestTimer")->CreateComponent(&owner);
  EXPECT_EQ(created->ClassName(), "TTestTimer");
  EXPECT_EQ(created->Owner(), &owner);
  EXPECT_EQ(MessageOf<EComponentError>([] { TStrings::StaticClass()->CreateComponent(nullptr); }),
            "Cannot create an instance of TStrings");

  // Another class under a registered name is refused.
  static const TClassInfo impostor(TClassDefinition{.Name = "TTestTimer", .Parent = TComponent::StaticClass()});
  EXPECT_THROW(RegisterClass(&impostor), EFilerError);
}

TEST(PublishedProperties, AreInheritedWithTheirTypeNames) {
  TTestForm form(nullptr);
  std::vector<std::string> names;
  for (const TPropInfo* prop : form.ClassType()->Properties()) names.push_back(prop->Name);
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names[0], "Name");  // the ancestors' first
  EXPECT_EQ(names[1], "Tag");
  EXPECT_EQ(names[2], "Caption");

  auto typeName = [&](const char* name) { return std::string(FindPropInfo(form, name).PropType->Name); };
  EXPECT_EQ(typeName("caption"), "String");
  EXPECT_EQ(typeName("Enabled"), "Boolean");
  EXPECT_EQ(typeName("Border"), "TTestBorder");
  EXPECT_EQ(typeName("Anchors"), "TTestAnchors");
  EXPECT_EQ(typeName("Color"), "TColor");
  EXPECT_EQ(typeName("Font"), "TTestFont");
  EXPECT_EQ(typeName("Link"), "TTestWidget");
  EXPECT_EQ(typeName("OnClick"), "TNotifyEvent");
  EXPECT_EQ(typeName("OnMeasure"), "TMethod");
  EXPECT_TRUE(FindPropInfo(form, "Link").IsComponentReference());
  EXPECT_FALSE(FindPropInfo(form, "Font").IsComponentReference());
  EXPECT_EQ(GetPropInfo(form, "Missing"), nullptr);
  EXPECT_EQ(MessageOf<EPropertyError>([&] { FindPropInfo(form, "Missing"); }), "Property Missing does not exist");
}

TEST(PublishedProperties, ReadAndWriteThroughTheTable) {
  TComponent owner(nullptr);
  auto* widget = new TTestWidget(&owner);
  const TPropInfo& border = FindPropInfo(*widget, "Border");
  SetEnumProp(*widget, border, "TBDOUBLE");
  EXPECT_EQ(widget->Border(), tbDouble);
  EXPECT_EQ(GetEnumProp(*widget, border), "tbDouble");
  EXPECT_EQ(MessageOf<EPropertyError>([&] { SetOrdProp(*widget, border, 3); }), "Invalid property value");

  const TPropInfo& anchors = FindPropInfo(*widget, "Anchors");
  EXPECT_EQ(GetSetProp(*widget, anchors), "[taLeft,taTop]");
  SetSetProp(*widget, anchors, "[taRight, taBottom]");
  EXPECT_EQ(widget->Anchors(), (TTestAnchors{taRight, taBottom}));
  EXPECT_EQ(MessageOf<EPropertyError>([&] { SetSetProp(*widget, anchors, "[taMiddle]"); }),
            "Invalid property element: taMiddle");

  const TPropInfo& count = FindPropInfo(*widget, "Count");
  EXPECT_EQ(MessageOf<EPropertyError>([&] { SetOrdProp(*widget, count, int64_t{1} << 40); }), "Invalid property value");
  EXPECT_EQ(MessageOf<EPropertyError>([&] { SetStrProp(*widget, count, "1"); }), "Invalid property type: Integer");
  EXPECT_EQ(MessageOf<EPropertyError>([&] { SetObjectProp(*widget, FindPropInfo(*widget, "Panels"), nullptr); }),
            "Property Panels is read-only");

  int64_t value = 0;
  ASSERT_TRUE(IdentToInt(TypeInfoColor(), "clBtnFace", value));
  EXPECT_EQ(value, -16777201);
  std::string ident;
  EXPECT_TRUE(IntToIdent(TypeInfoColor(), 0x0000FF, ident));
  EXPECT_EQ(ident, "clRed");
}

TEST(PublishedProperties, ReferencesAreCheckedByTypeNameAndClass) {
  // What the skin manager does: find "Link", check its type by name, set it.
  TComponent form(nullptr);
  auto* holder = new TTestWidget(&form);
  auto* target = new TTestWidget(&form);
  auto* timer = new TTestTimer(&form);
  const TPropInfo* link = GetPropInfo(*holder, "Link");
  ASSERT_NE(link, nullptr);
  ASSERT_EQ(link->PropType->Name, "TTestWidget");
  SetObjectProp(*holder, *link, target);
  EXPECT_EQ(holder->Link(), target);
  EXPECT_EQ(GetObjectProp(*holder, *link), target);
  EXPECT_EQ(MessageOf<EPropertyError>([&] { SetObjectProp(*holder, *link, timer); }), "Invalid property value");
  EXPECT_EQ(holder->Link(), target);
}

TEST(PublishedMethods, BindToEventsOfTheSameArguments) {
  TTestForm form(nullptr);
  auto* button = new TTestWidget(&form);
  button->SetName("Button1");
  Log().clear();
  SetMethodProp(*button, FindPropInfo(*button, "OnClick"), &form, "buttonclick");
  button->OnClick()(button);
  EXPECT_EQ(Log(), (std::vector<std::string>{"ButtonClick Button1"}));
  const TMethodRef bound = GetMethodProp(*button, FindPropInfo(*button, "OnClick"));
  EXPECT_EQ(bound.Target, &form);
  EXPECT_EQ(bound.Name, "ButtonClick");

  EXPECT_EQ(
      MessageOf<EPropertyError>([&] { SetMethodProp(*button, FindPropInfo(*button, "OnClick"), &form, "Measure"); }),
      "Method Measure does not fit the event");
  EXPECT_EQ(MessageOf<EPropertyError>([&] { SetMethodProp(*button, FindPropInfo(*button, "OnClick"), &form, "Gone"); }),
            "Method Gone not found");
  SetMethodProp(*button, FindPropInfo(*button, "OnClick"), nullptr, "");
  EXPECT_FALSE(button->OnClick());

  // A handler set in code has no name and is not streamed.
  button->SetOnClick([](TObject*) {});
  EXPECT_EQ(GetMethodProp(*button, FindPropInfo(*button, "OnClick")).Name, "");
}

TEST(TPersistent, AssignNamesBothClassesWhenItCannot) {
  TTestFont font;
  TStringList list;
  EXPECT_EQ(MessageOf<EConvertError>([&] { font.Assign(&list); }), "Cannot assign a TStringList to a TTestFont");
  EXPECT_EQ(MessageOf<EConvertError>([&] { font.Assign(nullptr); }), "Cannot assign a nil to a TTestFont");
  TTestFont other;
  other.Name = "Tahoma";
  font.Assign(&other);
  EXPECT_EQ(font.Name, "Tahoma");
}

}  // namespace
}  // namespace kora::test

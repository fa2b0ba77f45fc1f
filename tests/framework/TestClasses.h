#pragma once
// Small components with a published property of every kind, for the RTTI
// and form streaming tests.

#include <string>
#include <vector>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Collections.h"
#include "framework/core/Components.h"
#include "framework/core/Filer.h"

namespace kora::test {

enum TTestBorder { tbNone, tbSingle, tbDouble };
inline const TTypeInfo* TypeInfoOf(TTestBorder) {
  static const TTypeInfo info = EnumTypeInfo("TTestBorder", {"tbNone", "tbSingle", "tbDouble"});
  return &info;
}

enum TTestAnchor { taLeft, taTop, taRight, taBottom };
using TTestAnchors = TSet<TTestAnchor>;
inline const TTypeInfo* TypeInfoOf(TTestAnchor) {
  static const TTypeInfo info = EnumTypeInfo("TTestAnchor", {"taLeft", "taTop", "taRight", "taBottom"});
  return &info;
}
inline const TTypeInfo* TypeInfoOf(TTestAnchors) {
  static const TTypeInfo info = SetTypeInfo("TTestAnchors", TypeInfoOf(TTestAnchor{}));
  return &info;
}

// Everything that happens to the test components, in order.
inline std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

// An owned sub-object streamed as Font.Name, Font.Size, ...
class TTestFont : public TPersistent {
  KORA_CLASS(TTestFont, TPersistent)

  std::string Name;
  int32_t Size = 8;
  int32_t Color = 0;

  void Assign(const TPersistent* source) override {
    if (const auto* font = dynamic_cast<const TTestFont*>(source)) {
      Name = font->Name;
      Size = font->Size;
      Color = font->Color;
    } else {
      TPersistent::Assign(source);
    }
  }
};

inline TClass TTestFont::StaticClass() {
  static const TClassInfo info(TClassBuilder<TTestFont>("TTestFont")
                                   .Property("Name", &TTestFont::Name)
                                   .Property("Size", &TTestFont::Size)
                                   .Default(8)
                                   .Property("Color", &TTestFont::Color, nullptr, TypeInfoColor())
                                   .Default(0));
  return &info;
}

class TTestItem : public TCollectionItem {
  KORA_CLASS(TTestItem, TCollectionItem)
  using TCollectionItem::TCollectionItem;

  std::string Text;
  int32_t Width = 0;
  TComponent* Target = nullptr;
};

inline TClass TTestItem::StaticClass() {
  static const TClassInfo info(TClassBuilder<TTestItem>("TTestItem")
                                   .Property("Text", &TTestItem::Text)
                                   .Property("Width", &TTestItem::Width)
                                   .Default(0)
                                   .Property("Target", &TTestItem::Target));
  return &info;
}

// A visual-like component: it can hold child widgets and is written inside
// its parent.
class TTestWidget : public TComponent {
  KORA_CLASS(TTestWidget, TComponent)

  explicit TTestWidget(TComponent* owner) : TComponent(owner) {}
  ~TTestWidget() override {
    SetParent(nullptr);
    for (TTestWidget* child : FChildren) child->FParent = nullptr;
  }

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value) { FCaption = value; }
  int32_t Count() const { return FCount; }
  void SetCount(int32_t value) { FCount = value; }
  int64_t Big() const { return FBig; }
  void SetBig(int64_t value) { FBig = value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value) { FEnabled = value; }
  TTestBorder Border() const { return FBorder; }
  void SetBorder(TTestBorder value) { FBorder = value; }
  TTestAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TTestAnchors value) { FAnchors = value; }
  double Ratio() const { return FRatio; }
  void SetRatio(double value) { FRatio = value; }
  float Scale() const { return FScale; }
  void SetScale(float value) { FScale = value; }
  int32_t Color() const { return FColor; }
  void SetColor(int32_t value) { FColor = value; }
  TTestFont* Font() const { return const_cast<TTestFont*>(&FFont); }
  void SetFont(TTestFont* value) { FFont.Assign(value); }
  TStringList* Items() const { return const_cast<TStringList*>(&Lines); }
  void SetItems(TStringList* value) { Lines.Assign(value); }
  TCollection* Panels() const { return const_cast<TCollection*>(&FPanels); }
  TTestWidget* Link() const { return FLink; }
  void SetLink(TTestWidget* value) {
    Log().push_back(Name() + ".Link=" + (value ? value->Name() : "nil"));
    if (FLink) FLink->RemoveFreeNotification(this);
    FLink = value;
    if (FLink) FLink->FreeNotification(this);
  }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& value) { FOnClick = value; }
  const TEvent<TObject*, int&>& OnMeasure() const { return FOnMeasure; }
  void SetOnMeasure(const TEvent<TObject*, int&>& value) { FOnMeasure = value; }

  TTestWidget* Parent() const { return FParent; }
  void SetParent(TTestWidget* parent) {
    if (FParent) std::erase(FParent->FChildren, this);
    FParent = parent;
    if (FParent) FParent->FChildren.push_back(this);
  }
  const std::vector<TTestWidget*>& Children() const { return FChildren; }

  // A binary value that is not a published property.
  std::vector<uint8_t> Data;

  void DefineProperties(TFiler& filer) override {
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Data",
        [this](TStream& stream) {
          Data.resize(static_cast<std::size_t>(stream.Size()));
          stream.ReadBuffer(Data.data(), stream.Size());
        },
        [this](TStream& stream) { stream.WriteBuffer(Data.data(), static_cast<int64_t>(Data.size())); }, !Data.empty());
  }

  bool HasParent() const override { return FParent != nullptr; }
  TComponent* GetParentComponent() const override { return FParent; }
  void SetParentComponent(TComponent* parent) override { SetParent(dynamic_cast<TTestWidget*>(parent)); }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override {
    TComponent::GetChildren(proc, root);
    for (TTestWidget* child : FChildren) {
      if (child->Owner() == root) proc(child);
    }
  }

  void Loaded() override {
    TComponent::Loaded();
    Log().push_back("Loaded " + Name() + (FLink ? " linked to " + FLink->Name() : ""));
  }

  TStringList Lines;
  // Every Notification this component received, as "op name".
  std::vector<std::string> Notifications;

protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    Notifications.push_back((operation == opRemove ? "remove " : "insert ") + component->Name());
    if (operation == opRemove && component == FLink) FLink = nullptr;
  }

private:
  std::string FCaption;
  int32_t FCount = 0;
  int64_t FBig = 0;
  bool FEnabled = true;
  TTestBorder FBorder = tbSingle;
  TTestAnchors FAnchors{taLeft, taTop};
  double FRatio = 0;
  float FScale = 0;
  int32_t FColor = static_cast<int32_t>(0xFF00000F);
  TTestFont FFont;
  TCollection FPanels{TTestItem::StaticClass(), this};
  TTestWidget* FLink = nullptr;
  TNotifyEvent FOnClick;
  TEvent<TObject*, int&> FOnMeasure;
  TTestWidget* FParent = nullptr;
  std::vector<TTestWidget*> FChildren;
};

inline TClass TTestWidget::StaticClass() {
  static const TClassInfo info(TClassBuilder<TTestWidget>("TTestWidget")
                                   .Property("Caption", &TTestWidget::Caption, &TTestWidget::SetCaption)
                                   .Property("Count", &TTestWidget::Count, &TTestWidget::SetCount)
                                   .Default(0)
                                   .Property("Big", &TTestWidget::Big, &TTestWidget::SetBig)
                                   .Default(0)
                                   .Property("Enabled", &TTestWidget::Enabled, &TTestWidget::SetEnabled)
                                   .Default(true)
                                   .Property("Border", &TTestWidget::Border, &TTestWidget::SetBorder)
                                   .Default(tbSingle)
                                   .Property("Anchors", &TTestWidget::Anchors, &TTestWidget::SetAnchors)
                                   .Default(TTestAnchors{taLeft, taTop})
                                   .Property("Ratio", &TTestWidget::Ratio, &TTestWidget::SetRatio)
                                   .Property("Scale", &TTestWidget::Scale, &TTestWidget::SetScale)
                                   .Property("Color", &TTestWidget::Color, &TTestWidget::SetColor, TypeInfoColor())
                                   .Default(static_cast<int32_t>(0xFF00000F))
                                   .Property("Font", &TTestWidget::Font, &TTestWidget::SetFont)
                                   .Property("Items", &TTestWidget::Items, &TTestWidget::SetItems)
                                   .Property("Panels", &TTestWidget::Panels)
                                   .Property("Link", &TTestWidget::Link, &TTestWidget::SetLink)
                                   .Property("OnClick", &TTestWidget::OnClick, &TTestWidget::SetOnClick)
                                   .Property("OnMeasure", &TTestWidget::OnMeasure, &TTestWidget::SetOnMeasure)
                                   .Retired("OldSetting"));
  return &info;
}

// A component that is not visual: written directly under the form.
class TTestTimer : public TComponent {
  KORA_CLASS(TTestTimer, TComponent)
  using TComponent::TComponent;

  int32_t Interval = 1000;
};

inline TClass TTestTimer::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TTestTimer>("TTestTimer").Property("Interval", &TTestTimer::Interval).Default(1000));
  return &info;
}

// The form: the root whose published methods handle the events.
class TTestForm : public TTestWidget {
  KORA_CLASS(TTestForm, TTestWidget)
  using TTestWidget::TTestWidget;

  void ButtonClick(TObject* sender) { Log().push_back("ButtonClick " + static_cast<TComponent*>(sender)->Name()); }
  void Measure(TObject*, int& size) { size *= 2; }
};

inline TClass TTestForm::StaticClass() {
  static const TClassInfo info(TClassBuilder<TTestForm>("TTestForm")
                                   .Method("ButtonClick", &TTestForm::ButtonClick)
                                   .Method("Measure", &TTestForm::Measure));
  return &info;
}

inline void RegisterTestClasses() {
  RegisterClasses(
      {TTestForm::StaticClass(), TTestWidget::StaticClass(), TTestTimer::StaticClass(), TTestItem::StaticClass()});
}

}  // namespace kora::test

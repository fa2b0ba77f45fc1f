// The skin manager hands its skin to the SkinData properties of its own
// form's components, and to nothing else.

#include <gtest/gtest.h>

#include <memory>

#include "framework/core/ClassBuilder.h"
#include "framework/forms/Forms.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/dialogs/bsSkinManager.h"

namespace kora {
namespace {

// A component whose property called SkinData is of another type.
class TOtherSkinHolder : public TComponent {
  KORA_CLASS(TOtherSkinHolder, TComponent)
  using TComponent::TComponent;
  TComponent* SkinData() const { return FValue; }
  void SetSkinData(TComponent* value) { FValue = value; }

private:
  TComponent* FValue = nullptr;
};

TClass TOtherSkinHolder::StaticClass() {
  static const TClassInfo info(TClassBuilder<TOtherSkinHolder>("TOtherSkinHolder")
                                   .Property("SkinData", &TOtherSkinHolder::SkinData, &TOtherSkinHolder::SetSkinData));
  return &info;
}

TEST(SkinManager, TheSkinReachesTheSkinDataPropertiesOfItsFormAlone) {
  TForm form(nullptr), elsewhere(nullptr);
  auto* skin = new TbsSkinData(&form);
  auto* first = new TbsSkinCustomControl(&form);
  auto* second = new TbsSkinCustomControl(&form);
  auto* other = new TOtherSkinHolder(&form);
  auto* marker = new TComponent(&form);
  other->SetSkinData(marker);
  auto* foreign = new TbsSkinCustomControl(&elsewhere);
  auto* manager = new TSkinManager(&form);

  manager->SetSkinData(nullptr);  // none: nothing happens
  EXPECT_EQ(first->SkinData(), nullptr);
  manager->SetSkinData(skin);
  EXPECT_EQ(first->SkinData(), skin);
  EXPECT_EQ(second->SkinData(), skin);
  EXPECT_EQ(other->SkinData(), marker);  // a SkinData of another type
  EXPECT_EQ(foreign->SkinData(), nullptr);

  // The same value again distributes nothing; a new component is not watched.
  first->SetSkinData(nullptr);
  manager->SetSkinData(skin);
  EXPECT_EQ(first->SkinData(), nullptr);
  auto* late = new TbsSkinCustomControl(&form);
  EXPECT_EQ(late->SkinData(), nullptr);

  // A removed skin data is forgotten, not kept dangling.
  delete skin;
  EXPECT_EQ(manager->SkinData(), nullptr);
}

TEST(SkinManager, WithoutAFormItSaysSo) {
  TbsSkinData skin(nullptr);
  TComponent holder(nullptr);
  auto* manager = new TSkinManager(&holder);
  try {
    manager->SetSkinData(&skin);
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "无法找到窗体对象");
  }
}

}  // namespace
}  // namespace kora

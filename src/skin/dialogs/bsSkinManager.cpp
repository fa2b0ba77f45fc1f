// TSkinManager: the skin reaches the form's components through their
// published SkinData properties.

#include "skin/dialogs/bsSkinManager.h"

#include "framework/core/ClassBuilder.h"
#include "framework/forms/Forms.h"

namespace kora {

TClass TSkinManager::StaticClass() {
  static const TClassInfo info(TClassBuilder<TSkinManager>("TSkinManager")
                                   .Property("SkinData", &TSkinManager::SkinData, &TSkinManager::SetSkinData));
  return &info;
}

TSkinManager::TSkinManager(TComponent* owner) : TComponent(owner) {}

void TSkinManager::SetSkinData(TbsSkinData* value) {
  if (value == FSkinData) return;
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = value;
  if (!FSkinData) return;
  FSkinData->FreeNotification(this);
  Distribute();
}

void TSkinManager::Distribute() {
  TComponent* form = Owner();
  while (form && !dynamic_cast<TCustomForm*>(form)) form = form->GetParentComponent();
  if (!form) throw Exception("无法找到窗体对象");
  for (int i = 0; i < form->ComponentCount(); ++i) {
    TComponent* component = form->Components(i);
    const TPropInfo* prop = component->ClassType()->FindProperty("SkinData");
    if (!prop || prop->Kind() != TTypeKind::tkClass || prop->PropType->Name != "TbsSkinData" || !prop->SetObj) continue;
    prop->SetObj(*component, FSkinData);
  }
}

void TSkinManager::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FSkinData) FSkinData = nullptr;
}

}  // namespace kora

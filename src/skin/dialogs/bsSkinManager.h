#pragma once
// TSkinManager: one assignment hands a skin to every skinned component of
// the manager's form.

#include "framework/core/Components.h"
#include "skin/data/bsSkinData.h"

namespace kora {

class TSkinManager : public TComponent {
  KORA_CLASS(TSkinManager, TComponent)

  explicit TSkinManager(TComponent* owner);

  // Setting another skin data sets the published property SkinData (of type
  // TbsSkinData) of every component the form owns, in the form's order.
  // Raises Exception "无法找到窗体对象" when the manager is on no form.
  // Components added later are not watched; a removed skin data is
  // forgotten.
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value);

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  void Distribute();

  TbsSkinData* FSkinData = nullptr;
};

}  // namespace kora

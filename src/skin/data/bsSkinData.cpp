// TbsSkinData: the model's lists and lookups, clearing, references to the
// stored skin and the resource strings, and the messages to the forms.

#include "skin/data/bsSkinData.h"

#include "framework/core/ClassBuilder.h"
#include "framework/forms/Forms.h"
#include "platform/window/MessageQueue.h"

namespace kora {

namespace {

// The application's forms as the screen lists them.
TbsSkinFormDirectory ScreenFormDirectory() {
  return {[] { return Screen->FormCount(); }, [](int index) -> TComponent* { return Screen->Forms(index); },
          [](TComponent* component) {
            auto* form = dynamic_cast<TCustomForm*>(component);
            return form ? form->Handle() : HWND();
          }};
}

TbsSkinFormDirectory& FormDirectory() {
  static TbsSkinFormDirectory directory = ScreenFormDirectory();
  return directory;
}

[[noreturn]] void IndexError(int index) { throw EListError(Format("List index out of bounds (%d)", index)); }

template <typename List>
int FindRecord(const List& list, std::string_view name) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i]->IDName == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

void SetSkinFormDirectory(TbsSkinFormDirectory directory) {
  // An empty directory brings the screen's back.
  FormDirectory() = directory.FormWindow ? std::move(directory) : ScreenFormDirectory();
}

TClass TbsSkinData::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinData>("TbsSkinData")
          .Property("EnableSkinEffects", &TbsSkinData::EnableSkinEffects)
          .Default(true)
          .Property("CompressedStoredSkin", &TbsSkinData::CompressedStoredSkin, &TbsSkinData::SetCompressedStoredSkin)
          .Property("ResourceStrData", &TbsSkinData::ResourceStrData, &TbsSkinData::SetResourceStrData));
  return &info;
}

void RegisterSkinDataClasses() {
  RegisterClasses(
      {TbsSkinData::StaticClass(), TbsCompressedStoredSkin::StaticClass(), TbsResourceStrData::StaticClass()});
}

TbsSkinData::TbsSkinData(TComponent* owner)
    : TComponent(owner),
      FPicture(std::make_unique<TBitmap>()),
      FInactivePicture(std::make_unique<TBitmap>()),
      FMaskPicture(std::make_unique<TBitmap>()) {}

TbsSkinData::~TbsSkinData() {
  FEmpty = true;
  ClearAll();
}

void TbsSkinData::SetCompressedStoredSkin(TbsCompressedStoredSkin* value) {
  if (FCompressedStoredSkin && FCompressedStoredSkin != value) FCompressedStoredSkin->RemoveFreeNotification(this);
  FCompressedStoredSkin = value;
  if (!value) return;
  value->FreeNotification(this);
  if (!ComponentState().Contains(csDesigning)) LoadFromStoredSkin(value);
}

void TbsSkinData::SetResourceStrData(TbsResourceStrData* value) {
  if (FResourceStrData && FResourceStrData != value) FResourceStrData->RemoveFreeNotification(this);
  FResourceStrData = value;
  if (value) value->FreeNotification(this);
  if (!ComponentState().Contains(csDesigning)) BroadcastSkinMessage(SKINMSG_STRINGS_CHANGED);
}

void TbsSkinData::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FCompressedStoredSkin) FCompressedStoredSkin = nullptr;
  if (component == FResourceStrData) FResourceStrData = nullptr;
}

TBitmap* TbsSkinData::ActivePictures(int index) const {
  if (index < 0 || index >= ActivePictureCount()) IndexError(index);
  return FActivePictures[static_cast<std::size_t>(index)].get();
}

TBitmap* TbsSkinData::FindActivePicture(int index) const {
  return index >= 0 && index < ActivePictureCount() ? FActivePictures[static_cast<std::size_t>(index)].get() : nullptr;
}

const TbsDataSkinObject* TbsSkinData::ObjectRecord(int index) const {
  if (index < 0 || index >= ObjectRecordCount()) IndexError(index);
  return FObjectList[static_cast<std::size_t>(index)].get();
}

const TbsDataSkinControl* TbsSkinData::ControlRecord(int index) const {
  if (index < 0 || index >= ControlRecordCount()) IndexError(index);
  return FControlList[static_cast<std::size_t>(index)].get();
}

int TbsSkinData::FindObjectRecord(std::string_view name) const { return FindRecord(FObjectList, name); }

int TbsSkinData::FindControlRecord(std::string_view name) const { return FindRecord(FControlList, name); }

void TbsSkinData::BroadcastSkinMessage(UINT message) {
  const TbsSkinFormDirectory& directory = FormDirectory();
  if (!directory.FormWindow) return;
  const auto wParam = reinterpret_cast<WPARAM>(this);
  TComponent* const owner = Owner();
  const HWND ownerWindow = owner ? directory.FormWindow(owner) : HWND();
  if (ownerWindow) SendMessage(ownerWindow, message, wParam, SKINMSG_LPARAM);
  if (!directory.FormCount || !directory.Forms) return;
  // By index, as a receiver may close forms while we walk them.
  for (int i = 0; i < directory.FormCount(); ++i) {
    TComponent* const form = directory.Forms(i);
    if (!form || (ownerWindow && form == owner)) continue;
    if (const HWND window = directory.FormWindow(form)) SendMessage(window, message, wParam, SKINMSG_LPARAM);
  }
}

void TbsSkinData::ClearAll() {
  FObjectList.clear();
  FControlList.clear();
  FActivePictures.clear();
  FActivePictureNames.Clear();
  FPopupWindow.WindowPictureIndex = -1;
  FHintWindow.WindowPictureIndex = -1;
  FSkinColors.SetColorsToDefault();
}

void TbsSkinData::ClearSkin() {
  ClearAll();
  FPicture->Assign(nullptr);
  FInactivePicture->Assign(nullptr);
  FMaskPicture->Assign(nullptr);
  FPictureName.clear();
  FInactivePictureName.clear();
  FMaskPictureName.clear();
  FEmpty = true;
}

}  // namespace kora

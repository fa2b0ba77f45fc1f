#pragma once
// The skin every skinned element draws from: TbsCompressedStoredSkin keeps
// the compressed archive (skin.ini plus its bitmaps) in the form, and
// TbsSkinData unpacks it into pictures, the frame description, colours and
// one record per skin object and skin control, then tells the forms.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Components.h"
#include "framework/graphics/Graphics.h"
#include "platform/window/Messages.h"
#include "skin/data/bsSkinData_ControlRecords.h"
#include "skin/data/bsSkinData_ObjectRecords.h"
#include "skin/data/bsSkinData_Values.h"

namespace kora {

// Skin messages; wParam is the sending TbsSkinData, lParam SKINMSG_LPARAM.
constexpr UINT SKINMSG_SKIN_CHANGING = WM_USER + 201;     // before the model is cleared
constexpr UINT SKINMSG_SKIN_CHANGED = WM_USER + 202;      // the new model is complete
constexpr UINT SKINMSG_SKIN_CHANGE_DONE = WM_USER + 203;  // right after, SkinChanging cleared
constexpr UINT SKINMSG_STRINGS_CHANGED = WM_USER + 250;   // ResourceStrData was set
constexpr LPARAM SKINMSG_LPARAM = 1000;

// [SKINCOLORS]: colours of control parts not taken from pictures.
class TbsSkinColors : public TbsSkinSectionRecord {
public:
  static constexpr const char* kSection = "SKINCOLORS";

  // The system colours each key falls back to.
  void SetColorsToDefault();

  // Zero until the first SetColorsToDefault.
  TColor BtnFace = 0, BtnText = 0, Window = 0, WindowText = 0;
  TColor Highlight = 0, HighlightText = 0, BtnHighlight = 0, BtnShadow = 0;

protected:
  std::string SectionName() const override { return kSection; }
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

// [FORMINFO]: the form frame's geometry in the main picture and its options.
struct TbsSkinFormInfo : TbsSkinSectionRecord {
  static constexpr const char* kSection = "FORMINFO";
  // Fits the mask area and hit-test points to a skin with a mask, and pulls
  // the corner points into the client rectangle.
  void Adjust(bool hasMask);

  POINT LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  RECT ClientRect;
  int32_t BGPictureIndex = -1;
  int32_t MDIBGPictureIndex = -1;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
  RECT MaskRectArea;
  POINT HitTestLeftTopPoint, HitTestRightTopPoint, HitTestLeftBottomPoint, HitTestRightBottomPoint;
  RECT ButtonsRect, CaptionRect;
  int32_t ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  bool MainMenuPopupUp = false;
  int32_t BorderWidth = 0;
  int32_t FormMinWidth = 0;
  bool AutoRenderingInActiveImage = false;
  TbsInactiveEffect InActiveEffect = ieBrightness;

protected:
  std::string SectionName() const override { return kSection; }
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

// [VERSION]: who made the skin; nothing here changes how it draws.
struct TbsSkinVersionInfo : TbsSkinSectionRecord {
  static constexpr const char* kSection = "VERSION";

  std::string SkinName, SkinAuthor, AuthorEMail, AuthorURL, SkinComments;

protected:
  std::string SectionName() const override { return kSection; }
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

// The record class registered for a kind of [SKINOBJECTS] or [SKINCONTROLS]
// (matched exactly); null for a kind that is not registered.
std::unique_ptr<TbsDataSkinObject> CreateSkinObjectRecord(std::string_view kind, const std::string& name);
std::unique_ptr<TbsDataSkinControl> CreateSkinControlRecord(std::string_view kind, const std::string& name);

// The compressed skin archive, stored with the form as the binary property
// "CompressedData".
class TbsCompressedStoredSkin : public TComponent {
  KORA_CLASS(TbsCompressedStoredSkin, TComponent)

  explicit TbsCompressedStoredSkin(TComponent* owner);

  // The skin.ini the archive was built from. Set while designing (and not
  // loading), the archive is rebuilt from that path and only its file name
  // is kept; otherwise the value is only stored.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value);
  // The compressed skin file last imported; the same pattern with
  // ImportCompressedFile.
  const std::string& CompressedFileName() const { return FCompressedFileName; }
  void SetCompressedFileName(const std::string& value);
  // Free text, not used by the engine.
  std::string Description;

  bool IsEmpty() const;
  // The compressed archive.
  TMemoryStream& CompressedStream() { return FCompressedData; }

  // Builds the archive from a skin.ini and the pictures beside it. Without
  // the sections VERSION, PICTURES, FORMINFO, SKINOBJECTS and SKINCONTROLS
  // nothing changes; a picture that cannot be loaded raises and leaves the
  // archive empty.
  void BuildFromSkinFolder(const std::string& skinIniPath);
  // A compressed skin file: 32-bit version (at most 3), 32-bit length, the
  // compressed archive. A newer version leaves the archive empty; a file
  // that ends early raises and leaves it empty too.
  void ImportCompressedFile(const std::string& path);
  // Writes the archive as a compressed skin file of version 3.
  void ExportCompressedFile(const std::string& path);
  // Appends the decompressed archive at target's position; see
  // InflateMemoryStream for the errors and maxSize.
  void InflateInto(TMemoryStream& target, int64_t maxSize = -1);

  void DefineProperties(TFiler& filer) override;

private:
  std::string FFileName;
  std::string FCompressedFileName;
  TMemoryStream FCompressedData;
};

// Texts of the skinned dialogs and menus, as NAME=value lines.
class TbsResourceStrData : public TComponent {
  KORA_CLASS(TbsResourceStrData, TComponent)

  // Starts with the 119 default English texts.
  explicit TbsResourceStrData(TComponent* owner);
  ~TbsResourceStrData() override;

  TStrings* ResStrings() const { return FResStrings.get(); }
  // Copies the lines.
  void SetResStrings(TStrings* value);
  int32_t CharSet = bsDefaultFontCharset;

  // The text after the first "=" of the first line named exactly `name`;
  // "" when there is none.
  std::string LookUpResString(std::string_view name) const;

private:
  std::unique_ptr<TStringList> FResStrings;
};

// How skin messages reach the application's forms: by default the screen's
// form list; tests install their own, and an empty one restores the default.
struct TbsSkinFormDirectory {
  // The forms in screen order.
  std::function<int()> FormCount;
  std::function<TComponent*(int index)> Forms;
  // The window of a form, created if it has none yet; null for a component
  // that is not a form.
  std::function<HWND(TComponent* component)> FormWindow;
};
void SetSkinFormDirectory(TbsSkinFormDirectory directory);

// Makes the skin data classes known by name to the form reader (TbsSkinData,
// TbsCompressedStoredSkin, TbsResourceStrData); once is enough.
void RegisterSkinDataClasses();

class TbsSkinData : public TComponent {
  KORA_CLASS(TbsSkinData, TComponent)

  explicit TbsSkinData(TComponent* owner);
  ~TbsSkinData() override;

  // Morphing and frame animation run only while this is set and a skin is loaded.
  bool EnableSkinEffects = true;

  // Setting a stored skin outside design time loads it (LoadFromStoredSkin).
  TbsCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
  void SetCompressedStoredSkin(TbsCompressedStoredSkin* value);
  // Setting it outside design time broadcasts SKINMSG_STRINGS_CHANGED.
  TbsResourceStrData* ResourceStrData() const { return FResourceStrData; }
  void SetResourceStrData(TbsResourceStrData* value);

  // Set while no skin is loaded: after creation, during a load and after a
  // failed one. Consumers then draw their default look.
  bool Empty() const { return FEmpty; }
  // From the start of a load until just before SKINMSG_SKIN_CHANGE_DONE.
  bool SkinChanging() const { return FSkinChanging; }

  const TbsSkinColors& SkinColors() const { return FSkinColors; }
  const TbsSkinFormInfo& FormInfo() const { return FFormInfo; }
  const TbsSkinVersionInfo& VersionInfo() const { return FVersionInfo; }
  const TbsDataSkinPopupWindow& PopupWindow() const { return FPopupWindow; }
  const TbsDataSkinHintWindow& HintWindow() const { return FHintWindow; }

  // Empty bitmaps when the skin has none.
  TBitmap* Picture() const { return FPicture.get(); }
  TBitmap* InactivePicture() const { return FInactivePicture.get(); }
  TBitmap* MaskPicture() const { return FMaskPicture.get(); }
  const std::string& PictureName() const { return FPictureName; }
  const std::string& InactivePictureName() const { return FInactivePictureName; }
  const std::string& MaskPictureName() const { return FMaskPictureName; }

  // The pictures the records' picture-index keys address.
  int ActivePictureCount() const { return static_cast<int>(FActivePictures.size()); }
  // EListError "List index out of bounds (%d)" outside the list.
  TBitmap* ActivePictures(int index) const;
  // Null for -1 and every other index outside the list.
  TBitmap* FindActivePicture(int index) const;
  const TStringList& ActivePictureNames() const { return FActivePictureNames; }

  // Records in section order. Index accessors raise EListError outside the list.
  int ObjectRecordCount() const { return static_cast<int>(FObjectList.size()); }
  const TbsDataSkinObject* ObjectRecord(int index) const;
  int ControlRecordCount() const { return static_cast<int>(FControlList.size()); }
  const TbsDataSkinControl* ControlRecord(int index) const;
  // The first record whose IDName equals name byte for byte; -1 when none.
  int FindObjectRecord(std::string_view name) const;
  int FindControlRecord(std::string_view name) const;

  // Sends message (wParam this, lParam SKINMSG_LPARAM) to the owner's
  // window when the owner is a form, then to every other form in screen order.
  void BroadcastSkinMessage(UINT message);

  // Frees the records and active pictures, resets the window records'
  // picture indexes and the colours.
  void ClearAll();
  // ClearAll, the three pictures and their names too, and sets Empty.
  void ClearSkin();
  // Replaces the model by the stored skin's (nothing for an empty one),
  // between SKINMSG_SKIN_CHANGING and SKINMSG_SKIN_CHANGED/_CHANGE_DONE. A
  // damaged archive raises after the forms have been told that the skin,
  // now Empty, changed.
  void LoadFromStoredSkin(TbsCompressedStoredSkin* stored);

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  void LoadArchive(TbsCompressedStoredSkin& stored);
  void ReadArchivePictures(TMemoryStream& archive, int32_t version);
  void ReadDescription(const TCustomIniFile& ini);
  void ReadVersionAndPictures(const TCustomIniFile& ini);
  void ReadFormInfo(const TCustomIniFile& ini);
  void ReadObjects(const TCustomIniFile& ini);
  void ReadControls(const TCustomIniFile& ini);
  void FinishChange();

  TbsCompressedStoredSkin* FCompressedStoredSkin = nullptr;
  TbsResourceStrData* FResourceStrData = nullptr;
  TbsSkinColors FSkinColors;
  TbsSkinFormInfo FFormInfo;
  TbsSkinVersionInfo FVersionInfo;
  TbsDataSkinPopupWindow FPopupWindow;
  TbsDataSkinHintWindow FHintWindow;
  bool FEmpty = true;
  bool FSkinChanging = false;
  std::unique_ptr<TBitmap> FPicture, FInactivePicture, FMaskPicture;
  std::vector<std::unique_ptr<TBitmap>> FActivePictures;
  std::string FPictureName, FInactivePictureName, FMaskPictureName;
  TStringList FActivePictureNames;
  std::vector<std::unique_ptr<TbsDataSkinObject>> FObjectList;
  std::vector<std::unique_ptr<TbsDataSkinControl>> FControlList;
};

// The skin when one is given and loaded, else null.
inline TbsSkinData* LoadedSkin(TbsSkinData* skin) { return skin && !skin->Empty() ? skin : nullptr; }

}  // namespace kora

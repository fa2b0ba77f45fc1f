// TbsCompressedStoredSkin: the compressed skin archive a form carries, the
// archive builder and the compressed skin file.

#include "framework/core/ClassBuilder.h"
#include "framework/core/Filer.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinData_Archive.h"
#include "skin/data/bszlibcompress.h"

namespace kora {

namespace {

using skin_archive::ReadInt32;
using skin_archive::WriteInt32;

// A picture named in [PICTURES]: the absent flag, then the BMP file.
void WriteFlaggedPicture(TStream& archive, const std::string& folder, const std::string& fileName) {
  TBitmap bitmap;
  if (!fileName.empty()) bitmap.LoadFromFile(folder + fileName);
  const uint8_t absent = bitmap.Empty() ? 1 : 0;
  archive.WriteBuffer(&absent, 1);
  bitmap.SaveToStream(archive);
}

}  // namespace

TClass TbsCompressedStoredSkin::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsCompressedStoredSkin>("TbsCompressedStoredSkin")
          .Property("FileName", &TbsCompressedStoredSkin::FileName, &TbsCompressedStoredSkin::SetFileName)
          .Property("CompressedFileName", &TbsCompressedStoredSkin::CompressedFileName,
                    &TbsCompressedStoredSkin::SetCompressedFileName)
          .Property("Description", &TbsCompressedStoredSkin::Description));
  return &info;
}

TbsCompressedStoredSkin::TbsCompressedStoredSkin(TComponent* owner) : TComponent(owner) {}

namespace {

bool DesigningOnly(const TComponent& component) {
  const TComponentState state = component.ComponentState();
  return state.Contains(csDesigning) && !state.Contains(csLoading);
}

}  // namespace

void TbsCompressedStoredSkin::SetFileName(const std::string& value) {
  if (!DesigningOnly(*this)) {
    FFileName = value;
    return;
  }
  FFileName = ExtractFileName(value);
  BuildFromSkinFolder(value);
}

void TbsCompressedStoredSkin::SetCompressedFileName(const std::string& value) {
  if (!DesigningOnly(*this)) {
    FCompressedFileName = value;
    return;
  }
  FCompressedFileName = ExtractFileName(value);
  ImportCompressedFile(value);
}

bool TbsCompressedStoredSkin::IsEmpty() const { return FCompressedData.Bytes().empty(); }

void TbsCompressedStoredSkin::BuildFromSkinFolder(const std::string& skinIniPath) {
  TStringList lines;
  lines.LoadFromFile(skinIniPath);
  TMemIniFile ini("");
  ini.SetStrings(lines);
  for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"}) {
    if (!ini.SectionExists(section)) return;
  }
  const std::string folder = ExtractFilePath(skinIniPath);

  FCompressedData.Clear();
  TMemoryStream archive;
  WriteInt32(archive, skin_archive::kVersion);
  for (const char* key : {"picture", "inactivepicture", "mask"})
    WriteFlaggedPicture(archive, folder, ini.ReadString("PICTURES", key, ""));

  TStringList active;
  ReadSkinStrings(ini, "PICTURES", "activepictures", active);
  WriteInt32(archive, active.Count());
  for (int i = 0; i < active.Count(); ++i) {
    TBitmap bitmap;
    bitmap.LoadFromFile(folder + active[i]);
    // The count promises a BMP file for every entry; an empty one would
    // shift every later picture.
    if (bitmap.Empty()) throw EInvalidGraphic("Bitmap image is not valid");
    bitmap.SaveToStream(archive);
  }

  for (int i = 0; i < lines.Count(); ++i) {
    const std::string line = lines[i] + "\r\n";
    archive.WriteBuffer(line.data(), static_cast<int64_t>(line.size()));
  }
  DeflateMemoryStream(archive, FCompressedData);
}

void TbsCompressedStoredSkin::ImportCompressedFile(const std::string& path) {
  FCompressedData.Clear();
  TFileStream file(path, fmOpenRead | fmShareDenyWrite);
  if (ReadInt32(file) > skin_archive::kVersion) return;
  const int32_t length = ReadInt32(file);
  try {
    // CopyFrom takes a count of 0 as "everything", which is not what 0 means here.
    if (length > 0) FCompressedData.CopyFrom(file, length);
  } catch (...) {
    FCompressedData.Clear();
    throw;
  }
  FCompressedData.SetPosition(0);
}

void TbsCompressedStoredSkin::ExportCompressedFile(const std::string& path) {
  TFileStream file(path, fmCreate);
  WriteInt32(file, skin_archive::kVersion);
  WriteInt32(file, static_cast<int32_t>(FCompressedData.Size()));
  FCompressedData.SaveToStream(file);
}

void TbsCompressedStoredSkin::InflateInto(TMemoryStream& target, int64_t maxSize) {
  InflateMemoryStream(target, FCompressedData, maxSize);
}

void TbsCompressedStoredSkin::DefineProperties(TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "CompressedData", [this](TStream& stream) { FCompressedData.LoadFromStream(stream); },
      [this](TStream& stream) { FCompressedData.SaveToStream(stream); }, true);
}

}  // namespace kora

// Loading a stored skin into TbsSkinData: the archive's pictures, then the
// description's sections in their fixed order.

#include <cstdlib>

#include "platform/gdi/BmpFile.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinData_Archive.h"

namespace kora {

namespace {

// The archive of the program's own skin inflates to about 1.2 MB; far
// beyond that is a forged stream, not a skin.
constexpr int64_t kMaxArchiveSize = int64_t(64) << 20;

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Reads one BMP file of the archive; the bitmap leaves the stream where the
// file header's size field says the next item starts. The pixel counts of
// all pictures come out of one budget, checked against the headers before
// anything is decoded, so a small archive cannot claim huge pictures.
class TArchivePictureReader {
public:
  explicit TArchivePictureReader(TMemoryStream& archive) : FArchive(archive) {}

  void Read(TBitmap& bitmap) {
    const int64_t left = FArchive.Size() - FArchive.Position();
    // A bitmap with nothing left to read would quietly come out empty.
    if (left <= 0) throw EReadError("Stream read error");
    if (left >= 26) Charge(FArchive.Memory() + FArchive.Position());
    bitmap.LoadFromStream(FArchive);
  }

private:
  void Charge(const uint8_t* file) {
    const uint32_t infoSize = Le32(file + 14);
    int64_t width, height;
    if (infoSize == 12) {
      width = file[18] | file[19] << 8;
      height = file[20] | file[21] << 8;
    } else {
      width = static_cast<int32_t>(Le32(file + 18));
      height = static_cast<int32_t>(Le32(file + 22));
    }
    const int64_t pixels = std::llabs(width) * std::llabs(height);
    if (pixels > FBudget) throw EbsSkinDataError("Skin archive: the pictures are too large");
    FBudget -= pixels;
  }

  TMemoryStream& FArchive;
  int64_t FBudget = static_cast<int64_t>(BMP_MAX_PIXELS);
};

}  // namespace

void TbsSkinData::LoadFromStoredSkin(TbsCompressedStoredSkin* stored) {
  if (!stored || stored->IsEmpty()) return;
  FEmpty = true;
  FSkinChanging = true;
  BroadcastSkinMessage(SKINMSG_SKIN_CHANGING);
  try {
    LoadArchive(*stored);
  } catch (...) {
    // The forms were told a change is under way; without the rest of the
    // messages their frames would wait for it for ever. They get an Empty
    // skin, which draws the default look.
    FEmpty = true;
    FinishChange();
    throw;
  }
  FinishChange();
}

void TbsSkinData::FinishChange() {
  BroadcastSkinMessage(SKINMSG_SKIN_CHANGED);
  FSkinChanging = false;
  BroadcastSkinMessage(SKINMSG_SKIN_CHANGE_DONE);
}

void TbsSkinData::LoadArchive(TbsCompressedStoredSkin& stored) {
  ClearSkin();
  TMemoryStream archive;
  stored.InflateInto(archive, kMaxArchiveSize);
  archive.SetPosition(0);
  const int32_t version = skin_archive::ReadInt32(archive);
  if (version > skin_archive::kVersion) return;
  ReadArchivePictures(archive, version);
  TStringList lines;
  lines.LoadFromStream(archive);
  TMemIniFile ini("");
  ini.SetStrings(lines);
  ReadDescription(ini);
  FEmpty = false;
}

void TbsSkinData::ReadArchivePictures(TMemoryStream& archive, int32_t version) {
  TArchivePictureReader reader(archive);
  auto readFlagged = [&](TBitmap& bitmap) {
    uint8_t absent = 0;
    archive.ReadBuffer(&absent, 1);
    if (absent)
      bitmap.Assign(nullptr);
    else
      reader.Read(bitmap);
  };
  readFlagged(*FPicture);
  readFlagged(*FInactivePicture);
  readFlagged(*FMaskPicture);
  if (version == 2) {
    // Two more pictures that nothing uses any longer.
    TBitmap discarded;
    readFlagged(discarded);
    readFlagged(discarded);
  }
  const int32_t count = skin_archive::ReadInt32(archive);
  for (int32_t i = 0; i < count; ++i) {
    FActivePictures.push_back(std::make_unique<TBitmap>());
    reader.Read(*FActivePictures.back());
  }
}

void TbsSkinData::ReadDescription(const TCustomIniFile& ini) {
  ReadVersionAndPictures(ini);
  ReadFormInfo(ini);
  FPopupWindow.ReadFromIni(ini);
  FHintWindow.ReadFromIni(ini);
  FSkinColors.ReadFromIni(ini);
  ReadObjects(ini);
  ReadControls(ini);
}

void TbsSkinData::ReadVersionAndPictures(const TCustomIniFile& ini) {
  FVersionInfo.ReadFromIni(ini);
  FPictureName = ini.ReadString("PICTURES", "picture", "");
  FInactivePictureName = ini.ReadString("PICTURES", "inactivepicture", "");
  FMaskPictureName = ini.ReadString("PICTURES", "mask", "");
  ReadSkinStrings(ini, "PICTURES", "activepictures", FActivePictureNames);
}

void TbsSkinData::ReadFormInfo(const TCustomIniFile& ini) {
  FFormInfo.ReadFromIni(ini);
  FFormInfo.Adjust(!FMaskPictureName.empty());
}

void TbsSkinData::ReadObjects(const TCustomIniFile& ini) {
  for (const TbsSkinRegistryEntry& entry : ReadSkinRegistry(ini, "SKINOBJECTS")) {
    std::unique_ptr<TbsDataSkinObject> record = CreateSkinObjectRecord(entry.Kind, entry.Name);
    if (!record) continue;
    FObjectList.push_back(std::move(record));
    FObjectList.back()->ReadFromIni(ini);
  }
}

void TbsSkinData::ReadControls(const TCustomIniFile& ini) {
  for (const TbsSkinRegistryEntry& entry : ReadSkinRegistry(ini, "SKINCONTROLS")) {
    std::unique_ptr<TbsDataSkinControl> record = CreateSkinControlRecord(entry.Kind, entry.Name);
    if (!record) continue;
    FControlList.push_back(std::move(record));
    FControlList.back()->ReadFromIni(ini);
  }
}

}  // namespace kora

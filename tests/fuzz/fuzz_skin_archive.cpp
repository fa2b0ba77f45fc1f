// A stored skin comes out of the form description, which may be damaged:
// loading it must either succeed or throw, leaving Empty set, and the
// model it builds must be consistent. The first byte picks whether the rest
// is taken as the compressed bytes themselves or as an archive to wrap in a
// zlib stream.
#include <cstdint>
#include <exception>

#include "FuzzSupport.h"
#include "skin/data/bsSkinData.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  kora::fuzz::CheckStoredZlibWriter();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace kora;
  if (size == 0) return 0;
  TbsCompressedStoredSkin stored(nullptr);
  TMemoryStream& compressed = stored.CompressedStream();
  if (data[0] & 1) {
    compressed.WriteBuffer(data + 1, static_cast<int64_t>(size - 1));
  } else {
    fuzz::TStoredZlibWriter writer(compressed);
    writer.Write(data + 1, size - 1);
    writer.Finish();
  }
  TbsSkinData skin(nullptr);
  bool failed = false;
  try {
    skin.LoadFromStoredSkin(&stored);
  } catch (const std::exception&) {
    failed = true;
  }
  if (skin.SkinChanging() || (failed && !skin.Empty())) __builtin_trap();
  for (int i = 0; i < skin.ActivePictureCount(); ++i) {
    if (skin.ActivePictures(i) == nullptr) __builtin_trap();
  }
  for (int i = 0; i < skin.ControlRecordCount(); ++i) {
    if (skin.FindControlRecord(skin.ControlRecord(i)->IDName) > i) __builtin_trap();
  }
  return 0;
}

// The three name lists as the window loads them, from a program folder of
// the fuzzer's own: two 16-bit lengths, then Data/Item.dat and
// Data/Char.dat of those lengths, and the rest as Data/Class.dat. Every
// line is an entry with its picture asked for by its id, names are valid
// UTF-8 whatever the bytes, and each position has a record index.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzFiles.h"
#include "editor/NameLists.h"
#include "framework/core/Classes.h"
#include "platform/text/Utf8.h"

namespace {

void WriteFile(const std::string& path, const uint8_t* bytes, std::size_t size) {
  kora::TFileStream file(path, kora::fmCreate);
  file.WriteBuffer(bytes, static_cast<int64_t>(size));
}

bool ValidUtf8(const std::string& text) { return kora::Utf32ToUtf8(kora::Utf8ToUtf32(text)) == text; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace kora;
  static const fuzz::TScratchFolder folder("kora-fuzz-lists");
  static const bool made = [] {
    std::filesystem::create_directories(folder.Path() + "Data");
    return true;
  }();
  (void)made;
  if (size < 4) return 0;
  const std::size_t items = std::min<std::size_t>(data[0] | data[1] << 8, size - 4);
  const std::size_t chars = std::min<std::size_t>(data[2] | data[3] << 8, size - 4 - items);
  WriteFile(folder.Path() + "Data/Item.dat", data + 4, items);
  WriteFile(folder.Path() + "Data/Char.dat", data + 4 + items, chars);
  WriteFile(folder.Path() + "Data/Class.dat", data + 4 + items + chars, size - 4 - items - chars);

  NameLists lists;
  std::size_t icons = 0, portraits = 0;
  LoadNameLists(
      folder.Path(), lists,
      [&](const std::string& path) {
        if (path != folder.Path() + "Image/Item/" + lists.ItemIds[icons++] + ".bmp") __builtin_trap();
      },
      [&](const std::string& path) {
        if (path != folder.Path() + "Image/Face/" + lists.CharIds[portraits++] + ".bmp") __builtin_trap();
      });
  if (icons != lists.ItemIds.size() || lists.ItemNames.size() != icons || portraits != lists.CharIds.size() ||
      lists.CharNames.size() != portraits)
    __builtin_trap();
  for (const auto* names : {&lists.ItemIds, &lists.ItemNames, &lists.CharIds, &lists.CharNames, &lists.ClassNames}) {
    for (const std::string& name : *names) {
      if (!ValidUtf8(name)) __builtin_trap();
    }
  }
  for (int p = -1; p <= static_cast<int>(lists.CharIds.size()); ++p) {
    lists.ItemRecordAt(p), lists.CharRecordAt(p);
    if (lists.ClassRecordAt(p) != (p >= 0 && p < static_cast<int>(lists.ClassNames.size()) ? p : -1)) __builtin_trap();
  }
  return 0;
}

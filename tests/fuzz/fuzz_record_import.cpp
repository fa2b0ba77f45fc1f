// kora-cli import's reading of a CSV or JSON record file (JSON when it
// starts with '{') against the program's own name lists, and the edits
// applied to the demo image. Either a message that names a line, or edits
// that each lie within their columns' ranges and fit the image.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "editor/NameLists.h"
#include "kora-cli/DemoImage.h"
#include "kora-cli/RecordFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace kora;
  using namespace kora::cli;
  static const NameLists lists = [] {
    NameLists l;
    LoadNameLists(KORA_SOURCE_DIR "/assets/", l);
    return l;
  }();
  static const DataImage demo = MakeDemoImage();
  std::vector<RecordEdit> edits;
  try {
    edits = ParseRecordFile(std::string_view(reinterpret_cast<const char*>(data), size), lists);
  } catch (const EImportError& e) {
    if (e.Message().rfind("line ", 0) != 0) __builtin_trap();
    return 0;
  }
  for (const RecordEdit& edit : edits) {
    for (const auto& [column, value] : edit.Values) {
      const ColumnDef& def = ColumnsOf(edit.Kind).at(static_cast<std::size_t>(column));
      if (value < def.Min || value > def.Max) __builtin_trap();
    }
  }
  DataImage image = demo;
  try {
    ApplyEdits(edits, image);
  } catch (const EImportError&) {
    if (image != demo) __builtin_trap();
  }
  if (image.size() != demo.size()) __builtin_trap();
  return 0;
}

#pragma once

#include "editor/DataImage.h"

#include <optional>
#include <string>
#include <vector>

// The editable fields of each record kind as named integer columns, the
// shape both the CSV and the JSON files use. Values go through the editor's
// typed record routines; no layout is known here.
namespace kora::cli {

enum class RecordKind { Char, Class, Item };

struct ColumnDef {
  std::string Name;
  int Min;
  int Max;
};

struct KindInfo {
  RecordKind Kind;
  const char* Option;   // --kind value: "char", "class", "item"
  const char* Section;  // JSON member: "characters", "classes", "items"
  const char* Key;      // first column: "id" or "index"
};

const std::vector<KindInfo>& AllKinds();
const KindInfo& InfoOf(RecordKind kind);

// The value columns after the key and "name", in file order.
const std::vector<ColumnDef>& ColumnsOf(RecordKind kind);
// Position of a value column, or -1.
int ColumnIndex(RecordKind kind, const std::string& name);

// A record's values in column order; nothing when the record does not lie
// inside the image.
std::optional<std::vector<int>> ReadValues(RecordKind kind, const DataImage& image, int index);
// Stores values (each within its column's range) in column order.
bool WriteValues(RecordKind kind, DataImage& image, int index, const std::vector<int>& values);

}  // namespace kora::cli

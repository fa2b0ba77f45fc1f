#include "kora-cli/RecordColumns.h"

#include "editor/Records.h"

#include <algorithm>

namespace kora::cli {

namespace {

void AddStats(std::vector<ColumnDef>& columns, const std::string& prefix, int min, int max) {
  for (const char* key : kStatKeys) columns.push_back({prefix + key, min, max});
}

std::vector<ColumnDef> MakeColumns(RecordKind kind) {
  std::vector<ColumnDef> columns;
  switch (kind) {
    case RecordKind::Char:
      AddStats(columns, "base_", -128, 127);
      AddStats(columns, "growth_", -128, 127);
      break;
    case RecordKind::Class:
      AddStats(columns, "base_", -128, 127);
      AddStats(columns, "growth_", -128, 127);
      AddStats(columns, "cap_", -128, 127);
      break;
    case RecordKind::Item:
      columns = {{"price", 0, 65535}, {"uses", 0, 255},   {"might", 0, 255}, {"hit", 0, 255},
                 {"crit", 0, 255},    {"weight", 0, 255}, {"range1", 0, 15}, {"range2", 0, 15}};
      AddStats(columns, "bonus_", 0, 255);
      break;
  }
  return columns;
}

void AppendStats(std::vector<int>& values, const StatBlock& block) {
  values.insert(values.end(), block.begin(), block.end());
}

template <typename Block>
void TakeStats(Block& block, const std::vector<int>& values, std::size_t from) {
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<typename Block::value_type>(values[from + i]);
}

}  // namespace

const std::vector<KindInfo>& AllKinds() {
  static const std::vector<KindInfo> kinds = {
      {RecordKind::Char, "char", "characters", "id"},
      {RecordKind::Class, "class", "classes", "index"},
      {RecordKind::Item, "item", "items", "id"},
  };
  return kinds;
}

const KindInfo& InfoOf(RecordKind kind) { return AllKinds()[static_cast<std::size_t>(kind)]; }

const std::vector<ColumnDef>& ColumnsOf(RecordKind kind) {
  static const std::vector<ColumnDef> columns[] = {MakeColumns(RecordKind::Char), MakeColumns(RecordKind::Class),
                                                   MakeColumns(RecordKind::Item)};
  return columns[static_cast<std::size_t>(kind)];
}

int ColumnIndex(RecordKind kind, const std::string& name) {
  const auto& columns = ColumnsOf(kind);
  const auto it = std::find_if(columns.begin(), columns.end(), [&](const ColumnDef& c) { return c.Name == name; });
  return it == columns.end() ? -1 : static_cast<int>(it - columns.begin());
}

std::optional<std::vector<int>> ReadValues(RecordKind kind, const DataImage& image, int index) {
  std::vector<int> values;
  switch (kind) {
    case RecordKind::Char: {
      const auto record = ReadCharRecord(image, index);
      if (!record) return std::nullopt;
      AppendStats(values, record->Base);
      AppendStats(values, record->Growth);
      break;
    }
    case RecordKind::Class: {
      const auto record = ReadClassRecord(image, index);
      if (!record) return std::nullopt;
      AppendStats(values, record->Base);
      AppendStats(values, record->Growth);
      AppendStats(values, record->Cap);
      break;
    }
    case RecordKind::Item: {
      const auto record = ReadItemRecord(image, index);
      if (!record) return std::nullopt;
      values = {record->Price, record->Uses,   record->Might,  record->Hit,
                record->Crit,  record->Weight, record->Range1, record->Range2};
      values.insert(values.end(), record->Bonus.begin(), record->Bonus.end());
      break;
    }
  }
  return values;
}

bool WriteValues(RecordKind kind, DataImage& image, int index, const std::vector<int>& values) {
  switch (kind) {
    case RecordKind::Char: {
      CharRecord record;
      TakeStats(record.Base, values, 0);
      TakeStats(record.Growth, values, kStatCount);
      return WriteCharRecord(image, index, record);
    }
    case RecordKind::Class: {
      ClassRecord record;
      TakeStats(record.Base, values, 0);
      TakeStats(record.Growth, values, kStatCount);
      TakeStats(record.Cap, values, 2 * kStatCount);
      return WriteClassRecord(image, index, record);
    }
    case RecordKind::Item: {
      ItemRecord record;
      record.Price = static_cast<uint16_t>(values[0]);
      record.Uses = static_cast<uint8_t>(values[1]);
      record.Might = static_cast<uint8_t>(values[2]);
      record.Hit = static_cast<uint8_t>(values[3]);
      record.Crit = static_cast<uint8_t>(values[4]);
      record.Weight = static_cast<uint8_t>(values[5]);
      record.Range1 = static_cast<uint8_t>(values[6]);
      record.Range2 = static_cast<uint8_t>(values[7]);
      TakeStats(record.Bonus, values, 8);
      return WriteItemRecord(image, index, record);
    }
  }
  return false;
}

}  // namespace kora::cli

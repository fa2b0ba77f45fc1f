#include "kora-cli/RecordFiles.h"

#include "kora-cli/Csv.h"
#include "kora-cli/Json.h"

#include <optional>

namespace kora::cli {

namespace {

struct ListEntry {
  std::string Key;
  std::string Name;
  int Record;
};

std::vector<ListEntry> EntriesOf(RecordKind kind, const NameLists& lists) {
  std::vector<ListEntry> entries;
  switch (kind) {
    case RecordKind::Char:
      for (std::size_t p = 0; p < lists.CharNames.size() && p < lists.CharIds.size(); ++p)
        entries.push_back({lists.CharIds[p], lists.CharNames[p], lists.CharRecordAt(static_cast<int>(p))});
      break;
    case RecordKind::Class:
      for (std::size_t p = 0; p < lists.ClassNames.size(); ++p)
        entries.push_back({std::to_string(p), lists.ClassNames[p], lists.ClassRecordAt(static_cast<int>(p))});
      break;
    case RecordKind::Item:
      for (std::size_t p = 0; p < lists.ItemNames.size() && p < lists.ItemIds.size(); ++p)
        entries.push_back({lists.ItemIds[p], lists.ItemNames[p], lists.ItemRecordAt(static_cast<int>(p))});
      break;
  }
  return entries;
}

std::vector<std::string> HeaderOf(RecordKind kind) {
  std::vector<std::string> header{InfoOf(kind).Key, "name"};
  for (const ColumnDef& column : ColumnsOf(kind)) header.push_back(column.Name);
  return header;
}

}  // namespace

RecordTable CollectRecords(RecordKind kind, const NameLists& lists, const DataImage& image,
                           std::vector<std::string>& missing) {
  RecordTable table{kind, {}};
  for (ListEntry& entry : EntriesOf(kind, lists)) {
    std::optional<std::vector<int>> values = ReadValues(kind, image, entry.Record);
    if (!values) {
      missing.push_back(std::string(InfoOf(kind).Option) + " " + entry.Key);
      continue;
    }
    table.Rows.push_back({std::move(entry.Key), std::move(entry.Name), std::move(*values)});
  }
  return table;
}

std::string FormatCsv(const std::vector<RecordTable>& tables) {
  std::string out;
  for (const RecordTable& table : tables) {
    if (!out.empty()) out += '\n';
    out += CsvLine(HeaderOf(table.Kind));
    for (const RecordRow& row : table.Rows) {
      std::vector<std::string> fields{row.Key, row.Name};
      for (int v : row.Values) fields.push_back(std::to_string(v));
      out += CsvLine(fields);
    }
  }
  return out;
}

std::string FormatJson(const std::vector<RecordTable>& tables) {
  std::string out = "{";
  for (std::size_t t = 0; t < tables.size(); ++t) {
    const RecordTable& table = tables[t];
    const KindInfo& info = InfoOf(table.Kind);
    const auto& columns = ColumnsOf(table.Kind);
    out += (t > 0 ? ",\n  " : "\n  ") + JsonString(info.Section) + ": [";
    for (std::size_t r = 0; r < table.Rows.size(); ++r) {
      const RecordRow& row = table.Rows[r];
      // Class keys are list positions, so numbers; ids stay text.
      const std::string key = table.Kind == RecordKind::Class ? row.Key : JsonString(row.Key);
      out += (r > 0 ? ",\n    {" : "\n    {") + JsonString(info.Key) + ": " + key;
      out += ", \"name\": " + JsonString(row.Name);
      for (std::size_t c = 0; c < columns.size(); ++c)
        out += ", " + JsonString(columns[c].Name) + ": " + std::to_string(row.Values[c]);
      out += "}";
    }
    out += table.Rows.empty() ? "]" : "\n  ]";
  }
  return out + "\n}\n";
}

}  // namespace kora::cli

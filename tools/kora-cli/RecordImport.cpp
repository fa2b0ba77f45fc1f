#include "kora-cli/RecordFiles.h"

#include "editor/RomBlock.h"
#include "kora-cli/Csv.h"
#include "kora-cli/Json.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <map>
#include <optional>

namespace kora::cli {

namespace {

const int kNameColumn = -2;
const int kKeyColumn = -1;

// Text from the file in a message: quoted, and cut where it grows long (a
// stray column name may be megabytes).
constexpr std::size_t kShownBytes = 40;
std::string Quoted(std::string_view text) {
  if (text.size() <= kShownBytes) return "\"" + std::string(text) + "\"";
  std::size_t cut = kShownBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
  return "\"" + std::string(text.substr(0, cut)) + "...\" (" + std::to_string(text.size()) + " bytes)";
}

bool SameId(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Decimal with an optional sign. A number too large for 64 bits saturates, so
// the range check still reports it.
bool ParseDecimal(std::string_view text, int64_t& value) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
  uint64_t magnitude = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), magnitude).ec != std::errc() || magnitude > INT64_MAX)
    magnitude = INT64_MAX;
  value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

// Turns keys into records and collects the edits, with the checks both file
// formats share.
class EditCollector {
public:
  explicit EditCollector(const NameLists& lists) : FLists(lists) {}

  RecordEdit& Begin(RecordKind kind, const std::string& key, int line) {
    const int record = RecordOf(kind, key, line);
    const auto [it, fresh] = FSeen.emplace(std::pair(static_cast<int>(kind), record), line);
    if (!fresh)
      throw EImportError(line, InfoOf(kind).Key,
                         Quoted(key) + " is the same record as line " + std::to_string(it->second));
    FEdits.push_back({kind, key, record, line, {}});
    return FEdits.back();
  }

  static void SetValue(RecordEdit& edit, int column, int64_t value, std::string_view text, int line) {
    const ColumnDef& def = ColumnsOf(edit.Kind)[static_cast<std::size_t>(column)];
    if (value < def.Min || value > def.Max)
      throw EImportError(line, def.Name,
                         Quoted(text) + " is outside " + std::to_string(def.Min) + ".." + std::to_string(def.Max));
    edit.Values.emplace_back(column, static_cast<int>(value));
  }

  std::vector<RecordEdit> Take() { return std::move(FEdits); }

private:
  int RecordOf(RecordKind kind, const std::string& key, int line) const {
    const char* field = InfoOf(kind).Key;
    if (kind == RecordKind::Class) {
      int64_t position = -1;
      if (!ParseDecimal(key, position) || position < 0 || position >= static_cast<int64_t>(FLists.ClassNames.size()))
        throw EImportError(line, field, "no class at list position " + Quoted(key));
      return FLists.ClassRecordAt(static_cast<int>(position));
    }
    const auto& ids = kind == RecordKind::Char ? FLists.CharIds : FLists.ItemIds;
    for (std::size_t p = 0; p < ids.size(); ++p) {
      if (SameId(ids[p], key))
        return kind == RecordKind::Char ? FLists.CharRecordAt(static_cast<int>(p))
                                        : FLists.ItemRecordAt(static_cast<int>(p));
    }
    throw EImportError(line, field, "unknown " + std::string(InfoOf(kind).Option) + " id " + Quoted(key));
  }

  const NameLists& FLists;
  std::map<std::pair<int, int>, int> FSeen;
  std::vector<RecordEdit> FEdits;
};

struct CsvHeader {
  RecordKind Kind;
  std::vector<std::string> Names;
  std::vector<int> Columns;  // value column, kNameColumn or kKeyColumn
};

CsvHeader ReadCsvHeader(const CsvRecord& record) {
  CsvHeader header;
  for (const std::string& field : record.Fields) header.Names.emplace_back(Trim(field));
  const int line = record.Line;
  if (header.Names[0] == "index") {
    header.Kind = RecordKind::Class;
  } else if (header.Names[0] == "id") {
    // Character and item columns have no name in common; the first value
    // column tells them apart.
    header.Kind = RecordKind::Char;
    for (std::size_t i = 1; i < header.Names.size(); ++i) {
      if (header.Names[i] != "name") {
        header.Kind = ColumnIndex(RecordKind::Item, header.Names[i]) >= 0 ? RecordKind::Item : RecordKind::Char;
        break;
      }
    }
  } else {
    throw EImportError(line, header.Names[0], "a header starts with \"id\" or \"index\"");
  }
  header.Columns.push_back(kKeyColumn);
  // A header is read to one name past MaxHeaderFields(), which is bound to
  // be unknown or twice, so this search stays short.
  for (std::size_t i = 1; i < header.Names.size(); ++i) {
    const std::string& name = header.Names[i];
    for (std::size_t k = 0; k < i; ++k) {
      if (header.Names[k] == name) throw EImportError(line, name, "column appears twice");
    }
    int column = kNameColumn;
    if (name != "name" && (column = ColumnIndex(header.Kind, name)) < 0)
      throw EImportError(line, name, std::string("unknown column for ") + InfoOf(header.Kind).Section);
    header.Columns.push_back(column);
  }
  return header;
}

// The key, "name" and every value column of the widest kind.
std::size_t MaxHeaderFields() {
  std::size_t most = 0;
  for (const KindInfo& info : AllKinds()) most = std::max(most, ColumnsOf(info.Kind).size() + 2);
  return most;
}

std::vector<RecordEdit> ParseCsvRecords(std::string_view text, const NameLists& lists) {
  CsvReader reader(text);
  CsvRecord record;
  EditCollector collector(lists);
  std::optional<CsvHeader> header;
  const std::size_t maxHeaderFields = MaxHeaderFields();
  while (true) {
    try {
      if (!reader.Next(record, header ? header->Names.size() : maxHeaderFields)) break;
    } catch (const CsvError& e) {
      throw EImportError(e.Line, "", e.what());
    }
    if (record.Fields.empty()) {
      header.reset();  // an empty line ends a section
      continue;
    }
    if (!header) {
      header = ReadCsvHeader(record);
      continue;
    }
    const std::size_t width = header->Names.size();
    if (record.Fields.size() < width)
      throw EImportError(record.Line, header->Names[record.Fields.size()], "missing value");
    if (record.Fields.size() > width)
      throw EImportError(record.Line, "", "row has more fields than the header's " + std::to_string(width));
    RecordEdit& edit = collector.Begin(header->Kind, std::string(Trim(record.Fields[0])), record.Line);
    for (std::size_t i = 1; i < width; ++i) {
      const int column = header->Columns[i];
      if (column == kNameColumn) continue;
      const std::string_view value = Trim(record.Fields[i]);
      int64_t number = 0;
      if (!ParseDecimal(value, number))
        throw EImportError(record.Line, header->Names[i], Quoted(value) + " is not an integer");
      EditCollector::SetValue(edit, column, number, value, record.Line);
    }
  }
  return collector.Take();
}

// One record object, read member by member: a name that is unknown or
// comes twice, or a value that is an array or object, stops it there, so an
// object never holds more than its kind's columns. The values are checked
// once the key is known, in file order.
void ReadJsonRecord(JsonReader& json, RecordKind kind, EditCollector& collector) {
  const KindInfo& info = InfoOf(kind);
  const JsonValue object = json.Peek();
  if (object.Type != JsonValue::Kind::Object)
    throw EImportError(object.Line, "", std::string("expected an object, found ") + object.TypeName());
  json.BeginObject();
  const std::size_t columns = ColumnsOf(kind).size();
  const std::size_t keySlot = columns, nameSlot = columns + 1;
  std::vector<bool> seen(columns + 2, false);
  std::optional<JsonValue> key;
  std::vector<std::pair<int, JsonValue>> values;  // (column, value)
  std::string name;
  while (json.NextMember(name)) {
    const JsonValue next = json.Peek();
    std::size_t slot = name == info.Key ? keySlot : nameSlot;
    if (name != info.Key && name != "name") {
      const int column = ColumnIndex(kind, name);
      if (column < 0) throw EImportError(next.Line, name, std::string("unknown field for ") + info.Section);
      slot = static_cast<std::size_t>(column);
    }
    if (seen[slot]) throw EImportError(next.Line, name, "field appears twice");
    seen[slot] = true;
    const bool text = slot == nameSlot || (slot == keySlot && kind != RecordKind::Class);
    if (next.Type == JsonValue::Kind::Object || next.Type == JsonValue::Kind::Array ||
        (slot == nameSlot && next.Type != JsonValue::Kind::String)) {
      throw EImportError(next.Line, name,
                         std::string("expected ") + (text ? "a string" : "an integer") + ", found " + next.TypeName());
    }
    JsonValue value = json.Scalar();
    if (slot == keySlot)
      key = std::move(value);
    else if (slot != nameSlot)
      values.emplace_back(static_cast<int>(slot), std::move(value));
  }
  if (!key) throw EImportError(object.Line, info.Key, "missing");
  std::string keyText;
  if (kind == RecordKind::Class && key->IsInteger())
    keyText = key->Text;
  else if (kind != RecordKind::Class && key->Type == JsonValue::Kind::String)
    keyText = key->Text;
  else
    throw EImportError(key->Line, info.Key,
                       std::string("expected ") + (kind == RecordKind::Class ? "an integer" : "a string") + ", found " +
                           key->TypeName());
  RecordEdit& edit = collector.Begin(kind, keyText, key->Line);
  for (const auto& [column, value] : values) {
    const std::string& field = ColumnsOf(kind)[static_cast<std::size_t>(column)].Name;
    if (value.Type != JsonValue::Kind::Number)
      throw EImportError(value.Line, field, std::string("expected an integer, found ") + value.TypeName());
    int64_t number = 0;
    if (!ParseDecimal(value.Text, number))
      throw EImportError(value.Line, field, Quoted(value.Text) + " is not an integer");
    EditCollector::SetValue(edit, column, number, value.Text, value.Line);
  }
}

std::vector<RecordEdit> ParseJsonRecords(std::string_view text, const NameLists& lists) {
  JsonReader json(text);
  EditCollector collector(lists);
  try {
    const JsonValue root = json.Peek();
    if (root.Type != JsonValue::Kind::Object)
      throw EImportError(root.Line, "", std::string("expected an object, found ") + root.TypeName());
    json.BeginObject();
    std::string name;
    while (json.NextMember(name)) {
      const JsonValue section = json.Peek();
      const KindInfo* info = nullptr;
      for (const KindInfo& k : AllKinds()) {
        if (name == k.Section) info = &k;
      }
      if (!info) throw EImportError(section.Line, name, "unknown section; expected characters, classes or items");
      if (section.Type != JsonValue::Kind::Array)
        throw EImportError(section.Line, name, std::string("expected an array, found ") + section.TypeName());
      json.BeginArray();
      while (json.NextItem()) ReadJsonRecord(json, info->Kind, collector);
    }
    json.End();
  } catch (const JsonError& e) {
    throw EImportError(e.Line, "", e.what());
  }
  return collector.Take();
}

}  // namespace

EImportError::EImportError(int line, const std::string& field, const std::string& message)
    : Exception("line " + std::to_string(line) + (field.empty() ? "" : ", field " + Quoted(field)) + ": " + message),
      Line(line),
      Field(field) {}

std::string ReadRecordFile(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileAtMost(path, kMaxRecordFileSize);
  return std::string(bytes.begin(), bytes.end());
}

std::vector<RecordEdit> ParseRecordFile(std::string_view text, const NameLists& lists) {
  if (text.starts_with("\xEF\xBB\xBF"))  // spreadsheets like to add a BOM
    text.remove_prefix(3);
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first != std::string_view::npos && text[first] == '{') return ParseJsonRecords(text, lists);
  return ParseCsvRecords(text, lists);
}

bool ApplyEdits(const std::vector<RecordEdit>& edits, DataImage& image) {
  for (const RecordEdit& edit : edits) {
    if (!ReadValues(edit.Kind, image, edit.Record))
      throw EImportError(edit.Line, InfoOf(edit.Kind).Key, Quoted(edit.Key) + " has no record in the data image");
  }
  const DataImage before = image;
  for (const RecordEdit& edit : edits) {
    std::vector<int> values = *ReadValues(edit.Kind, image, edit.Record);
    for (const auto& [column, value] : edit.Values) values[static_cast<std::size_t>(column)] = value;
    WriteValues(edit.Kind, image, edit.Record, values);
  }
  return image != before;
}

}  // namespace kora::cli

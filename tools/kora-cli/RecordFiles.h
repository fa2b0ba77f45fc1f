#pragma once

#include "editor/DataImage.h"
#include "editor/NameLists.h"
#include "framework/core/SysUtils.h"
#include "kora-cli/RecordColumns.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Records as files: a table per kind for export, and the edits an imported
// CSV or JSON file asks for. Rows are keyed as the name lists key them:
// characters and items by their id text, classes by their list position.
namespace kora::cli {

struct RecordRow {
  std::string Key;
  std::string Name;
  std::vector<int> Values;  // in ColumnsOf(kind) order
};

struct RecordTable {
  RecordKind Kind;
  std::vector<RecordRow> Rows;
};

// One row per list entry, in list order. Entries whose record does not lie
// in the image are left out and named in `missing`.
RecordTable CollectRecords(RecordKind kind, const NameLists& lists, const DataImage& image,
                           std::vector<std::string>& missing);

// CSV: per table a header line and its rows; tables are separated by an
// empty line. JSON: one object with a member per table.
std::string FormatCsv(const std::vector<RecordTable>& tables);
std::string FormatJson(const std::vector<RecordTable>& tables);

// A bad import file: the message names the line and, when there is one, the
// field.
class EImportError : public Exception {
public:
  EImportError(int line, const std::string& field, const std::string& message);
  int Line;
  std::string Field;
};

struct RecordEdit {
  RecordKind Kind;
  std::string Key;
  int Record = -1;
  int Line = 0;
  std::vector<std::pair<int, int>> Values;  // (column, value), only the given columns
};

// A record file holds a row for each entry of the lists; none comes near
// this size.
inline constexpr int64_t kMaxRecordFileSize = int64_t{16} << 20;

// The file's text; a named pipe or device, or a file larger than
// kMaxRecordFileSize, is refused before it is read, naming the file.
std::string ReadRecordFile(const std::string& path);

// Reads a JSON file (it starts with '{') or CSV file of the shape the export
// writes; any subset of value columns may be given, "name" is ignored.
// Checks every value against its range and every key against the lists
// before anything is applied; each row or record is checked as it is read,
// so that a bad file stops at its first fault whatever follows it. Text
// from the file is cut short in messages.
std::vector<RecordEdit> ParseRecordFile(std::string_view text, const NameLists& lists);

// Applies the edits to the image; returns whether any byte changed. A record
// that does not lie in the image raises EImportError before the image is
// touched.
bool ApplyEdits(const std::vector<RecordEdit>& edits, DataImage& image);

}  // namespace kora::cli

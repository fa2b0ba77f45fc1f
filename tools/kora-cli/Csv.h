#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Comma-separated text as spreadsheets write it: fields with a comma, quote,
// line break or edge blank are quoted, quotes inside doubled.
namespace kora::cli {

std::string CsvField(std::string_view text);
// The fields joined by commas, ended with LF.
std::string CsvLine(const std::vector<std::string>& fields);

struct CsvRecord {
  int Line = 0;  // 1-based line where the record starts
  std::vector<std::string> Fields;
};

// Splits text into records, one at a time, so that a caller checks each as
// it comes and stops at the first fault without holding the rest. An empty
// line gives a record without fields, so callers can see where sections
// break. CR LF, LF and CR all end a line; a quoted field may span lines.
// Raises CsvError for an unterminated quote or text right after a closing
// quote.
class CsvReader {
public:
  explicit CsvReader(std::string_view text) : FText(text) {}

  // The next record into `record`; false at the end of the text. Reading a
  // record stops after maxFields + 1 fields: a record that has more comes
  // back with that many, and the caller is to stop there.
  bool Next(CsvRecord& record, std::size_t maxFields);

private:
  bool LineBreak();
  std::string Field();

  std::string_view FText;
  std::size_t FPos = 0;
  int FLine = 1;
};

// what() is the message without the line.
struct CsvError : std::runtime_error {
  CsvError(int line, const std::string& message);
  int Line;
};

}  // namespace kora::cli

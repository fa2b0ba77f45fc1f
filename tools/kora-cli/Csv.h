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

// Splits text into records. An empty line gives a record without fields, so
// callers can see where sections break. CR LF, LF and CR all end a line;
// a quoted field may span lines. Raises CsvError for an unterminated quote or
// text right after a closing quote.
std::vector<CsvRecord> ParseCsv(std::string_view text);

// what() is the message without the line.
struct CsvError : std::runtime_error {
  CsvError(int line, const std::string& message);
  int Line;
};

}  // namespace kora::cli

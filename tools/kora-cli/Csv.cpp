#include "kora-cli/Csv.h"

#include <stdexcept>

namespace kora::cli {

CsvError::CsvError(int line, const std::string& message) : std::runtime_error(message), Line(line) {}

std::string CsvField(std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return std::string(text);
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    line += CsvField(fields[i]);
  }
  return line + '\n';
}

std::vector<CsvRecord> ParseCsv(std::string_view text) {
  std::vector<CsvRecord> records;
  std::size_t pos = 0;
  int line = 1;
  // Consumes one line break at pos, if there is one.
  auto lineBreak = [&] {
    if (pos >= text.size() || (text[pos] != '\r' && text[pos] != '\n')) return false;
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
    ++pos;
    ++line;
    return true;
  };
  while (pos < text.size()) {
    CsvRecord record{line, {}};
    if (lineBreak()) {
      records.push_back(std::move(record));
      continue;
    }
    while (true) {
      std::string field;
      if (pos < text.size() && text[pos] == '"') {
        const int opened = line;
        ++pos;
        while (true) {
          if (pos >= text.size()) throw CsvError(opened, "quoted field is not closed");
          if (text[pos] == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
              field += '"';
              pos += 2;
              continue;
            }
            ++pos;
            break;
          }
          if (text[pos] == '\n' || (text[pos] == '\r' && (pos + 1 >= text.size() || text[pos + 1] != '\n'))) ++line;
          field += text[pos++];
        }
        if (pos < text.size() && text[pos] != ',' && text[pos] != '\r' && text[pos] != '\n')
          throw CsvError(line, "text after a closing quote");
      } else {
        const std::size_t end = text.find_first_of(",\r\n", pos);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        field.assign(text.substr(pos, stop - pos));
        pos = stop;
      }
      record.Fields.push_back(std::move(field));
      if (pos < text.size() && text[pos] == ',') {
        ++pos;
        continue;
      }
      lineBreak();
      break;
    }
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace kora::cli

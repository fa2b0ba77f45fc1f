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

// Consumes one line break at the position, if there is one.
bool CsvReader::LineBreak() {
  if (FPos >= FText.size() || (FText[FPos] != '\r' && FText[FPos] != '\n')) return false;
  if (FText[FPos] == '\r' && FPos + 1 < FText.size() && FText[FPos + 1] == '\n') ++FPos;
  ++FPos;
  ++FLine;
  return true;
}

std::string CsvReader::Field() {
  std::string field;
  if (FPos >= FText.size() || FText[FPos] != '"') {
    const std::size_t end = FText.find_first_of(",\r\n", FPos);
    const std::size_t stop = end == std::string_view::npos ? FText.size() : end;
    field.assign(FText.substr(FPos, stop - FPos));
    FPos = stop;
    return field;
  }
  const int opened = FLine;
  ++FPos;
  while (true) {
    if (FPos >= FText.size()) throw CsvError(opened, "quoted field is not closed");
    if (FText[FPos] == '"') {
      if (FPos + 1 < FText.size() && FText[FPos + 1] == '"') {
        field += '"';
        FPos += 2;
        continue;
      }
      ++FPos;
      break;
    }
    if (FText[FPos] == '\n' || (FText[FPos] == '\r' && (FPos + 1 >= FText.size() || FText[FPos + 1] != '\n'))) ++FLine;
    field += FText[FPos++];
  }
  if (FPos < FText.size() && FText[FPos] != ',' && FText[FPos] != '\r' && FText[FPos] != '\n')
    throw CsvError(FLine, "text after a closing quote");
  return field;
}

bool CsvReader::Next(CsvRecord& record, std::size_t maxFields) {
  record.Line = FLine;
  record.Fields.clear();
  if (FPos >= FText.size()) return false;
  if (LineBreak()) return true;
  while (true) {
    record.Fields.push_back(Field());
    if (record.Fields.size() > maxFields) return true;
    if (FPos < FText.size() && FText[FPos] == ',') {
      ++FPos;
      continue;
    }
    LineBreak();
    return true;
  }
}

}  // namespace kora::cli

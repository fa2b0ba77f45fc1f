#include "framework/core/IniFiles.h"

#include <algorithm>

namespace kora {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

// --- TCustomIniFile --------------------------------------------------------

int32_t TCustomIniFile::ReadInteger(std::string_view section, std::string_view ident, int32_t fallback) const {
  return StrToIntDef(ReadString(section, ident, ""), fallback);
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view ident, int32_t value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view ident, bool fallback) const {
  return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(std::string_view section, std::string_view ident, double fallback) const {
  return StrToFloatDef(ReadString(section, ident, ""), fallback);
}

void TCustomIniFile::WriteFloat(std::string_view section, std::string_view ident, double value) {
  WriteString(section, ident, FloatToStr(value));
}

bool TCustomIniFile::SectionExists(std::string_view section) const {
  TStringList idents;
  ReadSection(section, idents);
  return idents.Count() > 0;
}

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view ident) const {
  TStringList idents;
  ReadSection(section, idents);
  return idents.IndexOf(ident) >= 0;
}

// --- TMemIniFile -----------------------------------------------------------

TMemIniFile::TMemIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {
  if (!FileName().empty() && FileExists(FileName())) {
    TStringList lines;
    lines.LoadFromFile(FileName());
    SetStrings(lines);
  }
}

const TMemIniFile::TSection* TMemIniFile::FindSection(std::string_view name) const {
  for (const TSection& section : FSections) {
    if (SameText(section.Name, name)) return &section;
  }
  return nullptr;
}

TMemIniFile::TSection* TMemIniFile::FindSection(std::string_view name) {
  return const_cast<TSection*>(std::as_const(*this).FindSection(name));
}

const TMemIniFile::TLine* TMemIniFile::FindKey(const TSection& section, std::string_view ident) {
  for (const TLine& line : section.Lines) {
    if (line.IsKey && SameText(line.Name, ident)) return &line;
  }
  return nullptr;
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view ident,
                                    const std::string& fallback) const {
  const TSection* found = FindSection(section);
  const TLine* line = found ? FindKey(*found, ident) : nullptr;
  return line ? line->Text : fallback;
}

void TMemIniFile::WriteString(std::string_view section, std::string_view ident, const std::string& value) {
  TSection* target = FindSection(section);
  if (!target) {
    FSections.push_back(TSection{std::string(section), {}});
    target = &FSections.back();
  }
  if (auto* line = const_cast<TLine*>(FindKey(*target, ident))) {
    line->Text = value;
    return;
  }
  // After the section's last key, before the blank lines and comments that
  // separate it from the next one.
  auto& lines = target->Lines;
  auto place = lines.end();
  while (place != lines.begin() && !std::prev(place)->IsKey) --place;
  if (place == lines.begin()) place = lines.end();
  lines.insert(place, TLine{true, std::string(ident), value});
}

void TMemIniFile::ReadSection(std::string_view section, TStrings& idents) const {
  TStringsUpdate update(idents);
  idents.Clear();
  const TSection* found = FindSection(section);
  if (!found) return;
  for (const TLine& line : found->Lines) {
    if (line.IsKey && FindKey(*found, line.Name) == &line) idents.Add(line.Name);
  }
}

void TMemIniFile::ReadSections(TStrings& sections) const {
  TStringsUpdate update(sections);
  sections.Clear();
  for (const TSection& section : FSections) sections.Add(section.Name);
}

void TMemIniFile::ReadSectionValues(std::string_view section, TStrings& values) const {
  TStringsUpdate update(values);
  values.Clear();
  const TSection* found = FindSection(section);
  if (!found) return;
  for (const TLine& line : found->Lines) {
    if (line.IsKey && FindKey(*found, line.Name) == &line) values.Add(line.Name + "=" + line.Text);
  }
}

void TMemIniFile::EraseSection(std::string_view section) {
  FSections.erase(
      std::remove_if(FSections.begin(), FSections.end(), [&](const TSection& s) { return SameText(s.Name, section); }),
      FSections.end());
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view ident) {
  TSection* found = FindSection(section);
  if (!found) return;
  auto& lines = found->Lines;
  lines.erase(std::remove_if(lines.begin(), lines.end(),
                             [&](const TLine& line) { return line.IsKey && SameText(line.Name, ident); }),
              lines.end());
}

void TMemIniFile::GetStrings(TStrings& lines) const {
  TStringsUpdate update(lines);
  lines.Clear();
  bool afterKey = false;
  auto addLine = [&](const TLine& line) {
    lines.Add(line.IsKey ? line.Name + "=" + line.Text : line.Text);
    afterKey = line.IsKey;
  };
  for (const TLine& line : FPreamble) addLine(line);
  for (const TSection& section : FSections) {
    // A blank line between sections; comments above a header stay with it.
    if (afterKey) lines.Add("");
    lines.Add("[" + section.Name + "]");
    afterKey = false;
    for (const TLine& line : section.Lines) addLine(line);
  }
}

void TMemIniFile::SetStrings(const TStrings& lines) {
  Clear();
  // Sections are found again by index: adding one may move the others.
  std::size_t current = 0;  // 0: before any section, else section index + 1
  for (int i = 0; i < lines.Count(); ++i) {
    std::string line = lines[i];
    // Editors may save a UTF-8 byte-order mark; it is not part of the first line.
    if (i == 0 && line.starts_with(kUtf8ByteOrderMark)) line.erase(0, kUtf8ByteOrderMark.size());
    const std::string text = Trim(line);
    if (!text.empty() && text[0] == '[') {
      const auto close = text.find(']');
      const std::string name =
          Trim(std::string_view(text).substr(1, close == std::string::npos ? std::string::npos : close - 1));
      const TSection* existing = FindSection(name);
      if (!existing) {
        FSections.push_back(TSection{name, {}});
        existing = &FSections.back();
      }
      current = static_cast<std::size_t>(existing - FSections.data()) + 1;
      continue;
    }
    std::vector<TLine>& target = current == 0 ? FPreamble : FSections[current - 1].Lines;
    const auto equals = text.find('=');
    if (text.empty() || text[0] == ';' || equals == std::string::npos || equals == 0) {
      target.push_back(TLine{false, {}, line});
      continue;
    }
    target.push_back(TLine{true, TrimRight(std::string_view(text).substr(0, equals)),
                           TrimLeft(std::string_view(text).substr(equals + 1))});
  }
}

void TMemIniFile::Clear() {
  FPreamble.clear();
  FSections.clear();
}

void TMemIniFile::UpdateFile() {
  TStringList lines;
  GetStrings(lines);
  lines.SaveToFile(FileName());
}

// --- TIniFile --------------------------------------------------------------

void TIniFile::WriteString(std::string_view section, std::string_view ident, const std::string& value) {
  TMemIniFile::WriteString(section, ident, value);
  UpdateFile();
}

void TIniFile::EraseSection(std::string_view section) {
  TMemIniFile::EraseSection(section);
  UpdateFile();
}

void TIniFile::DeleteKey(std::string_view section, std::string_view ident) {
  TMemIniFile::DeleteKey(section, ident);
  UpdateFile();
}

}  // namespace kora

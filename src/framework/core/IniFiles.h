#pragma once
// Ini files: sections of name=value lines, held in memory.
//
// Syntax: "[Section]" starts a section; "name=value" is a key, with blanks
// around the name and the value dropped; the value runs to the end of the
// line and may hold further '='. Blank lines, lines starting with ';' and
// lines without '=' are not keys; they are kept when the file is written
// back. Section and key names match without regard to ASCII case; values
// keep their case. When a key appears twice in a section, the first one is
// read; a section that appears twice is one section.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Classes.h"

namespace kora {

class TCustomIniFile {
public:
  explicit TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}
  virtual ~TCustomIniFile() = default;

  const std::string& FileName() const { return FFileName; }

  virtual std::string ReadString(std::string_view section, std::string_view ident,
                                 const std::string& fallback) const = 0;
  virtual void WriteString(std::string_view section, std::string_view ident, const std::string& value) = 0;
  // Decimal, or hexadecimal after "$" or "0x"; anything else gives `fallback`.
  int32_t ReadInteger(std::string_view section, std::string_view ident, int32_t fallback) const;
  void WriteInteger(std::string_view section, std::string_view ident, int32_t value);
  // An integer; any value but 0 is true.
  bool ReadBool(std::string_view section, std::string_view ident, bool fallback) const;
  void WriteBool(std::string_view section, std::string_view ident, bool value);
  double ReadFloat(std::string_view section, std::string_view ident, double fallback) const;
  void WriteFloat(std::string_view section, std::string_view ident, double value);

  // The key names of a section, each once, in file order.
  virtual void ReadSection(std::string_view section, TStrings& idents) const = 0;
  virtual void ReadSections(TStrings& sections) const = 0;
  // "name=value" for each key of a section, as read.
  virtual void ReadSectionValues(std::string_view section, TStrings& values) const = 0;
  virtual void EraseSection(std::string_view section) = 0;
  // Removes the key, duplicates included.
  virtual void DeleteKey(std::string_view section, std::string_view ident) = 0;
  // Writes the file; raises EFCreateError when it cannot.
  virtual void UpdateFile() = 0;

  // Whether the section has at least one key.
  bool SectionExists(std::string_view section) const;
  virtual bool ValueExists(std::string_view section, std::string_view ident) const;

private:
  std::string FFileName;
};

// All of the file in memory; changes reach the file at UpdateFile.
class TMemIniFile : public TCustomIniFile {
public:
  // Reads the file when it exists; an empty name or a missing file gives
  // an empty ini (use SetStrings to fill it from lines).
  explicit TMemIniFile(std::string fileName);

  std::string ReadString(std::string_view section, std::string_view ident, const std::string& fallback) const override;
  void WriteString(std::string_view section, std::string_view ident, const std::string& value) override;
  void ReadSection(std::string_view section, TStrings& idents) const override;
  void ReadSections(TStrings& sections) const override;
  void ReadSectionValues(std::string_view section, TStrings& values) const override;
  void EraseSection(std::string_view section) override;
  void DeleteKey(std::string_view section, std::string_view ident) override;
  void UpdateFile() override;

  // The whole ini as lines, and replacing it by lines.
  void GetStrings(TStrings& lines) const;
  void SetStrings(const TStrings& lines);
  void Clear();

private:
  struct TLine {
    bool IsKey = false;
    std::string Name;  // a key's name
    std::string Text;  // a key's value, or the line as it was
  };
  struct TSection {
    std::string Name;
    std::vector<TLine> Lines;
  };

  const TSection* FindSection(std::string_view name) const;
  TSection* FindSection(std::string_view name);
  static const TLine* FindKey(const TSection& section, std::string_view ident);

  std::vector<TLine> FPreamble;  // lines before the first section
  std::vector<TSection> FSections;
};

// A TMemIniFile that writes the file after every change.
class TIniFile : public TMemIniFile {
public:
  using TMemIniFile::TMemIniFile;

  void WriteString(std::string_view section, std::string_view ident, const std::string& value) override;
  void EraseSection(std::string_view section) override;
  void DeleteKey(std::string_view section, std::string_view ident) override;
};

}  // namespace kora

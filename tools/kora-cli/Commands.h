#pragma once

#include "editor/ProgramPaths.h"
#include "kora-cli/RecordColumns.h"

#include <iosfwd>
#include <optional>
#include <string>

// The subcommands of kora-cli. paths name the name lists, the packer and
// the working folder they use; errors are raised as exceptions. A save
// that an earlier run left cut short is rolled back and named on `warnings`.
namespace kora::cli {

void MakeDemoRom(const std::string& outPath, bool alternate);

// `key: value` lines; offsets in hexadecimal with 0x, sizes in decimal.
// When the working folder is free, a save cut short is rolled back first,
// so the ROM shown is whole.
void PrintInfo(const ProgramPaths& paths, const std::string& romPath, std::ostream& out, std::ostream& warnings);

// Without a kind, all three tables. Entries of the lists without a record
// in the image are named on `warnings`.
void ExportRecords(const ProgramPaths& paths, const std::string& romPath, std::optional<RecordKind> kind, bool json,
                   std::ostream& out, std::ostream& warnings);

// Checks the whole file first, then saves through the editor's save sequence
// only when some value changed. Returns whether the ROM was written.
bool ImportRecords(const ProgramPaths& paths, const std::string& romPath, const std::string& filePath,
                   std::ostream& warnings);

}  // namespace kora::cli

// The recovery of a save cut short, from whatever journal the working
// folder holds. With the first byte odd, the input is the whole journal;
// else the rest follows a journal's head naming the fuzzer's own 4 KB ROM
// and is sealed with the right checksum, so that the ranges are what is
// read. Either the ROM is rolled back or the journal is set aside (never
// lost); a rollback that fails keeps it; nothing grows the ROM.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzFiles.h"
#include "editor/RomJournal.h"
#include "framework/core/Classes.h"

namespace {

constexpr std::size_t kRomSize = 4096;

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  kora::TFileStream file(path, kora::fmCreate);
  file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void Append(std::vector<uint8_t>& out, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace kora;
  namespace fs = std::filesystem;
  static const fuzz::TScratchFolder folder("kora-fuzz-journal");
  const std::string romPath = folder.Path() + "rom.nds", journalPath = folder.Path() + "romData.journal";
  if (size == 0) return 0;

  std::vector<uint8_t> rom(kRomSize);
  for (std::size_t i = 0; i < rom.size(); ++i) rom[i] = static_cast<uint8_t>(i * 7);
  WriteFile(romPath, rom);
  std::vector<uint8_t> journal;
  if (data[0] & 1) {
    journal.assign(data + 1, data + size);
  } else {
    journal = {'K', 'O', 'R', 'A', 'J', 'R', 'N', '1'};
    Append(journal, romPath.size(), 4);
    journal.insert(journal.end(), romPath.begin(), romPath.end());
    journal.insert(journal.end(), data + 1, data + size);
    uint64_t hash = 1469598103934665603ull;
    for (const uint8_t byte : journal) hash = (hash ^ byte) * 1099511628211ull;
    Append(journal, hash, 8);
    for (const char c : std::string("COMPLETE")) journal.push_back(static_cast<uint8_t>(c));
  }
  for (const auto& entry : fs::directory_iterator(folder.Path())) {
    if (entry.path() != romPath) fs::remove(entry.path());
  }
  WriteFile(journalPath, journal);

  try {
    const RecoveryReport report = RecoverRomWrite(journalPath);
    if (fs::exists(journalPath) || fs::file_size(romPath) != kRomSize) __builtin_trap();
    if (report.Outcome == RecoveryOutcome::SetAside && fs::file_size(report.SetAsidePath) != journal.size())
      __builtin_trap();
  } catch (const Exception&) {
    if (!fs::exists(journalPath)) __builtin_trap();
  }
  return 0;
}

#include "editor/RomJournal.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "editor/RomBlock.h"
#include "editor/Texts.h"
#include "framework/core/Classes.h"
#include "platform/shell/FileSystem.h"
#include "platform/shell/SysFiles.h"

namespace kora {

namespace {

// Layout of a journal, little-endian:
//   "KORAJRN1", path length (4) and the ROM's absolute path, the ROM's size
//   (8), the number of ranges (4), then per range its offset (8), length (4),
//   old bytes and new bytes; an FNV-1a checksum (8) over everything before
//   it, and "COMPLETE". It is written under a temporary name and renamed
//   into place, so a journal under its own name is whole unless damaged.
constexpr char kMagic[8] = {'K', 'O', 'R', 'A', 'J', 'R', 'N', '1'};
constexpr char kComplete[8] = {'C', 'O', 'M', 'P', 'L', 'E', 'T', 'E'};
constexpr const char* kTemporarySuffix = ".tmp";
// Twice the largest block and room to spare: a longer file is no journal.
constexpr int64_t kMaxJournalSize = int64_t{64} << 20;
// Journals set aside beyond this many take the last name.
constexpr int kMaxSetAside = 99;

RomWriteStepHook gHook = nullptr;
int64_t gChunkSize = 4096;

// Numbers the steps of one write or rollback for the test hook.
class Steps {
public:
  explicit Steps(bool hooked = true) : FHook(hooked ? gHook : nullptr) {}
  void operator()(const char* what) {
    if (FHook) FHook(FNext++, what);
  }
  // How much of `left` bytes the next step writes.
  int64_t Piece(int64_t left) const { return FHook ? std::min(left, gChunkSize) : left; }

private:
  RomWriteStepHook FHook;
  int FNext = 0;
};

struct JournalRange {
  uint64_t Offset = 0;
  std::vector<uint8_t> Old;
  std::vector<uint8_t> New;
};

struct Journal {
  std::string RomPath;
  uint64_t RomSize = 0;
  std::vector<JournalRange> Ranges;
};

uint64_t Fnv1a(const uint8_t* bytes, std::size_t size) {
  uint64_t hash = 1469598103934665603ull;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  return hash;
}

void PutNumber(std::vector<uint8_t>& out, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> Encode(const Journal& journal) {
  std::vector<uint8_t> out(std::begin(kMagic), std::end(kMagic));
  PutNumber(out, journal.RomPath.size(), 4);
  out.insert(out.end(), journal.RomPath.begin(), journal.RomPath.end());
  PutNumber(out, journal.RomSize, 8);
  PutNumber(out, journal.Ranges.size(), 4);
  for (const JournalRange& range : journal.Ranges) {
    PutNumber(out, range.Offset, 8);
    PutNumber(out, range.Old.size(), 4);
    out.insert(out.end(), range.Old.begin(), range.Old.end());
    out.insert(out.end(), range.New.begin(), range.New.end());
  }
  PutNumber(out, Fnv1a(out.data(), out.size()), 8);
  out.insert(out.end(), std::begin(kComplete), std::end(kComplete));
  return out;
}

// Reads a journal; false when it is cut short, damaged or not a journal.
class Decoder {
public:
  explicit Decoder(const std::vector<uint8_t>& bytes) : FBytes(bytes) {}

  bool Decode(Journal& journal) {
    const std::size_t size = FBytes.size();
    if (size < sizeof kMagic + 8 + sizeof kComplete) return false;
    const std::size_t body = size - 8 - sizeof kComplete;
    if (std::memcmp(FBytes.data(), kMagic, sizeof kMagic) != 0 ||
        std::memcmp(FBytes.data() + size - sizeof kComplete, kComplete, sizeof kComplete) != 0) {
      return false;
    }
    FAt = body;
    uint64_t checksum = 0;
    if (!Number(checksum, 8) || checksum != Fnv1a(FBytes.data(), body)) return false;
    FEnd = body;
    FAt = sizeof kMagic;
    uint64_t pathLength = 0, count = 0;
    if (!Number(pathLength, 4) || !Text(journal.RomPath, pathLength) || !Number(journal.RomSize, 8) ||
        !Number(count, 4)) {
      return false;
    }
    for (uint64_t i = 0; i < count; ++i) {
      JournalRange range;
      uint64_t length = 0;
      if (!Number(range.Offset, 8) || !Number(length, 4) || !Block(range.Old, length) || !Block(range.New, length))
        return false;
      // Compared so that no sum can wrap around.
      if (length > journal.RomSize || range.Offset > journal.RomSize - length) return false;
      journal.Ranges.push_back(std::move(range));
    }
    return FAt == FEnd;
  }

private:
  bool Number(uint64_t& value, int width) {
    if (FEnd - FAt < static_cast<std::size_t>(width)) return false;
    value = 0;
    for (int i = 0; i < width; ++i) value |= uint64_t{FBytes[FAt++]} << (8 * i);
    return true;
  }
  bool Text(std::string& text, uint64_t length) {
    if (FEnd - FAt < length) return false;
    text.assign(reinterpret_cast<const char*>(FBytes.data() + FAt), length);
    FAt += length;
    return true;
  }
  bool Block(std::vector<uint8_t>& block, uint64_t length) {
    if (FEnd - FAt < length) return false;
    block.assign(FBytes.begin() + static_cast<std::ptrdiff_t>(FAt),
                 FBytes.begin() + static_cast<std::ptrdiff_t>(FAt + length));
    FAt += length;
    return true;
  }

  const std::vector<uint8_t>& FBytes;
  std::size_t FAt = 0;
  std::size_t FEnd = 0;
};

std::string FolderOf(const std::string& path) {
  const std::string folder = ExtractFilePath(path);
  return folder.empty() ? "." : folder;
}

// A rename or unlink is on disk only once its folder is.
void SyncFolder(const std::string& path) {
  const std::string folder = FolderOf(path);
  if (!SysSyncFolder(folder)) {
    const int error = errno;
    throw EInOutError(Format("Cannot flush folder \"%s\" to disk. %s", folder.c_str(), SysErrorMessage(error).c_str()),
                      error);
  }
}

void RemoveJournal(const std::string& path) {
  if (!SysRemove(path) && errno != ENOENT) {
    const int error = errno;
    throw EInOutError(Format("Cannot delete file \"%s\". %s", path.c_str(), SysErrorMessage(error).c_str()), error);
  }
}

void WriteJournal(const std::string& path, const std::vector<uint8_t>& bytes, Steps& steps) {
  const std::string temporary = path + kTemporarySuffix;
  int handle = -1;
  bool renamed = false;
  auto fail = [&](int error) {
    throw EInOutError(Format(Tr("Cannot write the save journal \"%s\". %s; the ROM was not changed",
                                "无法写入保存日志 \"%s\"。%s; ROM 未被改动"),
                             path.c_str(), SysErrorMessage(error).c_str()),
                      error);
  };
  try {
    steps("create the journal");
    handle = SysOpen(temporary, SysOpenMode::Create);
    if (handle < 0) fail(errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
      const int64_t piece = steps.Piece(static_cast<int64_t>(bytes.size() - done));
      steps("write the journal");
      const int64_t n = SysWrite(handle, bytes.data() + done, piece);
      if (n != piece) fail(n < 0 ? errno : ENOSPC);
      done += static_cast<std::size_t>(piece);
    }
    steps("flush the journal");
    if (!SysSync(handle)) fail(errno);
    const bool closed = SysClose(handle);
    handle = -1;
    if (!closed) fail(errno);
    steps("rename the journal");
    if (!SysRename(temporary, path)) fail(errno);
    renamed = true;
    steps("sync the working folder");
    SyncFolder(path);
  } catch (...) {
    if (handle >= 0) SysClose(handle);
    SysRemove(temporary);
    if (renamed) SysRemove(path);
    throw;
  }
}

void WriteRange(TStream& rom, uint64_t offset, const std::vector<uint8_t>& bytes, Steps& steps, const char* what) {
  const auto size = static_cast<int64_t>(bytes.size());
  for (int64_t done = 0; done < size;) {
    const int64_t piece = steps.Piece(size - done);
    steps(what);
    rom.SetPosition(static_cast<int64_t>(offset) + done);
    rom.WriteBuffer(bytes.data() + done, piece);
    done += piece;
  }
}

// Old bytes in reverse order, so that overlapping ranges end as they began.
void PutBackOldBytes(TStream& rom, const Journal& journal, Steps& steps) {
  for (auto range = journal.Ranges.rbegin(); range != journal.Ranges.rend(); ++range)
    WriteRange(rom, range->Offset, range->Old, steps, "put back the ROM");
  steps("flush the ROM");
  rom.Flush();
}

// After a failed write: the old bytes go back at once when they can, else
// the journal stays for the next open. Returns what to add to the error.
std::string PutBackAfterFailure(const Journal& journal, const std::string& journalPath,
                                std::unique_ptr<TFileStream>& rom) {
  try {
    Steps silent(false);
    if (!rom) rom = std::make_unique<TFileStream>(journal.RomPath, fmOpenReadWrite | fmShareDenyWrite);
    PutBackOldBytes(*rom, journal, silent);
    rom.reset();
    RemoveJournal(journalPath);
  } catch (...) {
    return Tr("; the ROM is put back as it was when it is opened again", "; 再次打开 ROM 时它会恢复原样");
  }
  try {
    SyncFolder(journalPath);
  } catch (const Exception&) {
    // The ROM holds its old bytes; a journal that comes back only repeats that.
  }
  return Tr("; the ROM was left as it was", "; ROM 保持原样");
}

// A name beside the journal that nothing uses yet: .bad, .bad2, .bad3, ...
std::string SetJournalAside(const std::string& journalPath) {
  std::string target = journalPath + ".bad";
  for (int n = 2; FileExists(target) && n <= kMaxSetAside; ++n) target = journalPath + ".bad" + std::to_string(n);
  if (!SysRename(journalPath, target)) {
    const int error = errno;
    throw EInOutError(
        Format(Tr("Cannot rename the journal \"%s\" to \"%s\". %s", "无法将日志 \"%s\" 改名为 \"%s\"。%s"),
               journalPath.c_str(), target.c_str(), SysErrorMessage(error).c_str()),
        error);
  }
  return target;
}

}  // namespace

void SetRomWriteStepHook(RomWriteStepHook hook, int chunkSize) {
  gHook = hook;
  gChunkSize = std::max(chunkSize, 1);
}

void WriteRomPatches(const std::string& romPath, const std::vector<RomPatch>& patches, const std::string& journalPath) {
  if (FileExists(journalPath)) {
    throw Exception(
        Format(Tr("An earlier save was cut short and has not been rolled back yet (\"%s\"); open the ROM again first. "
                  "The ROM was not changed",
                  "上一次保存中途停止, 还没有撤回(\"%s\"); 请先重新打开 ROM。ROM 未被改动"),
               journalPath.c_str()));
  }
  Journal journal;
  journal.RomPath = ExpandFileName(romPath);
  {
    TFileStream rom(journal.RomPath, fmOpenRead | fmShareDenyWrite);
    journal.RomSize = static_cast<uint64_t>(rom.Size());
    for (const RomPatch& patch : patches) {
      if (patch.Bytes.size() > journal.RomSize || patch.Offset > journal.RomSize - patch.Bytes.size()) {
        throw Exception(Format(Tr("Cannot write %zu bytes at 0x%llX past the end of the ROM; the ROM was not changed",
                                  "无法写入 %zu 字节: 0x%llX 处超出了 ROM 的末尾; ROM 未被改动"),
                               patch.Bytes.size(), static_cast<unsigned long long>(patch.Offset)));
      }
      JournalRange range{patch.Offset, std::vector<uint8_t>(patch.Bytes.size()), patch.Bytes};
      rom.SetPosition(static_cast<int64_t>(patch.Offset));
      rom.ReadBuffer(range.Old.data(), static_cast<int64_t>(range.Old.size()));
      journal.Ranges.push_back(std::move(range));
    }
  }

  Steps steps;
  WriteJournal(journalPath, Encode(journal), steps);
  std::unique_ptr<TFileStream> rom;
  try {
    steps("open the ROM for writing");
    rom = std::make_unique<TFileStream>(journal.RomPath, fmOpenReadWrite | fmShareDenyWrite);
  } catch (...) {
    SysRemove(journalPath);  // the ROM was never touched
    throw;
  }
  try {
    for (const JournalRange& range : journal.Ranges) WriteRange(*rom, range.Offset, range.New, steps, "write the ROM");
    steps("flush the ROM");
    rom->Flush();
    rom.reset();
    steps("remove the journal");
    RemoveJournal(journalPath);
  } catch (const std::exception& e) {
    const std::string failure = e.what();
    throw ERomWriteError(failure + PutBackAfterFailure(journal, journalPath, rom));
  } catch (...) {
    PutBackAfterFailure(journal, journalPath, rom);
    throw;
  }
  try {
    steps("sync the working folder");
    SyncFolder(journalPath);
  } catch (const Exception&) {
    // The new bytes are on disk. Should the removal be lost, the next open
    // rolls back to the old bytes: still one of the two whole states.
  }
}

RecoveryReport RecoverRomWrite(const std::string& journalPath) {
  // A journal still under its temporary name was never complete, so the
  // ROM was not touched.
  SysRemove(journalPath + kTemporarySuffix);
  RecoveryReport report;
  if (!FileExists(journalPath)) return report;

  // Kept under another name for whoever wants to look at it, out of the way
  // of every later open and save.
  auto setAside = [&](const char* reason) {
    report.SetAsidePath = SetJournalAside(journalPath);
    try {
      SyncFolder(journalPath);
    } catch (const Exception&) {
      // Found again, it is set aside again.
    }
    report.Outcome = RecoveryOutcome::SetAside;
    report.Reason = reason;
    return report;
  };
  if (IsSpecialFile(journalPath) || FileSizeOf(journalPath) > kMaxJournalSize)
    return setAside(Tr("the journal is not a journal file", "日志不是日志文件"));
  TMemoryStream file;
  file.LoadFromFile(journalPath);
  Journal journal;
  if (!Decoder(file.Bytes()).Decode(journal)) {
    return setAside(Tr("the journal is incomplete or damaged", "日志不完整或已损坏"));
  }
  report.RomPath = journal.RomPath;
  if (!FileExists(journal.RomPath) || IsSpecialFile(journal.RomPath))
    return setAside(Tr("the ROM is no longer there", "ROM 文件已不存在"));

  // Every byte must be the old or the new one; anything else means the file
  // was replaced or changed since, and putting old bytes into it would only
  // damage it.
  const char* changed = Tr("the ROM has been changed since", "ROM 此后已被改动");
  bool touched = false;
  {
    TFileStream rom(journal.RomPath, fmOpenRead | fmShareDenyWrite);
    if (static_cast<uint64_t>(rom.Size()) != journal.RomSize) return setAside(changed);
    std::vector<uint8_t> now;
    for (const JournalRange& range : journal.Ranges) {
      now.resize(range.Old.size());
      rom.SetPosition(static_cast<int64_t>(range.Offset));
      rom.ReadBuffer(now.data(), static_cast<int64_t>(now.size()));
      for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i] != range.Old[i] && now[i] != range.New[i]) return setAside(changed);
        touched = touched || now[i] != range.Old[i];
      }
    }
  }

  Steps steps;
  if (touched) {
    try {
      steps("open the ROM for writing");
      TFileStream rom(journal.RomPath, fmOpenReadWrite | fmShareDenyWrite);
      PutBackOldBytes(rom, journal, steps);
    } catch (const Exception& e) {
      throw ERomWriteError(Format(Tr("A save into \"%s\" was cut short and cannot be rolled back: %s. Its journal "
                                     "\"%s\" stays for the next attempt",
                                     "对 \"%s\" 的保存曾被中断, 现在无法撤销: %s。其日志 \"%s\" 保留, 下次再试"),
                                  journal.RomPath.c_str(), e.what(), journalPath.c_str()));
    }
  }
  steps("remove the journal");
  RemoveJournal(journalPath);
  try {
    steps("sync the working folder");
    SyncFolder(journalPath);
  } catch (const Exception&) {
    // The ROM holds its old bytes; a journal that comes back finds them.
  }
  report.Outcome = RecoveryOutcome::RolledBack;
  return report;
}

}  // namespace kora

#pragma once
// All-or-nothing writes into a ROM file. Before the first ROM byte changes,
// the bytes about to be overwritten go to a journal beside the working files,
// on disk; the journal is removed once the new bytes are on disk. A journal
// found later means a write was cut short, and the old bytes go back.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/SysUtils.h"

namespace kora {

// Writing into the ROM failed after it was opened for writing; the message
// says what failed and whether the old bytes are back.
class ERomWriteError : public Exception {
public:
  using Exception::Exception;
};

// Bytes to put at an offset of the ROM; the ROM is never grown.
struct RomPatch {
  uint64_t Offset = 0;
  std::vector<uint8_t> Bytes;
};

// Writes every patch into the ROM, flushed to disk, all or nothing. When the
// process dies on the way, RecoverRomWrite on the same journal path puts the
// old bytes back. Raises an error naming the journal when the journal cannot
// be written (the ROM is then untouched); a failure after that restores the
// old bytes and raises ERomWriteError. Refuses to start while an earlier
// journal still waits for its recovery.
void WriteRomPatches(const std::string& romPath, const std::vector<RomPatch>& patches, const std::string& journalPath);

enum class RecoveryOutcome {
  None,        // no write was cut short
  RolledBack,  // the ROM holds its old bytes again
  SetAside,    // the journal was unusable, or its ROM is gone or was replaced; the ROM was left alone
};

struct RecoveryReport {
  RecoveryOutcome Outcome = RecoveryOutcome::None;
  std::string RomPath;       // the ROM the journal names; empty when unreadable
  std::string Reason;        // why a journal was set aside
  std::string SetAsidePath;  // where it was put
};

// Finishes what an interrupted WriteRomPatches left behind: a complete
// journal whose ROM still holds, byte for byte, the old or the new bytes of
// every patch is rolled back, whatever ROM the caller is about to open; any
// other journal is renamed out of the way (to "<journal>.bad", ".bad2", ...)
// and never deleted. Run it only while holding the working folder's
// WorkLock, so that it never meets a write still in progress. Raises when
// the rollback itself fails; the journal then stays for the next attempt.
RecoveryReport RecoverRomWrite(const std::string& journalPath);

// For the crash tests: `hook` is called before every step of a journaled
// write or rollback (creating, writing and syncing the journal, opening,
// writing and syncing the ROM, removing the journal), with the step's number
// from 0 in each call and what it is about to do. While a hook is set, the
// journal and ROM bytes are written in pieces of `chunkSize` bytes, each its
// own step. nullptr switches it off.
using RomWriteStepHook = void (*)(int step, const char* what);
void SetRomWriteStepHook(RomWriteStepHook hook, int chunkSize = 4096);

}  // namespace kora

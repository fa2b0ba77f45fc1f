#pragma once
// The original ROM is never lost: before the first save into a ROM file,
// the file as it is on disk is copied beside it.

#include <string>

namespace kora {

// "<file name>.bak" beside the ROM.
std::string RomBackupFileName(const std::string& romPath);

// When the ROM has no backup beside it yet, copies the ROM there: to a
// temporary name first, flushed to disk and then renamed, so a half copy
// never carries the backup's name. An existing backup is never touched.
// Raises EInOutError naming the backup and the system's reason when the
// copy cannot be made (no room, a folder that may not be written); the ROM
// is not touched either way. Returns whether a backup was made now.
bool MakeRomBackup(const std::string& romPath);

}  // namespace kora

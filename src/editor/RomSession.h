#pragma once
// The open ROM: its path, layout and data image, the working files in the
// working folder, and the open and save sequences that run the packer.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/DataImage.h"
#include "editor/ProgramPaths.h"
#include "editor/RomBlock.h"
#include "editor/RomJournal.h"

namespace kora {

class RomSession {
public:
  explicit RomSession(ProgramPaths paths);
  // A program folder of the portable layout, with Tool/agblz and RomData/.
  explicit RomSession(const std::string& programFolder);

  const ProgramPaths& Paths() const { return FPaths; }
  bool IsOpen() const { return FOpen; }
  const std::string& RomFileName() const { return FRomFileName; }
  uint32_t PointerTableOffset() const { return FLayout.PointerTableOffset; }
  bool AltLayout() const { return FLayout.AltLayout; }

  // Empty until a ROM has been opened, then kDataImageSize bytes.
  DataImage& Image() { return FImage; }
  const DataImage& Image() const { return FImage; }
  // The image as the ROM holds it: as opened, or as last saved.
  const DataImage& SavedImage() const { return FSavedImage; }
  // Whether the image differs from what the ROM holds: a save would change it.
  bool Modified() const { return FOpen && FImage != FSavedImage; }
  // Whether the open ROM file may not be written: it can be viewed, not saved.
  bool ReadOnly() const { return FReadOnly; }

  // In the working folder (RomData/ of a program folder):
  std::string PackedFileName() const;    // romData.bin
  std::string UnpackedFileName() const;  // romDataUnPack.bin
  std::string JournalFileName() const;   // romData.journal, only while a save writes
  std::string CheckFileName() const;     // romDataCheck.bin, only while a save checks its block

  // Called once while the packer runs, before the wait (the window lets
  // waiting messages through there).
  void SetOnProcessMessages(std::function<void()> handler) { FOnProcessMessages = std::move(handler); }

  // A packer that runs longer than this is ended and the open or save
  // fails; the default is generous, a minute.
  static constexpr int kPackerTimeLimitMs = 60000;
  void SetPackerTimeLimit(int milliseconds) { FPackerTimeLimitMs = milliseconds; }

  // How a save unpacks the packer's output again before it goes into the
  // ROM. Without one, the packer does it ("u" into CheckFileName()).
  using BlockUnpacker = std::function<std::vector<uint8_t>(const std::vector<uint8_t>& block)>;
  void SetBlockUnpacker(BlockUnpacker unpacker) { FBlockUnpacker = std::move(unpacker); }

  // The caller holds the program folder's WorkLock for every call below
  // that touches the working files.

  // Rolls back a save that was cut short (see RecoverRomWrite), into
  // whichever ROM it was writing. Open does this first.
  RecoveryReport Recover();
  // What the last Recover found.
  const RecoveryReport& LastRecovery() const { return FLastRecovery; }

  // Recovers, then extracts the block, unpacks it and loads the image. The
  // path, layout and image change only when every step succeeded; a failed
  // open leaves the previous ROM's state and its unpacked working file as
  // they were.
  void Open(const std::string& romPath);
  // Writes the image into the unpacked working file, packs it and writes the
  // block into the ROM, all or nothing. The packed block must unpack to
  // exactly what was packed before it is written. Raises Exception when no
  // ROM is open, when the packer failed, was killed or ran out of time, and
  // when its output does not unpack to the data (the ROM is then unchanged).
  void Save();
  // Deletes the working files that exist; failures are ignored. A journal
  // stays: it is what the next open rolls back.
  void CleanUp();

  // Layout and room of the open ROM as it is on disk now.
  RoomInfo Room() const;

  // "<packer> u "<in>" "<out>"" and its pack twin; in a program folder the
  // packer is "<AppPath>/Tool/agblz".
  std::string UnpackCommandLine(const std::string& in, const std::string& out) const;
  std::string PackCommandLine(const std::string& in, const std::string& out) const;
  void UnPackRomData(const std::string& in, const std::string& out);
  // Returns the packer's exit code (see RunTool).
  int PackRomData(const std::string& in, const std::string& out);
  // Splits the command line and runs it in the program folder; returns the
  // exit code, -1 when it cannot start, kProcessTimedOut when it was ended
  // after the time limit. There are no windows to hide, so showState is
  // accepted and ignored.
  int RunTool(const std::string& commandLine, int showState = 0);

private:
  // How the packer's last run ended, as a message: missing, not runnable,
  // killed, its exit code, and the last lines of its error output.
  std::string ToolReport(int status) const;
  std::string ToolCommandLine(const char* mode, const std::string& in, const std::string& out) const;
  void OpenSteps(const std::string& romPath);
  void SaveSteps();
  // Raises unless the packed file unpacks to the unpacked file's bytes.
  void VerifyPackedBlock(const std::string& packed, const std::string& unpacked);
  std::vector<uint8_t> UnpackWithPacker(const std::string& packed);

  ProgramPaths FPaths;
  bool FOpen = false;
  std::string FRomFileName;
  RomLayout FLayout;
  DataImage FImage;
  DataImage FSavedImage;
  bool FReadOnly = false;
  RecoveryReport FLastRecovery;
  std::function<void()> FOnProcessMessages;
  int FPackerTimeLimitMs = kPackerTimeLimitMs;
  // The packer's last run: what was run, how it ended, what it complained.
  std::string FToolPath;
  int FLastToolStatus = 0;
  std::string FToolErrors;
  BlockUnpacker FBlockUnpacker;
};

}  // namespace kora

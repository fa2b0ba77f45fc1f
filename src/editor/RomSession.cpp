#include "editor/RomSession.h"

#include <unistd.h>
#include <cerrno>
#include <cstdio>

#include "framework/Classes.h"
#include "platform/shell/Process.h"

namespace kora {

namespace {

// Where a previous ROM's unpacked file waits while a new ROM is unpacked, so a
// failed open can put it back.
constexpr const char* kPreviousSuffix = ".prev";

// The tool path stays unquoted as the command line has always had it, unless
// a blank or quote in the program folder would split it.
std::string ToolArgument(const std::string& path) {
  return path.find_first_of(" \t\"") == std::string::npos ? path : QuoteArgument(path);
}

}  // namespace

RomSession::RomSession(const std::string& programFolder) : FAppPath(IncludeTrailingPathDelimiter(programFolder)) {}

std::string RomSession::ExecutableFolder() {
  std::string buffer(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
    const int error = length <= 0 ? errno : ENAMETOOLONG;
    throw EInOutError(Format("Cannot find the program's own folder. %s", SysErrorMessage(error).c_str()), error);
  }
  buffer.resize(static_cast<std::size_t>(length));
  return ExtractFilePath(buffer);
}

std::string RomSession::PackedFileName() const { return FAppPath + "RomData/romData.bin"; }

std::string RomSession::UnpackedFileName() const { return FAppPath + "RomData/romDataUnPack.bin"; }

std::string RomSession::JournalFileName() const { return FAppPath + "RomData/romData.journal"; }

std::string RomSession::ToolCommandLine(const char* mode, const std::string& in, const std::string& out) const {
  // AppPath ends in '/', so the tool path has a doubled separator, as ever.
  return ToolArgument(FAppPath + "/Tool/agblz") + " " + mode + " " + QuoteArgument(in) + " " + QuoteArgument(out);
}

std::string RomSession::UnpackCommandLine(const std::string& in, const std::string& out) const {
  return ToolCommandLine("u", in, out);
}

std::string RomSession::PackCommandLine(const std::string& in, const std::string& out) const {
  return ToolCommandLine("z", in, out);
}

void RomSession::UnPackRomData(const std::string& in, const std::string& out) {
  RunTool(UnpackCommandLine(in, out), 0);
}

int RomSession::PackRomData(const std::string& in, const std::string& out) {
  return RunTool(PackCommandLine(in, out), 0);
}

int RomSession::RunTool(const std::string& commandLine, int /*showState*/) {
  return RunProcess(SplitCommandLine(commandLine), ExcludeTrailingPathDelimiter(FAppPath), FOnProcessMessages);
}

RecoveryReport RomSession::Recover() {
  FLastRecovery = RecoveryReport();
  FLastRecovery = RecoverRomWrite(JournalFileName());
  return FLastRecovery;
}

void RomSession::Open(const std::string& romPath) {
  Recover();
  const std::string packed = PackedFileName();
  const std::string unpacked = UnpackedFileName();
  const std::string previous = unpacked + kPreviousSuffix;

  const RomLayout layout = ExtractRomData(romPath, packed);
  // Move the open ROM's unpacked file aside: a packer that writes nothing
  // must not let it pass for the new ROM's data.
  DeleteFile(previous);
  const bool keptPrevious = std::rename(unpacked.c_str(), previous.c_str()) == 0;
  DataImage image;
  try {
    // The packer's exit code says nothing reliable; the output file does.
    UnPackRomData(packed, unpacked);
    image = LoadDataImage(unpacked);
  } catch (...) {
    DeleteFile(unpacked);
    if (keptPrevious) std::rename(previous.c_str(), unpacked.c_str());
    DeleteFile(packed);
    throw;
  }
  DeleteFile(previous);
  DeleteFile(packed);

  FRomFileName = romPath;
  FLayout = layout;
  FImage = std::move(image);
  FSavedImage = FImage;
  FReadOnly = ::access(romPath.c_str(), W_OK) != 0;
  FOpen = true;
}

void RomSession::Save() {
  if (!FOpen) throw Exception("No ROM is open");
  const std::string packed = PackedFileName();
  const std::string unpacked = UnpackedFileName();
  SaveDataImage(FImage, unpacked);
  // A block left by an earlier save must not be written again when the
  // packer writes nothing this time.
  DeleteFile(packed);
  // What a packer that failed or was killed left behind may be a part of a
  // block: it never goes into the ROM. Without any output the write below
  // reports the missing file.
  const int status = PackRomData(unpacked, packed);
  if (status != 0 && FileExists(packed)) {
    DeleteFile(packed);
    throw Exception(Format("The packer failed (exit code %d); the ROM was not changed", status));
  }
  FLayout = WriteRomData(FLayout, packed, FRomFileName, JournalFileName());
  FSavedImage = FImage;
}

void RomSession::CleanUp() {
  DeleteFile(UnpackedFileName());
  DeleteFile(PackedFileName());
  DeleteFile(UnpackedFileName() + kPreviousSuffix);
}

RoomInfo RomSession::Room() const {
  if (!FOpen) throw Exception("No ROM is open");
  TFileStream rom(FRomFileName, fmOpenRead | fmShareDenyWrite);
  RoomInfo info = MeasureRoom(rom, FLayout);
  info.ImageSize = static_cast<uint32_t>(FImage.size());
  return info;
}

}  // namespace kora

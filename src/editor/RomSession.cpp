#include "editor/RomSession.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <new>
#include <system_error>

#include "editor/Texts.h"
#include "framework/Classes.h"
#include "platform/shell/Process.h"
#include "platform/shell/SysFiles.h"

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
  try {
    return ExtractFilePath(SysExecutableFile());
  } catch (const std::system_error& e) {
    const int error = e.code().value();
    throw EInOutError(Format("Cannot find the program's own folder. %s", SysErrorMessage(error).c_str()), error);
  }
}

std::string RomSession::PackedFileName() const { return FAppPath + SetDirSeparators("RomData/romData.bin"); }

std::string RomSession::UnpackedFileName() const { return FAppPath + SetDirSeparators("RomData/romDataUnPack.bin"); }

std::string RomSession::JournalFileName() const { return FAppPath + SetDirSeparators("RomData/romData.journal"); }

std::string RomSession::CheckFileName() const { return FAppPath + SetDirSeparators("RomData/romDataCheck.bin"); }

std::string RomSession::ToolCommandLine(const char* mode, const std::string& in, const std::string& out) const {
  // AppPath ends in a separator, so the tool path has a doubled one, as ever.
  return ToolArgument(FAppPath + SetDirSeparators("/Tool/agblz")) + " " + mode + " " + QuoteArgument(in) + " " +
         QuoteArgument(out);
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
  const std::vector<std::string> argv = SplitCommandLine(commandLine);
  const int status = RunProcess(argv, ExcludeTrailingPathDelimiter(FAppPath), FOnProcessMessages, FPackerTimeLimitMs);
  if (status == kProcessTimedOut) {
    // A frozen window with no way out helps nobody: the packer is ended.
    throw Exception(Format(Tr("The packer \"%s\" did not finish within %d s and was ended; nothing was changed",
                              "打包程序 \"%s\" 在 %d 秒内没有结束, 已被终止; 没有任何改动"),
                           argv.empty() ? "" : argv[0].c_str(), (FPackerTimeLimitMs + 999) / 1000));
  }
  return status;
}

RecoveryReport RomSession::Recover() {
  FLastRecovery = RecoveryReport();
  FLastRecovery = RecoverRomWrite(JournalFileName());
  return FLastRecovery;
}

void RomSession::Open(const std::string& romPath) {
  try {
    OpenSteps(romPath);
  } catch (const std::bad_alloc&) {
    throw Exception(Format(Tr("Out of memory while opening \"%s\"", "内存不足, 无法打开 \"%s\""), romPath.c_str()));
  }
}

void RomSession::OpenSteps(const std::string& romPath) {
  Recover();
  const std::string packed = PackedFileName();
  const std::string unpacked = UnpackedFileName();
  const std::string previous = unpacked + kPreviousSuffix;

  const RomLayout layout = ExtractRomData(romPath, packed);
  // Move the open ROM's unpacked file aside: a packer that writes nothing
  // must not let it pass for the new ROM's data.
  DeleteFile(previous);
  const bool keptPrevious = SysRename(unpacked, previous);
  DataImage image;
  try {
    // The packer's exit code says nothing reliable; the output file does.
    UnPackRomData(packed, unpacked);
    image = LoadDataImage(unpacked);
  } catch (...) {
    DeleteFile(unpacked);
    if (keptPrevious) SysRename(previous, unpacked);
    DeleteFile(packed);
    throw;
  }
  DeleteFile(previous);
  DeleteFile(packed);

  FRomFileName = romPath;
  FLayout = layout;
  FImage = std::move(image);
  FSavedImage = FImage;
  FReadOnly = !SysWritable(romPath);
  FOpen = true;
}

void RomSession::Save() {
  if (!FOpen) throw Exception("No ROM is open");
  try {
    SaveSteps();
  } catch (const std::bad_alloc&) {
    throw Exception(Format(Tr("Out of memory while saving into \"%s\"; the ROM was not changed",
                              "内存不足, 无法保存到 \"%s\"; ROM 未被改动"),
                           FRomFileName.c_str()));
  }
}

void RomSession::SaveSteps() {
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
  VerifyPackedBlock(packed, unpacked);
  FLayout = WriteRomData(FLayout, packed, FRomFileName, JournalFileName());
  FSavedImage = FImage;
}

void RomSession::VerifyPackedBlock(const std::string& packed, const std::string& unpacked) {
  // Without any output the write reports the missing file, as ever.
  if (!FileExists(packed)) return;
  const std::vector<uint8_t> data = ReadFileAtMost(unpacked, kMaxUnpackedBlockSize);
  const int64_t size = FileSizeOf(packed);
  if (static_cast<uint64_t>(size) > MaxPackedBlockSize(data.size())) {
    throw ERomError(Format(Tr("The packer made a block of %lld bytes from %zu bytes, more than packing can take; "
                              "the ROM was not changed",
                              "打包程序做出的数据块有 %lld 字节(原数据 %zu 字节), 超过了压缩可能的大小; ROM 未被改动"),
                           static_cast<long long>(size), data.size()));
  }
  std::vector<uint8_t> again;
  try {
    again = FBlockUnpacker ? FBlockUnpacker(ReadFileAtMost(packed, size)) : UnpackWithPacker(packed);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    throw ERomError(Format(Tr("The packed block does not unpack again (%s); the ROM was not changed",
                              "打包后的数据块无法再解包(%s); ROM 未被改动"),
                           e.what()));
  }
  if (again != data) {
    const auto differ = std::mismatch(again.begin(), again.end(), data.begin(), data.end());
    throw ERomError(Format(Tr("The packed block unpacks to other data than was packed (from byte %zu on); the ROM "
                              "was not changed",
                              "打包后的数据块解包后与原数据不一致(从第 %zu 字节起); ROM 未被改动"),
                           static_cast<std::size_t>(differ.second - data.begin())));
  }
}

std::vector<uint8_t> RomSession::UnpackWithPacker(const std::string& packed) {
  const std::string check = CheckFileName();
  DeleteFile(check);
  struct Remove {
    const std::string& Path;
    ~Remove() { DeleteFile(Path); }
  } remove{check};
  const int status = RunTool(UnpackCommandLine(packed, check), 0);
  if (status != 0) throw Exception(Format(Tr("the packer's exit code is %d", "打包程序的退出码为 %d"), status));
  return ReadFileAtMost(check, kMaxUnpackedBlockSize);
}

void RomSession::CleanUp() {
  DeleteFile(UnpackedFileName());
  DeleteFile(PackedFileName());
  DeleteFile(UnpackedFileName() + kPreviousSuffix);
  DeleteFile(CheckFileName());
}

RoomInfo RomSession::Room() const {
  if (!FOpen) throw Exception("No ROM is open");
  TFileStream rom(FRomFileName, fmOpenRead | fmShareDenyWrite);
  RoomInfo info = MeasureRoom(rom, FLayout);
  info.ImageSize = static_cast<uint32_t>(FImage.size());
  return info;
}

}  // namespace kora

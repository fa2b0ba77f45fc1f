#include "editor/RomSession.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <system_error>

#include "editor/RomBackup.h"
#include "editor/Texts.h"
#include "framework/core/Classes.h"
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

// A failure before the ROM was touched says so, once. Called while the
// failure is being handled: one that says it already goes on as it is.
[[noreturn]] void ThrowRomNotChanged(const std::exception& e) {
  const std::string text = e.what();
  if (text.ends_with("; the ROM was not changed") || text.ends_with("; ROM 未被改动")) throw;
  throw Exception(text + Tr("; the ROM was not changed", "; ROM 未被改动"));
}

// A line of the packer's complaint, kept readable: room for a long path,
// cut between whole characters.
std::string CutLine(const std::string& line) {
  constexpr std::size_t kLimit = 400;
  if (line.size() <= kLimit) return line;
  std::size_t end = kLimit;
  while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
  return line.substr(0, end) + "…";
}

}  // namespace

RomSession::RomSession(ProgramPaths paths) : FPaths(std::move(paths)) {}

RomSession::RomSession(const std::string& programFolder) : RomSession(ProgramPaths::Portable(programFolder)) {}

std::string RomSession::PackedFileName() const { return FPaths.WorkFolder + "romData.bin"; }

std::string RomSession::UnpackedFileName() const { return FPaths.WorkFolder + "romDataUnPack.bin"; }

std::string RomSession::JournalFileName() const { return FPaths.WorkFolder + "romData.journal"; }

std::string RomSession::CheckFileName() const { return FPaths.WorkFolder + "romDataCheck.bin"; }

std::string RomSession::ToolCommandLine(const char* mode, const std::string& in, const std::string& out) const {
  return ToolArgument(FPaths.PackerFile) + " " + mode + " " + QuoteArgument(in) + " " + QuoteArgument(out);
}

std::string RomSession::UnpackCommandLine(const std::string& in, const std::string& out) const {
  return ToolCommandLine("u", in, out);
}

std::string RomSession::PackCommandLine(const std::string& in, const std::string& out) const {
  return ToolCommandLine("z", in, out);
}

void RomSession::UnPackRomData(const std::string& in, const std::string& out) {
  FLastToolStatus = RunTool(UnpackCommandLine(in, out), 0);
}

int RomSession::PackRomData(const std::string& in, const std::string& out) {
  return FLastToolStatus = RunTool(PackCommandLine(in, out), 0);
}

int RomSession::RunTool(const std::string& commandLine, int /*showState*/) {
  const std::vector<std::string> argv = SplitCommandLine(commandLine);
  // Named in messages as the person would write it, without the doubled separator.
  FToolPath.clear();
  for (const char c : argv.empty() ? std::string() : argv[0])
    if (!IsPathDelimiter(c) || FToolPath.size() < 2 || !IsPathDelimiter(FToolPath.back())) FToolPath += c;
  // What the packer says when it fails goes into the message, not to a
  // terminal nobody sees.
  const int status = RunProcess(argv, ExcludeTrailingPathDelimiter(FPaths.AppPath), FOnProcessMessages,
                                FPackerTimeLimitMs, &FToolErrors);
  if (status == kProcessTimedOut) {
    // A frozen window with no way out helps nobody: the packer is ended.
    throw Exception(Format(Tr("The packer \"%s\" did not finish within %d s and was ended; nothing was changed",
                              "打包程序 \"%s\" 在 %d 秒内没有结束, 已被终止; 没有任何改动"),
                           argv.empty() ? "" : argv[0].c_str(), (FPackerTimeLimitMs + 999) / 1000));
  }
  return status;
}

std::string RomSession::ToolReport(int status) const {
  const char* tool = FToolPath.c_str();
  std::string report;
  if (status == -1) {
    report = !FileExists(FToolPath) ? Format(Tr("The packer \"%s\" is missing", "打包程序 \"%s\" 不存在"), tool)
             : !SysStat(FToolPath) || !SysStat(FToolPath)->Executable
                 ? Format(Tr("The packer \"%s\" cannot be run (it is not executable)",
                             "打包程序 \"%s\" 无法运行(没有执行权限)"),
                          tool)
                 : Format(Tr("The packer \"%s\" could not be started", "打包程序 \"%s\" 无法启动"), tool);
  } else if (status > 128) {
    report = Format(Tr("The packer \"%s\" was killed by signal %d (%s)", "打包程序 \"%s\" 被信号 %d (%s) 终止"), tool,
                    status - 128, SignalName(status - 128).c_str());
  } else if (status != 0) {
    report = Format(Tr("The packer \"%s\" ended with exit code %d", "打包程序 \"%s\" 以退出码 %d 结束"), tool, status);
  } else {
    report = Format(Tr("The packer \"%s\" ended without an error", "打包程序 \"%s\" 正常结束"), tool);
  }
  // Its last few lines of complaint, each kept short.
  std::vector<std::string> lines;
  std::string line;
  for (const char c : FToolErrors + "\n") {
    if (c != '\n') {
      line += c;
      continue;
    }
    if (!Trim(line).empty()) lines.push_back(CutLine(Trim(line)));
    line.clear();
  }
  if (lines.size() > 3) lines.erase(lines.begin(), lines.end() - 3);
  if (!lines.empty()) {
    std::string said;
    for (const std::string& l : lines) said += (said.empty() ? "" : " / ") + l;
    report += Format(Tr(" and wrote: %s", ", 其错误输出为: %s"), said.c_str());
  }
  return report;
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
    // Without one, or with too little in it, the packer's end is the news.
    UnPackRomData(packed, unpacked);
    const int status = FLastToolStatus;
    if (!FileExists(unpacked)) {
      throw ERomError(Format(Tr("%s, and unpacked nothing from the ROM's data block; the ROM was not opened",
                                "%s, 没有解包出 ROM 的数据块; ROM 未被打开"),
                             ToolReport(status).c_str()));
    }
    if (const int64_t size = FileSizeOf(unpacked); size < static_cast<int64_t>(kDataImageSize)) {
      throw ERomError(Format(Tr("The ROM's data block unpacked to %lld bytes, not the %d the data needs (%s); "
                                "the ROM was not opened",
                                "ROM 的数据块解包后只有 %lld 字节, 而数据需要 %d 字节(%s); ROM 未被打开"),
                             static_cast<long long>(size), kDataImageSize, ToolReport(status).c_str()));
    }
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
  try {
    SaveDataImage(FImage, unpacked);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    // No room, a folder that may not be written: the working file's own
    // words, and that the ROM is as it was.
    ThrowRomNotChanged(e);
  }
  // A block left by an earlier save must not be written again when the
  // packer writes nothing this time.
  DeleteFile(packed);
  // What a packer that failed or was killed left behind may be a part of a
  // block: it never goes into the ROM. Without any output the write below
  // reports the missing file.
  const int status = PackRomData(unpacked, packed);
  if (status != 0 || !FileExists(packed)) {
    DeleteFile(packed);
    throw ERomError(
        Format(Tr("%s, and the data was not packed; the ROM was not changed", "%s, 数据没有打包成功; ROM 未被改动"),
               ToolReport(status).c_str()));
  }
  VerifyPackedBlock(packed, unpacked);
  // The original is never lost: the first save makes a copy of the ROM.
  MakeRomBackup(FRomFileName);
  try {
    FLayout = WriteRomData(FLayout, packed, FRomFileName, JournalFileName());
  } catch (const ERomWriteError&) {
    throw;  // the ROM was being written: the error says what became of it
  } catch (const ERomError&) {
    throw;  // refused before writing, and saying so
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    // A ROM that vanished or may not be opened: not touched.
    ThrowRomNotChanged(e);
  }
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

#include "kora-cli/Commands.h"

#include "agblz/Lz.h"
#include "editor/NameLists.h"
#include "editor/RomSession.h"
#include "editor/WorkLock.h"
#include "framework/core/Classes.h"
#include "kora-cli/AtomicFile.h"
#include "kora-cli/DemoImage.h"
#include "kora-cli/DemoRom.h"
#include "kora-cli/RecordFiles.h"

#include <ostream>

namespace kora::cli {

namespace {

// The working files go when the command ends, whichever way it ends.
class SessionCleanUp {
public:
  explicit SessionCleanUp(RomSession& session) : FSession(session) {}
  ~SessionCleanUp() { FSession.CleanUp(); }
  SessionCleanUp(const SessionCleanUp&) = delete;
  SessionCleanUp& operator=(const SessionCleanUp&) = delete;

private:
  RomSession& FSession;
};

constexpr const char* kHolder = "kora-cli";

std::string Hex(uint32_t v) { return Format("0x%X", v); }

void ReportRecovery(const RecoveryReport& report, std::ostream& warnings) {
  if (report.Outcome == RecoveryOutcome::RolledBack) {
    warnings << "kora-cli: warning: a save into " << report.RomPath
             << " was cut short; the ROM was rolled back to what it held before\n";
  } else if (report.Outcome == RecoveryOutcome::SetAside) {
    warnings << "kora-cli: warning: the journal of a save cut short"
             << (report.RomPath.empty() ? "" : " into " + report.RomPath) << " cannot be used (" << report.Reason
             << "); it was set aside as " << report.SetAsidePath << " and the ROM left alone\n";
  }
}

// A rollback is worth telling also when the open then fails.
void Open(RomSession& session, const std::string& romPath, std::ostream& warnings) {
  try {
    session.Open(romPath);
  } catch (...) {
    ReportRecovery(session.LastRecovery(), warnings);
    throw;
  }
  ReportRecovery(session.LastRecovery(), warnings);
}

NameLists LoadLists(const std::string& appPath) {
  NameLists lists;
  LoadNameLists(appPath, lists);
  return lists;
}

}  // namespace

void MakeDemoRom(const std::string& outPath, bool alternate) {
  const DataImage image = MakeDemoImage();
  const std::vector<uint8_t> packed = lz::Pack(image);
  WriteFileAtomically(outPath, BuildDemoRom(packed, alternate));
}

void PrintInfo(const ProgramPaths& paths, const std::string& romPath, std::ostream& out, std::ostream& warnings) {
  // info never needed the working folder, and still runs without it or
  // while another program holds it.
  try {
    WorkLock lock(paths, kHolder);
    ReportRecovery(RomSession(paths).Recover(), warnings);
  } catch (const EWorkFolderLocked&) {
  } catch (const EFCreateError&) {}
  const RoomInfo info = InspectRom(romPath);
  out << "layout: " << info.LayoutName() << '\n'
      << "pointer_table: " << Hex(info.Layout.PointerTableOffset) << '\n'
      << "block_start: " << Hex(info.Layout.BlockStart) << '\n'
      << "block_end: " << Hex(info.Layout.BlockEnd) << '\n'
      << "block_size: " << info.BlockSize << '\n'
      << "writeback_offset: " << Hex(info.Layout.WriteBackOffset()) << '\n'
      << "room: " << info.Room << '\n'
      << "image_size: " << info.ImageSize << '\n';
}

void ExportRecords(const ProgramPaths& paths, const std::string& romPath, std::optional<RecordKind> kind, bool json,
                   std::ostream& out, std::ostream& warnings) {
  const NameLists lists = LoadLists(paths.AppPath);
  DataImage image;
  {
    WorkLock lock(paths, kHolder);
    RomSession session(paths);
    SessionCleanUp cleanUp(session);
    Open(session, romPath, warnings);
    image = session.Image();
  }
  std::vector<RecordTable> tables;
  std::vector<std::string> missing;
  for (const KindInfo& info : AllKinds()) {
    if (!kind || *kind == info.Kind) tables.push_back(CollectRecords(info.Kind, lists, image, missing));
  }
  for (const std::string& entry : missing)
    warnings << "kora-cli: warning: " << entry << " has no record in the data image; left out\n";
  out << (json ? FormatJson(tables) : FormatCsv(tables));
}

bool ImportRecords(const ProgramPaths& paths, const std::string& romPath, const std::string& filePath,
                   std::ostream& warnings) {
  const std::string text = ReadRecordFile(filePath);
  const NameLists lists = LoadLists(paths.AppPath);
  try {
    const std::vector<RecordEdit> edits = ParseRecordFile(text, lists);
    WorkLock lock(paths, kHolder);
    RomSession session(paths);
    // The block goes into the ROM only once this program's own unpacker
    // has read it back as the image.
    session.SetBlockUnpacker([](const std::vector<uint8_t>& block) { return lz::Unpack(block); });
    SessionCleanUp cleanUp(session);
    Open(session, romPath, warnings);
    if (!ApplyEdits(edits, session.Image())) return false;
    session.Save();
    return true;
  } catch (const EImportError& e) {
    throw Exception(filePath + ": " + e.Message());
  }
}

}  // namespace kora::cli

#include "kora-cli/Commands.h"

#include "agblz/Lz.h"
#include "editor/NameLists.h"
#include "editor/RomSession.h"
#include "framework/Classes.h"
#include "kora-cli/AtomicFile.h"
#include "kora-cli/DemoImage.h"
#include "kora-cli/DemoRom.h"
#include "kora-cli/RecordFiles.h"
#include "kora-cli/WorkLock.h"

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

std::string Hex(uint32_t v) { return Format("0x%X", v); }

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

void PrintInfo(const std::string& romPath, std::ostream& out) {
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

void ExportRecords(const std::string& appPath, const std::string& romPath, std::optional<RecordKind> kind, bool json,
                   std::ostream& out, std::ostream& warnings) {
  const NameLists lists = LoadLists(appPath);
  DataImage image;
  {
    WorkLock lock(appPath);
    RomSession session(appPath);
    SessionCleanUp cleanUp(session);
    session.Open(romPath);
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

bool ImportRecords(const std::string& appPath, const std::string& romPath, const std::string& filePath) {
  TMemoryStream file;
  file.LoadFromFile(filePath);
  const std::string_view text(reinterpret_cast<const char*>(file.Memory()), file.Bytes().size());
  const NameLists lists = LoadLists(appPath);
  try {
    const std::vector<RecordEdit> edits = ParseRecordFile(text, lists);
    WorkLock lock(appPath);
    RomSession session(appPath);
    SessionCleanUp cleanUp(session);
    session.Open(romPath);
    if (!ApplyEdits(edits, session.Image())) return false;
    session.Save();
    return true;
  } catch (const EImportError& e) {
    throw Exception(filePath + ": " + e.Message());
  }
}

}  // namespace kora::cli

#pragma once
// Where the packed game-data block lies in an NDS ROM image, and moving it
// between the ROM, the working files and the data image.

#include <cstdint>
#include <string>
#include <vector>

#include "editor/DataImage.h"
#include "framework/core/SysUtils.h"

namespace kora {

class TStream;

// A ROM that cannot hold the block as described, or a block that does not
// fit its room.
class ERomError : public Exception {
public:
  using Exception::Exception;
};

// The probe value at kProbeOffset selects the layout.
inline constexpr uint32_t kProbeOffset = 0x2353B8;
inline constexpr uint32_t kPrimaryProbeValue = 0x015D8000;
inline constexpr uint32_t kPrimaryPointerTable = 0x2353B8;
inline constexpr uint32_t kAltPointerTable = 0x1223B8;
inline constexpr uint32_t kPrimaryWriteBackOffset = 0x015D8000;
inline constexpr uint32_t kAltWriteBackOffset = 0x015D7C00;

// NDS header: offset and size of the file allocation table, whose entries are
// 8 bytes (start, end). File ids from 0xF000 up name folders, so no table
// has more entries than that.
inline constexpr uint32_t kFatOffsetField = 0x48;
inline constexpr uint32_t kFatSizeField = 0x4C;
inline constexpr uint32_t kMaxFatSize = 0xF000 * 8;

// A packed block starts with a 4-byte header: its type (0x10 or 0x11) and
// the unpacked size in 24 bits. The packing spends at most one flag bit on
// every byte, so a block of n unpacked bytes takes at most
// MaxPackedBlockSize(n); anything longer is not a block to be read.
inline constexpr uint32_t kMaxUnpackedBlockSize = 0xFFFFFF;
inline constexpr uint8_t kBlockTypeLz10 = 0x10;
inline constexpr uint8_t kBlockTypeLz11 = 0x11;
// Beyond the packing's own padding to 4 bytes, room for what a ROM builder
// may align the next file to (the packer allows the same).
inline constexpr uint32_t kBlockSlack = 0x200;
constexpr uint64_t MaxPackedBlockSize(uint64_t unpacked) {
  return ((4 + unpacked + (unpacked + 7) / 8 + 3) & ~uint64_t{3}) + kBlockSlack;
}

struct RomLayout {
  bool AltLayout = false;
  uint32_t PointerTableOffset = 0;
  // The pointer pair as read: the packed block is [BlockStart, BlockEnd).
  uint32_t BlockStart = 0;
  uint32_t BlockEnd = 0;
  // Where the room for a new block ended when the ROM was opened (0 when
  // not measured). While the pointer pair is still the one above, a save
  // has at least this room, however short the block an earlier save wrote.
  uint32_t RoomEnd = 0;

  // Fixed per layout; the start pointer does not move it.
  uint32_t WriteBackOffset() const { return AltLayout ? kAltWriteBackOffset : kPrimaryWriteBackOffset; }
};

// What `kora-cli info` shows: the layout, the block and the room a new block
// may fill from the write-back offset.
struct RoomInfo {
  RomLayout Layout;
  uint32_t BlockSize = 0;
  // Where the room ends: the start of the next file of the allocation table
  // when the pointer pair is an entry of it (RoomFromFat), else the end
  // pointer; not before the layout's RoomEnd while the pair is unchanged.
  // Never beyond the end of the ROM file.
  uint32_t RoomEnd = 0;
  uint32_t Room = 0;
  bool RoomFromFat = false;
  uint32_t ImageSize = kDataImageSize;

  const char* LayoutName() const { return Layout.AltLayout ? "alternate" : "primary"; }
};

// Runs the layout test and reads the pointer pair. Raises ERomError when the
// ROM is too short for the probe or the pointer pair, when the end pointer
// does not lie above the start pointer (an empty block included), or when
// the block reaches past the end of the file.
RomLayout ReadRomLayout(TStream& rom);

// The room for a block written back under `layout`, from the ROM's current
// allocation table and pointer pair.
RoomInfo MeasureRoom(TStream& rom, const RomLayout& layout);
// Layout and room of a ROM file (opened for reading only).
RoomInfo InspectRom(const std::string& romPath);

// Reads the layout and its room and writes the packed block, byte for byte,
// to outPath (created or replaced). The block's header is checked before the
// block is read: a block that is not a packed block, or one longer than its
// header's size allows, raises ERomError. Nothing is written when the ROM is
// rejected.
RomLayout ExtractRomData(const std::string& romPath, const std::string& outPath);

// Writes the whole packed file into the ROM at the layout's write-back offset
// and patches the end pointer to offset + size, all or nothing through the
// journal at journalPath (see RomJournal.h). The packed file is read and the
// ROM checked before anything is written: an empty packed file, one larger
// than the room, or a block whose start pointer is not the write-back offset
// (writing there would bury other data and leave the start pointer inside
// the new block) raises ERomError and leaves the ROM unchanged. Returns the
// layout as it is after the write, for the next save of the same open.
RomLayout WriteRomData(const RomLayout& layout, const std::string& packedPath, const std::string& romPath,
                       const std::string& journalPath);

// Reads exactly kDataImageSize bytes from the start of the file ("Stream read
// error" when shorter); later bytes are ignored.
DataImage LoadDataImage(const std::string& path);
// Writes the image over the start of an existing file, keeping any tail.
void SaveDataImage(const DataImage& image, const std::string& path);

// Size of a regular file; 0 when there is none or the path is a folder.
int64_t FileSizeOf(const std::string& path);

// Whether the path is there but neither a file nor a folder: a named pipe,
// a socket or a device, whose opening waits for a writer or whose reading
// never ends.
bool IsSpecialFile(const std::string& path);
// Raises EInOutError naming the path and what it is when IsSpecialFile. A
// missing path or a folder passes; opening it reports that.
void RefuseSpecialFile(const std::string& path);

// The whole file, refused (EInOutError naming it) beyond maxSize bytes
// before anything is read.
std::vector<uint8_t> ReadFileAtMost(const std::string& path, int64_t maxSize);

}  // namespace kora

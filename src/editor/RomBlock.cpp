#include "editor/RomBlock.h"

#include <sys/stat.h>
#include <algorithm>

#include "editor/RomJournal.h"
#include "framework/Classes.h"

namespace kora {

namespace {

uint32_t ReadU32(TStream& stream, int64_t offset) {
  uint8_t bytes[4];
  stream.SetPosition(offset);
  stream.ReadBuffer(bytes, 4);
  return static_cast<uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16) | static_cast<uint32_t>(bytes[3]) << 24;
}

std::vector<uint8_t> U32Bytes(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
          static_cast<uint8_t>(value >> 24)};
}

// The end of the room: the next file of the allocation table after the block
// when the pointer pair is one of its entries, else the block's end pointer.
// Never beyond the end of the ROM file, which is not grown.
int64_t FindRoomEnd(TStream& rom, RoomInfo& info) {
  const int64_t romSize = rom.Size();
  const RomLayout& layout = info.Layout;
  int64_t roomEnd = layout.BlockEnd;
  info.RoomFromFat = false;
  if (romSize >= kFatSizeField + 4) {
    const uint32_t fatOffset = ReadU32(rom, kFatOffsetField);
    const uint32_t fatSize = ReadU32(rom, kFatSizeField);
    const int64_t fatEnd = int64_t{fatOffset} + fatSize;
    const int64_t pair = layout.PointerTableOffset;
    if (fatEnd <= romSize && pair >= fatOffset && pair + 8 <= fatEnd && (pair - fatOffset) % 8 == 0) {
      std::vector<uint8_t> fat(fatSize);
      rom.SetPosition(fatOffset);
      rom.ReadBuffer(fat.data(), fatSize);
      int64_t next = romSize;
      for (std::size_t at = 0; at + 8 <= fat.size(); at += 8) {
        const uint32_t start = static_cast<uint32_t>(fat[at] | fat[at + 1] << 8 | fat[at + 2] << 16) |
                               static_cast<uint32_t>(fat[at + 3]) << 24;
        if (start > layout.BlockStart) next = std::min<int64_t>(next, start);
      }
      roomEnd = next;
      info.RoomFromFat = true;
    }
  }
  return std::min(roomEnd, romSize);
}

}  // namespace

RomLayout ReadRomLayout(TStream& rom) {
  const int64_t size = rom.Size();
  if (size < int64_t{kProbeOffset} + 8) {
    throw ERomError(
        Format("The ROM is too short to hold the data pointers (%lld bytes)", static_cast<long long>(size)));
  }
  RomLayout layout;
  layout.PointerTableOffset = kPrimaryPointerTable;
  layout.BlockStart = ReadU32(rom, kPrimaryPointerTable);
  layout.AltLayout = layout.BlockStart != kPrimaryProbeValue;
  if (layout.AltLayout) {
    layout.PointerTableOffset = kAltPointerTable;
    layout.BlockStart = ReadU32(rom, kAltPointerTable);
  }
  layout.BlockEnd = ReadU32(rom, int64_t{layout.PointerTableOffset} + 4);
  if (layout.BlockEnd < layout.BlockStart) {
    throw ERomError(
        Format("The ROM's data block ends (0x%X) before it starts (0x%X)", layout.BlockEnd, layout.BlockStart));
  }
  if (layout.BlockEnd == layout.BlockStart) {
    throw ERomError(Format("The ROM's data block is empty (it starts and ends at 0x%X)", layout.BlockStart));
  }
  if (layout.BlockEnd > size) {
    throw ERomError(Format("The ROM's data block (0x%X..0x%X) reaches past the end of the file (%lld bytes)",
                           layout.BlockStart, layout.BlockEnd, static_cast<long long>(size)));
  }
  return layout;
}

RoomInfo MeasureRoom(TStream& rom, const RomLayout& layout) {
  RoomInfo info;
  info.Layout = layout;
  // The pointer pair as it is now, which an earlier save may have changed.
  info.Layout.BlockStart = ReadU32(rom, layout.PointerTableOffset);
  info.Layout.BlockEnd = ReadU32(rom, int64_t{layout.PointerTableOffset} + 4);
  info.BlockSize = info.Layout.BlockEnd >= info.Layout.BlockStart ? info.Layout.BlockEnd - info.Layout.BlockStart : 0;
  int64_t roomEnd = FindRoomEnd(rom, info);
  // A shorter block written since the open lowered the end pointer, but the
  // old block's bytes behind it are still the block's room. Only while the
  // pair is the one this open last saw: a pair changed by anyone else is
  // measured afresh.
  if (info.Layout.BlockStart == layout.BlockStart && info.Layout.BlockEnd == layout.BlockEnd)
    roomEnd = std::max(roomEnd, std::min<int64_t>(layout.RoomEnd, rom.Size()));
  info.RoomEnd = static_cast<uint32_t>(roomEnd);
  info.Layout.RoomEnd = info.RoomEnd;
  const int64_t room = roomEnd - layout.WriteBackOffset();
  info.Room = room > 0 ? static_cast<uint32_t>(room) : 0;
  return info;
}

RoomInfo InspectRom(const std::string& romPath) {
  TFileStream rom(romPath, fmOpenRead | fmShareDenyWrite);
  return MeasureRoom(rom, ReadRomLayout(rom));
}

RomLayout ExtractRomData(const std::string& romPath, const std::string& outPath) {
  TMemoryStream block;
  RomLayout layout;
  {
    TFileStream rom(romPath, fmOpenRead | fmShareDenyWrite);
    layout = ReadRomLayout(rom);
    layout.RoomEnd = MeasureRoom(rom, layout).RoomEnd;
    // Read the exact count: the stream copy takes 0 as "the whole ROM".
    block.SetSize(layout.BlockEnd - layout.BlockStart);
    rom.SetPosition(layout.BlockStart);
    rom.ReadBuffer(block.Memory(), block.Size());
  }
  block.SaveToFile(outPath);
  return layout;
}

RomLayout WriteRomData(const RomLayout& layout, const std::string& packedPath, const std::string& romPath,
                       const std::string& journalPath) {
  // Every input is ready and checked before the ROM is opened for writing.
  TMemoryStream packed;
  packed.LoadFromFile(packedPath);
  if (packed.Size() == 0) {
    throw ERomError(Format("The packed data \"%s\" is empty; the ROM was not changed", packedPath.c_str()));
  }
  const uint32_t offset = layout.WriteBackOffset();
  RoomInfo room;
  {
    TFileStream rom(romPath, fmOpenRead | fmShareDenyWrite);
    room = MeasureRoom(rom, layout);
  }
  if (room.Layout.BlockStart != offset) {
    throw ERomError(
        Format("The ROM's data block starts at 0x%X, not at 0x%X where it is written back; writing there would "
               "overwrite other data and leave the start pointer inside the new block, so the ROM was not changed",
               room.Layout.BlockStart, offset));
  }
  if (packed.Size() > room.Room) {
    throw ERomError(
        Format("The packed data (%lld bytes) does not fit the room of %u bytes at 0x%X; "
               "the ROM was not changed",
               static_cast<long long>(packed.Size()), room.Room, offset));
  }
  const auto end = offset + static_cast<uint32_t>(packed.Size());
  // Only the end pointer moves; the start pointer stays as it was.
  WriteRomPatches(romPath, {RomPatch{offset, packed.Bytes()}, RomPatch{layout.PointerTableOffset + 4u, U32Bytes(end)}},
                  journalPath);
  RomLayout written = room.Layout;
  written.BlockEnd = end;
  return written;
}

DataImage LoadDataImage(const std::string& path) {
  TFileStream file(path, fmOpenRead | fmShareDenyWrite);
  DataImage image(kDataImageSize);
  file.ReadBuffer(image.data(), kDataImageSize);
  return image;
}

void SaveDataImage(const DataImage& image, const std::string& path) {
  TFileStream file(path, fmOpenWrite | fmShareDenyWrite);
  file.WriteBuffer(image.data(), static_cast<int64_t>(image.size()));
}

int64_t FileSizeOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return 0;
  return info.st_size;
}

}  // namespace kora

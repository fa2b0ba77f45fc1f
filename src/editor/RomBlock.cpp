#include "editor/RomBlock.h"

#include <algorithm>
#include <cerrno>

#include "editor/RomJournal.h"
#include "editor/Texts.h"
#include "framework/core/Classes.h"
#include "platform/shell/SysFiles.h"

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
    // A table longer than any ROM can have is no table: reading what it
    // claims could mean gigabytes.
    if (fatSize <= kMaxFatSize && fatEnd <= romSize && pair >= fatOffset && pair + 8 <= fatEnd &&
        (pair - fatOffset) % 8 == 0) {
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

// The packed block's header, checked before the block is read: a pointer
// pair may claim gigabytes, its header no more than 16 MiB unpacked.
void CheckBlockHeader(TStream& rom, const RomLayout& layout) {
  const uint32_t size = layout.BlockEnd - layout.BlockStart;
  if (size < 4) {
    throw ERomError(Format(Tr("The ROM's data block (0x%X..0x%X) is %u bytes, too short for a packed block's header",
                              "ROM 的数据块(0x%X..0x%X)只有 %u 字节, 放不下数据块的头部"),
                           layout.BlockStart, layout.BlockEnd, size));
  }
  uint8_t header[4];
  rom.SetPosition(layout.BlockStart);
  rom.ReadBuffer(header, 4);
  if (header[0] != kBlockTypeLz10 && header[0] != kBlockTypeLz11) {
    throw ERomError(Format(Tr("The ROM's data block at 0x%X is not a packed block (its type is 0x%02X, not 0x10 or "
                              "0x11)",
                              "ROM 中 0x%X 处的数据块不是压缩数据块(类型为 0x%02X, 而不是 0x10 或 0x11)"),
                           layout.BlockStart, header[0]));
  }
  const uint32_t unpacked = header[1] | header[2] << 8 | header[3] << 16;
  const uint64_t most = MaxPackedBlockSize(unpacked);
  if (size > most) {
    throw ERomError(Format(Tr("The ROM's data block (0x%X..0x%X) is %u bytes, but the %u bytes its header promises "
                              "never take more than %llu packed; the block was not read",
                              "ROM 的数据块(0x%X..0x%X)有 %u 字节, 但其头部所说的 %u 字节压缩后绝不会超过 %llu "
                              "字节; 数据块未被读取"),
                           layout.BlockStart, layout.BlockEnd, size, unpacked, static_cast<unsigned long long>(most)));
  }
}

// A working file written whole; a failure names the file and the reason.
void WriteWorkingFile(const std::string& path, uint16_t mode, const uint8_t* bytes, std::size_t size) {
  TFileStream file(path, mode);
  errno = 0;
  if (file.Write(bytes, static_cast<int64_t>(size)) != static_cast<int64_t>(size)) {
    const int error = errno ? errno : ENOSPC;
    throw EWriteError(Format(Tr("Cannot write the working file \"%s\". %s", "无法写入工作文件 \"%s\"。%s"),
                             path.c_str(), SysErrorMessage(error).c_str()));
  }
}

}  // namespace

RomLayout ReadRomLayout(TStream& rom) {
  const int64_t size = rom.Size();
  if (size < int64_t{kProbeOffset} + 8) {
    throw ERomError(Format(
        Tr("The ROM is too short to hold the data pointers (%lld bytes)", "ROM 文件太短, 放不下数据指针(%lld 字节)"),
        static_cast<long long>(size)));
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
    throw ERomError(Format(
        Tr("The ROM's data block ends (0x%X) before it starts (0x%X)", "ROM 的数据块结束于 0x%X, 在它开始的 0x%X 之前"),
        layout.BlockEnd, layout.BlockStart));
  }
  if (layout.BlockEnd == layout.BlockStart) {
    throw ERomError(Format(
        Tr("The ROM's data block is empty (it starts and ends at 0x%X)", "ROM 的数据块是空的(开始和结束都在 0x%X)"),
        layout.BlockStart));
  }
  if (layout.BlockEnd > size) {
    throw ERomError(Format(Tr("The ROM's data block (0x%X..0x%X) reaches past the end of the file (%lld bytes)",
                              "ROM 的数据块(0x%X..0x%X)超出了文件的末尾(文件共 %lld 字节)"),
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
  RefuseSpecialFile(romPath);
  TFileStream rom(romPath, fmOpenRead | fmShareDenyWrite);
  return MeasureRoom(rom, ReadRomLayout(rom));
}

RomLayout ExtractRomData(const std::string& romPath, const std::string& outPath) {
  RefuseSpecialFile(romPath);
  std::vector<uint8_t> block;
  RomLayout layout;
  {
    TFileStream rom(romPath, fmOpenRead | fmShareDenyWrite);
    layout = ReadRomLayout(rom);
    CheckBlockHeader(rom, layout);
    layout.RoomEnd = MeasureRoom(rom, layout).RoomEnd;
    block.resize(layout.BlockEnd - layout.BlockStart);
    rom.SetPosition(layout.BlockStart);
    rom.ReadBuffer(block.data(), static_cast<int64_t>(block.size()));
  }
  WriteWorkingFile(outPath, fmCreate, block.data(), block.size());
  return layout;
}

RomLayout WriteRomData(const RomLayout& layout, const std::string& packedPath, const std::string& romPath,
                       const std::string& journalPath) {
  // Every input is ready and checked before the ROM is opened for writing;
  // the packed file is read only once it is known to fit.
  RefuseSpecialFile(packedPath);
  TFileStream packedFile(packedPath, fmOpenRead | fmShareDenyWrite);
  const int64_t packedSize = packedFile.Size();
  if (packedSize == 0) {
    throw ERomError(Format(
        Tr("The packed data \"%s\" is empty; the ROM was not changed", "打包后的数据 \"%s\" 是空的; ROM 未被改动"),
        packedPath.c_str()));
  }
  const uint32_t offset = layout.WriteBackOffset();
  RoomInfo room;
  {
    RefuseSpecialFile(romPath);
    TFileStream rom(romPath, fmOpenRead | fmShareDenyWrite);
    room = MeasureRoom(rom, layout);
  }
  if (room.Layout.BlockStart != offset) {
    throw ERomError(
        Format(Tr("The ROM's data block starts at 0x%X, not at 0x%X where it is written back; writing there would "
                  "overwrite other data and leave the start pointer inside the new block, so the ROM was not changed",
                  "ROM 的数据块开始于 0x%X, 而不在写回的位置 0x%X; 写在那里会覆盖其他数据, "
                  "并让开始指针落在新数据块里面, 所以 ROM 未被改动"),
               room.Layout.BlockStart, offset));
  }
  if (packedSize > room.Room) {
    throw ERomError(Format(Tr("The packed data (%lld bytes) does not fit the room of %u bytes at 0x%X; "
                              "the ROM was not changed",
                              "打包后的数据(%lld 字节)超过了可用的 %u 字节空间(位于 0x%X); ROM 未被改动"),
                           static_cast<long long>(packedSize), room.Room, offset));
  }
  std::vector<uint8_t> packed(static_cast<std::size_t>(packedSize));
  packedFile.ReadBuffer(packed.data(), packedSize);
  const auto end = offset + static_cast<uint32_t>(packedSize);
  // Only the end pointer moves; the start pointer stays as it was.
  WriteRomPatches(romPath,
                  {RomPatch{offset, std::move(packed)}, RomPatch{layout.PointerTableOffset + 4u, U32Bytes(end)}},
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
  WriteWorkingFile(path, fmOpenWrite | fmShareDenyWrite, image.data(), image.size());
}

int64_t FileSizeOf(const std::string& path) {
  const auto info = SysStat(path);
  return info && !info->IsFolder ? info->Size : 0;
}

bool IsSpecialFile(const std::string& path) {
  const auto info = SysStat(path);
  return info && info->Special != SysSpecialKind::None;
}

void RefuseSpecialFile(const std::string& path) {
  const auto info = SysStat(path);
  if (!info || info->Special == SysSpecialKind::None) return;
  const SysSpecialKind special = info->Special;
  const char* kind = special == SysSpecialKind::Pipe              ? Tr("a named pipe", "命名管道")
                     : special == SysSpecialKind::Socket          ? Tr("a socket", "套接字")
                     : special == SysSpecialKind::CharacterDevice ? Tr("a character device", "字符设备")
                     : special == SysSpecialKind::BlockDevice     ? Tr("a block device", "块设备")
                                                                  : Tr("something else", "其他类型");
  throw EInOutError(
      Format(Tr("\"%s\" is not a file but %s; it was not opened", "\"%s\" 不是普通文件, 而是%s; 未打开它"),
             path.c_str(), kind),
      EINVAL);
}

std::vector<uint8_t> ReadFileAtMost(const std::string& path, int64_t maxSize) {
  RefuseSpecialFile(path);
  TFileStream file(path, fmOpenRead | fmShareDenyWrite);
  const int64_t size = file.Size();
  if (size > maxSize) {
    throw EInOutError(Format(Tr("\"%s\" is %lld bytes, more than the %lld it can be; it was not read",
                                "\"%s\" 有 %lld 字节, 超过了它最多应有的 %lld 字节; 未读取它"),
                             path.c_str(), static_cast<long long>(size), static_cast<long long>(maxSize)),
                      EFBIG);
  }
  std::vector<uint8_t> bytes(static_cast<std::size_t>(size));
  file.ReadBuffer(bytes.data(), size);
  return bytes;
}

}  // namespace kora

// A ROM as the editor opens it: the layout probe, the room measurement and
// the block's extraction, through paths, as `kora-cli info` and every open
// do. The input describes a sparse ROM: its size (4 bytes; up to 4 GiB, the
// pointers' reach) and patches of bytes, each an offset (4 bytes), a length
// (2 bytes) and the bytes. Either a clear error, or a room within the ROM
// and a block whose header allows its length.
#include <cstddef>
#include <cstdint>

#include "FuzzFiles.h"
#include "editor/RomBlock.h"
#include "framework/core/Classes.h"

namespace {

uint32_t Le(const uint8_t* p, int width) {
  uint32_t value = 0;
  for (int i = 0; i < width; ++i) value |= uint32_t(p[i]) << (8 * i);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace kora;
  static fuzz::TMemoryFile rom("rom"), out("block");
  if (size < 4) return 0;
  const uint64_t romSize = Le(data, 4);
  rom.SetSize(romSize);
  for (std::size_t at = 4; at + 6 <= size;) {
    const uint64_t offset = Le(data + at, 4);
    const std::size_t length = std::min<std::size_t>(Le(data + at + 4, 2), size - at - 6);
    if (offset + length <= romSize) rom.Put(offset, data + at + 6, length);
    at += 6 + length;
  }

  try {
    const RoomInfo info = InspectRom(rom.Path());
    if (info.RoomEnd > romSize || info.Room > romSize) __builtin_trap();
  } catch (const Exception&) {}
  out.SetSize(0);
  try {
    const RomLayout layout = ExtractRomData(rom.Path(), out.Path());
    const uint64_t length = layout.BlockEnd - layout.BlockStart;
    if (out.Size() != length || layout.BlockEnd > romSize || layout.RoomEnd > romSize) __builtin_trap();
    uint8_t header[4];
    TFileStream block(out.Path(), fmOpenRead);
    block.ReadBuffer(header, 4);
    if (length > MaxPackedBlockSize(header[1] | header[2] << 8 | header[3] << 16)) __builtin_trap();
  } catch (const Exception&) {}
  return 0;
}

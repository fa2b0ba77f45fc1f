// The packer's reading of its input file (agblz u and z), from a file the
// size of the input. The first byte picks the mode (odd: unpack). Unpacking
// reads no more than the header allows and gives exactly the declared size
// or a one-line error; packing reads the whole file and round-trips it.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "FuzzFiles.h"
#include "agblz/Lz.h"
#include "agblz/main/FileIo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace kora;
  static fuzz::TMemoryFile file("input");
  if (size == 0) return 0;
  const bool unpack = data[0] & 1;
  // Packing a large input is slow by design and fuzz_lz_pack's business.
  if (!unpack && size > 65536) return 0;
  file.SetSize(0);
  file.Put(0, data + 1, size - 1);
  std::vector<uint8_t> input;
  try {
    input = agblz::ReadPackerInput(file.Path(), unpack);
  } catch (const std::runtime_error&) {
    return 0;
  }
  if (input.size() > size - 1) __builtin_trap();
  if (!unpack) {
    if (input.size() != size - 1 || lz::Unpack(lz::Pack(input)) != input) __builtin_trap();
    return 0;
  }
  if (input.size() >= 4 && (input[0] == lz::kTypeLz10 || input[0] == lz::kTypeLz11) &&
      input.size() > lz::MaxPackedSize(input[1] | input[2] << 8 | input[3] << 16) + lz::kTrailingSlack)
    __builtin_trap();
  try {
    const std::vector<uint8_t> out = lz::Unpack(input);
    if (out.size() != std::size_t(input[1] | input[2] << 8 | input[3] << 16)) __builtin_trap();
  } catch (const lz::LzError&) {}
  return 0;
}

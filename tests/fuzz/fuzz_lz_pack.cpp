// Whatever the data, Pack gives a type 0x10 stream of whole words that
// unpacks to the data again.
#include <cstddef>
#include <cstdint>

#include "agblz/Lz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::vector<uint8_t> packed = kora::lz::Pack({data, size});
  if (packed.size() < 4 || packed.size() % 4 != 0 || packed[0] != kora::lz::kTypeLz10) __builtin_trap();
  if (kora::lz::Unpack(packed) != std::vector<uint8_t>(data, data + size)) __builtin_trap();
  return 0;
}

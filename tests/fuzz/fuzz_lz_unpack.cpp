// Unpack must either produce exactly the declared size or throw LzError; what
// it produces must survive a pack round trip.
#include "agblz/Lz.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // The header can ask for up to 16 MiB; keep single runs quick.
  if (size >= 4 && (data[1] | data[2] << 8 | data[3] << 16) > (1 << 20)) return 0;
  std::vector<uint8_t> out;
  try {
    out = kora::lz::Unpack({data, size});
  } catch (const kora::lz::LzError&) {
    return 0;
  }
  if (out.size() != static_cast<std::size_t>(data[1] | data[2] << 8 | data[3] << 16)) __builtin_trap();
  if (out.size() <= 4096 && kora::lz::Unpack(kora::lz::Pack(out)) != out) __builtin_trap();
  return 0;
}

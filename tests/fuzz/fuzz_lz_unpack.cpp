// Unpack must either produce exactly the declared size or throw LzError.
// (That packing round-trips is fuzz_lz_pack's business, over any data.)
#include <cstddef>
#include <cstdint>

#include "agblz/Lz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 4) {
    try {
      kora::lz::Unpack({data, size});
    } catch (const kora::lz::LzError&) {
      return 0;
    }
    __builtin_trap();
  }
  const std::size_t declared = data[1] | data[2] << 8 | data[3] << 16;
  // Eight references of the longest kind after each flag byte bound what the
  // rest can produce; a size beyond that can only end in "truncated", which
  // small sizes reach as well, after zeroing the whole output first. The
  // header can ask for 16 MiB; keep single runs quick.
  const std::size_t perByte = data[0] == kora::lz::kTypeLz11 ? 8 * 0x10110 / 33 + 1 : 8 * 18 / 17 + 1;
  if (declared > (1 << 20) || declared > (size - 4) * perByte) return 0;
  std::vector<uint8_t> out;
  try {
    out = kora::lz::Unpack({data, size});
  } catch (const kora::lz::LzError&) {
    return 0;
  }
  if (out.size() != declared) __builtin_trap();
  return 0;
}

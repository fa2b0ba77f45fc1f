#include "editor/DataImage.h"

namespace kora {

int32_t HexToInt(std::string_view text) {
  uint32_t result = 0;
  for (const char c : text) {
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<uint32_t>(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<uint32_t>(c - 'a' + 10);
    } else {
      return 0;
    }
    result = result * 16 + digit;  // wraps like the 32-bit original
  }
  return static_cast<int32_t>(result);
}

}  // namespace kora

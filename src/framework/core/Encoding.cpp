#include "framework/core/Encoding.h"

#include "platform/text/CodePage.h"

namespace kora {

std::string AnsiToUtf8(std::string_view bytes) { return Cp936ToUtf8(bytes); }

std::string Utf8ToAnsi(std::string_view text) { return Utf8ToCp936(text); }

std::string_view AnsiLeft(std::string_view bytes, std::size_t maxBytes) {
  std::size_t i = 0;
  while (i < bytes.size() && i < maxBytes) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    const std::size_t width = (c >= 0x81 && c <= 0xFE && i + 1 < bytes.size()) ? 2 : 1;
    if (i + width > maxBytes) break;
    i += width;
  }
  return bytes.substr(0, i);
}

}  // namespace kora

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kora {

constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the code point at pos and moves pos past it. Malformed, overlong,
// surrogate and out-of-range sequences yield U+FFFD and consume one byte, so
// every byte of the input is accounted for exactly once.
char32_t DecodeUtf8(std::string_view text, size_t& pos);

std::u32string Utf8ToUtf32(std::string_view text);

void AppendUtf8(std::string& out, char32_t c);
std::string Utf32ToUtf8(std::u32string_view text);

// UTF-16, the Windows API's text. Malformed UTF-8 becomes U+FFFD as above;
// an unpaired surrogate becomes U+FFFD too.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace kora

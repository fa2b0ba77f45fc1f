#pragma once
// 8-bit text of the name lists (GBK, code page 936) to and from UTF-8.

#include <string>
#include <string_view>

namespace kora {

// GBK bytes to UTF-8. A byte that does not start a valid character becomes
// U+FFFD and decoding goes on with the next byte, so a damaged line keeps the
// rest of its text.
std::string AnsiToUtf8(std::string_view bytes);

// UTF-8 to GBK bytes. A character GBK cannot hold, or a malformed UTF-8
// sequence, becomes '?'.
std::string Utf8ToAnsi(std::string_view text);

// The longest prefix of GBK bytes of at most maxBytes bytes that does not
// cut a double-byte character in half.
std::string_view AnsiLeft(std::string_view bytes, std::size_t maxBytes);

}  // namespace kora

#pragma once
// The 8-bit text of the name lists: GB2312/GBK, code page 936 (which also
// knows the euro sign 0x80), to and from UTF-8. iconv does it on Linux,
// the system's code page 936 on Windows; both give the same answers.

#include <string>
#include <string_view>

namespace kora {

// A byte that does not start a valid character becomes U+FFFD and decoding
// goes on with the next byte.
std::string Cp936ToUtf8(std::string_view bytes);
// A character GBK cannot hold, or a malformed UTF-8 sequence, becomes '?'.
std::string Utf8ToCp936(std::string_view text);

}  // namespace kora

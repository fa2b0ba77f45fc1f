#pragma once
// UTF-8 inside, UTF-16 at the Windows API's edge. Only the Windows halves
// of the rooms and the Windows backend include this: wchar_t is UTF-16
// there and nowhere else.

#include <string>
#include <string_view>

#include "platform/text/Utf8.h"

namespace kora {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide text is UTF-16 on Windows only");

inline std::wstring ToWide(std::string_view utf8) {
  const std::u16string wide = Utf8ToUtf16(utf8);
  return std::wstring(wide.begin(), wide.end());
}

inline std::string FromWide(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace kora

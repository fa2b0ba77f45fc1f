#include "platform/text/CodePage.h"
#include "platform/text/Utf8.h"

#include "platform/gdi/WinApi_Win32.h"

namespace kora {

namespace {

constexpr UINT kCodePage = 936;

// The character of one or two bytes, or none when the code page has none.
bool DecodeOne(const char* bytes, int length, std::string& out) {
  wchar_t wide[2];
  const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes, length, wide, 2);
  if (n != 1) return false;
  AppendUtf8(out, char32_t(wide[0]));
  return true;
}

}  // namespace

std::string Cp936ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  for (size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      out += char(lead);
      ++i;
    } else if (lead >= 0x81 && lead <= 0xFE && i + 1 < bytes.size() && DecodeOne(bytes.data() + i, 2, out)) {
      i += 2;
    } else {
      // 0x80 is the euro sign; anything else here starts no character.
      if (!DecodeOne(bytes.data() + i, 1, out)) AppendUtf8(out, kReplacementChar);
      ++i;
    }
  }
  return out;
}

std::string Utf8ToCp936(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    const char32_t c = DecodeUtf8(text, pos);
    if (c < 0x80) {
      out += char(c);
      continue;
    }
    const std::u16string wide = Utf8ToUtf16(text.substr(start, pos - start));
    char bytes[8];
    BOOL defaulted = FALSE;
    const int n = c == kReplacementChar ? 0
                                        : WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS,
                                                              reinterpret_cast<const wchar_t*>(wide.data()),
                                                              int(wide.size()), bytes, sizeof bytes, "?", &defaulted);
    if (n <= 0 || defaulted)
      out += '?';
    else
      out.append(bytes, size_t(n));
  }
  return out;
}

}  // namespace kora

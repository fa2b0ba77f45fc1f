#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <string>

#include "platform/text/CodePage.h"

namespace kora {

namespace {

// The name lists are GB2312/GBK; code page 936 also knows the euro sign 0x80.
constexpr const char* kAnsiCodePage = "CP936";

class Converter {
public:
  Converter(const char* to, const char* from) : FHandle(iconv_open(to, from)) {
    if (FHandle == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("No conversion from ") + from + " to " + to + " on this system");
    }
  }
  ~Converter() { iconv_close(FHandle); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `input`; a sequence the converter rejects is skipped one
  // byte (or one UTF-8 sequence) at a time and `replacement` emitted instead.
  std::string Convert(std::string_view input, std::string_view replacement, bool utf8Input) {
    iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
    std::string output;
    char buffer[1024];
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
      char* out = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t result = iconv(FHandle, &in, &inLeft, &out, &outLeft);
      output.append(buffer, static_cast<std::size_t>(out - buffer));
      if (result != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (a sequence cut off at the end).
      output += replacement;
      const std::size_t n = utf8Input ? Utf8SequenceLength(in, inLeft) : 1;
      in += n;
      inLeft -= n;
      iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
    }
    return output;
  }

private:
  // Length of the UTF-8 sequence at `p`, or 1 when it is malformed so that
  // the bytes after a broken lead are still converted.
  static std::size_t Utf8SequenceLength(const char* p, std::size_t left) {
    const auto lead = static_cast<unsigned char>(p[0]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
      length = 4;
    else if (lead >= 0xE0 && lead <= 0xEF)
      length = 3;
    else if (lead >= 0xC2 && lead <= 0xDF)
      length = 2;
    if (length > left) return 1;
    for (std::size_t i = 1; i < length; ++i) {
      if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) return 1;
    }
    return length;
  }

  iconv_t FHandle;
};

}  // namespace

std::string Cp936ToUtf8(std::string_view bytes) {
  thread_local Converter converter("UTF-8", kAnsiCodePage);
  return converter.Convert(bytes, "\xEF\xBF\xBD", false);
}

std::string Utf8ToCp936(std::string_view text) {
  thread_local Converter converter(kAnsiCodePage, "UTF-8");
  return converter.Convert(text, "?", true);
}

}  // namespace kora

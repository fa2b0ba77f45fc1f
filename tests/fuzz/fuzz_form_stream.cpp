// Form streams from untrusted bytes: the binary reader, the text parser and
// the reader into live components must either succeed or raise the
// runtime's errors, and whatever converts must convert back unchanged.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "../framework/TestClasses.h"
#include "framework/core/FormText.h"

namespace {

void ReadLive(const std::vector<uint8_t>& binary) {
  kora::TMemoryStream stream;
  stream.WriteBuffer(binary.data(), static_cast<int64_t>(binary.size()));
  stream.SetPosition(0);
  try {
    std::unique_ptr<kora::TComponent> root(kora::ReadComponent(stream));
    kora::WriteComponentText(root.get());
  } catch (const kora::Exception&) {}
  kora::test::Log().clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool registered = (kora::test::RegisterTestClasses(), true);
  (void)registered;

  // As a binary form stream.
  std::string text;
  try {
    text = kora::FormBinaryToText(data, size);
  } catch (const kora::EReadError&) {}
  if (!text.empty()) {
    // Our own text always parses, and from then on nothing changes.
    const std::vector<uint8_t> binary = kora::FormTextToBinary(text);
    const std::string again = kora::FormBinaryToText(binary.data(), binary.size());
    if (kora::FormTextToBinary(again) != binary) __builtin_trap();
    ReadLive(binary);
  }

  // As a text form description.
  std::vector<uint8_t> binary;
  try {
    binary = kora::FormTextToBinary(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const kora::EParserError&) {
    return 0;
  }
  const std::string written = kora::FormBinaryToText(binary.data(), binary.size());
  if (kora::FormTextToBinary(written) != binary) __builtin_trap();
  ReadLive(binary);
  return 0;
}

#include "kora-cli/AtomicFile.h"

#include "framework/core/Classes.h"

namespace kora::cli {

void WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
  WriteWholeFile(path, [&](const std::string& temporary) {
    TFileStream file(temporary, fmCreate);
    file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  });
}

}  // namespace kora::cli

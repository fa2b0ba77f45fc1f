#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kora::cli {

// Writes the file through a temporary beside it and renames it into place,
// so readers see the old file or the complete new one, never a half-written
// one.
void WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace kora::cli

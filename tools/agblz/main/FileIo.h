#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kora::agblz {

// The whole content of a file. Throws std::runtime_error naming the path.
std::vector<uint8_t> ReadWholeFile(const std::string& path);

// Replaces the file atomically: the bytes go to a temporary file in the same
// folder, which is synced and renamed over the path. On failure the path is
// left as it was and no temporary file remains.
void ReplaceFile(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace kora::agblz

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kora::agblz {

// The input of "agblz u" (unpack) or "agblz z", checked before more than a
// stream header is read: it must be a file, not a pipe or device; input to
// pack must be smaller than lz::kSizeLimit; input to unpack no longer than
// its header's size can take packed (lz::MaxPackedSize plus
// lz::kTrailingSlack), and of a header that is no stream only the header is
// read, for the unpacker to name. Throws std::runtime_error naming the path,
// lz::LzError for input that cannot be a block.
std::vector<uint8_t> ReadPackerInput(const std::string& path, bool unpack);

// Replaces the file atomically: the bytes go to a temporary file in the same
// folder, which is synced and renamed over the path. On failure the path is
// left as it was and no temporary file remains.
void ReplaceFile(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace kora::agblz

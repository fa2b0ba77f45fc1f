#pragma once
// Output files that appear whole or not at all.

#include <functional>
#include <string>

namespace kora::skinc {

// Calls write with a temporary path beside path, then renames the result
// over path. When write throws or the rename fails, the temporary is
// removed and the error raised; path is left as it was.
void WriteWholeFile(const std::string& path, const std::function<void(const std::string& temporary)>& write);

}  // namespace kora::skinc

#pragma once
// Whole memory streams through zlib in one call.

#include <cstdint>

#include "framework/core/Classes.h"

namespace kora {

// Compresses all of source (from its start, whatever its position) into
// target at the best level, as one finished zlib stream.
void DeflateMemoryStream(TMemoryStream& source, TStream& target);

// Decompresses all of source (from its start) into target at its position.
// A source that ends before the zlib stream does raises EDecompressionError
// "compression error", as does damaged data. With maxSize >= 0, output
// beyond that many bytes raises EDecompressionError as well, so a small
// forged input cannot make us allocate without bound.
void InflateMemoryStream(TStream& target, TMemoryStream& source, int64_t maxSize = -1);

}  // namespace kora

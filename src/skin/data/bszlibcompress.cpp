#include "skin/data/bszlibcompress.h"

#include "framework/core/SysUtils.h"
#include "skin/data/bszlib.h"

namespace kora {

void DeflateMemoryStream(TMemoryStream& source, TStream& target) {
  source.SetPosition(0);
  TCompressionStream compressor(TCompressionLevel::clMax, target);
  compressor.WriteBuffer(source.Memory(), source.Size());
  compressor.Finish();
}

void InflateMemoryStream(TStream& target, TMemoryStream& source, int64_t maxSize) {
  source.SetPosition(0);
  TDecompressionStream decompressor(source);
  uint8_t buffer[TCustomZlibStream::kBufferSize];
  int64_t total = 0;
  for (;;) {
    const int64_t count = decompressor.Read(buffer, sizeof buffer);
    if (count == 0) break;
    total += count;
    if (maxSize >= 0 && total > maxSize)
      throw EDecompressionError(Format("Decompressed data exceeds %lld bytes", static_cast<long long>(maxSize)));
    target.WriteBuffer(buffer, count);
  }
  if (!decompressor.StreamEnded()) throw EDecompressionError("compression error");
}

}  // namespace kora

#pragma once
// Streams over zlib: a compressing writer and a decompressing reader that
// exchange data with the stream they wrap in 4096-byte blocks.

#include <zlib.h>

#include <cstdint>
#include <functional>

#include "framework/core/Classes.h"

namespace kora {

class EZlibError : public Exception {
public:
  using Exception::Exception;
};
// "error" for a failing zlib call, "Invalid stream operation" for a read or
// a seek the writer cannot do.
class ECompressionError : public EZlibError {
public:
  using EZlibError::EZlibError;
};
// "compression error" for a failing zlib call or damaged data, "Invalid
// stream operation" for a write or a seek the reader cannot do.
class EDecompressionError : public EZlibError {
public:
  using EZlibError::EZlibError;
};

class TCustomZlibStream;
// Called after every block exchanged with the wrapped stream.
using TZlibProgressEvent = std::function<void(TCustomZlibStream& sender)>;

class TCustomZlibStream : public TStream {
public:
  static constexpr int kBufferSize = 4096;

  ~TCustomZlibStream() override = default;
  TCustomZlibStream(const TCustomZlibStream&) = delete;
  TCustomZlibStream& operator=(const TCustomZlibStream&) = delete;

  TZlibProgressEvent OnProgress;

protected:
  // The wrapped stream stays the caller's.
  explicit TCustomZlibStream(TStream& stream);

  void Progress() {
    if (OnProgress) OnProgress(*this);
  }
  // Another user of the wrapped stream may have moved it between our calls.
  void RestoreStreamPosition();

  TStream& FStrm;
  int64_t FStrmPos;
  z_stream FZRec{};
  Bytef FBuffer[kBufferSize];
};

enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

// Write-only: everything written is compressed into the target stream.
class TCompressionStream : public TCustomZlibStream {
public:
  TCompressionStream(TCompressionLevel level, TStream& target);
  // Finishes the zlib stream if Finish has not run; errors at that point
  // cannot be reported, so callers that care call Finish themselves.
  ~TCompressionStream() override;

  // Ends the zlib stream and writes what is left to the target; later calls
  // do nothing.
  void Finish();

  // ECompressionError "Invalid stream operation".
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  // Only Seek(0, soCurrent), which returns the bytes taken in so far.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
  void WriteBufferOut(int64_t count);

  bool FFinished = false;
};

// Read-only: reads yield the decompressed bytes of the source stream.
class TDecompressionStream : public TCustomZlibStream {
public:
  explicit TDecompressionStream(TStream& source);
  ~TDecompressionStream() override;

  // Up to count bytes; fewer when the source is exhausted or the zlib
  // stream has ended.
  int64_t Read(void* buffer, int64_t count) override;
  // EDecompressionError "Invalid stream operation".
  int64_t Write(const void* buffer, int64_t count) override;
  // Seek(0, soBeginning) starts over; forward seeks decompress and discard;
  // anything else raises EDecompressionError "Invalid stream operation".
  // Returns the bytes produced so far.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

  // Whether the zlib stream's end (with its checksum) has been read. A
  // source that runs out before it holds a truncated stream.
  bool StreamEnded() const { return FStreamEnded; }

private:
  bool FStreamEnded = false;
};

}  // namespace kora

#include "skin/data/bszlib.h"

#include <algorithm>
#include <limits>

namespace kora {

namespace {

constexpr const char* kInvalidOperation = "Invalid stream operation";

int CCheck(int code) {
  if (code < 0) throw ECompressionError("error");
  return code;
}

// Only success and the stream's end are results we can go on from. The
// positive Z_NEED_DICT (a header that asks for a preset dictionary) consumes
// nothing further, so taking it as success would loop for ever.
int DCheck(int code) {
  if (code != Z_OK && code != Z_STREAM_END) throw EDecompressionError("compression error");
  return code;
}

// zlib counts in 32-bit units; larger requests go through in slices.
constexpr int64_t kMaxSlice = std::numeric_limits<uInt>::max();

int ZlibLevel(TCompressionLevel level) {
  switch (level) {
    case TCompressionLevel::clNone: return Z_NO_COMPRESSION;
    case TCompressionLevel::clFastest: return Z_BEST_SPEED;
    case TCompressionLevel::clDefault: return Z_DEFAULT_COMPRESSION;
    case TCompressionLevel::clMax: return Z_BEST_COMPRESSION;
  }
  return Z_DEFAULT_COMPRESSION;
}

}  // namespace

// --- TCustomZlibStream -----------------------------------------------------

TCustomZlibStream::TCustomZlibStream(TStream& stream) : FStrm(stream), FStrmPos(stream.Position()) {}

void TCustomZlibStream::RestoreStreamPosition() {
  if (FStrm.Position() != FStrmPos) FStrm.SetPosition(FStrmPos);
}

// --- TCompressionStream ----------------------------------------------------

TCompressionStream::TCompressionStream(TCompressionLevel level, TStream& target) : TCustomZlibStream(target) {
  FZRec.next_out = FBuffer;
  FZRec.avail_out = kBufferSize;
  CCheck(deflateInit(&FZRec, ZlibLevel(level)));
}

TCompressionStream::~TCompressionStream() {
  try {
    Finish();
  } catch (const std::exception&) {
    // Nothing can report it from here; see Finish.
  }
  deflateEnd(&FZRec);
}

void TCompressionStream::WriteBufferOut(int64_t count) {
  FStrm.WriteBuffer(FBuffer, count);
  FZRec.next_out = FBuffer;
  FZRec.avail_out = kBufferSize;
  FStrmPos = FStrm.Position();
  Progress();
}

void TCompressionStream::Finish() {
  if (FFinished) return;
  FFinished = true;
  FZRec.next_in = nullptr;
  FZRec.avail_in = 0;
  RestoreStreamPosition();
  while (CCheck(deflate(&FZRec, Z_FINISH)) != Z_STREAM_END && FZRec.avail_out == 0) WriteBufferOut(kBufferSize);
  if (FZRec.avail_out < static_cast<uInt>(kBufferSize)) WriteBufferOut(kBufferSize - FZRec.avail_out);
}

int64_t TCompressionStream::Read(void*, int64_t) { throw ECompressionError(kInvalidOperation); }

int64_t TCompressionStream::Write(const void* buffer, int64_t count) {
  if (FFinished) throw ECompressionError(kInvalidOperation);
  if (count <= 0) return 0;
  RestoreStreamPosition();
  auto* next = static_cast<const Bytef*>(buffer);
  int64_t left = count;
  while (left > 0) {
    const int64_t slice = std::min(left, kMaxSlice);
    FZRec.next_in = const_cast<Bytef*>(next);
    FZRec.avail_in = static_cast<uInt>(slice);
    while (FZRec.avail_in > 0) {
      CCheck(deflate(&FZRec, Z_NO_FLUSH));
      if (FZRec.avail_out == 0) WriteBufferOut(kBufferSize);
    }
    next += slice;
    left -= slice;
  }
  return count;
}

int64_t TCompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  if (offset == 0 && origin == TSeekOrigin::soCurrent) return static_cast<int64_t>(FZRec.total_in);
  throw ECompressionError(kInvalidOperation);
}

// --- TDecompressionStream --------------------------------------------------

TDecompressionStream::TDecompressionStream(TStream& source) : TCustomZlibStream(source) {
  FZRec.next_in = FBuffer;
  FZRec.avail_in = 0;
  DCheck(inflateInit(&FZRec));
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&FZRec); }

int64_t TDecompressionStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || FStreamEnded) return 0;
  RestoreStreamPosition();
  auto* out = static_cast<Bytef*>(buffer);
  int64_t done = 0;
  while (done < count) {
    const int64_t slice = std::min(count - done, kMaxSlice);
    FZRec.next_out = out + done;
    FZRec.avail_out = static_cast<uInt>(slice);
    while (FZRec.avail_out > 0) {
      if (FZRec.avail_in == 0) {
        const int64_t got = FStrm.Read(FBuffer, kBufferSize);
        if (got <= 0) return done + (slice - FZRec.avail_out);
        FZRec.next_in = FBuffer;
        FZRec.avail_in = static_cast<uInt>(got);
        FStrmPos = FStrm.Position();
        Progress();
      }
      // After the end zlib takes no more input; looping on would never stop.
      if (DCheck(inflate(&FZRec, Z_NO_FLUSH)) == Z_STREAM_END) {
        FStreamEnded = true;
        return done + (slice - FZRec.avail_out);
      }
    }
    done += slice;
  }
  return done;
}

int64_t TDecompressionStream::Write(const void*, int64_t) { throw EDecompressionError(kInvalidOperation); }

int64_t TDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  const auto produced = static_cast<int64_t>(FZRec.total_out);
  if (offset == 0 && origin == TSeekOrigin::soBeginning) {
    DCheck(inflateReset(&FZRec));
    FZRec.next_in = FBuffer;
    FZRec.avail_in = 0;
    FStreamEnded = false;
    FStrm.SetPosition(0);
    FStrmPos = 0;
  } else if ((origin == TSeekOrigin::soCurrent && offset >= 0) ||
             (origin == TSeekOrigin::soBeginning && offset > produced)) {
    if (origin == TSeekOrigin::soBeginning) offset -= produced;
    Bytef discard[kBufferSize];
    for (; offset >= kBufferSize; offset -= kBufferSize) ReadBuffer(discard, kBufferSize);
    ReadBuffer(discard, offset);
  } else {
    throw EDecompressionError(kInvalidOperation);
  }
  return static_cast<int64_t>(FZRec.total_out);
}

}  // namespace kora

// The zlib stream layer: level 9 output as zlib makes it, block-wise
// exchange with the wrapped stream, the seek rules and damaged input.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <vector>

#include "skin/data/bszlib.h"
#include "skin/data/bszlibcompress.h"

namespace kora {
namespace {

using Bytes = std::vector<uint8_t>;

// Text-like data that compresses well but not to nothing.
Bytes SampleData(std::size_t size) {
  Bytes data(size);
  std::mt19937 random(42);
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>("skin.ini=0123"[random() % 13]);
  return data;
}

Bytes RandomData(std::size_t size) {
  Bytes data(size);
  std::mt19937 random(7);
  for (auto& b : data) b = static_cast<uint8_t>(random());
  return data;
}

TMemoryStream StreamOf(const Bytes& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return stream;
}

Bytes Deflate(const Bytes& data) {
  TMemoryStream source = StreamOf(data);
  TMemoryStream target;
  DeflateMemoryStream(source, target);
  return target.Bytes();
}

Bytes Inflate(const Bytes& packed, int64_t maxSize = -1) {
  TMemoryStream source = StreamOf(packed);
  TMemoryStream target;
  InflateMemoryStream(target, source, maxSize);
  return target.Bytes();
}

TEST(ZlibStreams, DeflateMatchesZlibAtBestLevelAndRoundTrips) {
  const Bytes data = SampleData(300000);
  const Bytes packed = Deflate(data);
  ASSERT_GE(packed.size(), 2u);
  EXPECT_EQ(packed[0], 0x78);
  EXPECT_EQ(packed[1], 0xDA);

  uLongf expectedSize = compressBound(static_cast<uLong>(data.size()));
  Bytes expected(expectedSize);
  ASSERT_EQ(compress2(expected.data(), &expectedSize, data.data(), static_cast<uLong>(data.size()), 9), Z_OK);
  expected.resize(expectedSize);
  EXPECT_EQ(packed, expected);

  EXPECT_EQ(Inflate(packed), data);
  // Recompressing what came out gives the same bytes again.
  EXPECT_EQ(Deflate(Inflate(packed)), packed);
}

TEST(ZlibStreams, EmptyInputIsAFinishedStream) {
  const Bytes packed = Deflate({});
  EXPECT_FALSE(packed.empty());
  EXPECT_TRUE(Inflate(packed).empty());
}

TEST(ZlibStreams, CompressorWritesWholeBlocksAndReportsEach) {
  const Bytes data = RandomData(20000);
  TMemoryStream target;
  std::vector<int64_t> sizesAtProgress;
  {
    TCompressionStream compressor(TCompressionLevel::clNone, target);
    compressor.OnProgress = [&](TCustomZlibStream&) { sizesAtProgress.push_back(target.Size()); };
    compressor.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
    EXPECT_EQ(compressor.Seek(0, TSeekOrigin::soCurrent), 20000);
    for (std::size_t i = 0; i + 1 < sizesAtProgress.size(); ++i) EXPECT_EQ(sizesAtProgress[i], 4096 * (i + 1));
  }
  ASSERT_FALSE(sizesAtProgress.empty());
  EXPECT_EQ(sizesAtProgress.back(), target.Size());
  EXPECT_EQ(sizesAtProgress.size(), static_cast<std::size_t>((target.Size() + 4095) / 4096));
  EXPECT_EQ(Inflate(target.Bytes()), data);
}

TEST(ZlibStreams, CompressorRefusesReadsAndSeeks) {
  TMemoryStream target;
  TCompressionStream compressor(TCompressionLevel::clDefault, target);
  char byte = 0;
  EXPECT_THROW(
      {
        try {
          compressor.Read(&byte, 1);
        } catch (const ECompressionError& e) {
          EXPECT_EQ(e.Message(), "Invalid stream operation");
          throw;
        }
      },
      ECompressionError);
  EXPECT_THROW(compressor.Seek(1, TSeekOrigin::soCurrent), ECompressionError);
  EXPECT_THROW(compressor.Seek(0, TSeekOrigin::soBeginning), ECompressionError);
  compressor.Finish();
  EXPECT_THROW(compressor.Write(&byte, 1), ECompressionError);
}

TEST(ZlibStreams, DecompressorSeeksForwardAndRewindsOnly) {
  const Bytes data = SampleData(50000);
  TMemoryStream source = StreamOf(Deflate(data));
  source.SetPosition(0);
  TDecompressionStream reader(source);
  uint8_t buffer[100];

  EXPECT_EQ(reader.Seek(10000, TSeekOrigin::soCurrent), 10000);
  ASSERT_EQ(reader.Read(buffer, 100), 100);
  EXPECT_EQ(0, std::memcmp(buffer, data.data() + 10000, 100));

  EXPECT_EQ(reader.Seek(20000, TSeekOrigin::soBeginning), 20000);
  ASSERT_EQ(reader.Read(buffer, 100), 100);
  EXPECT_EQ(0, std::memcmp(buffer, data.data() + 20000, 100));

  EXPECT_THROW(reader.Seek(5, TSeekOrigin::soBeginning), EDecompressionError);
  EXPECT_THROW(reader.Seek(-1, TSeekOrigin::soCurrent), EDecompressionError);
  EXPECT_THROW(reader.Seek(0, TSeekOrigin::soEnd), EDecompressionError);
  EXPECT_THROW(reader.Write(buffer, 1), EDecompressionError);

  // Someone else moving the source in between does not disturb us.
  source.SetPosition(3);
  EXPECT_EQ(reader.Read(buffer, 100), 100);
  EXPECT_EQ(0, std::memcmp(buffer, data.data() + 20100, 100));

  EXPECT_EQ(reader.Seek(0, TSeekOrigin::soBeginning), 0);
  ASSERT_EQ(reader.Read(buffer, 100), 100);
  EXPECT_EQ(0, std::memcmp(buffer, data.data(), 100));
}

TEST(ZlibStreams, DecompressorStopsAtTheStreamEnd) {
  const Bytes data = SampleData(5000);
  Bytes packed = Deflate(data);
  packed.insert(packed.end(), {1, 2, 3, 4, 5});  // trailing bytes are not ours
  TMemoryStream source = StreamOf(packed);
  source.SetPosition(0);
  TDecompressionStream reader(source);
  Bytes out(8000);
  EXPECT_EQ(reader.Read(out.data(), 8000), 5000);
  EXPECT_TRUE(reader.StreamEnded());
  EXPECT_EQ(reader.Read(out.data(), 8000), 0);
  EXPECT_EQ(Inflate(packed), data);
}

TEST(ZlibStreams, DamagedTruncatedAndOversizedInputRaise) {
  const Bytes data = SampleData(40000);
  const Bytes packed = Deflate(data);
  auto expectError = [](const Bytes& input, int64_t maxSize, const char* message) {
    try {
      Inflate(input, maxSize);
      ADD_FAILURE() << "no error for " << message;
    } catch (const EDecompressionError& e) {
      EXPECT_EQ(e.Message(), message);
    }
  };
  expectError(Bytes{'n', 'o', 't', ' ', 'z', 'l', 'i', 'b'}, -1, "compression error");
  Bytes damaged = packed;
  damaged[packed.size() / 2] ^= 0xFF;
  damaged[packed.size() - 1] ^= 0xFF;  // the checksum, in case the data still decodes
  expectError(damaged, -1, "compression error");
  expectError(Bytes(packed.begin(), packed.begin() + static_cast<long>(packed.size() / 2)), -1, "compression error");
  expectError({}, -1, "compression error");
  expectError(packed, 39999, "Decompressed data exceeds 39999 bytes");
  EXPECT_EQ(Inflate(packed, 40000), data);
}

// A header that asks for a preset dictionary: zlib answers with a positive
// code and consumes nothing more, which once kept the reader looping.
TEST(ZlibStreams, PresetDictionaryStreamsRaise) {
  const Bytes data = SampleData(3000);
  z_stream z{};
  ASSERT_EQ(deflateInit(&z, 9), Z_OK);
  const Bytes dictionary = SampleData(100);
  ASSERT_EQ(deflateSetDictionary(&z, dictionary.data(), static_cast<uInt>(dictionary.size())), Z_OK);
  Bytes packed(deflateBound(&z, static_cast<uLong>(data.size())));
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = packed.data();
  z.avail_out = static_cast<uInt>(packed.size());
  ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  packed.resize(z.total_out);
  deflateEnd(&z);
  ASSERT_TRUE(packed[1] & 0x20);  // FDICT

  const Bytes headerOnly(packed.begin(), packed.begin() + 6);
  for (const Bytes& input : {packed, headerOnly}) {
    EXPECT_THROW(Inflate(input), EDecompressionError);
    TMemoryStream source = StreamOf(input);
    source.SetPosition(0);
    TDecompressionStream reader(source);
    uint8_t buffer[64];
    try {
      reader.Read(buffer, sizeof buffer);
      ADD_FAILURE() << "no error";
    } catch (const EDecompressionError& e) {
      EXPECT_EQ(e.Message(), "compression error");
    }
  }
}

}  // namespace
}  // namespace kora

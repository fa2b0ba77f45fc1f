// Pack and unpack times of the LZ packer on 72 KB inputs, with the packed
// size as a counter.
#include "../tests/tools/agblz/GameLikeImage.h"
#include "agblz/Lz.h"

#include <benchmark/benchmark.h>

namespace {

using Bytes = std::vector<uint8_t>;
constexpr std::size_t kImageSize = 72043;

const Bytes& Input(int kind) {
  static const Bytes inputs[] = {
      kora::lz::testdata::GameLikeImage(kImageSize),
      kora::lz::testdata::RandomBytes(kImageSize, 7),
      Bytes(kImageSize, 0),
  };
  return inputs[kind];
}

void SetLabels(benchmark::State& state, const Bytes& data, std::size_t packedSize) {
  static const char* const kNames[] = {"game-like", "random", "zeros"};
  state.SetLabel(kNames[state.range(0)]);
  state.counters["packed"] = static_cast<double>(packedSize);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}

void Pack(benchmark::State& state) {
  const Bytes& data = Input(static_cast<int>(state.range(0)));
  std::size_t packedSize = 0;
  for (auto _ : state) {
    const Bytes packed = kora::lz::Pack(data);
    packedSize = packed.size();
    benchmark::DoNotOptimize(packed.data());
  }
  SetLabels(state, data, packedSize);
}

void Unpack(benchmark::State& state) {
  const Bytes& data = Input(static_cast<int>(state.range(0)));
  const Bytes packed = kora::lz::Pack(data);
  for (auto _ : state) {
    const Bytes unpacked = kora::lz::Unpack(packed);
    benchmark::DoNotOptimize(unpacked.data());
  }
  SetLabels(state, data, packed.size());
}

BENCHMARK(Pack)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(Unpack)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

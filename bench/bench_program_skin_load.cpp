// Loading the program's own skin as the build packs it: inflating the
// archive alone, then the whole load into a skin data (inflate, pictures,
// description, records). The window creates its skin this way at start.
#include <benchmark/benchmark.h>

#include "skin/data/bsSkinData.h"

namespace {

using namespace kora;

TbsCompressedStoredSkin& Stored() {
  static TbsCompressedStoredSkin* stored = [] {
    auto* s = new TbsCompressedStoredSkin(nullptr);
    s->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    return s;
  }();
  return *stored;
}

void ProgramSkinInflate(benchmark::State& state) {
  int64_t size = 0;
  for (auto _ : state) {
    TMemoryStream target;
    Stored().InflateInto(target);
    size = target.Size();
    benchmark::DoNotOptimize(target.Memory());
  }
  state.counters["archive"] = static_cast<double>(size);
  state.counters["compressed"] = static_cast<double>(Stored().CompressedStream().Size());
}
BENCHMARK(ProgramSkinInflate)->Unit(benchmark::kMillisecond);

void ProgramSkinWholeLoad(benchmark::State& state) {
  for (auto _ : state) {
    TbsSkinData data(nullptr);
    data.LoadFromStoredSkin(&Stored());
    if (data.Empty() || data.FindControlRecord("button") < 0) state.SkipWithError("the skin did not load");
  }
}
BENCHMARK(ProgramSkinWholeLoad)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

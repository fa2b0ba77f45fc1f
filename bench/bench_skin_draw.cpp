// The skin primitives at the main window's sizes; each must stay well inside
// one 20 ms animation tick (1 ms for frames, pages and regions, 20 us for a
// button morph).

#include <benchmark/benchmark.h>

#include <algorithm>

#include "skin/data/bsEffects.h"
#include "skin/data/bsUtils.h"

namespace kora {
namespace {

// A frame skin in the usual shape: a 30-pixel caption, 4-pixel borders,
// 2-pixel middles that must be tiled many times across a large window.
struct FrameSkin {
  RECT R{0, 0, 120, 90};
  RECT C{4, 30, 116, 86};
  POINT LT{40, 34}, RT{42, 34}, LB{40, 40}, RB{42, 40};
  TBitmap picture, mask;

  FrameSkin() {
    picture.SetSize(120, 90);
    for (int y = 0; y < 90; ++y) {
      uint8_t* row = picture.ScanLine(y);
      for (int x = 0; x < 120; ++x) {
        row[x * 4] = uint8_t(x * 2);
        row[x * 4 + 1] = uint8_t(y * 2);
        row[x * 4 + 2] = uint8_t(x + y);
      }
    }
    // Black mask with rounded top corners.
    mask.SetSize(120, 90);
    for (int y = 0; y < 90; ++y) std::fill_n(reinterpret_cast<uint32_t*>(mask.ScanLine(y)), 120, 0u);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4 - y; ++x) {
        reinterpret_cast<uint32_t*>(mask.ScanLine(y))[x] = 0xFFFFFF;
        reinterpret_cast<uint32_t*>(mask.ScanLine(y))[119 - x] = 0xFFFFFF;
      }
  }
  TbsSkinGeometry MovedTo(int W, int H) const { return TbsSkinGeometry{LT, RT, LB, RB, C}.Moved(R, W, H); }
};

void BM_ComposeBorderBands_560x460(benchmark::State& state) {
  FrameSkin skin;
  const TbsSkinGeometry n = skin.MovedTo(560, 460);
  for (auto _ : state) {
    TBitmap left, top, right, bottom;
    ComposeBorderBands({skin.LT, skin.RT, skin.LB, skin.RB, skin.C}, n, {&left, &top, &right, &bottom}, &skin.picture,
                       skin.R, {560, 460}, {});
    benchmark::DoNotOptimize(top.Handle());
  }
}
BENCHMARK(BM_ComposeBorderBands_560x460)->Unit(benchmark::kMicrosecond);

void BM_ComposeNinePart_537x401(benchmark::State& state) {
  // A page frame: 3-pixel borders and a 16 x 16 client piece tiled over the page.
  TBitmap picture;
  picture.SetSize(40, 40);
  const RECT R{0, 0, 40, 40}, C{3, 3, 37, 37};
  const POINT LT{10, 10}, RT{30, 10}, LB{10, 30}, RB{30, 30};
  const int W = 537, H = 401;
  const TbsSkinGeometry n = TbsSkinGeometry{LT, RT, LB, RB, C}.Moved(R, W, H);
  TBitmap target;
  for (auto _ : state) {
    ComposeNinePart({LT, RT, LB, RB, C}, n, &target, &picture, R, {W, H}, true, {});
    benchmark::DoNotOptimize(target.Handle());
  }
}
BENCHMARK(BM_ComposeNinePart_537x401)->Unit(benchmark::kMicrosecond);

void BM_BlendMorph_80x25(benchmark::State& state) {
  TbsEffectBmp normal(80, 25), active(80, 25);
  for (std::size_t i = 0; i < active.Size(); ++i) active.Bits()[i] = uint8_t(i * 7);
  double kf = 0;
  for (auto _ : state) {
    normal.BlendMorph(active, kf);
    kf = kf >= 1 ? 0 : kf + 0.2;
    benchmark::DoNotOptimize(normal.Bits());
  }
}
BENCHMARK(BM_BlendMorph_80x25);

void BM_BuildSkinRegion_560x460(benchmark::State& state) {
  FrameSkin skin;
  const TbsSkinGeometry n = skin.MovedTo(560, 460);
  for (auto _ : state) {
    HRGN region = BuildSkinRegion({skin.LT, skin.RT, skin.LB, skin.RB, skin.C}, n, &skin.mask, {560, 460});
    benchmark::DoNotOptimize(region);
    DeleteObject(region);
  }
}
BENCHMARK(BM_BuildSkinRegion_560x460)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kora

BENCHMARK_MAIN();

// Hot paths of the graphics core at the sizes the skinned main window uses.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"

namespace kora {
namespace {

constexpr int W = 560, H = 460;

struct Surface {
  Surface(int w, int h) : Dc(CreateCompatibleDC(HDC())), Bitmap(CreateCompatibleBitmap(Dc, w, h)) {
    Old = SelectObject(Dc, Bitmap);
  }
  ~Surface() {
    SelectObject(Dc, Old);
    DeleteObject(Bitmap);
    DeleteDC(Dc);
  }
  HDC Dc;
  HBITMAP Bitmap;
  HGDIOBJ Old;
};

void BM_BitBlt(benchmark::State& state) {
  Surface src(W, H), dst(W, H);
  for (auto _ : state) BitBlt(dst.Dc, 0, 0, W, H, src.Dc, 0, 0, SRCCOPY);
  state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(BM_BitBlt);

void BM_StretchBlt(benchmark::State& state) {
  Surface src(W / 2, H / 2), dst(W, H);
  for (auto _ : state) StretchBlt(dst.Dc, W, 0, -W, H, src.Dc, 0, 0, W / 2, H / 2, SRCCOPY);
  state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(BM_StretchBlt);

void BM_FillRect(benchmark::State& state) {
  Surface dst(W, H);
  HBRUSH brush = CreateSolidBrush(RGB(212, 208, 200));
  const RECT all{0, 0, W, H};
  for (auto _ : state) FillRect(dst.Dc, &all, brush);
  DeleteObject(brush);
  state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(BM_FillRect);

// The runs of a mask: a rounded window outline with ragged edges, about
// eleven runs on each row, 5,060 in all.
std::vector<uint8_t> RunBlock() {
  std::vector<RECT> runs;
  for (int y = 0; y < H; ++y)
    for (int k = 0; k < 11; ++k) runs.push_back({k * 50 + y % 7, y, k * 50 + 30 + y % 5, y + 1});
  std::vector<uint8_t> block(32 + 16 * runs.size());
  const uint32_t header[4] = {32, 1, uint32_t(runs.size()), 0};
  std::memcpy(block.data(), header, sizeof header);
  const RECT bounds{0, 0, W, H};
  std::memcpy(block.data() + 16, &bounds, sizeof bounds);
  std::memcpy(block.data() + 32, runs.data(), 16 * runs.size());
  return block;
}

void BM_UnionOfRuns(benchmark::State& state) {
  const std::vector<uint8_t> block = RunBlock();
  HRGN frame = CreateRectRgn(8, 30, W - 8, H - 8);
  for (auto _ : state) {
    HRGN runs = ExtCreateRegion(nullptr, uint32_t(block.size()), reinterpret_cast<const RGNDATA*>(block.data()));
    CombineRgn(runs, runs, frame, RGN_OR);
    DeleteObject(runs);
  }
  DeleteObject(frame);
  state.SetItemsProcessed(state.iterations() * int64_t((block.size() - 32) / 16));
}
BENCHMARK(BM_UnionOfRuns);

// The same runs arriving in no particular order take the general sweep.
void BM_UnionOfShuffledRects(benchmark::State& state) {
  std::vector<RECT> rects;
  uint32_t seed = 1;
  for (int i = 0; i < 5000; ++i) {
    seed = seed * 1103515245 + 12345;
    const int x = int(seed >> 8) % W, y = int(seed >> 16) % H;
    rects.push_back({x, y, x + 1 + int(seed % 40), y + 1 + int(seed % 3)});
  }
  for (auto _ : state) benchmark::DoNotOptimize(Region::FromRects(rects));
  state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_UnionOfShuffledRects);

void BM_CombineComplexRegions(benchmark::State& state) {
  const std::vector<uint8_t> block = RunBlock();
  HRGN a = ExtCreateRegion(nullptr, uint32_t(block.size()), reinterpret_cast<const RGNDATA*>(block.data()));
  HRGN b = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(b, a, HRGN(), RGN_COPY);
  OffsetRgn(b, 13, 1);
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  for (auto _ : state) CombineRgn(out, a, b, int(state.range(0)));
  DeleteObject(a);
  DeleteObject(b);
  DeleteObject(out);
}
BENCHMARK(BM_CombineComplexRegions)->Arg(RGN_AND)->Arg(RGN_OR)->Arg(RGN_XOR)->Arg(RGN_DIFF);

}  // namespace
}  // namespace kora

BENCHMARK_MAIN();

// The skin primitives at the main window's sizes; each must stay well inside
// one 20 ms animation tick (1 ms for frames, pages and regions, 20 us for a
// button morph).
//
// The tiling, ellipsis and mask cases run three ways in one program: the
// baseline (the earlier algorithm, kept below as it was), the library's
// primitive, and a yardstick doing the least the case needs (one plain copy
// of the same area, or one measure of the same text). "bytes/iter" counts
// what the case allocates.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/text/Text.h"
#include "platform/text/Utf8.h"
#include "skin/data/bsEffects.h"
#include "skin/data/bsUtils.h"

// ---- Counting allocator --------------------------------------------------------

namespace {
std::size_t gAllocated = 0;
// Out of line, so the compiler does not pair a new-expression with free().
[[gnu::noinline]] void Release(void* p) noexcept { std::free(p); }
}  // namespace

void* operator new(std::size_t size) {
  gAllocated += size;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace kora {
namespace {

// Runs body for every iteration and reports the bytes it allocated per run.
template <class Body>
void Measured(benchmark::State& state, Body body) {
  const std::size_t before = gAllocated;
  for (auto _ : state) body();
  state.counters["bytes/iter"] = double(gAllocated - before) / double(std::max<int64_t>(state.iterations(), 1));
}

// ---- Baseline: the primitives as they were -------------------------------------
// One blit per tile; the wide ellipsis dropping one character at a time,
// converting and measuring the whole text at every step; the mask converted
// to 24 bits before it is scanned.
namespace baseline {

void TileX(HDC target, HDC picture, const RECT& s, int a, int b, int top, int bottom) {
  const int step = WidthOf(s);
  if (step <= 0) return;
  const int count = (b - a) / step;
  if (count < 0) return;
  for (int i = 0; i <= count; ++i) {
    const int x = a + i * step, width = step - std::max(0, x + step - b);
    if (width > 0) StretchBlt(target, x, top, width, bottom - top, picture, s.Left, s.Top, width, HeightOf(s), SRCCOPY);
  }
}

void TileY(HDC target, HDC picture, const RECT& s, int a, int b, int left, int right) {
  const int step = HeightOf(s);
  if (step <= 0) return;
  const int count = (b - a) / step;
  if (count < 0) return;
  for (int i = 0; i <= count; ++i) {
    const int y = a + i * step, height = step - std::max(0, y + step - b);
    if (height > 0)
      StretchBlt(target, left, y, right - left, height, picture, s.Left, s.Top, WidthOf(s), height, SRCCOPY);
  }
}

void ComposeHorizontalMiddle(int leftOffset, int rightOffset, TBitmap* target, int W, const RECT& s, TBitmap* picture) {
  const int h = HeightOf(s);
  target->SetSize(W, h);
  RECT middle{s.Left + leftOffset, s.Top, s.Right - rightOffset, s.Bottom};
  if (WidthOf(middle) == 0) middle.Right = middle.Left + 1;
  TileX(target->Canvas()->Handle(), picture->Canvas()->Handle(), middle, 0, W, 0, h);
}

void ComposeVerticalStrip(int topHeight, int bottomHeight, TBitmap* target, int H, const RECT& s, TBitmap* picture) {
  const int w = WidthOf(s);
  target->SetSize(w, H);
  const HDC dc = target->Canvas()->Handle(), pic = picture->Canvas()->Handle();
  StretchBlt(dc, 0, 0, w, topHeight, pic, s.Left, s.Top, w, topHeight, SRCCOPY);
  StretchBlt(dc, 0, H - bottomHeight, w, bottomHeight, pic, s.Left, s.Bottom - bottomHeight, w, bottomHeight, SRCCOPY);
  TileY(dc, pic, {s.Left, s.Top + topHeight, s.Right, s.Bottom - bottomHeight}, topHeight, H - bottomHeight, 0, w);
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

std::string Utf16ToUtf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      c = kReplacementChar;
    }
    AppendUtf8(out, c);
  }
  return out;
}

int MeasureWideTextWidth(TCanvas* canvas, const std::u16string& text) {
  RECT r{0, 0, 0, 0};
  DrawText(canvas->Handle(), std::string_view(Utf16ToUtf8(text)), &r, DT_CALCRECT);
  return r.Right;
}

void EllipsizeWideText(TCanvas* canvas, std::u16string& text, int width) {
  const std::u16string ellipsis = u"...";
  if (baseline::MeasureWideTextWidth(canvas, text) <= width) return;
  do {
    const std::size_t n = text.size();
    if (n >= 2 && IsLowSurrogate(text[n - 1]) && IsHighSurrogate(text[n - 2]))
      text.resize(n - 2);
    else
      text.pop_back();
  } while (!text.empty() && baseline::MeasureWideTextWidth(canvas, text + ellipsis) > width);
  text += ellipsis;
}

std::vector<uint8_t> MaskRunsToRegionData(TBitmap* bitmap, int dx, int dy) {
  if (!bitmap || bitmap->Empty()) return {};
  const TbsFBitmap pixels(bitmap->Handle());
  const int w = pixels.Width(), h = pixels.Height();
  std::vector<RECT> runs;
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = pixels.Row(y);
    int x = 0;
    while (x < w) {
      const uint8_t* p = row + std::size_t(x) * 3;
      if ((p[0] | p[1] | p[2]) != 0) {
        ++x;
        continue;
      }
      const int start = x;
      for (p += 3, ++x; x < w && (p[0] | p[1] | p[2]) == 0; p += 3) ++x;
      runs.push_back({start + dx, y + dy, x + dx, y + dy + 1});
    }
  }
  RGNDATAHEADER header;
  header.nCount = uint32_t(runs.size());
  header.rcBound = {dx, dy, dx + w, dy + h};
  std::vector<uint8_t> block(sizeof header + runs.size() * sizeof(RECT), 0);
  std::memcpy(block.data(), &header, sizeof header);
  if (!runs.empty()) std::memcpy(block.data() + sizeof header, runs.data(), runs.size() * sizeof(RECT));
  return block;
}

}  // namespace baseline

// ---- Pictures ------------------------------------------------------------------

void Paint(TBitmap& bmp, int w, int h) {
  bmp.SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    uint8_t* row = bmp.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      row[x * 4] = uint8_t(x * 2);
      row[x * 4 + 1] = uint8_t(y * 2);
      row[x * 4 + 2] = uint8_t(x + y);
    }
  }
}

// A frame skin in the usual shape: a 30-pixel caption, 4-pixel borders,
// 2-pixel middles that must be tiled many times across a large window.
struct FrameSkin {
  RECT R{0, 0, 120, 90};
  RECT C{4, 30, 116, 86};
  POINT LT{40, 34}, RT{42, 34}, LB{40, 40}, RB{42, 40};
  TBitmap picture, mask;

  FrameSkin() {
    Paint(picture, 120, 90);
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

// ---- Tiling a narrow middle --------------------------------------------------------
// A 30-pixel caption strip: 10-pixel ends around a middle of range(0) pixels,
// tiled over a 560-pixel band; vertically a 4-pixel border 460 high.

constexpr int kBand = 560, kStrip = 30, kTall = 460, kBorder = 4;

RECT StripSource(int middle) { return {0, 0, 20 + middle, kStrip}; }

void BM_TileX_Baseline(benchmark::State& state) {
  TBitmap picture, target;
  Paint(picture, 40, kStrip);
  const RECT s = StripSource(int(state.range(0)));
  Measured(state, [&] { baseline::ComposeHorizontalMiddle(10, 10, &target, kBand, s, &picture); });
}
void BM_TileX_New(benchmark::State& state) {
  TBitmap picture, target;
  Paint(picture, 40, kStrip);
  const RECT s = StripSource(int(state.range(0)));
  Measured(state, [&] { ComposeHorizontalMiddle(10, 10, &target, false, kBand, s, &picture); });
}
void BM_TileX_Copy(benchmark::State& state) {
  TBitmap picture, target;
  Paint(picture, kBand, kStrip);
  target.SetSize(kBand, kStrip);
  const HDC dc = target.Canvas()->Handle(), pic = picture.Canvas()->Handle();
  Measured(state, [&] { BitBlt(dc, 0, 0, kBand, kStrip, pic, 0, 0, SRCCOPY); });
}
BENCHMARK(BM_TileX_Baseline)->Arg(1)->Arg(3)->Arg(6)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TileX_New)->Arg(1)->Arg(3)->Arg(6)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TileX_Copy)->Arg(1)->Arg(3)->Arg(6)->Unit(benchmark::kMicrosecond);

RECT BorderSource(int middle) { return {0, 0, kBorder, 20 + middle}; }

void BM_TileY_Baseline(benchmark::State& state) {
  TBitmap picture, target;
  Paint(picture, kBorder, 40);
  const RECT s = BorderSource(int(state.range(0)));
  Measured(state, [&] { baseline::ComposeVerticalStrip(10, 10, &target, kTall, s, &picture); });
}
void BM_TileY_New(benchmark::State& state) {
  TBitmap picture, target;
  Paint(picture, kBorder, 40);
  const RECT s = BorderSource(int(state.range(0)));
  Measured(state, [&] { ComposeVerticalStrip(10, 10, &target, false, kTall, s, &picture); });
}
void BM_TileY_Copy(benchmark::State& state) {
  TBitmap picture, target;
  Paint(picture, kBorder, kTall);
  target.SetSize(kBorder, kTall);
  const HDC dc = target.Canvas()->Handle(), pic = picture.Canvas()->Handle();
  Measured(state, [&] { BitBlt(dc, 0, 0, kBorder, kTall, pic, 0, 0, SRCCOPY); });
}
BENCHMARK(BM_TileY_Baseline)->Arg(1)->Arg(3)->Arg(6)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TileY_New)->Arg(1)->Arg(3)->Arg(6)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TileY_Copy)->Arg(1)->Arg(3)->Arg(6)->Unit(benchmark::kMicrosecond);

// ---- The caption ellipsis ------------------------------------------------------------
// A caption of range(0) characters, mixed hanzi and Latin, in 12-pixel
// "宋体", cut to a third of its width.

struct Caption {
  TBitmap sheet;
  std::u16string text;
  int width = 0;

  explicit Caption(int chars) {
    sheet.SetSize(200, 20);
    sheet.Canvas()->Font()->SetName("宋体");
    sheet.Canvas()->Font()->SetHeight(-12);
    const std::u16string words = u"Kora Editor 人物参数职业参数武器道具 - ROM 数据保存导入成功 ";
    while (text.size() < std::size_t(chars)) text += words;
    text.resize(std::size_t(chars));
    width = baseline::MeasureWideTextWidth(sheet.Canvas(), text) / 3;
  }
};

void BM_EllipsisWide_Baseline(benchmark::State& state) {
  Caption caption(int(state.range(0)));
  Measured(state, [&] {
    std::u16string t = caption.text;
    baseline::EllipsizeWideText(caption.sheet.Canvas(), t, caption.width);
    benchmark::DoNotOptimize(t.data());
  });
}
void BM_EllipsisWide_New(benchmark::State& state) {
  Caption caption(int(state.range(0)));
  Measured(state, [&] {
    std::u16string t = caption.text;
    EllipsizeWideText(caption.sheet.Canvas(), t, caption.width);
    benchmark::DoNotOptimize(t.data());
  });
}
void BM_EllipsisWide_Measure(benchmark::State& state) {
  Caption caption(int(state.range(0)));
  Measured(state, [&] { benchmark::DoNotOptimize(MeasureWideTextWidth(caption.sheet.Canvas(), caption.text)); });
}
BENCHMARK(BM_EllipsisWide_Baseline)->Arg(40)->Arg(160)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EllipsisWide_New)->Arg(40)->Arg(160)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EllipsisWide_Measure)->Arg(40)->Arg(160)->Unit(benchmark::kMicrosecond);

// ---- The mask scan ----------------------------------------------------------------------
// A 560 x 460 window mask: black with rounded top corners.

struct WindowMask {
  TBitmap mask;
  WindowMask() {
    mask.SetSize(kBand, kTall);
    for (int y = 0; y < kTall; ++y) std::fill_n(reinterpret_cast<uint32_t*>(mask.ScanLine(y)), kBand, 0u);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4 - y; ++x) {
        reinterpret_cast<uint32_t*>(mask.ScanLine(y))[x] = 0xFFFFFF;
        reinterpret_cast<uint32_t*>(mask.ScanLine(y))[kBand - 1 - x] = 0xFFFFFF;
      }
  }
};

void BM_MaskScan_Baseline(benchmark::State& state) {
  WindowMask m;
  Measured(state, [&] { benchmark::DoNotOptimize(baseline::MaskRunsToRegionData(&m.mask, 0, 0)); });
}
void BM_MaskScan_New(benchmark::State& state) {
  WindowMask m;
  Measured(state, [&] { benchmark::DoNotOptimize(MaskRunsToRegionData(&m.mask, 0, 0)); });
}
void BM_MaskScan_Copy(benchmark::State& state) {
  WindowMask m;
  TBitmap target;
  target.SetSize(kBand, kTall);
  const HDC dc = target.Canvas()->Handle(), pic = m.mask.Canvas()->Handle();
  Measured(state, [&] { BitBlt(dc, 0, 0, kBand, kTall, pic, 0, 0, SRCCOPY); });
}
BENCHMARK(BM_MaskScan_Baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MaskScan_New)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MaskScan_Copy)->Unit(benchmark::kMicrosecond);

// ---- Whole compositions ------------------------------------------------------------------

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

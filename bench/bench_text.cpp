// Glyph drawing throughput: characters per second through TextOut at 12 px
// for hanzi (bitmap strike) and Latin (outline), and a word-wrapped DrawText.

#include "platform/text/Text.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace kora;

class Surface {
public:
  Surface(const char* face, int32_t height) {
    FDc = CreateCompatibleDC(HDC());
    FBitmap = CreateCompatibleBitmap(FDc, 640, 200);
    FOldBitmap = SelectObject(FDc, FBitmap);
    FFont = CreateFont(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    FOldFont = SelectObject(FDc, FFont);
    SetBkMode(FDc, TRANSPARENT);
  }
  ~Surface() {
    SelectObject(FDc, FOldFont);
    SelectObject(FDc, FOldBitmap);
    DeleteObject(FFont);
    DeleteObject(FBitmap);
    DeleteDC(FDc);
  }
  HDC Dc() const { return FDc; }

private:
  HDC FDc;
  HBITMAP FBitmap;
  HGDIOBJ FOldBitmap;
  HFONT FFont;
  HGDIOBJ FOldFont;
};

void DrawLine(benchmark::State& state, const char* face, const std::string& text, int chars) {
  Surface surface(face, -12);
  TextOut(surface.Dc(), 0, 0, text);  // warm the glyph cache
  for (auto _ : state) benchmark::DoNotOptimize(TextOut(surface.Dc(), 4, 4, text));
  state.SetItemsProcessed(state.iterations() * chars);
}

void BM_TextOutHanzi12(benchmark::State& state) {
  DrawLine(state, "宋体", "人物参数职业参数武器道具选择数据保存导入成功编辑器", 24);
}
BENCHMARK(BM_TextOutHanzi12);

void BM_TextOutLatin12(benchmark::State& state) {
  DrawLine(state, "Arial", "The quick brown fox jumps over the lazy dog", 43);
}
BENCHMARK(BM_TextOutLatin12);

void BM_DrawTextWordWrap(benchmark::State& state) {
  Surface surface("宋体", -12);
  const std::string paragraph =
      "选择ROM文件后可以编辑人物、职业和武器道具的参数，然后保存数据。The editor keeps the data image in "
      "memory and writes every change back into the ROM when the user saves.";
  RECT box{0, 0, 300, 200};
  DrawText(surface.Dc(), paragraph, &box, DT_WORDBREAK);
  for (auto _ : state) {
    RECT r = box;
    benchmark::DoNotOptimize(DrawText(surface.Dc(), paragraph, &r, DT_WORDBREAK));
  }
  state.SetItemsProcessed(state.iterations() * 130);
}
BENCHMARK(BM_DrawTextWordWrap);

}  // namespace

BENCHMARK_MAIN();

// Switching pages of the main window's page control (537 x 401, the
// program's skin) whose pages each hold 40 spin edits, on the headless
// screen: from the click on the other tab to the repainted control, page
// and spin edits presented. The yardstick in the same run is a plain
// FillRect of the page control's area.
#include <benchmark/benchmark.h>

#include <memory>

#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinTabs.h"

namespace {

using namespace kora;

constexpr int kPagesWidth = 537, kPagesHeight = 401;
constexpr int kSpinEdits = 40;

void BM_PageSwitchWith40SpinEdits(benchmark::State& state) {
  HeadlessBackend screen;
  ResetWindowSystem();
  SetBackend(&screen);
  {
    auto app = std::make_unique<TApplication>(nullptr);
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(20, 20, 554, 434);
    auto* stored = new TbsCompressedStoredSkin(form.get());
    stored->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    auto* skin = new TbsSkinData(form.get());
    skin->SetCompressedStoredSkin(stored);
    auto* pages = new TbsSkinPageControl(form.get());
    pages->SetBounds(8, 24, kPagesWidth, kPagesHeight);
    pages->SetTabHeight(20);
    pages->SetParent(form.get());
    for (const char* caption : {"人物参数", "职业参数", "武器道具"}) {
      auto* sheet = new TbsSkinTabSheet(form.get());
      sheet->SetCaption(caption);
      sheet->SetPageControl(pages);
      for (int i = 0; i < kSpinEdits; ++i) {
        auto* spin = new TbsSkinSpinEdit(form.get());
        spin->SetBounds(16 + (i % 8) * 64, 16 + (i / 8) * 60, 41, 16);
        spin->SetMinValue(-128);
        spin->SetMaxValue(127);
        spin->SetParent(sheet);
        spin->SetSkinData(skin);
        spin->SetValue(i);
      }
    }
    pages->SetSkinData(skin);
    form->Show();
    screen.RunUntilIdle();
    if (skin->Empty() || pages->RecordIndex() == -1) state.SkipWithError("the program's skin did not bind");
    const RECT first = pages->TabRect(0), second = pages->TabRect(1);
    const POINT at[2] = {pages->ClientToScreen({(second.Left + second.Right) / 2, 10}),
                         pages->ClientToScreen({(first.Left + first.Right) / 2, 10})};
    int next = 0;
    for (auto _ : state) {
      screen.Click(at[next]);
      screen.RunUntilIdle();
      next = 1 - next;
    }
    if (pages->ActivePageIndex() != next) state.SkipWithError("the clicks did not switch pages");
  }
  ResetWindowSystem();
  SetBackend(nullptr);
}
BENCHMARK(BM_PageSwitchWith40SpinEdits)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_FillRectOfThePageControlsArea(benchmark::State& state) {
  TBitmap bitmap;
  bitmap.SetSize(kPagesWidth, kPagesHeight);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Brush()->SetColor(clBtnFace);
  for (auto _ : state) {
    canvas->FillRect({0, 0, kPagesWidth, kPagesHeight});
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillRectOfThePageControlsArea)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

// One cross-fade tick of a button skinned with the program's skin, on the
// headless screen: the 20 ms timer, the step, both state images composed
// and blended, the copy to the window and the present. The pointer goes
// in and out whenever the fade has run its course, outside the timing.
// The yardstick in the same run is a plain FillRect of the button's area.
#include <benchmark/benchmark.h>

#include <memory>

#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/controls/bsSkinCtrls.h"

namespace {

using namespace kora;

constexpr int kButtonWidth = 80, kButtonHeight = 25;

void BM_ButtonMorphTick(benchmark::State& state) {
  HeadlessBackend screen;
  ResetWindowSystem();
  SetBackend(&screen);
  {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(20, 20, 200, 100);
    auto* stored = new TbsCompressedStoredSkin(form.get());
    stored->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    auto* skin = new TbsSkinData(form.get());
    skin->SetCompressedStoredSkin(stored);
    auto* button = new TbsSkinButton(form.get());
    button->SetBounds(10, 10, kButtonWidth, kButtonHeight);
    button->SetCaption("确定");
    button->SetCanFocused(false);
    button->SetParent(form.get());
    button->SetSkinData(skin);
    form->Show();
    screen.RunUntilIdle();
    if (skin->Empty() || button->RecordIndex() == -1) state.SkipWithError("the program's skin did not bind");
    const POINT over = button->ClientToScreen({kButtonWidth / 2, kButtonHeight / 2});
    const POINT away = form->ClientToScreen({150, 80});
    screen.MouseMove(over);
    screen.RunUntilIdle();
    for (auto _ : state) {
      screen.Wait(20);
      const double factor = button->MorphFactor();
      if (factor >= 1 || factor <= 0) {
        state.PauseTiming();
        screen.MouseMove(factor >= 1 ? away : over);
        screen.RunUntilIdle();
        state.ResumeTiming();
      }
    }
  }
  ResetWindowSystem();
  SetBackend(nullptr);
}
BENCHMARK(BM_ButtonMorphTick)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_FillRectOfTheButtonArea(benchmark::State& state) {
  TBitmap bitmap;
  bitmap.SetSize(kButtonWidth, kButtonHeight);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Brush()->SetColor(clBtnFace);
  for (auto _ : state) {
    canvas->FillRect({0, 0, kButtonWidth, kButtonHeight});
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillRectOfTheButtonArea)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

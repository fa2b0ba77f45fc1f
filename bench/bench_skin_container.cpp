// One repaint of a group box as the main window fills them (521 x 89, its
// caption, 8 field labels and 8 buttons) skinned with the program's skin,
// on the headless screen: the container's bands and tiled interior, the
// labels drawn on it, each button's own paint, and the present. The
// yardstick in the same run is a plain FillRect of the same area.
#include <benchmark/benchmark.h>

#include <memory>

#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/Painting.h"
#include "platform/window/WindowSystem.h"
#include "skin/controls/bsSkinCtrls.h"

namespace {

using namespace kora;

constexpr int kBoxWidth = 521, kBoxHeight = 89;

void BM_GroupBoxWithLabelsAndButtonsRepaint(benchmark::State& state) {
  HeadlessBackend screen;
  ResetWindowSystem();
  SetBackend(&screen);
  {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(20, 20, 560, 140);
    auto* stored = new TbsCompressedStoredSkin(form.get());
    stored->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    auto* skin = new TbsSkinData(form.get());
    skin->SetCompressedStoredSkin(stored);
    auto* box = new TbsSkinGroupBox(form.get());
    box->SetBounds(8, 10, kBoxWidth, kBoxHeight);
    box->SetCaption("角色基础能力");
    box->SetParent(form.get());
    box->SetSkinData(skin);
    const char* names[] = {"体力", "魔力", "速度", "防御", "力量", "技术", "运气", "魔防"};
    const int lefts[] = {16, 136, 264, 392};
    for (int i = 0; i < 8; ++i) {
      const int left = lefts[i % 4], top = i < 4 ? 32 : 56;
      auto* label = new TbsSkinStdLabel(form.get());
      label->SetAutoSize(false);
      label->SetBounds(left, top, 24, 12);
      label->Font()->SetName("MS Sans Serif");
      label->Font()->SetHeight(-11);
      label->SetCaption(names[i]);
      label->SetParent(box);
      label->SetSkinData(skin);
      auto* button = new TbsSkinButton(form.get());
      button->SetBounds(left + 32, top - 2, 41, 18);
      button->SetCaption("+10");
      button->SetParent(box);
      button->SetSkinData(skin);
    }
    form->Show();
    screen.RunUntilIdle();
    if (skin->Empty() || box->RecordIndex() == -1) state.SkipWithError("the program's skin did not bind");
    for (auto _ : state) {
      RedrawWindow(box->Handle(), nullptr, {}, RDW_INVALIDATE | RDW_ALLCHILDREN);
      screen.RunUntilIdle();
    }
  }
  ResetWindowSystem();
  SetBackend(nullptr);
}
BENCHMARK(BM_GroupBoxWithLabelsAndButtonsRepaint)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

void BM_FillRectOfTheSameArea(benchmark::State& state) {
  TBitmap bitmap;
  bitmap.SetSize(kBoxWidth, kBoxHeight);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Brush()->SetColor(clBtnFace);
  for (auto _ : state) {
    canvas->FillRect({0, 0, kBoxWidth, kBoxHeight});
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillRectOfTheSameArea)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

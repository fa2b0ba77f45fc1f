// The skinned frame of the main window (562 x 465, the program's skin) on
// the headless screen: one full non-client repaint (target 1 ms) and one
// morph tick of a hovered caption button (target 50 us), each beside a
// yardstick in the same run: a plain copy of the same pixels.

#include <benchmark/benchmark.h>

#include <memory>

#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/form/bsSkinForm.h"

namespace {

using namespace kora;

struct MainWindow {
  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<TForm> Form;
  TbsSkinForm* Frame = nullptr;

  MainWindow() {
    ResetWindowSystem();
    SetBackend(&Screen);
    App = std::make_unique<TApplication>(nullptr);
    Form = std::make_unique<TForm>(nullptr);
    Form->SetCaption("Kora Editor");
    Form->SetBorderStyle(bsSingle);
    Form->SetClientWidth(554);
    Form->SetClientHeight(434);
    Frame = new TbsSkinForm(Form.get());
    Frame->SetBorderIcons({TbsBorderIcon::biMinimize});
    auto* skin = new TbsSkinData(Form.get());
    auto* stored = new TbsCompressedStoredSkin(Form.get());
    Frame->SetSkinData(skin);
    stored->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    skin->SetCompressedStoredSkin(stored);
    Form->Show();
    Screen.RunUntilIdle();
  }
  ~MainWindow() {
    Form.reset();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
  }
};

void BM_FrameFullRepaint(benchmark::State& state) {
  MainWindow w;
  const HWND h = w.Form->Handle();
  for (auto _ : state) {
    const HDC dc = GetWindowDC(h);
    w.Frame->PaintNC(dc);
    ReleaseDC(h, dc);
  }
  RECT r;
  GetWindowRect(h, &r);
  state.counters["width"] = r.Width();
  state.counters["height"] = r.Height();
}

// The least the repaint can cost: the frame's own pixels copied once.
void BM_FrameFullRepaint_Copy(benchmark::State& state) {
  MainWindow w;
  const HWND h = w.Form->Handle();
  TBitmap source;
  source.SetSize(562, 465);
  const RECT inner = w.Frame->Geometry().Inner;
  for (auto _ : state) {
    const HDC dc = GetWindowDC(h);
    {
      const ScopedSaveDC save(dc);
      ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
      BitBlt(dc, 0, 0, 562, 465, source.Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    ReleaseDC(h, dc);
  }
}

void BM_CaptionButtonMorphTick(benchmark::State& state) {
  MainWindow w;
  TbsActiveSkinObject* close = w.Frame->FrameObjects().Find("closebutton");
  close->Active = true;
  for (auto _ : state) {
    // Always half-way, so every tick composes a morph.
    close->MorphFactor = 0.4;
    w.Frame->FrameObjects().Repaint(close);
  }
}

void BM_CaptionButtonMorphTick_Copy(benchmark::State& state) {
  MainWindow w;
  const HWND h = w.Form->Handle();
  TbsActiveSkinObject* close = w.Frame->FrameObjects().Find("closebutton");
  TBitmap source;
  source.SetSize(21, 21);
  for (auto _ : state) {
    const HDC dc = GetWindowDC(h);
    BitBlt(dc, close->ObjectRect.Left, close->ObjectRect.Top, 21, 21, source.Canvas()->Handle(), 0, 0, SRCCOPY);
    ReleaseDC(h, dc);
  }
}

}  // namespace

BENCHMARK(BM_FrameFullRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameFullRepaint_Copy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CaptionButtonMorphTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CaptionButtonMorphTick_Copy)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

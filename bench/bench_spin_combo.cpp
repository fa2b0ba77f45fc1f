// The main window's most used controls on the headless screen with the
// program's skin: one step of a focused spin edit from the key press to the
// repainted control (target 0.2 ms), and opening the combo box's list of 40
// items until it is painted (target 2 ms). Each runs beside a yardstick in
// the same run: a plain window of the same area filled and copied through
// the same paint and present.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/controls/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinCtrls.h"

namespace {

using namespace kora;

struct Stage {
  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<TForm> Form;
  TbsSkinData* Skin = nullptr;

  Stage() {
    ResetWindowSystem();
    SetBackend(&Screen);
    App = std::make_unique<TApplication>(nullptr);
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(20, 20, 560, 440);
    Skin = new TbsSkinData(Form.get());
    auto* stored = new TbsCompressedStoredSkin(Form.get());
    stored->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    Skin->SetCompressedStoredSkin(stored);
    Form->Show();
    Screen.RunUntilIdle();
  }
  ~Stage() {
    Form.reset();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
  }
};

// A window that fills its area and does nothing else: what any repaint of
// that area costs the window system.
LRESULT PlainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg != WM_PAINT) return DefWindowProc(hwnd, msg, wp, lp);
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  FillRect(dc, &r, HBRUSH(COLOR_WINDOW + 1));
  EndPaint(hwnd, &ps);
  return 0;
}

HWND PlainWindow(HWND parent, int x, int y, int w, int h, DWORD style) {
  WNDCLASS wc;
  if (!GetClassInfo("BenchPlain", &wc)) {
    wc.lpfnWndProc = &PlainProc;
    wc.lpszClassName = "BenchPlain";
    RegisterClass(&wc);
  }
  return CreateWindowEx(0, "BenchPlain", "", style | WS_VISIBLE, x, y, w, h, parent, 0, nullptr);
}

void BM_SpinEditStep(benchmark::State& state) {
  Stage s;
  // As the main window has them: 41 wide, -128..127, typing allowed.
  auto* spin = new TbsSkinSpinEdit(s.Form.get());
  spin->SetBounds(48, 30, 41, 16);
  spin->SetMinValue(-128);
  spin->SetMaxValue(127);
  spin->SetIncrement(1);
  spin->SetParent(s.Form.get());
  spin->SetSkinData(s.Skin);
  spin->SetFocus();
  s.Screen.RunUntilIdle();
  int key = VK_UP;
  s.Screen.ClearPresented();
  for (auto _ : state) {
    // Up to the top of the range and down again, so every press steps.
    if (spin->Value() >= 127) key = VK_DOWN;
    if (spin->Value() <= -128) key = VK_UP;
    s.Screen.PressKey(UINT(key));
    s.Screen.RunUntilIdle();
  }
  state.counters["width"] = spin->Width();
  state.counters["height"] = spin->Height();
  // Each press reaches the screen: the presented rectangles per step.
  state.counters["presents"] =
      benchmark::Counter(double(s.Screen.Presented().size()), benchmark::Counter::kAvgIterations);
}

void BM_SpinEditStep_Yardstick(benchmark::State& state) {
  Stage s;
  const HWND plain = PlainWindow(s.Form->Handle(), 48, 30, 41, 22, WS_CHILD);
  s.Screen.RunUntilIdle();
  for (auto _ : state) {
    InvalidateRect(plain, nullptr, false);
    s.Screen.RunUntilIdle();
  }
}

void BM_ComboBoxOpen40(benchmark::State& state) {
  Stage s;
  auto* combo = new TbsSkinComboBox(s.Form.get());
  combo->SetBounds(16, 8, 257, 25);
  for (int i = 0; i < 40; ++i) combo->Items()->Add("职业 " + std::to_string(i));
  combo->SetListBoxDefaultItemHeight(20);
  combo->SetListBoxUseSkinItemHeight(false);
  combo->SetParent(s.Form.get());
  combo->SetSkinData(s.Skin);
  combo->SetItemIndex(20);
  combo->SetFocus();
  s.Screen.RunUntilIdle();
  for (auto _ : state) {
    combo->DropDown();
    s.Screen.RunUntilIdle();
    state.PauseTiming();
    combo->CloseUp(false);
    s.Screen.RunUntilIdle();
    state.ResumeTiming();
  }
  state.counters["rows"] = combo->DropDownCount();
  state.counters["height"] = combo->ListBox()->Height();
}

void BM_ComboBoxOpen40_Yardstick(benchmark::State& state) {
  Stage s;
  // A top-level window of the list's size shown and filled, then hidden.
  const HWND plain = PlainWindow(HWND{}, 36, 53, 257, 164, WS_POPUP);
  ShowWindow(plain, SW_HIDE);
  s.Screen.RunUntilIdle();
  for (auto _ : state) {
    ShowWindow(plain, SW_SHOWNA);
    s.Screen.RunUntilIdle();
    state.PauseTiming();
    ShowWindow(plain, SW_HIDE);
    s.Screen.RunUntilIdle();
    state.ResumeTiming();
  }
}

BENCHMARK(BM_SpinEditStep)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SpinEditStep_Yardstick)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ComboBoxOpen40)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ComboBoxOpen40_Yardstick)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

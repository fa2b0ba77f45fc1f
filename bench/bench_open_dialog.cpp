// The open-file dialog on the headless screen with the program's skin:
// ChooseFile on a folder of 2,000 files until the window waits for the
// user with its list painted (target 50 ms), in the list and the details
// styles. Beside it, in the same run, two yardsticks: reading and sorting
// the same folder through the shell alone, and a plain window of the
// dialog's size shown and painted.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/dialogs/bsSkinShellCtrls.h"

namespace {

using namespace kora;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 2000;

// 2,000 ROM-like names (and a few others the mask leaves out), made once.
const std::string& RomFolder() {
  static const std::string folder = [] {
    const std::string path = std::string(KORA_BENCH_TMP) + "/open-dialog-2000";
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path + "/saves");
    for (int i = 0; i < kFiles; ++i) std::ofstream(path + "/rom " + std::to_string(i) + ".nds") << i;
    for (int i = 0; i < 50; ++i) std::ofstream(path + "/notes " + std::to_string(i) + ".txt") << i;
    return path;
  }();
  return folder;
}

struct Stage {
  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<TForm> Main;
  TbsSkinData* Skin = nullptr;
  TbsSkinOpenDialog* Dialog = nullptr;

  Stage() {
    ResetWindowSystem();
    SetBackend(&Screen);
    App = std::make_unique<TApplication>(nullptr);
    Main = std::make_unique<TForm>(nullptr);
    Main->SetBounds(40, 40, 560, 460);
    auto* frame = new TbsSkinForm(Main.get());
    Skin = new TbsSkinData(Main.get());
    auto* stored = new TbsCompressedStoredSkin(Main.get());
    stored->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    Skin->SetCompressedStoredSkin(stored);
    frame->SetSkinData(Skin);
    Dialog = new TbsSkinOpenDialog(Main.get());
    Dialog->Title = "选择游戏ROM";
    Dialog->Filter = "NDS File|*.nds";
    Dialog->SetSkinData(Skin);
    Dialog->SetCtrlSkinData(Skin);
    Dialog->SetFileName(RomFolder() + "/");
    App->SetMainForm(Main.get());
    Main->Show();
    Screen.RunUntilIdle();
  }
  ~Stage() {
    Main.reset();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
  }
};

void OpenDialog(benchmark::State& state, TViewStyle style) {
  Stage s;
  s.Dialog->SetViewStyle(style);
  int items = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    // The first idle step runs once the window is up and painted.
    s.Screen.WhenIdle([&] {
      state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
      TbsOpenDlgForm* form = s.Dialog->Form();
      items = form->FileList()->ItemCount();
      form->SetModalResult(mrCancel);
      // Wakes the modal loop, which looks at the result after each message.
      PostMessage(form->Handle(), WM_NULL, 0, 0);
    });
    s.Dialog->ChooseFile();
  }
  state.counters["items"] = items;
}

void BM_OpenDialog2000_List(benchmark::State& state) { OpenDialog(state, vsList); }
void BM_OpenDialog2000_Details(benchmark::State& state) { OpenDialog(state, vsReport); }

void BM_OpenDialog2000_Yardstick_ShellRead(benchmark::State& state) {
  const ShellItem folder = ShellItemFromPath(RomFolder());
  size_t matched = 0;
  for (auto _ : state) {
    matched = 0;
    for (const ShellItem& item : ShellEnumerate(folder))
      if (item.IsFolder() || MatchesMask(item.DisplayName, "*.nds")) ++matched;
    benchmark::DoNotOptimize(matched);
  }
  state.counters["items"] = double(matched);
}

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

void BM_OpenDialog2000_Yardstick_PlainWindow(benchmark::State& state) {
  Stage s;
  WNDCLASS wc;
  if (!GetClassInfo("BenchPlain", &wc)) {
    wc = WNDCLASS{};
    wc.lpfnWndProc = &PlainProc;
    wc.lpszClassName = "BenchPlain";
    RegisterClass(&wc);
  }
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    // A window of the dialog's size (its frame included) made, shown and painted.
    const HWND plain =
        CreateWindowEx(0, "BenchPlain", "", WS_POPUP | WS_VISIBLE, 200, 150, 458, 322, HWND{}, 0, nullptr);
    s.Screen.RunUntilIdle();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    DestroyWindow(plain);
    s.Screen.RunUntilIdle();
  }
}

BENCHMARK(BM_OpenDialog2000_List)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenDialog2000_Details)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenDialog2000_Yardstick_ShellRead)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenDialog2000_Yardstick_PlainWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

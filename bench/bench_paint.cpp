// One full repaint and present of a 600 x 460 window holding 120 child
// windows, each filling its rectangle and drawing a short text, on the
// headless screen.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"

namespace {

using namespace kora;

HFONT gFont;

LRESULT CellProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg != WM_PAINT) return DefWindowProc(hwnd, msg, wp, lp);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  FillRect(dc, &rc, HBRUSH(COLOR_BTNFACE + 1));
  const HGDIOBJ old = SelectObject(dc, gFont);
  SetBkMode(dc, TRANSPARENT);
  DrawText(dc, "体力 " + std::to_string(GetDlgCtrlID(hwnd)), &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
  return 0;
}

void BM_RepaintWindowWith120Children(benchmark::State& state) {
  HeadlessBackend screen;
  ResetWindowSystem();
  SetBackend(&screen);
  gFont = CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
  WNDCLASS wc;
  wc.lpfnWndProc = &CellProc;
  wc.lpszClassName = "BenchCell";
  wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
  RegisterClass(&wc);
  HWND top = CreateWindowEx(0, "BenchCell", "", WS_POPUP | WS_VISIBLE, 50, 50, 600, 460, {}, 0, nullptr);
  for (int i = 0; i < 120; ++i) {
    CreateWindowEx(0, "BenchCell", "", WS_CHILD | WS_VISIBLE, (i % 12) * 50 + 1, (i / 12) * 46 + 1, 48, 44, top,
                   UINT_PTR(i + 1), nullptr);
  }
  screen.RunUntilIdle();
  for (auto _ : state) {
    RedrawWindow(top, nullptr, {}, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    screen.RunUntilIdle();
  }
  ResetWindowSystem();
  SetBackend(nullptr);
  DeleteObject(gFont);
}

BENCHMARK(BM_RepaintWindowWith120Children)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

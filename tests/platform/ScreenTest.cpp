// Monitors, work areas, metrics, settings and the clipboard.

#include "WindowTestSupport.h"

namespace kora::test {
namespace {

using ScreenTest = WindowTest;

TEST_F(ScreenTest, TheHeadlessScreenLeavesATaskBarOutOfTheWorkArea) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  RECT work;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, (RECT{0, 0, 1024, 728}));
  MONITORINFO mi;
  ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint({5, 5}, MONITOR_DEFAULTTONULL), &mi));
  EXPECT_EQ(mi.rcMonitor, (RECT{0, 0, 1024, 768}));
  EXPECT_EQ(mi.rcWork, work);
  EXPECT_EQ(mi.dwFlags, MONITORINFOF_PRIMARY);
  EXPECT_FALSE(MonitorFromPoint({5000, 5}, MONITOR_DEFAULTTONULL));
  EXPECT_TRUE(MonitorFromPoint({5000, 5}, MONITOR_DEFAULTTONEAREST));
}

TEST_F(ScreenTest, WindowsBelongToTheMonitorTheyMostlyCover) {
  Screen.SetMonitors(
      {{{0, 0, 1024, 768}, {0, 0, 1024, 728}, true}, {{1024, 0, 2048, 768}, {1024, 0, 2048, 768}, false}});
  HWND w = Top(900, 100, 400, 300);
  MONITORINFO mi;
  ASSERT_TRUE(GetMonitorInfo(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi));
  EXPECT_EQ(mi.rcMonitor.Left, 1024);
  EXPECT_EQ(mi.dwFlags, 0u);
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 2048);
}

TEST_F(ScreenTest, MetricsAndSettingsHaveTheClassicValues) {
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
  EXPECT_EQ(GetSystemMetrics(SM_CXDOUBLECLK), 4);
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
  EXPECT_EQ(GetDoubleClickTime(), 500u);
  bool full = false;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &full, 0));
  EXPECT_TRUE(full);
  SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 0, nullptr, 0);
  SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
  EXPECT_FALSE(full);
  // Without full dragging the window moves once, when the button is released.
  HWND w = Top(100, 100, 300, 200);
  Screen.RunUntilIdle();
  Screen.MouseDown({200, 110});
  Screen.MouseMove({250, 160});
  RECT during;
  Screen.WhenIdle([&] {
    GetWindowRect(w, &during);
    Screen.MouseUp({250, 160});
  });
  Screen.RunUntilIdle();
  EXPECT_EQ(during.Left, 100);
  RECT after;
  GetWindowRect(w, &after);
  EXPECT_EQ(after.Left, 150);
}

TEST_F(ScreenTest, ClipboardTextAndBeep) {
  ASSERT_TRUE(OpenClipboard({}));
  EXPECT_FALSE(OpenClipboard({}));
  EmptyClipboard();
  SetClipboardText("数据导入成功!");
  CloseClipboard();
  EXPECT_EQ(GetClipboardText(), "数据导入成功!");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  MessageBeep(MB_OK);
  EXPECT_EQ(Screen.Beeps(), 1);
}

}  // namespace
}  // namespace kora::test

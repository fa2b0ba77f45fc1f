// The notification area: what adding, changing and removing an icon do
// with and without an area, the mouse handed to the icon's window, a
// restart heard by every top-level window, and the host told of it all.

#include <cstdio>
#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "platform/shell/NotifyArea.h"

namespace kora::test {
namespace {

// A desktop's area that notes what it is told.
class TRecordingHost : public NotifyAreaHost {
public:
  bool Present() const override { return Here; }
  void IconAdded(const NotifyIconInfo& icon) override { Told.push_back("add " + icon.Tip); }
  void IconChanged(const NotifyIconInfo& icon) override { Told.push_back("change " + icon.Tip); }
  void IconRemoved(HWND, UINT id) override { Told.push_back("remove " + std::to_string(id)); }
  bool Here = true;
  std::vector<std::string> Told;
};

class NotifyAreaTest : public WindowTest {
protected:
  void TearDown() override {
    SetNotifyAreaHost(nullptr);
    SetNotifyAreaModelPresent(true);
    WindowTest::TearDown();
  }
  NOTIFYICONDATA Data(HWND wnd, UINT id, const char* tip) {
    NOTIFYICONDATA d;
    d.hWnd = wnd;
    d.uID = id;
    d.uFlags = NIF_MESSAGE | NIF_TIP;
    d.uCallbackMessage = WM_USER + 1024;
    std::snprintf(d.szTip, sizeof(d.szTip), "%s", tip);
    return d;
  }
};

TEST_F(NotifyAreaTest, IconsComeChangeAndGoOnlyAsTheAreaAllows) {
  const HWND w = Top(0, 0, 10, 10, WS_POPUP);
  NOTIFYICONDATA d = Data(w, 1, "Kora");
  EXPECT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &d));  // once
  ASSERT_EQ(NotifyIcons().size(), 1u);
  EXPECT_EQ(NotifyIcons()[0].Tip, "Kora");
  std::snprintf(d.szTip, sizeof(d.szTip), "Kora Editor");
  EXPECT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &d));
  EXPECT_EQ(NotifyIcons()[0].Tip, "Kora Editor");
  NOTIFYICONDATA other = Data(w, 2, "");
  EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &other));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &other));
  EXPECT_TRUE(Shell_NotifyIcon(NIM_DELETE, &d));
  EXPECT_TRUE(NotifyIcons().empty());
  // No area: nothing is added, and nothing fails.
  SetNotifyAreaModelPresent(false);
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &d));
  EXPECT_TRUE(NotifyIcons().empty());
  // Nor for a window that is not there.
  SetNotifyAreaModelPresent(true);
  NOTIFYICONDATA stale = Data(HWND{12345}, 1, "");
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &stale));
}

TEST_F(NotifyAreaTest, TheMouseGoesToTheIconsWindowAndARestartToEveryWindow) {
  const HWND w = Top(0, 0, 10, 10, WS_POPUP);
  const HWND hidden = Top(0, 0, 10, 10, WS_POPUP);
  NOTIFYICONDATA d = Data(w, 7, "Kora");
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
  EXPECT_TRUE(PostNotifyIconInput(w, 7, WM_RBUTTONDOWN));
  EXPECT_FALSE(PostNotifyIconInput(w, 8, WM_RBUTTONDOWN));
  Screen.RunUntilIdle();
  const LoggedMessage* m = Log().Last(w, WM_USER + 1024);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->WParam, 7u);
  EXPECT_EQ(m->LParam, LPARAM(WM_RBUTTONDOWN));
  NotifyAreaRestarted();
  EXPECT_TRUE(NotifyIcons().empty());  // the new area knows none
  Screen.RunUntilIdle();
  const UINT created = RegisterWindowMessage(kTaskbarCreatedMessage);
  EXPECT_EQ(Log().Count(w, created), 1u);
  EXPECT_EQ(Log().Count(hidden, created), 1u);
}

TEST_F(NotifyAreaTest, TheHostIsToldAndAnIconGoesWithItsWindow) {
  TRecordingHost host;
  SetNotifyAreaHost(&host);
  const HWND w = Top(0, 0, 10, 10, WS_POPUP);
  NOTIFYICONDATA d = Data(w, 1, "Kora");
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &d));
  DestroyWindow(w);
  EXPECT_TRUE(NotifyIcons().empty());
  host.Here = false;
  const HWND v = Top(0, 0, 10, 10, WS_POPUP);
  NOTIFYICONDATA e = Data(v, 2, "gone");
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &e));
  EXPECT_EQ(host.Told, (std::vector<std::string>{"add Kora", "change Kora", "remove 1"}));
}

}  // namespace
}  // namespace kora::test

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "framework/forms/Forms.h"

namespace kora::test {
namespace {

// A window whose click handler fails: "'x' is not a valid integer value" on
// every click until told otherwise, counting the clicks it got.
struct TClickTarget {
  int Clicks = 0;
  bool Fail = true;
};

LRESULT ClickTargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* target = reinterpret_cast<TClickTarget*>(GetProp(hwnd, "target"));
  if (msg == WM_LBUTTONUP && target) {
    ++target->Clicks;
    if (target->Fail) throw EConvertError("'x' is not a valid integer value");
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

class ApplicationTest : public HeadlessTest {
protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    WNDCLASS wc;
    wc.lpfnWndProc = &ClickTargetProc;
    wc.lpszClassName = "ClickTarget";
    wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    RegisterClass(&wc);
    // Made after the window system was reset, which forgets message hooks.
    FApp = std::make_unique<TApplication>(nullptr);
    App().SetTitle("Kora Editor");
  }

  HWND MakeTarget() {
    HWND hwnd =
        CreateWindowEx(0, "ClickTarget", "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, {}, 0, nullptr);
    SetProp(hwnd, "target", reinterpret_cast<uintptr_t>(&Target));
    SetActiveWindow(hwnd);
    return hwnd;
  }
  POINT Inside(HWND hwnd) {
    POINT p{20, 20};
    ClientToScreen(hwnd, &p);
    return p;
  }

  void TearDown() override {
    FApp.reset();
    HeadlessTest::TearDown();
  }

  TApplication& App() { return *FApp; }

  std::unique_ptr<TApplication> FApp;
  TClickTarget Target;
};

TEST_F(ApplicationTest, IsTheGlobalApplication) { EXPECT_EQ(Application, FApp.get()); }

TEST_F(ApplicationTest, ErrorInAClickHandlerIsReportedAndTheProgramCarriesOn) {
  HWND main = MakeTarget();
  Screen.Click(Inside(main));
  std::string caption;
  std::string shownText;
  bool mainEnabledDuringReport = true;
  Screen.WhenIdle([&] {
    HWND report = FindWindow("TPlainMessage", nullptr);
    ASSERT_TRUE(report);
    caption = GetWindowText(report);
    mainEnabledDuringReport = IsWindowEnabled(main);
    Screen.SaveArtifact("application_error_report");
    Screen.PressKey(VK_RETURN);
  });
  Screen.RunUntilIdle();
  EXPECT_EQ(Screen.PendingIdleSteps(), 0u);
  EXPECT_EQ(caption, "Kora Editor");
  EXPECT_FALSE(mainEnabledDuringReport);
  EXPECT_FALSE(FindWindow("TPlainMessage", nullptr));
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(GetActiveWindow(), main);

  // The next click is handled normally.
  Target.Fail = false;
  Screen.Click(Inside(main));
  Screen.RunUntilIdle();
  EXPECT_EQ(Target.Clicks, 2);
}

TEST_F(ApplicationTest, TheReportClosesWithEscapeOrItsButton) {
  HWND main = MakeTarget();
  for (int round = 0; round < 2; ++round) {
    Screen.Click(Inside(main));
    Screen.WhenIdle([&, round] {
      HWND report = FindWindow("TPlainMessage", nullptr);
      ASSERT_TRUE(report);
      if (round == 0) {
        Screen.PressKey(VK_ESCAPE);
        return;
      }
      // The OK button sits centred at the bottom of the client area.
      RECT client;
      GetClientRect(report, &client);
      POINT ok{client.Right / 2, client.Bottom - 12 - 11};
      ClientToScreen(report, &ok);
      Screen.Click(ok);
    });
    Screen.RunUntilIdle();
    EXPECT_FALSE(FindWindow("TPlainMessage", nullptr)) << round;
  }
  EXPECT_EQ(Target.Clicks, 2);
}

TEST_F(ApplicationTest, AReportNoOneCanCloseGoesToTheErrorOutputAndLeavesNoWindow) {
  HWND main = MakeTarget();
  // Nothing will ever come to close the window: its modal loop gives up.
  ::testing::internal::CaptureStderr();
  App().HandleException(nullptr, std::bad_alloc());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Kora Editor: Out of memory\n");
  // The window painted from the state of the frame that raised; it goes with it.
  EXPECT_FALSE(FindWindow("TPlainMessage", nullptr));
  EXPECT_TRUE(IsWindowEnabled(main));
  Screen.RunUntilIdle();
}

TEST_F(ApplicationTest, OnExceptionReplacesTheReport) {
  HWND main = MakeTarget();
  std::vector<std::string> errors;
  App().OnException = [&](TObject* sender, const std::exception& e) {
    EXPECT_EQ(sender, FApp.get());
    errors.push_back(e.what());
  };
  Screen.Click(Inside(main));
  Screen.RunUntilIdle();
  EXPECT_EQ(errors, std::vector<std::string>{"'x' is not a valid integer value"});
}

TEST_F(ApplicationTest, MessageHookSeesAndCanEatMessages) {
  HWND main = MakeTarget();
  Target.Fail = false;
  int seen = 0;
  App().OnMessage = [&](MSG& msg, bool& handled) {
    if (msg.message == WM_LBUTTONUP) {
      ++seen;
      handled = seen == 1;
    }
  };
  Screen.Click(Inside(main));
  Screen.Click(Inside(main));
  App().ProcessMessages();
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(Target.Clicks, 1);
}

TEST_F(ApplicationTest, RunEndsOnTerminateOrQuit) {
  HWND main = MakeTarget();
  Target.Fail = false;
  Screen.WhenIdle([&] { Screen.Click(Inside(main)); });
  Screen.WhenIdle([&] { App().Terminate(); });
  App().Run();
  EXPECT_TRUE(App().Terminated());
  EXPECT_EQ(Target.Clicks, 1);

  TApplication second(nullptr);
  Screen.WhenIdle([] { PostQuitMessage(3); });
  second.Run();
  EXPECT_TRUE(second.Terminated());
}

TEST_F(ApplicationTest, MinimizeAndRestoreTheApplicationWindows) {
  HWND main = MakeTarget();
  HWND tool =
      CreateWindowEx(WS_EX_TOOLWINDOW, "ClickTarget", "Tool", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, {}, 0, nullptr);
  std::vector<std::string> log;
  App().OnMinimize = [&](TObject*) { log.push_back("minimize"); };
  App().OnRestore = [&](TObject*) { log.push_back("restore"); };
  App().Minimize();
  App().Minimize();
  EXPECT_TRUE(App().Minimized());
  EXPECT_TRUE(IsIconic(main));
  EXPECT_FALSE(IsIconic(tool));
  App().Restore();
  EXPECT_FALSE(IsIconic(main));
  EXPECT_EQ(log, (std::vector<std::string>{"minimize", "restore"}));
}

TEST_F(ApplicationTest, HelpAndHintsGoToTheirHandlers) {
  EXPECT_FALSE(App().HelpContext(12));
  int32_t asked = 0;
  App().OnHelp = [&](uint16_t, int32_t data, bool&) {
    asked = data;
    return true;
  };
  EXPECT_TRUE(App().HelpContext(12));
  EXPECT_EQ(asked, 12);

  int hints = 0;
  App().OnHint = [&](TObject*) { ++hints; };
  App().SetHint("Open a ROM");
  App().SetHint("Open a ROM");
  EXPECT_EQ(hints, 1);
}

}  // namespace
}  // namespace kora::test

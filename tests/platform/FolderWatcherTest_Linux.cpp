#include "platform/shell/FolderWatcher.h"

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/FileTestSupport.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Timers.h"
#include "platform/window/Window.h"

namespace kora {
namespace {

namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Collects what the watcher's thread reports.
class Reports {
public:
  struct Report {
    uint32_t Changes;
    SteadyClock::time_point At;
  };

  FolderWatcher::Notify Sink() {
    return [this](uint32_t changes) {
      std::lock_guard lock(FMutex);
      FReports.push_back({changes, SteadyClock::now()});
      FChanged.notify_all();
    };
  }

  // Waits up to 2 s until the reports together hold every bit of
  // `changes`; returns all the bits reported so far.
  uint32_t WaitFor(uint32_t changes) {
    std::unique_lock lock(FMutex);
    const auto all = [&] {
      uint32_t bits = 0;
      for (const auto& r : FReports) bits |= r.Changes;
      return bits;
    };
    FChanged.wait_for(lock, 2s, [&] { return (all() & changes) == changes; });
    return all();
  }

  std::vector<Report> Take() {
    std::lock_guard lock(FMutex);
    return std::exchange(FReports, {});
  }

private:
  std::mutex FMutex;
  std::condition_variable FChanged;
  std::vector<Report> FReports;
};

TEST(FolderWatcher, ReportsCreateWriteAttributesRenameAndDelete) {
  const std::string dir = TestFolder("Watch");
  Reports reports;
  FolderWatcher watcher(dir, reports.Sink());
  EXPECT_EQ(watcher.Folder(), dir);

  std::ofstream(dir + "/a.nds") << "x";
  EXPECT_EQ(reports.WaitFor(FOLDER_CHANGE_NAME | FOLDER_CHANGE_CONTENT), FOLDER_CHANGE_NAME | FOLDER_CHANGE_CONTENT);
  reports.Take();

  fs::permissions(dir + "/a.nds", fs::perms::owner_read);
  EXPECT_EQ(reports.WaitFor(FOLDER_CHANGE_ATTRIBUTES), FOLDER_CHANGE_ATTRIBUTES);
  reports.Take();

  fs::rename(dir + "/a.nds", dir + "/b.nds");
  EXPECT_EQ(reports.WaitFor(FOLDER_CHANGE_NAME), FOLDER_CHANGE_NAME);
  reports.Take();

  fs::remove(dir + "/b.nds");
  EXPECT_EQ(reports.WaitFor(FOLDER_CHANGE_NAME) & FOLDER_CHANGE_NAME, FOLDER_CHANGE_NAME);
}

TEST(FolderWatcher, FilterLeavesOutOtherKinds) {
  const std::string dir = TestFolder("Watch");
  std::ofstream(dir + "/data.bin") << "x";
  Reports reports;
  FolderWatcher watcher(dir, reports.Sink(), FOLDER_CHANGE_NAME);
  EXPECT_EQ(watcher.Filter(), FOLDER_CHANGE_NAME);
  // A write and a chmod, then a create: only the create may be reported.
  std::ofstream(dir + "/data.bin", std::ios::app) << "more";
  fs::permissions(dir + "/data.bin", fs::perms::owner_read);
  std::ofstream(dir + "/new.bin") << "";
  EXPECT_EQ(reports.WaitFor(FOLDER_CHANGE_NAME), FOLDER_CHANGE_NAME);
}

TEST(FolderWatcher, BurstsAreCoalescedButNothingIsLost) {
  const std::string dir = TestFolder("Watch");
  std::ofstream(dir + "/last") << "";
  Reports reports;
  FolderWatcher watcher(dir, reports.Sink(), FOLDER_CHANGE_NAME | FOLDER_CHANGE_ATTRIBUTES);
  for (int i = 0; i < 300; ++i) std::ofstream(dir + "/f" + std::to_string(i)) << "";
  // The change right after the burst falls into a held-back report, which
  // must still arrive.
  fs::permissions(dir + "/last", fs::perms::owner_read);
  EXPECT_EQ(reports.WaitFor(FOLDER_CHANGE_NAME | FOLDER_CHANGE_ATTRIBUTES),
            FOLDER_CHANGE_NAME | FOLDER_CHANGE_ATTRIBUTES);

  const auto all = reports.Take();
  ASSERT_FALSE(all.empty());
  const auto span = all.back().At - all.front().At;
  EXPECT_LE(all.size(), size_t(1 + span / 90ms));
  for (size_t i = 1; i < all.size(); ++i) EXPECT_GE(all[i].At - all[i - 1].At, 90ms);
}

TEST(FolderWatcher, RemovedFolderIsReportedOnce) {
  const std::string dir = TestFolder("Watch");
  Reports reports;
  FolderWatcher watcher(dir, reports.Sink());
  fs::remove_all(dir);
  EXPECT_TRUE(reports.WaitFor(FOLDER_CHANGE_GONE) & FOLDER_CHANGE_GONE);
  int gone = 0;
  for (const auto& r : reports.Take()) gone += (r.Changes & FOLDER_CHANGE_GONE) != 0;
  EXPECT_EQ(gone, 1);
}

TEST(FolderWatcher, SubtreeWatchesFoldersBelowAndThoseMadeLater) {
  const std::string dir = TestFolder("Watch");
  fs::create_directories(dir + "/a/b");
  Reports reports;
  FolderWatcher watcher(dir, reports.Sink(), FOLDER_CHANGE_ALL, true);
  EXPECT_TRUE(watcher.Subtree());
  std::ofstream(dir + "/a/b/deep.nds") << "x";
  EXPECT_EQ(reports.WaitFor(FOLDER_CHANGE_NAME) & FOLDER_CHANGE_NAME, FOLDER_CHANGE_NAME);
  fs::create_directories(dir + "/a/new");
  reports.WaitFor(FOLDER_CHANGE_NAME);
  std::this_thread::sleep_for(150ms);
  reports.Take();
  std::ofstream(dir + "/a/new/later.nds") << "x";
  EXPECT_EQ(reports.WaitFor(FOLDER_CHANGE_NAME) & FOLDER_CHANGE_NAME, FOLDER_CHANGE_NAME);
  // A folder below going away is a change of names, not the end of the watch.
  fs::remove_all(dir + "/a");
  reports.WaitFor(FOLDER_CHANGE_NAME);
  std::this_thread::sleep_for(150ms);
  for (const auto& r : reports.Take()) EXPECT_FALSE(r.Changes & FOLDER_CHANGE_GONE);
  std::ofstream(dir + "/top.nds") << "x";
  EXPECT_EQ(reports.WaitFor(FOLDER_CHANGE_NAME) & FOLDER_CHANGE_NAME, FOLDER_CHANGE_NAME);
}

TEST(FolderWatcher, UnwatchableFoldersThrow) {
  const std::string dir = TestFolder("Watch");
  std::ofstream(dir + "/file") << "";
  for (const auto& [path, code] : {std::pair{dir + "/missing", ENOENT}, {dir + "/file", ENOTDIR}}) {
    try {
      FolderWatcher w(path, [](uint32_t) {});
      ADD_FAILURE() << path;
    } catch (const std::system_error& e) {
      EXPECT_EQ(e.code().value(), code);
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    }
  }
}

TEST(FolderWatcher, StopsPromptlyEvenWithAReportHeldBack) {
  const std::string dir = TestFolder("Watch");
  for (int round = 0; round < 5; ++round) {
    Reports reports;
    auto watcher = std::make_unique<FolderWatcher>(dir, reports.Sink(), FOLDER_CHANGE_NAME);
    std::ofstream(dir + "/a" + std::to_string(round)) << "";
    ASSERT_EQ(reports.WaitFor(FOLDER_CHANGE_NAME), FOLDER_CHANGE_NAME);
    // Reported within 100 ms of the first, so held back.
    std::ofstream(dir + "/b" + std::to_string(round)) << "";
    const auto start = SteadyClock::now();
    watcher.reset();
    EXPECT_LT(SteadyClock::now() - start, 80ms);
    EXPECT_EQ(reports.Take().size(), 1u);  // nobody listens any more: not flushed
  }
}

LRESULT PlainWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

TEST(FolderWatcher, PostsToAWindowOnTheGuiThread) {
  ResetWindowSystem();
  WNDCLASS wc;
  wc.lpfnWndProc = &PlainWindowProc;
  wc.lpszClassName = "WatchTarget";
  ASSERT_NE(RegisterClass(&wc), 0);
  const HWND target = CreateWindowEx(0, "WatchTarget", "", 0, 0, 0, 10, 10, nullptr, 0, nullptr);
  ASSERT_TRUE(target);
  const std::string dir = TestFolder("Watch");
  constexpr UINT WM_FOLDER_CHANGED = WM_USER + 7;
  FolderWatcher watcher(dir, target, WM_FOLDER_CHANGED, 42);
  ASSERT_NE(SetTimer(target, 1, 2000, nullptr), 0u);  // bounds the wait

  std::ofstream(dir + "/posted.nds") << "";
  MSG msg;
  bool got = false;
  while (!got && GetMessage(&msg, nullptr, 0, 0)) {
    if (msg.message == WM_TIMER) break;
    if (msg.message == WM_FOLDER_CHANGED) {
      got = true;
      EXPECT_EQ(msg.hwnd, target);
      EXPECT_EQ(msg.wParam, 42u);
      EXPECT_TRUE(msg.lParam & FOLDER_CHANGE_NAME);
    }
  }
  EXPECT_TRUE(got);
  DestroyWindow(target);
  // Reports for a destroyed window are dropped without harm.
  std::ofstream(dir + "/after.nds") << "";
  ResetWindowSystem();
}

}  // namespace
}  // namespace kora

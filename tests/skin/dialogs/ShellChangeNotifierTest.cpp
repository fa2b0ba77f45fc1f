// The change notifier: a thread only while a handler is assigned, the
// handler on the GUI thread after a change, the settings renewing the
// watch, and the file list that reloads itself with it.

#include <chrono>
#include <thread>

#include "OpenDialogTestSupport.h"

namespace kora::test {
namespace {

using namespace std::chrono_literals;

class ShellChangeNotifierTest : public OpenDialogTest {
protected:
  // Runs the GUI thread's messages until `done` or two seconds have passed.
  bool RunUntil(const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + 2s;
    while (!done() && std::chrono::steady_clock::now() < until) {
      Screen.RunUntilIdle();
      std::this_thread::sleep_for(5ms);
    }
    return done();
  }
  // Lets reports of what happened so far arrive (they are coalesced).
  void Settle() {
    const auto until = std::chrono::steady_clock::now() + 250ms;
    while (std::chrono::steady_clock::now() < until) {
      Screen.RunUntilIdle();
      std::this_thread::sleep_for(5ms);
    }
  }
};

TEST_F(ShellChangeNotifierTest, WatchesOnlyWithAHandlerAndRunsItOnTheGuiThread) {
  MakeTree({"sub/deeper/", "other/"});
  TbsShellChangeNotifier notifier(nullptr);
  EXPECT_EQ(notifier.Root(), "/");
  EXPECT_TRUE(notifier.WatchSubTree());
  EXPECT_EQ(notifier.NotifyFilters(), (TbsNotifyFilters{nfFileNameChange, nfDirNameChange}));
  notifier.SetRoot(Root);
  EXPECT_FALSE(notifier.Active());

  int calls = 0;
  std::thread::id thread;
  notifier.SetOnChange([&](TObject* sender) {
    EXPECT_EQ(sender, &notifier);
    thread = std::this_thread::get_id();
    ++calls;
  });
  EXPECT_TRUE(notifier.Active());
  MakeTree({"new.nds"});
  EXPECT_TRUE(RunUntil([&] { return calls > 0; }));
  EXPECT_EQ(thread, std::this_thread::get_id());

  // Below the root too, in folders made after the watch began as well.
  Settle();
  calls = 0;
  MakeTree({"sub/deeper/late/"});
  Settle();
  calls = 0;
  MakeTree({"sub/deeper/late/x.nds"});
  EXPECT_TRUE(RunUntil([&] { return calls > 0; }));

  // Without sub-folders only the root's own entries count.
  notifier.SetWatchSubTree(false);
  Settle();
  calls = 0;
  MakeTree({"sub/y.nds"});
  Settle();
  EXPECT_EQ(calls, 0);

  // Another root: the old one is let go.
  notifier.SetRoot(Root + "/other");
  MakeTree({"z.nds"});
  Settle();
  EXPECT_EQ(calls, 0);
  MakeTree({"other/z.nds"});
  EXPECT_TRUE(RunUntil([&] { return calls > 0; }));

  // Clearing the handler stops the thread.
  notifier.SetOnChange(nullptr);
  EXPECT_FALSE(notifier.Active());
}

TEST_F(ShellChangeNotifierTest, FiltersAndARootThatCannotBeWatched) {
  MakeTree({"watched/file.nds"});
  TbsShellChangeNotifier notifier(nullptr);
  int calls = 0;
  notifier.SetRoot(Root + "/nowhere");
  notifier.SetOnChange([&](TObject*) { ++calls; });
  // Nothing to watch: no thread, and no error either.
  EXPECT_FALSE(notifier.Active());

  notifier.SetRoot(Root + "/watched");
  EXPECT_TRUE(notifier.Active());
  // Names only: a write to a file that is there is no change.
  std::ofstream(Root + "/watched/file.nds", std::ios::app) << "more";
  Settle();
  EXPECT_EQ(calls, 0);
  notifier.SetNotifyFilters({nfLastWriteChange});
  std::ofstream(Root + "/watched/file.nds", std::ios::app) << "more";
  EXPECT_TRUE(RunUntil([&] { return calls > 0; }));

  // The folder going away is the last report; the watch ends with it.
  Settle();
  calls = 0;
  std::filesystem::remove_all(Root + "/watched");
  EXPECT_TRUE(RunUntil([&] { return calls > 0; }));
  EXPECT_TRUE(notifier.RootGone());
  EXPECT_FALSE(notifier.Active());
}

TEST_F(ShellChangeNotifierTest, AFileListWithAutoRefreshReloadsByItself) {
  MakeTree({"a.nds"});
  TbsSkinFileListView* list = new TbsSkinFileListView(Main.get());
  list->SetParent(Main.get());
  list->SetMask("*.nds");
  list->SetPath(Root);
  EXPECT_FALSE(list->Notifier());
  list->SetAutoRefresh(true);
  ASSERT_TRUE(list->Notifier());
  EXPECT_EQ(list->Notifier()->Root(), Root);
  EXPECT_FALSE(list->Notifier()->WatchSubTree());
  EXPECT_TRUE(list->Notifier()->Active());
  MakeTree({"b.nds"});
  EXPECT_TRUE(RunUntil([&] { return list->ItemCount() == 2; }));
  // The watch follows the list to its next folder.
  MakeTree({"sub/"});
  list->SetPath(Root + "/sub");
  EXPECT_EQ(list->Notifier()->Root(), Root + "/sub");
  list->SetAutoRefresh(false);
  EXPECT_FALSE(list->Notifier());
}

}  // namespace
}  // namespace kora::test

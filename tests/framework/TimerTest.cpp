#include "AppTestSupport.h"
#include "framework/controls/ExtCtrls.h"

namespace kora::test {
namespace {

class TimerTest : public HeadlessTest {};

TEST_F(TimerTest, FiresEveryIntervalWhileEnabled) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(100);
  timer.SetOnTimer([&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    ++ticks;
  });
  EXPECT_TRUE(timer.Running());
  Screen.Wait(350);
  EXPECT_EQ(ticks, 3);

  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
  Screen.Wait(500);
  EXPECT_EQ(ticks, 3);

  // Re-enabling starts a fresh period.
  timer.SetEnabled(true);
  Screen.Wait(99);
  EXPECT_EQ(ticks, 3);
  Screen.Wait(1);
  EXPECT_EQ(ticks, 4);
}

TEST_F(TimerTest, NeedsAHandlerAndAnInterval) {
  TTimer timer(nullptr);
  EXPECT_FALSE(timer.Running());  // no handler yet
  int ticks = 0;
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  EXPECT_TRUE(timer.Running());
  timer.SetInterval(0);
  EXPECT_FALSE(timer.Running());
  EXPECT_TRUE(timer.Enabled());
  Screen.Wait(3000);
  EXPECT_EQ(ticks, 0);
}

TEST_F(TimerTest, ATimerFreedInItsOwnHandlerStopsCleanly) {
  auto* timer = new TTimer(nullptr);
  auto* other = new TTimer(nullptr);
  int ticks = 0;
  timer->SetInterval(50);
  timer->SetOnTimer([&](TObject*) {
    ++ticks;
    delete timer;
    timer = nullptr;
  });
  other->SetInterval(50);
  other->SetOnTimer([&](TObject*) { ++ticks; });
  Screen.Wait(200);
  EXPECT_EQ(ticks, 1 + 4);
  delete other;
  Screen.Wait(200);
  EXPECT_EQ(ticks, 5);
}

}  // namespace
}  // namespace kora::test

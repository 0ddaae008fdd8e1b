// Idle time on a virtual X server, with input from xdotool.

#include <gtest/gtest.h>

#include "presence_wait.h"
#include "qt/real_time_scheduler.h"
#include "qt/x11_idle.h"

namespace vz::test {
namespace {

void Move(int x, int y) { Output(QStringLiteral("xdotool"), {"mousemove", QString::number(x), QString::number(y)}); }

TEST(X11Idle, AwayDatedBackToTheLastInputBackWithTheNextAndANewThresholdFromTheInputAfter) {
    RealTimeScheduler scheduler;
    TimedSink sink(scheduler);
    qt::X11Idle idle(scheduler, 1000);
    Move(10, 10);
    const std::int64_t moved = scheduler.NowMs();
    idle.Start(sink);
    ASSERT_EQ(idle.Describe().front(), "idle: X server's IDLETIME counter, away after 1 s");
    ASSERT_TRUE(WaitForTold(sink, 1, "away"));
    // When the input stopped, not when the threshold passed.
    EXPECT_NEAR(double(sink.told[0].at_ms), double(moved), 300.0);
    EXPECT_GE(sink.heard_ms[0] - sink.told[0].at_ms, 900);

    Move(20, 20);
    const std::int64_t back = scheduler.NowMs();
    ASSERT_TRUE(WaitForTold(sink, 2, "back"));
    EXPECT_NEAR(double(sink.told[1].at_ms), double(back), 300.0);
    ASSERT_TRUE(WaitForTold(sink, 3, "away"));  // the alarms stay armed

    idle.AwayAfter(2500);
    EXPECT_NE(idle.Describe().front().find("after 2 s"), std::string::npos) << idle.Describe().front();
    Move(30, 30);
    const std::int64_t again = scheduler.NowMs();
    ASSERT_TRUE(WaitForTold(sink, 4, "back"));
    ASSERT_TRUE(WaitForTold(sink, 5, "away"));
    EXPECT_GE(sink.heard_ms[4] - again, 2400);
    idle.Refresh();  // read there too: nothing new while the state holds
    EXPECT_EQ(sink.told.size(), 5u);
}

}  // namespace
}  // namespace vz::test

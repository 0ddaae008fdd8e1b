// The real-time scheduler: ticks keep to their grid on the monotonic clock,
// come in the same order as in virtual time, and stop when told.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <vector>

#include "qt/real_time_scheduler.h"

namespace vz::test {
namespace {

constexpr int kLateMs = 40;  // how late a tick may come on a busy machine

// Runs the event loop until `done` or the limit passes.
void RunUntil(const std::function<bool()>& done, int limit_ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limit_ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

TEST(RealTimeScheduler, TicksKeepToTheirGridSoLatenessDoesNotAddUp) {
    RealTimeScheduler scheduler;
    std::vector<std::int64_t> at;
    // A handler that takes 60 ms would push every later tick back by as much
    // if each tick were timed from the one before.
    const auto id = scheduler.Start(100, [&] {
        at.push_back(scheduler.NowMs());
        if (at.size() == 3) QThread::msleep(60);
    });
    RunUntil([&] { return at.size() >= 12; }, 5000);
    scheduler.Stop(id);
    ASSERT_EQ(at.size(), 12u);
    for (std::size_t i = 0; i < at.size(); ++i) {
        const std::int64_t due = std::int64_t(i + 1) * 100;
        EXPECT_GE(at[i], due) << "tick " << i + 1 << " came early";
        EXPECT_LT(at[i], due + kLateMs) << "tick " << i + 1;
    }
}

TEST(RealTimeScheduler, TicksDueTogetherComeInStartOrder) {
    RealTimeScheduler scheduler;
    std::vector<int> order;
    const auto a = scheduler.Start(100, [&] { order.push_back(1); });
    const auto b = scheduler.Start(100, [&] { order.push_back(2); });
    const auto c = scheduler.Start(50, [&] { order.push_back(3); });
    RunUntil([&] { return order.size() >= 8; }, 3000);
    for (auto id : {a, b, c}) scheduler.Stop(id);
    // 50 ms: 3; 100 ms: 1 2 3 (the 100 ms timers were started first); 150 ms: 3; 200 ms: 1 2 3.
    ASSERT_GE(order.size(), 8u);
    EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 8),
              (std::vector<int>{3, 1, 2, 3, 3, 1, 2, 3}));
}

TEST(RealTimeScheduler, ATimerStoppedInItsOwnTickTicksNoMore) {
    RealTimeScheduler scheduler;
    int ticks = 0;
    Scheduler::TimerId id = 0;
    id = scheduler.Start(10, [&] {
        ++ticks;
        scheduler.Stop(id);
    });
    RunUntil([] { return false; }, 150);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(scheduler.ActiveTimers(), 0u);
}

TEST(RealTimeScheduler, ATimerStartedInATickCountsFromThen) {
    RealTimeScheduler scheduler;
    std::int64_t started = -1, first = -1;
    Scheduler::TimerId outer = 0;
    outer = scheduler.Start(30, [&] {
        scheduler.Stop(outer);
        started = scheduler.NowMs();
        scheduler.Start(60, [&] {
            if (first < 0) first = scheduler.NowMs();
        });
    });
    RunUntil([&] { return first >= 0; }, 2000);
    ASSERT_GE(first, 0);
    EXPECT_GE(first - started, 59);
    EXPECT_LT(first - started, 60 + kLateMs);
}

}  // namespace
}  // namespace vz::test

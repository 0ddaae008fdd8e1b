// The real-time scheduler: ticks keep to their grid on the monotonic clock,
// even after the program was held up, and come in the same order as in
// virtual time.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <limits>
#include <vector>

#include "qt/real_time_scheduler.h"
#include "suites.h"

namespace vz::test {
namespace {

VZ_SUITE_OFFSCREEN("RealTimeScheduler");

constexpr int kLateMs = 40;  // how late a tick may come on a busy machine

// Runs the event loop until `done` or the limit passes.
void RunUntil(const std::function<bool()>& done, int limit_ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limit_ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

TEST(RealTimeScheduler, ATickHeldUpDoesNotShiftTheGrid) {
    RealTimeScheduler scheduler;
    std::vector<std::int64_t> at;
    // After the third tick the program is busy for 170 ms elsewhere, so the
    // fourth comes 70 ms late; timed from it, every later tick would be too.
    const auto id = scheduler.Start(100, [&] {
        at.push_back(scheduler.NowMs());
        if (at.size() == 3) QTimer::singleShot(0, [] { QThread::msleep(170); });
    });
    RunUntil([&] { return at.size() >= 8; }, 5000);
    scheduler.Stop(id);
    ASSERT_EQ(at.size(), 8u);
    // A shifted grid makes every later tick 70 ms late; a busy machine makes
    // one late now and then, so the least late of them tells.
    std::int64_t least_late = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < at.size(); ++i) {
        const std::int64_t due = std::int64_t(i + 1) * 100;
        EXPECT_GE(at[i], due) << "tick " << i + 1 << " came early";
        if (i > 3) least_late = std::min(least_late, at[i] - due);
    }
    EXPECT_LT(least_late, kLateMs) << "the ticks after the held-up one all came late";
}

TEST(RealTimeScheduler, TicksDueTogetherComeInStartOrderAndAStoppedTimerTicksNoMore) {
    RealTimeScheduler scheduler;
    std::vector<int> order;
    const auto a = scheduler.Start(100, [&] { order.push_back(1); });
    const auto b = scheduler.Start(100, [&] { order.push_back(2); });
    const auto c = scheduler.Start(50, [&] { order.push_back(3); });
    Scheduler::TimerId once = 0;
    once = scheduler.Start(10, [&] {
        order.push_back(0);
        scheduler.Stop(once);  // in its own tick
    });
    RunUntil([&] { return order.size() >= 9; }, 3000);
    for (auto id : {a, b, c}) scheduler.Stop(id);
    // 10 ms: 0; 50 ms: 3; 100 ms: 1 2 3 (started first); 150 ms: 3; 200 ms: 1 2 3.
    ASSERT_GE(order.size(), 9u);
    EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 9),
              (std::vector<int>{0, 3, 1, 2, 3, 3, 1, 2, 3}));
    EXPECT_EQ(scheduler.ActiveTimers(), 0u);
}

}  // namespace
}  // namespace vz::test

// The real-time scheduler on Qt's own clock and timer: no tick comes early,
// none comes much late, and one held up does not shift the grid. The order of
// ticks, stopping and skipping are the clock scheduler's, tested in the core.

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
    // one late now and then, so the least late of them tells. A tick held up
    // for a whole interval is skipped: each is timed from the grid point
    // just before it.
    std::int64_t least_late = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < at.size(); ++i) {
        EXPECT_GE(at[i], std::int64_t(i + 1) * 100) << "tick " << i + 1 << " came early";
        if (i > 3) least_late = std::min(least_late, at[i] % 100);
    }
    EXPECT_LT(least_late, kLateMs) << "the ticks after the held-up one all came late";
}

}  // namespace
}  // namespace vz::test

// The real-time schedulers' shared part, on a clock the test moves: the grid,
// the order of ticks due together, stopping, and a machine held up.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clock_scheduler.h"
#include "platform/virtual_scheduler.h"

namespace vz::test {
namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;

// A clock that stands still until the test moves it, and an alarm that rings
// when the clock reaches it, as the system's would.
class FakeClockScheduler : public ClockScheduler {
public:
    // Moves the clock to `ms`, ringing the alarm each time it comes due on the way.
    void RunTo(std::int64_t ms) {
        while (alarm_ns_ && *alarm_ns_ <= ms * kNsPerMs) {
            now_ns_ = *alarm_ns_;
            Ring();
        }
        now_ns_ = ms * kNsPerMs;
    }
    // The machine is held up: the clock jumps to `ms` and only then does an
    // alarm due meanwhile ring, once.
    void HoldUpUntil(std::int64_t ms) {
        now_ns_ = ms * kNsPerMs;
        if (alarm_ns_ && *alarm_ns_ <= now_ns_) Ring();
    }
    // When the alarm rings, in milliseconds (rounded up), or nothing.
    std::optional<std::int64_t> AlarmMs() const {
        if (!alarm_ns_) return std::nullopt;
        return (*alarm_ns_ + kNsPerMs - 1) / kNsPerMs;
    }
    std::optional<std::int64_t> AlarmNs() const { return alarm_ns_; }
    void SetClockNs(std::int64_t ns) { now_ns_ = ns; }
    // The machine slept for `ms`, which the monotonic clock did not count.
    void SleepUncounted(std::int64_t ms) { slept_ns_ += ms * kNsPerMs; }

private:
    std::int64_t NowNs() const override { return now_ns_; }
    std::int64_t SleptNs() const override { return slept_ns_; }
    void SetAlarm(std::optional<std::int64_t> wait_ms) override {
        alarm_ns_.reset();
        if (wait_ms) alarm_ns_ = now_ns_ + *wait_ms * kNsPerMs;
    }
    void Ring() {
        alarm_ns_.reset();  // one shot, like the system's
        FireDue();
    }

    std::int64_t now_ns_ = 0;
    std::int64_t slept_ns_ = 0;
    std::optional<std::int64_t> alarm_ns_;
};

using Log = std::vector<std::string>;

// A tick that notes its name and the time it came.
Scheduler::Tick Note(Log& log, const Scheduler& clock, const std::string& name) {
    return [&log, &clock, name] { log.push_back(name + "@" + std::to_string(clock.NowMs())); };
}

TEST(ClockScheduler, TicksKeepTheirOwnGridWhenOneComesLate) {
    FakeClockScheduler clock;
    Log log;
    clock.Start(100, Note(log, clock, "a"));
    clock.RunTo(100);
    clock.HoldUpUntil(270);  // the second tick comes 70 ms late
    EXPECT_EQ(clock.AlarmMs(), 300) << "the third is due on the grid, not 100 ms after the second";
    clock.RunTo(400);
    EXPECT_EQ(log, (Log{"a@100", "a@270", "a@300", "a@400"}));
}

TEST(ClockScheduler, TheAlarmNeverRingsBeforeTheTickIsDue) {
    FakeClockScheduler clock;
    clock.Start(10, [] {});
    clock.SetClockNs(2'500'000);
    clock.Start(1000, [] {});  // re-arms with 7.5 ms to go
    ASSERT_TRUE(clock.AlarmNs());
    EXPECT_GE(*clock.AlarmNs(), 10 * kNsPerMs);
}

TEST(ClockScheduler, TicksDueTogetherFireInStartOrder) {
    FakeClockScheduler clock;
    Log log;
    clock.Start(100, Note(log, clock, "a"));
    clock.Start(100, Note(log, clock, "b"));
    clock.Start(50, Note(log, clock, "c"));
    clock.RunTo(200);
    EXPECT_EQ(log, (Log{"c@50", "a@100", "b@100", "c@100", "c@150", "a@200", "b@200", "c@200"}));
}

TEST(ClockScheduler, AStoppedTimerTicksNoMoreAndATickMayStopItsOwnTimer) {
    FakeClockScheduler clock;
    Log log;
    const auto a = clock.Start(100, Note(log, clock, "a"));
    const auto b = clock.Start(40, Note(log, clock, "b"));
    Scheduler::TimerId once = 0;
    once = clock.Start(30, [&] {
        log.push_back("once@" + std::to_string(clock.NowMs()));
        clock.Stop(once);  // in its own tick
    });
    clock.RunTo(100);
    clock.Stop(b);
    clock.RunTo(300);
    EXPECT_EQ(log, (Log{"once@30", "b@40", "b@80", "a@100", "a@200", "a@300"}));
    clock.Stop(a);
    clock.Stop(a);  // stopping twice does nothing
    EXPECT_EQ(clock.ActiveTimers(), 0u);
    EXPECT_FALSE(clock.AlarmMs()) << "with no timer the alarm is off";
}

TEST(ClockScheduler, AfterTheMachineWasHeldUpEachTimerFiresOnceAndSkipsToItsNextTick) {
    FakeClockScheduler clock;
    Log log;
    clock.Start(100, Note(log, clock, "a"));
    clock.Start(40, Note(log, clock, "b"));
    clock.HoldUpUntil(1030);  // ten ticks of a and twenty-five of b missed
    EXPECT_EQ(log, (Log{"b@1030", "a@1030"}));
    EXPECT_EQ(clock.AlarmMs(), 1040) << "b's next tick on its grid";
    clock.RunTo(1100);
    EXPECT_EQ(log, (Log{"b@1030", "a@1030", "b@1040", "b@1080", "a@1100"}));
}

TEST(ClockScheduler, TheTimeSleptUncountedByItsClockIsTimeAllTheSameButNotTheTimers) {
    FakeClockScheduler clock;
    Log log;
    clock.Start(100, Note(log, clock, "a"));
    clock.RunTo(150);
    clock.SleepUncounted(10'000);
    EXPECT_EQ(clock.NowMs(), 10'150) << "a stretch asleep is as long as the sleep";
    clock.RunTo(200);
    EXPECT_EQ(log, (Log{"a@100", "a@10200"})) << "the tick is where the monotonic clock had it";
}

// Virtual time's sleep keeps to what the real schedulers do after a suspend.

TEST(VirtualSleep, TheTimersGoOnWhereTheyWereLaterByTheSleep) {
    // The timers' clock stands still in a suspend: the real scheduler's
    // timers see no sleep at all, so their ticks are the virtual ones less the sleep.
    FakeClockScheduler real;
    VirtualScheduler virtual_time;
    Log real_log, virtual_log;
    real.Start(100, Note(real_log, real, "a"));
    virtual_time.Start(100, Note(virtual_log, virtual_time, "a"));
    real.RunTo(450);
    virtual_time.Advance(250);
    bool woken_before_a_tick = false;
    virtual_time.Sleep(10'000, [&] { woken_before_a_tick = virtual_log.size() == 2; });
    virtual_time.Advance(200);
    EXPECT_TRUE(woken_before_a_tick);
    EXPECT_EQ(real_log, (Log{"a@100", "a@200", "a@300", "a@400"}));
    EXPECT_EQ(virtual_log, (Log{"a@100", "a@200", "a@10300", "a@10400"}));
}

}  // namespace
}  // namespace vz::test

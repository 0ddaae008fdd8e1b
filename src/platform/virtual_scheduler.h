#pragma once
// Virtual time for tests and the simulator: time moves only when told to, and
// every tick that falls due on the way fires in time order.

#include "platform/scheduler.h"
#include "platform/timer_queue.h"

namespace vz {

// What a real scheduler's timers do once the machine wakes from a sleep.
enum class AfterSleep {
    // Its clock stood still (Linux's monotonic clock): each timer goes on
    // where it was, its ticks later by the time slept.
    Resume,
    // Its clock ran on (Windows' performance counter): each timer that fell
    // due meanwhile ticks once at the wake-up, the rest are skipped, and it
    // keeps to its grid.
    TickOnce,
};

class VirtualScheduler : public Scheduler {
public:
    std::int64_t NowMs() const override { return now_; }
    TimerId Start(std::int64_t interval_ms, Tick tick) override {
        return timers_.Start(now_, interval_ms, std::move(tick));
    }
    void Stop(TimerId id) override { timers_.Stop(id); }

    // Moves time forward by `ms`, firing every tick due up to and including the end.
    void Advance(std::int64_t ms);
    // The machine sleeps for `ms`: time passes and no tick fires meanwhile;
    // `wake`, if given, runs as it wakes, before any tick.
    void Sleep(std::int64_t ms, AfterSleep after, const Tick& wake = {});
    std::size_t ActiveTimers() const { return timers_.size(); }

private:
    std::int64_t now_ = 0;
    TimerQueue timers_;
};

}  // namespace vz

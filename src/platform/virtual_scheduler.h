#pragma once
// Virtual time for tests and the simulator: time moves only when told to, and
// every tick that falls due on the way fires in time order.

#include "platform/scheduler.h"
#include "platform/timer_queue.h"

namespace vz {

class VirtualScheduler : public Scheduler {
public:
    std::int64_t NowMs() const override { return now_; }
    TimerId Start(std::int64_t interval_ms, Tick tick) override {
        return timers_.Start(now_, interval_ms, std::move(tick));
    }
    void Stop(TimerId id) override { timers_.Stop(id); }

    // Moves time forward by `ms`, firing every tick due up to and including the end.
    void Advance(std::int64_t ms);
    // The machine sleeps for `ms`: time passes, and the timers stand still as
    // the real ones do on their clocks that leave out a sleep: each goes on
    // where it was, later by the sleep. `wake`, if given, runs as it wakes.
    void Sleep(std::int64_t ms, const Tick& wake = {});
    std::size_t ActiveTimers() const { return timers_.size(); }

private:
    std::int64_t now_ = 0;
    TimerQueue timers_;
};

}  // namespace vz

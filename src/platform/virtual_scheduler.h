#pragma once
// Virtual time for tests and the simulator: time moves only when told to, and
// every tick that falls due on the way fires in time order.

#include <map>

#include "platform/scheduler.h"

namespace vz {

class VirtualScheduler : public Scheduler {
public:
    std::int64_t NowMs() const override { return now_; }
    TimerId Start(std::int64_t interval_ms, Tick tick) override;
    void Stop(TimerId id) override;

    // Moves time forward by `ms`, firing every tick due up to and including the end.
    void Advance(std::int64_t ms);
    // Fires the next due tick, if any falls due by `limit`; returns whether one fired.
    bool FireNext(std::int64_t limit);
    std::size_t ActiveTimers() const { return timers_.size(); }

private:
    struct Entry {
        std::int64_t due;
        std::int64_t interval;
        Tick tick;
    };
    std::int64_t now_ = 0;
    TimerId next_id_ = 1;  // ids grow with start order, so they break ties
    std::map<TimerId, Entry> timers_;
};

}  // namespace vz

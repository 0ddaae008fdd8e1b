#pragma once
// The timers of a scheduler, whichever clock drives it: each keeps to its own
// grid (start + k * interval), the earliest tick fires first, and ticks due
// together fire in the order their timers were started.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "platform/scheduler.h"

namespace vz {

class TimerQueue {
public:
    // Times are in the scheduler's own unit (milliseconds, nanoseconds…).
    Scheduler::TimerId Start(std::int64_t now, std::int64_t interval, Scheduler::Tick tick);
    void Stop(Scheduler::TimerId id) { timers_.erase(id); }
    std::size_t size() const { return timers_.size(); }

    // When the earliest tick falls due; nothing while no timer runs.
    std::optional<std::int64_t> NextDue() const;
    // Fires the earliest tick if it falls due by `limit`. `arrive` is told the
    // tick's due time and answers what the time is as it fires; ticks missed
    // meanwhile are not made up for, as a window system coalesces its timer
    // messages, and the grid stays. Returns whether a tick fired.
    bool FireNext(std::int64_t limit, const std::function<std::int64_t(std::int64_t)>& arrive);
    // Moves every timer's grid later by `by`, as a clock that stood still for
    // that long sees it.
    void Shift(std::int64_t by);

private:
    struct Entry {
        std::int64_t start;
        std::int64_t interval;
        std::int64_t count;  // ticks fired so far
        Scheduler::Tick tick;
        std::int64_t Due() const { return start + (count + 1) * interval; }
    };
    std::map<Scheduler::TimerId, Entry>::iterator Earliest();

    Scheduler::TimerId next_id_ = 1;  // ids grow with start order, so they break ties
    std::map<Scheduler::TimerId, Entry> timers_;
};

}  // namespace vz

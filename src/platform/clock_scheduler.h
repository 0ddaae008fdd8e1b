#pragma once
// Real time, whichever clock and alarm the system offers: the scheduler's
// interface over one alarm armed for the earliest tick that is due. Each timer
// keeps to its own grid (start + k * interval) on a monotonic clock, so
// lateness of one tick never carries into the next, and ticks missed while the
// program was held up are skipped to the next one due, not fired all at once.
// Between ticks nothing runs: no polling.

#include <cstdint>
#include <optional>

#include "platform/scheduler.h"
#include "platform/timer_queue.h"

namespace vz {

class ClockScheduler : public Scheduler {
public:
    std::int64_t NowMs() const override;
    TimerId Start(std::int64_t interval_ms, Tick tick) override;
    void Stop(TimerId id) override;

    std::size_t ActiveTimers() const { return timers_.size(); }

protected:
    // The monotonic clock, in nanoseconds since the scheduler began.
    virtual std::int64_t NowNs() const = 0;
    // The time the machine slept that NowNs did not count (Linux's monotonic
    // clock stands still in a suspend); NowMs adds it, the timers do not.
    virtual std::int64_t SleptNs() const { return 0; }
    // Calls FireDue after at least `wait_ms` (replacing any earlier alarm), or
    // never when there is nothing to wait for.
    virtual void SetAlarm(std::optional<std::int64_t> wait_ms) = 0;
    // Fires every tick that is due, then sets the alarm for the next one.
    void FireDue();

private:
    void Rearm();

    TimerQueue timers_;
    bool firing_ = false;
};

}  // namespace vz

#include "platform/clock_scheduler.h"

#include <algorithm>

namespace vz {

namespace {
constexpr std::int64_t kNsPerMs = 1'000'000;
}

std::int64_t ClockScheduler::NowMs() const { return (NowNs() + SleptNs()) / kNsPerMs; }

Scheduler::TimerId ClockScheduler::Start(std::int64_t interval_ms, Tick tick) {
    const TimerId id = timers_.Start(NowNs(), interval_ms * kNsPerMs, std::move(tick));
    Rearm();
    return id;
}

void ClockScheduler::Stop(TimerId id) {
    timers_.Stop(id);
    Rearm();
}

void ClockScheduler::FireDue() {
    firing_ = true;
    // A tick may start or stop timers, so the queue is asked afresh each time.
    while (timers_.FireNext(NowNs(), [this](std::int64_t) { return NowNs(); })) {
    }
    firing_ = false;
    Rearm();
}

void ClockScheduler::Rearm() {
    if (firing_) return;  // FireDue re-arms once it is done
    const std::optional<std::int64_t> due = timers_.NextDue();
    if (!due) {
        SetAlarm(std::nullopt);
        return;
    }
    // Round up so the alarm never rings before the tick is due.
    const std::int64_t wait_ns = std::max<std::int64_t>(0, *due - NowNs());
    SetAlarm((wait_ns + kNsPerMs - 1) / kNsPerMs);
}

}  // namespace vz

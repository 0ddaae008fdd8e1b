#include "platform/virtual_scheduler.h"

#include <utility>

namespace vz {

Scheduler::TimerId VirtualScheduler::Start(std::int64_t interval_ms, Tick tick) {
    const TimerId id = next_id_++;
    timers_.emplace(id, Entry{now_ + interval_ms, interval_ms, std::move(tick)});
    return id;
}

void VirtualScheduler::Stop(TimerId id) { timers_.erase(id); }

bool VirtualScheduler::FireNext(std::int64_t limit) {
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it)
        if (best == timers_.end() || it->second.due < best->second.due) best = it;
    if (best == timers_.end() || best->second.due > limit) return false;
    const TimerId id = best->first;
    now_ = best->second.due;
    best->second.due += best->second.interval;
    Tick tick = best->second.tick;  // the tick may stop its own timer
    tick();
    (void)id;
    return true;
}

void VirtualScheduler::Advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    while (FireNext(end)) {
    }
    now_ = end;
}

}  // namespace vz

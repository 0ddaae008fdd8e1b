#include "platform/timer_queue.h"

#include <algorithm>
#include <utility>

namespace vz {

Scheduler::TimerId TimerQueue::Start(std::int64_t now, std::int64_t interval, Scheduler::Tick tick) {
    const Scheduler::TimerId id = next_id_++;
    timers_.emplace(id, Entry{now, interval, 0, std::move(tick)});
    return id;
}

std::map<Scheduler::TimerId, TimerQueue::Entry>::iterator TimerQueue::Earliest() {
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it)
        if (best == timers_.end() || it->second.Due() < best->second.Due()) best = it;
    return best;
}

std::optional<std::int64_t> TimerQueue::NextDue() const {
    std::optional<std::int64_t> due;
    for (const auto& [id, e] : timers_) due = std::min(due.value_or(e.Due()), e.Due());
    return due;
}

void TimerQueue::Shift(std::int64_t by) {
    for (auto& [id, e] : timers_) e.start += by;
}

bool TimerQueue::FireNext(std::int64_t limit, const std::function<std::int64_t(std::int64_t)>& arrive) {
    const auto next = Earliest();
    if (next == timers_.end() || next->second.Due() > limit) return false;
    Entry& e = next->second;
    const std::int64_t now = arrive(e.Due());
    e.count = std::max(e.count + 1, (now - e.start) / e.interval);
    Scheduler::Tick tick = e.tick;  // the tick may stop its own timer
    tick();
    return true;
}

}  // namespace vz

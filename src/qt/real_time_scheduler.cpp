#include "qt/real_time_scheduler.h"

#include <algorithm>
#include <limits>

namespace vz {

namespace {
constexpr std::int64_t kNsPerMs = 1'000'000;
}

RealTimeScheduler::RealTimeScheduler(QObject* parent) : QObject(parent) {
    clock_.start();
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    connect(&wake_, &QTimer::timeout, this, &RealTimeScheduler::FireDue);
}

std::int64_t RealTimeScheduler::NowMs() const { return clock_.elapsed(); }

Scheduler::TimerId RealTimeScheduler::Start(std::int64_t interval_ms, Tick tick) {
    const TimerId id = next_id_++;
    timers_.emplace(id, Entry{NowNs(), interval_ms * kNsPerMs, 0, std::move(tick)});
    Rearm();
    return id;
}

void RealTimeScheduler::Stop(TimerId id) {
    if (timers_.erase(id)) Rearm();
}

void RealTimeScheduler::FireDue() {
    firing_ = true;
    // Ticks that fell due together fire in time order, ties in start order.
    // A tick may start or stop timers, so the table is searched afresh each time.
    for (;;) {
        const std::int64_t now = NowNs();
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
            if (next == timers_.end() || it->second.Due() < next->second.Due()) next = it;
        if (next == timers_.end() || next->second.Due() > now) break;
        Entry& e = next->second;
        // Ticks missed while the program was held up are not made up for, as
        // a window system coalesces its timer messages; the grid stays.
        e.count = std::max(e.count + 1, (now - e.start_ns) / e.interval_ns);
        Tick tick = e.tick;  // the tick may stop its own timer
        tick();
    }
    firing_ = false;
    Rearm();
}

void RealTimeScheduler::Rearm() {
    if (firing_) return;  // FireDue re-arms once it is done
    if (timers_.empty()) {
        wake_.stop();
        return;
    }
    std::int64_t due = timers_.begin()->second.Due();
    for (const auto& [id, e] : timers_) due = std::min(due, e.Due());
    // Round up so the timer never wakes before the tick is due.
    const std::int64_t wait_ns = std::max<std::int64_t>(0, due - NowNs());
    const std::int64_t wait_ms = (wait_ns + kNsPerMs - 1) / kNsPerMs;
    wake_.start(int(std::min<std::int64_t>(wait_ms, std::numeric_limits<int>::max())));
}

}  // namespace vz

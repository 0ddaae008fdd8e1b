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
    const TimerId id = timers_.Start(NowNs(), interval_ms * kNsPerMs, std::move(tick));
    Rearm();
    return id;
}

void RealTimeScheduler::Stop(TimerId id) {
    timers_.Stop(id);
    Rearm();
}

void RealTimeScheduler::FireDue() {
    firing_ = true;
    // A tick may start or stop timers, so the queue is asked afresh each time.
    while (timers_.FireNext(NowNs(), [this](std::int64_t) { return NowNs(); })) {
    }
    firing_ = false;
    Rearm();
}

void RealTimeScheduler::Rearm() {
    if (firing_) return;  // FireDue re-arms once it is done
    const std::optional<std::int64_t> due = timers_.NextDue();
    if (!due) {
        wake_.stop();
        return;
    }
    // Round up so the timer never wakes before the tick is due.
    const std::int64_t wait_ns = std::max<std::int64_t>(0, *due - NowNs());
    const std::int64_t wait_ms = (wait_ns + kNsPerMs - 1) / kNsPerMs;
    wake_.start(int(std::min<std::int64_t>(wait_ms, std::numeric_limits<int>::max())));
}

}  // namespace vz

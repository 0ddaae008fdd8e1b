#include "platform/virtual_scheduler.h"

namespace vz {

void VirtualScheduler::Advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    while (timers_.FireNext(end, [this](std::int64_t due) { return now_ = due; })) {
    }
    now_ = end;
}

void VirtualScheduler::Sleep(std::int64_t ms, AfterSleep after, const Tick& wake) {
    now_ += ms;
    if (after == AfterSleep::Resume) timers_.Shift(ms);
    if (wake) wake();
    if (after == AfterSleep::Resume) return;
    // Each overdue timer fires once, at the wake-up, and skips to its grid.
    while (timers_.FireNext(now_, [this](std::int64_t) { return now_; })) {
    }
}

}  // namespace vz

#include "platform/virtual_scheduler.h"

namespace vz {

void VirtualScheduler::Advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    while (timers_.FireNext(end, [this](std::int64_t due) { return now_ = due; })) {
    }
    now_ = end;
}

void VirtualScheduler::Sleep(std::int64_t ms, const Tick& wake) {
    now_ += ms;
    timers_.Shift(ms);
    if (wake) wake();
}

}  // namespace vz

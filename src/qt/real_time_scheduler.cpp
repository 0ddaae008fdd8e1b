#include "qt/real_time_scheduler.h"

#include <algorithm>
#include <limits>

#include "os/slept_time.h"

namespace vz {

RealTimeScheduler::RealTimeScheduler(QObject* parent) : QObject(parent) {
    clock_.start();
    slept_at_start_ns_ = vz::SleptNs();
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    connect(&wake_, &QTimer::timeout, this, [this] { FireDue(); });
}

// QElapsedTimer's monotonic clock stands still while the machine sleeps.
std::int64_t RealTimeScheduler::SleptNs() const { return vz::SleptNs() - slept_at_start_ns_; }

void RealTimeScheduler::SetAlarm(std::optional<std::int64_t> wait_ms) {
    if (!wait_ms) {
        wake_.stop();
        return;
    }
    wake_.start(int(std::min<std::int64_t>(*wait_ms, std::numeric_limits<int>::max())));
}

}  // namespace vz

#include "qt/real_time_scheduler.h"

#include <algorithm>
#include <limits>

namespace vz {

RealTimeScheduler::RealTimeScheduler(QObject* parent) : QObject(parent) {
    clock_.start();
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    connect(&wake_, &QTimer::timeout, this, [this] { FireDue(); });
}

void RealTimeScheduler::SetAlarm(std::optional<std::int64_t> wait_ms) {
    if (!wait_ms) {
        wake_.stop();
        return;
    }
    wake_.start(int(std::min<std::int64_t>(*wait_ms, std::numeric_limits<int>::max())));
}

}  // namespace vz

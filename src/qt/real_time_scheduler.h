#pragma once
// Real time for the program on the desktop: the clock scheduler on Qt's
// monotonic clock, its alarm one precise single-shot Qt timer, so every tick
// runs in the thread of the event loop.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "platform/clock_scheduler.h"

namespace vz {

class RealTimeScheduler : public QObject, public ClockScheduler {
    Q_OBJECT
public:
    explicit RealTimeScheduler(QObject* parent = nullptr);

private:
    std::int64_t NowNs() const override { return clock_.nsecsElapsed(); }
    std::int64_t SleptNs() const override;
    void SetAlarm(std::optional<std::int64_t> wait_ms) override;

    QElapsedTimer clock_;
    std::int64_t slept_at_start_ns_ = 0;
    QTimer wake_;
};

}  // namespace vz

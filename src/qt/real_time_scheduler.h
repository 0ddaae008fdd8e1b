#pragma once
// Real time for the program: the same interface as the virtual scheduler,
// driven by one precise Qt timer armed for the earliest tick that is due.
// Each timer keeps to its own grid (start + k * interval) on the monotonic
// clock, so lateness of one tick never carries into the next and sixty minute
// ticks take sixty minutes. Between ticks nothing runs: no polling.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "platform/scheduler.h"
#include "platform/timer_queue.h"

namespace vz {

class RealTimeScheduler : public QObject, public Scheduler {
    Q_OBJECT
public:
    explicit RealTimeScheduler(QObject* parent = nullptr);

    std::int64_t NowMs() const override;
    TimerId Start(std::int64_t interval_ms, Tick tick) override;
    void Stop(TimerId id) override;

    std::size_t ActiveTimers() const { return timers_.size(); }

private:
    std::int64_t NowNs() const { return clock_.nsecsElapsed(); }
    void FireDue();
    void Rearm();

    QElapsedTimer clock_;
    QTimer wake_;
    TimerQueue timers_;
    bool firing_ = false;
};

}  // namespace vz

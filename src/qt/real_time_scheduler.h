#pragma once
// Real time for the program: the same interface as the virtual scheduler,
// driven by one precise Qt timer armed for the earliest tick that is due.
// Each timer keeps to its own grid (start + k * interval) on the monotonic
// clock, so lateness of one tick never carries into the next and sixty minute
// ticks take sixty minutes. Between ticks nothing runs: no polling.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <map>

#include "platform/scheduler.h"

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
    struct Entry {
        std::int64_t start_ns;
        std::int64_t interval_ns;
        std::int64_t count;  // ticks fired so far; the next is due at start + (count+1) * interval
        Tick tick;
        std::int64_t Due() const { return start_ns + (count + 1) * interval_ns; }
    };
    std::int64_t NowNs() const { return clock_.nsecsElapsed(); }
    void FireDue();
    void Rearm();

    QElapsedTimer clock_;
    QTimer wake_;
    TimerId next_id_ = 1;  // ids grow with start order, so they break ties
    std::map<TimerId, Entry> timers_;
    bool firing_ = false;
};

}  // namespace vz

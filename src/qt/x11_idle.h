#pragma once
// Away and back on X11: the X server counts the time since the last key or
// pointer input in its IDLETIME counter (the SYNC extension), and rings two
// alarms of ours as the counter rises through the threshold (away, dated back
// to when the input stopped) and as input sets it back below (back). Waiting
// costs nothing: no timer of ours runs.

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <string>
#include <vector>
#include <xcb/sync.h>

#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::qt {

class X11Idle : public PresenceSource, public QAbstractNativeEventFilter {
public:
    X11Idle(const Scheduler& scheduler, std::int64_t away_after_ms);
    ~X11Idle() override;

    void Start(PresenceSink& sink) override;
    // Reads the counter: an alarm lost on the way is made good here.
    void Refresh() override;
    void AwayAfter(std::int64_t idle_ms) override;
    std::vector<std::string> Describe() const override;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    void SetAlarms();
    void Heard(std::int64_t idle_ms);

    const Scheduler& scheduler_;
    std::int64_t away_after_ms_;
    PresenceSink* sink_ = nullptr;
    xcb_connection_t* c_ = nullptr;
    xcb_sync_counter_t idle_counter_ = 0;
    std::uint8_t alarm_event_ = 0;  // the alarm's event code on this server
    xcb_sync_alarm_t away_alarm_ = 0;
    xcb_sync_alarm_t back_alarm_ = 0;
    bool away_ = false;
    std::string missing_;  // why idle cannot be seen here, or empty
};

}  // namespace vz::qt

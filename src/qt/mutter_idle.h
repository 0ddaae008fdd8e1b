#pragma once
// Away and back on a GNOME Wayland session, where XWayland's idle counter
// sees only the input that goes to X11 windows: mutter's idle monitor on the
// session bus (org.gnome.Mutter.IdleMonitor) rings a watch once the user has
// been idle for the threshold (away, dated back to the last input) and
// another at the next input (back). Elsewhere on Wayland idle is not seen.

#include <QObject>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::qt {

class MutterIdle : public QObject, public PresenceSource {
    Q_OBJECT
public:
    MutterIdle(const Scheduler& scheduler, std::int64_t away_after_ms);
    ~MutterIdle() override;

    void Start(PresenceSink& sink) override;
    void Refresh() override;
    void AwayAfter(std::int64_t idle_ms) override;
    std::vector<std::string> Describe() const override;

private slots:
    void OnWatchFired(uint id);

private:
    void WatchIdle();
    void WatchActive();
    void Heard(std::int64_t idle_ms);

    const Scheduler& scheduler_;
    std::int64_t away_after_ms_;
    PresenceSink* sink_ = nullptr;
    bool there_ = false;
    uint idle_watch_ = 0;
    uint active_watch_ = 0;
    bool away_ = false;
};

}  // namespace vz::qt

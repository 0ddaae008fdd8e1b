#pragma once
// Busy while Windows itself holds notifications back: SHQueryUserNotificationState
// says a full-screen program or Direct3D game runs, a presentation is on, or
// it is quiet time (QUNS_BUSY, QUNS_RUNNING_D3D_FULL_SCREEN,
// QUNS_PRESENTATION_MODE, QUNS_QUIET_TIME). Nothing announces a change: the
// state is read when the program is about to decide, and, while busy, once a
// minute, so that its end is not missed meanwhile.

#include <string>
#include <vector>

#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::win32 {

class NotificationState : public PresenceSource {
public:
    explicit NotificationState(Scheduler& scheduler);
    ~NotificationState() override;

    void Start(PresenceSink& sink) override;
    void Refresh() override;
    std::vector<std::string> Describe() const override;

private:
    void Read();
    void StopTimer();

    Scheduler& scheduler_;
    PresenceSink* sink_ = nullptr;
    Scheduler::TimerId timer_ = 0;
    bool busy_ = false;
    std::string state_;
};

}  // namespace vz::win32

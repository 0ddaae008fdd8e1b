#pragma once
// Busy while a program keeps the screen from blanking for what it shows (a
// film, slides): an idle inhibitor that blocks, in logind's list on the
// system bus. logind tells of no change to the list, so it is read when the
// program is about to decide, not watched.

#include <string>
#include <vector>

#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::qt {

class IdleInhibitors : public PresenceSource {
public:
    explicit IdleInhibitors(const Scheduler& scheduler);

    void Start(PresenceSink& sink) override;
    void Refresh() override;
    std::vector<std::string> Describe() const override;

private:
    const Scheduler& scheduler_;
    PresenceSink* sink_ = nullptr;
    bool busy_ = false;
    bool unavailable_ = false;
    std::string state_;
};

}  // namespace vz::qt

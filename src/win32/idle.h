#pragma once
// Away and back on Windows: the time since the last input, as
// GetLastInputInfo gives it, read when the program is about to decide and by
// one timer set for the moment the idle time would reach the threshold (set
// anew whenever input came meanwhile). Windows tells no event for input
// arriving, so back is seen when the program next decides.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::win32 {

class Idle : public PresenceSource {
public:
    Idle(Scheduler& scheduler, std::int64_t away_after_ms);
    ~Idle() override;

    void Start(PresenceSink& sink) override;
    void Refresh() override;
    void AwayAfter(std::int64_t idle_ms) override;
    std::vector<std::string> Describe() const override;

private:
    void Read();
    void SetTimer(std::int64_t wait_ms);
    void StopTimer();

    Scheduler& scheduler_;
    std::int64_t away_after_ms_;
    PresenceSink* sink_ = nullptr;
    Scheduler::TimerId timer_ = 0;
    bool away_ = false;
};

}  // namespace vz::win32

#pragma once
// Away and back on Windows: the time since the last input, as
// GetLastInputInfo gives it, read when the program is about to decide and by
// one timer set for the moment the idle time would reach the threshold (set
// anew whenever input came meanwhile). Windows tells no event for input
// arriving, so while away, and only then, low-level keyboard and pointer
// hooks wait for the first input, which is back; they go with it. Should
// they be refused, back is read when the program next decides, dated to the
// last moment the user was still seen away.

#include <windows.h>

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
    void Hook();
    void Unhook();
    static LRESULT CALLBACK OnInput(int code, WPARAM w, LPARAM l);

    Scheduler& scheduler_;
    std::int64_t away_after_ms_;
    PresenceSink* sink_ = nullptr;
    Scheduler::TimerId timer_ = 0;
    bool away_ = false;
    std::int64_t seen_away_ms_ = 0;  // the last time the user was still away
    void* keyboard_hook_ = nullptr;  // HHOOK, while away
    void* pointer_hook_ = nullptr;
};

}  // namespace vz::win32

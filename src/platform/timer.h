#pragma once
// Timer control: ticks every Interval ms while enabled and its window is loaded.

#include <cstdint>

#include "platform/control.h"
#include "platform/scheduler.h"

namespace vz {

class Timer : public Control {
public:
    Timer(Form& form, std::string name, std::int64_t interval_ms, bool enabled);
    ~Timer() override;

    std::int64_t Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    // A write by the program. Enabling an enabled timer does not restart it.
    void SetEnabled(bool enabled);
    // Counts its interval afresh from now, as turning it off and on would,
    // with no property written: the next tick comes one interval from now.
    void Restart();
    bool TakesInput() const override { return false; }
    std::optional<Value> Property(std::string_view name) const override;

    std::function<void()> on_tick;

    // Called by the window as it is loaded and unloaded.
    void WindowLoaded();
    void WindowUnloaded();

private:
    void Arm();
    void Disarm();
    std::int64_t interval_;
    bool enabled_;
    bool live_ = false;
    Scheduler::TimerId id_ = 0;
};

}  // namespace vz

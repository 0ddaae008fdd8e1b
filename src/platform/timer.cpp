#include "platform/timer.h"

#include "platform/form.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace vz {

Timer::Timer(Form& form, std::string name, std::int64_t interval_ms, bool enabled)
    : Control(form, std::move(name), Kind::Timer), interval_(interval_ms), enabled_(enabled) {}

Timer::~Timer() { Disarm(); }

void Timer::SetEnabled(bool enabled) {
    const bool was = enabled_;
    enabled_ = enabled;
    ReportSet("Enabled", Value(enabled));
    if (!live_ || was == enabled) return;
    if (enabled)
        Arm();
    else
        Disarm();
}

void Timer::Restart() {
    if (!live_ || !enabled_) return;
    Disarm();
    Arm();
}

std::optional<Value> Timer::Property(std::string_view name) const {
    if (name == "Enabled") return Value(bool(enabled_));
    if (name == "Interval") return Value(double(double(interval_)));
    return Control::Property(name);
}

void Timer::WindowLoaded() {
    live_ = true;
    if (enabled_) Arm();
}

void Timer::WindowUnloaded() {
    live_ = false;
    Disarm();
}

void Timer::Arm() {
    if (interval_ <= 0 || id_ != 0) return;  // an Interval of 0 never ticks
    Runtime& rt = runtime();
    id_ = rt.scheduler().Start(interval_, [this, &rt] {
        if (on_tick) rt.Dispatch(on_tick);
    });
}

void Timer::Disarm() {
    if (id_ == 0) return;
    runtime().scheduler().Stop(id_);
    id_ = 0;
}

}  // namespace vz

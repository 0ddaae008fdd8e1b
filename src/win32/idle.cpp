#include "win32/idle.h"

#include <windows.h>

namespace vz::win32 {

namespace {

// Milliseconds since the last keyboard or pointer input of the session.
std::int64_t IdleMs() {
    LASTINPUTINFO info{};
    info.cbSize = sizeof info;
    if (!::GetLastInputInfo(&info)) return 0;
    // Both on the tick count; the difference is right across its wrap.
    return std::int64_t(DWORD(::GetTickCount() - info.dwTime));
}

}  // namespace

Idle::Idle(Scheduler& scheduler, std::int64_t away_after_ms)
    : scheduler_(scheduler), away_after_ms_(away_after_ms) {}

Idle::~Idle() { StopTimer(); }

void Idle::Start(PresenceSink& sink) {
    sink_ = &sink;
    Read();
}

void Idle::Refresh() {
    if (sink_) Read();
}

void Idle::AwayAfter(std::int64_t idle_ms) {
    away_after_ms_ = idle_ms;
    if (sink_) Read();
}

void Idle::Read() {
    const std::int64_t idle = IdleMs();
    const bool away = idle >= away_after_ms_;
    if (away != away_) {
        away_ = away;
        sink_->Tell(away ? Presence::Away : Presence::Back, scheduler_.NowMs() - idle);
    }
    // Away: nothing to wait for, back is read at the next decision.
    if (away)
        StopTimer();
    else
        SetTimer(away_after_ms_ - idle);
}

void Idle::SetTimer(std::int64_t wait_ms) {
    StopTimer();
    // Scheduler timers repeat: this one stops at its first tick.
    timer_ = scheduler_.Start(wait_ms < 1 ? 1 : wait_ms, [this] {
        StopTimer();
        Read();
    });
}

void Idle::StopTimer() {
    if (timer_) scheduler_.Stop(timer_);
    timer_ = 0;
}

std::vector<std::string> Idle::Describe() const {
    return {"idle: GetLastInputInfo, away after " + std::to_string(away_after_ms_ / 1000) +
            " s, back seen when the program next decides"};
}

}  // namespace vz::win32

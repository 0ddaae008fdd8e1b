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

// The one source whose hooks are in: a hook's callback carries no pointer of
// its own.
Idle* g_hooked = nullptr;

}  // namespace

Idle::Idle(Scheduler& scheduler, std::int64_t away_after_ms)
    : scheduler_(scheduler), away_after_ms_(away_after_ms) {}

Idle::~Idle() {
    StopTimer();
    Unhook();
}

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
    const std::int64_t now = scheduler_.NowMs();
    const bool away = idle >= away_after_ms_;
    if (away && !away_) {
        away_ = true;
        sink_->Tell(Presence::Away, now - idle);
        Hook();
    } else if (!away && away_) {
        // The hooks missed it: back somewhere between the last sight of the
        // user away and the last input; the earliest counts no rest too many.
        away_ = false;
        Unhook();
        sink_->Tell(Presence::Back, seen_away_ms_);
    }
    if (away) {
        seen_away_ms_ = now;
        StopTimer();
    } else {
        SetTimer(away_after_ms_ - idle);
    }
}

void Idle::Hook() {
    if (g_hooked) return;
    HINSTANCE self = ::GetModuleHandleW(nullptr);
    keyboard_hook_ = ::SetWindowsHookExW(WH_KEYBOARD_LL, OnInput, self, 0);
    pointer_hook_ = ::SetWindowsHookExW(WH_MOUSE_LL, OnInput, self, 0);
    g_hooked = this;
}

void Idle::Unhook() {
    if (g_hooked != this) return;
    for (void** hook : {&keyboard_hook_, &pointer_hook_}) {
        if (*hook) ::UnhookWindowsHookEx(static_cast<HHOOK>(*hook));
        *hook = nullptr;
    }
    g_hooked = nullptr;
}

// The first key or pointer input while away: back now. The input goes on
// its way untouched.
LRESULT CALLBACK Idle::OnInput(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION && g_hooked && g_hooked->away_) {
        Idle& idle = *g_hooked;
        idle.away_ = false;
        idle.Unhook();
        idle.sink_->Tell(Presence::Back, idle.scheduler_.NowMs());
        idle.SetTimer(idle.away_after_ms_);
    }
    return ::CallNextHookEx(nullptr, code, w, l);
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
            " s; back at the first input after, through low-level hooks"};
}

}  // namespace vz::win32

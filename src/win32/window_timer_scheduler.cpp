#include "win32/window_timer_scheduler.h"

#include <algorithm>

#include "win32/message_window.h"

namespace vz::win32 {

namespace {
constexpr UINT_PTR kWake = 1;
constexpr wchar_t kClass[] = L"VerezerudTimers";
}  // namespace

WindowTimerScheduler::WindowTimerScheduler() {
    ::QueryPerformanceFrequency(&frequency_);
    ::QueryPerformanceCounter(&origin_);
    window_ = MakeMessageWindow(kClass, Proc, this);
}

WindowTimerScheduler::~WindowTimerScheduler() {
    if (window_) ::DestroyWindow(window_);
}

LRESULT CALLBACK WindowTimerScheduler::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_TIMER && w == kWake) {
        if (auto* self = OwnerOf<WindowTimerScheduler>(window)) {
            ::KillTimer(window, kWake);
            self->FireDue();
        }
        return 0;
    }
    return ::DefWindowProcW(window, message, w, l);
}

std::int64_t WindowTimerScheduler::NowUs() const {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    const std::int64_t ticks = now.QuadPart - origin_.QuadPart;
    const std::int64_t f = frequency_.QuadPart;
    return ticks / f * 1'000'000 + ticks % f * 1'000'000 / f;
}

std::int64_t WindowTimerScheduler::NowMs() const { return NowUs() / 1000; }

Scheduler::TimerId WindowTimerScheduler::Start(std::int64_t interval_ms, Tick tick) {
    const TimerId id = next_id_++;
    timers_.emplace(id, Entry{NowUs(), interval_ms * 1000, 0, std::move(tick)});
    Rearm();
    return id;
}

void WindowTimerScheduler::Stop(TimerId id) {
    if (timers_.erase(id)) Rearm();
}

void WindowTimerScheduler::FireDue() {
    firing_ = true;
    // Ticks that fell due together fire in time order, ties in start order.
    // A tick may start or stop timers, so the table is searched afresh each time.
    for (;;) {
        const std::int64_t now = NowUs();
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
            if (next == timers_.end() || it->second.Due() < next->second.Due()) next = it;
        if (next == timers_.end() || next->second.Due() > now) break;
        Entry& e = next->second;
        // Ticks missed while the program was held up are not made up for; the grid stays.
        e.count = std::max(e.count + 1, (now - e.start_us) / e.interval_us);
        Tick tick = e.tick;  // the tick may stop its own timer
        tick();
    }
    firing_ = false;
    Rearm();
}

void WindowTimerScheduler::Rearm() {
    if (firing_ || !window_) return;  // FireDue re-arms once it is done
    if (timers_.empty()) {
        ::KillTimer(window_, kWake);
        return;
    }
    std::int64_t due = timers_.begin()->second.Due();
    for (const auto& [id, e] : timers_) due = std::min(due, e.Due());
    // Round up so the timer never wakes before the tick is due; a window
    // timer waits at least USER_TIMER_MINIMUM and at most USER_TIMER_MAXIMUM.
    const std::int64_t wait_ms = (std::max<std::int64_t>(0, due - NowUs()) + 999) / 1000;
    const UINT ms = UINT(std::clamp<std::int64_t>(wait_ms, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM));
    ::SetTimer(window_, kWake, ms, nullptr);
}

}  // namespace vz::win32

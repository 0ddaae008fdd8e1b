#include "win32/window_timer_scheduler.h"

#include <algorithm>

#include "os/slept_time.h"
#include "win32/message_window.h"

namespace vz::win32 {

namespace {
constexpr UINT_PTR kWake = 1;
constexpr wchar_t kClass[] = L"VerezerudTimers";
}  // namespace

WindowTimerScheduler::WindowTimerScheduler() {
    ::QueryUnbiasedInterruptTime(&origin_);
    slept_at_start_ns_ = vz::SleptNs();
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

std::int64_t WindowTimerScheduler::NowNs() const {
    ULONGLONG now = 0;
    ::QueryUnbiasedInterruptTime(&now);
    return std::int64_t(now - origin_) * 100;
}

std::int64_t WindowTimerScheduler::SleptNs() const {
    return std::max<std::int64_t>(0, vz::SleptNs() - slept_at_start_ns_);
}

void WindowTimerScheduler::SetAlarm(std::optional<std::int64_t> wait_ms) {
    if (!window_) return;
    if (!wait_ms) {
        ::KillTimer(window_, kWake);
        return;
    }
    // A window timer waits at least USER_TIMER_MINIMUM and at most USER_TIMER_MAXIMUM.
    const UINT ms = UINT(std::clamp<std::int64_t>(*wait_ms, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM));
    ::SetTimer(window_, kWake, ms, nullptr);
}

}  // namespace vz::win32

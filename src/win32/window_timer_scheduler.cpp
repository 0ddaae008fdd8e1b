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

std::int64_t WindowTimerScheduler::NowNs() const {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    const std::int64_t ticks = now.QuadPart - origin_.QuadPart;
    const std::int64_t f = frequency_.QuadPart;
    return ticks / f * 1'000'000'000 + ticks % f * 1'000'000'000 / f;
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

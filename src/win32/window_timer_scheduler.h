#pragma once
// Real time for the program on Windows: the clock scheduler's timers on the
// unbiased interrupt time, which stands still while the machine sleeps, as
// Linux's monotonic clock does, so a sleep does the same to the hour on both;
// its alarm one window timer (SetTimer) of the UI thread, so every tick runs
// on the thread that owns the windows.

#include <windows.h>

#include "platform/clock_scheduler.h"

namespace vz::win32 {

class WindowTimerScheduler : public ClockScheduler {
public:
    WindowTimerScheduler();
    ~WindowTimerScheduler() override;
    WindowTimerScheduler(const WindowTimerScheduler&) = delete;
    WindowTimerScheduler& operator=(const WindowTimerScheduler&) = delete;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    std::int64_t NowNs() const override;
    std::int64_t SleptNs() const override;
    void SetAlarm(std::optional<std::int64_t> wait_ms) override;

    HWND window_ = nullptr;  // message-only, for WM_TIMER
    ULONGLONG origin_ = 0;  // in 100 ns
    std::int64_t slept_at_start_ns_ = 0;
};

}  // namespace vz::win32

#pragma once
// Real time for the program on Windows: the clock scheduler on the
// performance counter, its alarm one window timer (SetTimer) of the UI
// thread, so every tick runs on the thread that owns the windows.

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
    void SetAlarm(std::optional<std::int64_t> wait_ms) override;

    HWND window_ = nullptr;  // message-only, for WM_TIMER
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER origin_{};
};

}  // namespace vz::win32

#pragma once
// Real time for the program on Windows: the scheduler's interface on one
// window timer (SetTimer) of the UI thread, armed for the earliest tick that
// is due, so every tick runs on the thread that owns the windows. Each timer
// keeps to its own grid (start + k * interval) on the performance counter, so
// lateness of one tick never carries into the next. Between ticks nothing
// runs: no polling.

#include <windows.h>

#include <map>

#include "platform/scheduler.h"

namespace vz::win32 {

class WindowTimerScheduler : public Scheduler {
public:
    WindowTimerScheduler();
    ~WindowTimerScheduler() override;
    WindowTimerScheduler(const WindowTimerScheduler&) = delete;
    WindowTimerScheduler& operator=(const WindowTimerScheduler&) = delete;

    std::int64_t NowMs() const override;
    TimerId Start(std::int64_t interval_ms, Tick tick) override;
    void Stop(TimerId id) override;

private:
    struct Entry {
        std::int64_t start_us;
        std::int64_t interval_us;
        std::int64_t count;  // ticks fired so far
        Tick tick;
        std::int64_t Due() const { return start_us + (count + 1) * interval_us; }
    };
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    std::int64_t NowUs() const;
    void FireDue();
    void Rearm();

    HWND window_ = nullptr;  // message-only, for WM_TIMER
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER origin_{};
    TimerId next_id_ = 1;  // ids grow with start order, so they break ties
    std::map<TimerId, Entry> timers_;
    bool firing_ = false;
};

}  // namespace vz::win32

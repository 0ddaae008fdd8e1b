#include "win32/session_events.h"

#include <wtsapi32.h>

namespace vz::win32 {

SessionEvents::SessionEvents(const Scheduler& scheduler) : scheduler_(scheduler) {}

SessionEvents::~SessionEvents() {
    if (!window_) return;
    if (registered_) ::WTSUnRegisterSessionNotification(window_);
    ::DestroyWindow(window_);
}

void SessionEvents::Start(PresenceSink& sink) {
    sink_ = &sink;
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kSessionEventsClass;
    ::RegisterClassW(&wc);
    // Never shown, and no task bar button should it ever be.
    window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kSessionEventsClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, wc.hInstance, nullptr);
    if (!window_) return;
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    registered_ = ::WTSRegisterSessionNotification(window_, NOTIFY_FOR_THIS_SESSION) != FALSE;
}

LRESULT CALLBACK SessionEvents::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<SessionEvents*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_WTSSESSION_CHANGE) {
        if (w == WTS_SESSION_LOCK) self->Locked(true);
        if (w == WTS_SESSION_UNLOCK) self->Locked(false);
        return 0;
    }
    if (self && message == WM_POWERBROADCAST) {
        if (w == PBT_APMSUSPEND) self->Asleep(true);
        // Automatic comes on every resume; the other when a user is there too.
        if (w == PBT_APMRESUMEAUTOMATIC || w == PBT_APMRESUMESUSPEND) self->Asleep(false);
        return TRUE;
    }
    return ::DefWindowProcW(window, message, w, l);
}

void SessionEvents::Locked(bool locked) {
    if (locked == locked_ || !sink_) return;
    locked_ = locked;
    sink_->Tell(locked ? Presence::Locked : Presence::Unlocked, scheduler_.NowMs());
}

void SessionEvents::Asleep(bool asleep) {
    if (asleep == asleep_ || !sink_) return;
    asleep_ = asleep;
    sink_->Tell(asleep ? Presence::Asleep : Presence::Awake, scheduler_.NowMs());
}

std::vector<std::string> SessionEvents::Describe() const {
    if (!window_) return {"lock: no window for the system's messages, never seen", "sleep: the same, never seen"};
    return {registered_ ? "lock: WTSRegisterSessionNotification (WTS_SESSION_LOCK, WTS_SESSION_UNLOCK)"
                        : "lock: the session's notifications are refused here, never seen",
            "sleep: WM_POWERBROADCAST (PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC)"};
}

}  // namespace vz::win32

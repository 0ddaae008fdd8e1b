#pragma once
// The session locked and the machine asleep on Windows, as the system tells
// a window: WM_WTSSESSION_CHANGE (WTS_SESSION_LOCK, WTS_SESSION_UNLOCK) once
// registered with WTSRegisterSessionNotification, and WM_POWERBROADCAST
// (PBT_APMSUSPEND; PBT_APMRESUMEAUTOMATIC or PBT_APMRESUMESUSPEND). The
// window is a hidden top-level one: the power broadcast reaches top-level
// windows only, not message-only ones.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::win32 {

constexpr wchar_t kSessionEventsClass[] = L"VerezerudPresence";

class SessionEvents : public PresenceSource {
public:
    explicit SessionEvents(const Scheduler& scheduler);
    ~SessionEvents() override;

    void Start(PresenceSink& sink) override;
    std::vector<std::string> Describe() const override;

    HWND window() const { return window_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    void Locked(bool locked);
    void Asleep(bool asleep);

    const Scheduler& scheduler_;
    PresenceSink* sink_ = nullptr;
    HWND window_ = nullptr;
    bool registered_ = false;
    bool locked_ = false;
    bool asleep_ = false;
};

}  // namespace vz::win32

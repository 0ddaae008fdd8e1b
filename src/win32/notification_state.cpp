#include "win32/notification_state.h"

#include <windows.h>

#include <shellapi.h>

namespace vz::win32 {

namespace {

constexpr std::int64_t kWhileBusyMs = 60'000;

const char* Name(QUERY_USER_NOTIFICATION_STATE state) {
    switch (state) {
    case QUNS_NOT_PRESENT: return "not present";
    case QUNS_BUSY: return "busy";
    case QUNS_RUNNING_D3D_FULL_SCREEN: return "Direct3D full screen";
    case QUNS_PRESENTATION_MODE: return "presentation";
    case QUNS_ACCEPTS_NOTIFICATIONS: return "accepts notifications";
    case QUNS_QUIET_TIME: return "quiet time";
    case QUNS_APP: return "a Windows Store app";
    }
    return "unknown";
}

}  // namespace

NotificationState::NotificationState(Scheduler& scheduler) : scheduler_(scheduler) {}

NotificationState::~NotificationState() { StopTimer(); }

void NotificationState::Start(PresenceSink& sink) {
    sink_ = &sink;
    Read();
}

void NotificationState::Refresh() {
    if (sink_) Read();
}

void NotificationState::Read() {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (::SHQueryUserNotificationState(&state) != S_OK) {
        state_ = "SHQueryUserNotificationState fails here, never seen";
        return;
    }
    state_ = std::string("SHQueryUserNotificationState (now: ") + Name(state) + ")";
    const bool busy = state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN ||
                      state == QUNS_PRESENTATION_MODE || state == QUNS_QUIET_TIME;
    if (busy != busy_) {
        busy_ = busy;
        sink_->Tell(busy ? Presence::BusyOn : Presence::BusyOff, scheduler_.NowMs());
    }
    StopTimer();
    if (busy) timer_ = scheduler_.Start(kWhileBusyMs, [this] { Read(); });
}

void NotificationState::StopTimer() {
    if (timer_) scheduler_.Stop(timer_);
    timer_ = 0;
}

std::vector<std::string> NotificationState::Describe() const { return {"full screen, presentation, quiet time: " + state_}; }

}  // namespace vz::win32

#include "win32/desktop_presence.h"

#include "frontend/busy_union.h"
#include "win32/idle.h"
#include "win32/microphone.h"
#include "win32/notification_state.h"
#include "win32/session_events.h"

namespace vz::win32 {

std::vector<std::unique_ptr<PresenceSource>> MakeDesktopPresence(Scheduler& scheduler, std::int64_t away_after_ms,
                                                                 PresenceWanted wanted) {
    std::vector<std::unique_ptr<PresenceSource>> sources;
    if (wanted.absence) {
        sources.push_back(std::make_unique<Idle>(scheduler, away_after_ms));
        sources.push_back(std::make_unique<SessionEvents>(scheduler));
    }
    if (!wanted.busy) return sources;
    std::vector<std::unique_ptr<PresenceSource>> busy;
    busy.push_back(std::make_unique<NotificationState>(scheduler));
    busy.push_back(std::make_unique<Microphone>(scheduler));
    sources.push_back(std::make_unique<BusyUnion>(std::move(busy)));
    return sources;
}

}  // namespace vz::win32

#pragma once
// The desktop's sources of presence for the Qt front end: idle time (the X
// server's, or GNOME's idle monitor on a Wayland session), the
// session's lock and the machine's sleep, and one busy state made of the
// full-screen window in front, do-not-disturb (the notification server's,
// GNOME's banners), idle inhibitors and the microphone in use. Each says in Describe() what it watches here, or
// that it cannot.

#include <QtGlobal>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::qt {

// What to watch: absence (input, the lock, sleep), busy, or both.
struct PresenceWanted {
    bool absence = true;
    bool busy = true;
};

// Away after `away_after_ms` without input (settable later through AwayAfter).
std::vector<std::unique_ptr<PresenceSource>> MakeDesktopPresence(const Scheduler& scheduler,
                                                                 std::int64_t away_after_ms,
                                                                 PresenceWanted wanted = {});

}  // namespace vz::qt

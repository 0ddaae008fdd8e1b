#pragma once
// The desktop's sources of presence for the Windows front end: idle time,
// the session's lock and the machine's sleep, and one busy state made of
// Windows' own notification state and the microphone in use. They run on the
// thread of the program's windows and its message loop.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::win32 {

// What to watch: absence (input, the lock, sleep), busy, or both.
struct PresenceWanted {
    bool absence = true;
    bool busy = true;
};

// Away after `away_after_ms` without input (settable later through AwayAfter).
std::vector<std::unique_ptr<PresenceSource>> MakeDesktopPresence(Scheduler& scheduler, std::int64_t away_after_ms,
                                                                 PresenceWanted wanted = {});

}  // namespace vz::win32

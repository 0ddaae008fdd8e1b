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

// Away after `away_after_ms` without input (the rest's length, settable
// later through AwayAfter).
std::vector<std::unique_ptr<PresenceSource>> MakeDesktopPresence(Scheduler& scheduler, std::int64_t away_after_ms);

}  // namespace vz::win32

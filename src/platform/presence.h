#pragma once
// What the desktop tells of its user: away from the keyboard, the session
// locked, the machine asleep, busy with something not to be interrupted.
// The real sources of each front end and the simulator's script speak it
// alike; what the program makes of it is an option of its own.

#include <cstdint>
#include <string>
#include <vector>

namespace vz {

enum class Presence {
    Away, Back,          // keyboard and pointer input stop, arrive again
    Locked, Unlocked,    // the session
    Asleep, Awake,       // the machine suspends, resumes
    BusyOn, BusyOff,     // full screen in front, do-not-disturb, a call...
};
const char* PresenceName(Presence what);  // "away", "back", "lock", ...

// Where sources tell what they see. `at_ms` is the scheduler's time at which
// the state began; it may lie before the call (input stopped ten minutes ago).
class PresenceSink {
public:
    virtual ~PresenceSink() = default;
    virtual void Tell(Presence what, std::int64_t at_ms) = 0;
};

// One source a front end runs on its desktop (idle time, logind, the active
// window's state...). Event-driven: it tells the sink as things change, and
// reads again what it can only read (the time since the last input) when the
// program is about to decide.
class PresenceSource {
public:
    virtual ~PresenceSource() = default;
    virtual void Start(PresenceSink& sink) = 0;
    virtual void Refresh() {}
    // How long without input counts as away (the rest's length); only the
    // sources that watch input use it, and it may change while they run.
    virtual void AwayAfter(std::int64_t /*idle_ms*/) {}
    // What it watches and whether that works here, a line each, such as
    // "idle: X server's IDLETIME counter" or "do-not-disturb: no notification
    // server"; shown by --options.
    virtual std::vector<std::string> Describe() const = 0;
};

}  // namespace vz

#include "platform/presence.h"

namespace vz {

const char* PresenceName(Presence what) {
    switch (what) {
        case Presence::Away: return "away";
        case Presence::Back: return "back";
        case Presence::Locked: return "lock";
        case Presence::Unlocked: return "unlock";
        case Presence::Asleep: return "asleep";
        case Presence::Awake: return "awake";
        case Presence::BusyOn: return "busy on";
        case Presence::BusyOff: return "busy off";
    }
    return "?";
}

}  // namespace vz

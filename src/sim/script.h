#pragma once
// The simulator's command language, one command a line: parsed here once,
// for the headless simulator and for the drivers that run a script with the
// real windows. See docs/simulator.md.

#include <optional>
#include <string>

#include "platform/presence.h"
#include "platform/runtime.h"
#include "platform/sound.h"

namespace vz {

struct Command {
    enum class Kind {
        Start, Stop, Wait,                                 // the program and the clock
        Click, Hover, Choose, Dismiss, Select, Key,        // the user
        Put, Mkdir, Remove,                                // the data folder, from outside
        Print, Snap,
        Tell, Sleep,                                       // what presence sources tell
    };
    Kind kind = Kind::Start;
    // Click, Hover, Select: the target's name; Choose: the item; Put, Mkdir,
    // Remove: the file; Print: what to print; Snap: the picture's file.
    std::string name;
    long long ms = 0;       // Wait, Sleep
    Presence presence = Presence::Away;  // Tell: away, back, lock, unlock, busy on|off
    int position = 0;       // Select
    Key key = Key::Enter;   // Key
    Bytes bytes;            // Put

    // Input from the user, which a front end can give through its windows.
    bool FromUser() const { return kind >= Kind::Click && kind <= Kind::Key; }
};

// One line of a script: nothing for a blank or comment line. A bad line
// gives nothing and says why in `error`.
std::optional<Command> ParseCommand(const std::string& line, std::string& error);

// Parses a duration such as 800ms, 10s, 58m or 2h into milliseconds; -1 if bad.
long long ParseDuration(const std::string& text);

}  // namespace vz

#pragma once
// The simulator's script with a real front end on screen: the user's
// commands (click, hover, choose, dismiss, select, key, snap) go to the
// front end, which turns them into real input on the window that shows their
// target; whatever it cannot show (a hidden or unloaded window) goes to the
// model as the plain simulator gives it, so the trace is the same either way.
// The front ends differ only in how they make the input.

#include <string>

#include "platform/runtime.h"

namespace vz {

class Form;
class Simulator;

class RealInput {
public:
    virtual ~RealInput() = default;
    // Each returns true when the input went in through the front end, false
    // to leave it to the simulator. Targets are loaded and well named.
    virtual bool ClickOrHover(bool click, const Runtime::Target& target) = 0;
    virtual bool Choose(const std::string& item) = 0;
    virtual bool Dismiss() = 0;
    virtual bool Select(const Runtime::Target& combo, int position) = 0;
    // `key` is "Enter" or "Escape", for the window `to`.
    virtual bool Key(const Form& to, const std::string& key) = 0;
    // Saves the whole screen to `file`; false when it cannot.
    virtual bool Snap(const std::string& file) = 0;
};

// Runs one script line; false on a script error, which has been reported.
bool RunLineWithRealInput(Simulator& sim, RealInput& input, const std::string& line,
                          int line_number);

}  // namespace vz

#pragma once
// verezerud-sim --gui: the simulator's scenarios with the real front end on
// screen. Declared without Qt so that the simulator's main can call it.

#include <iosfwd>

namespace vz {

struct SimOptions;

// Runs `script` as the simulator does, with every window on screen and the
// user's input sent as real input events; returns the simulator's status.
int RunGuiSimulator(const SimOptions& options, std::istream& script, int argc, char** argv);

}  // namespace vz

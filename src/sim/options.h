#pragma once
// The command line shared by verezerud-sim and verezerud-sim-gui.

#include <fstream>
#include <optional>
#include <string>

#include "sim/simulator.h"

namespace vz {

struct SimCommandLine {
    SimOptions options;
    std::string script;  // empty: standard input
};

// Parses the arguments; on --help, or on a mistake (reported on standard
// error), returns the status the program should leave with instead.
std::optional<int> ParseSimCommandLine(int argc, char** argv, const char* program,
                                       SimCommandLine& line);

// Opens the script named on the command line; false (reported) if it cannot.
bool OpenScript(const SimCommandLine& line, const char* program, std::ifstream& file);

}  // namespace vz

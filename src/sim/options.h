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

// The script to run: the file named on the command line, opened into `file`,
// or standard input when none is named; nullptr (reported) if it cannot be read.
std::istream* OpenScript(const SimCommandLine& line, const char* program, std::ifstream& file);

}  // namespace vz

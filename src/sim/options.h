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
    // The script to run: the file named, or standard input.
    std::istream* input = nullptr;
    std::ifstream file;
};

// Parses the arguments and opens the script; on --help, or on a mistake
// (reported on standard error, as is a script that cannot be read), returns
// the status the program should leave with instead.
std::optional<int> ParseSimCommandLine(int argc, char** argv, const char* program,
                                       SimCommandLine& line);

// Says on standard error when the display is not the size the script's screen is.
void SayIfScreenDiffers(const char* program, int width, int height, const Screen& wanted);

}  // namespace vz

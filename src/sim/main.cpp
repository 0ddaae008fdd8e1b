// verezerud-sim: the program's behaviour in virtual time, from a script.

#include <iostream>

#include "sim/options.h"
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // The trace is the same bytes everywhere: no carriage returns added.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    vz::SimCommandLine line;
    if (auto status = vz::ParseSimCommandLine(argc, argv, "verezerud-sim", line)) return *status;
    if (line.options.live_input) {
        std::cerr << "verezerud-sim: --live-input is for verezerud-sim-gui\n";
        return 2;
    }
    vz::Simulator sim(line.options, std::cout, std::cerr);
    return sim.Run(*line.input);
}

// verezerud-sim: the program's behaviour in virtual time, from a script.

#include <iostream>

#include "os/console.h"
#include "sim/options.h"

int main(int argc, char** argv) {
    vz::BinaryStandardStreams();  // the trace is the same bytes everywhere
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

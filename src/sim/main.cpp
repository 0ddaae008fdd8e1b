// verezerud-sim: the program's behaviour in virtual time, from a script.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "sim/simulator.h"

namespace {

void Usage(std::ostream& out) {
    out << "usage: verezerud-sim [--data-dir DIR] [--screen WIDTHxHEIGHT] [SCRIPT]\n"
           "Runs a script of commands (start, wait D, click T, hover T, choose ITEM,\n"
           "dismiss, select W.COMBO N, key K, stop, print X) in virtual time and\n"
           "prints each observable effect as '<ms> <effect>'. See docs/simulator.md.\n";
}

bool ParseScreen(const std::string& text, vz::Screen& screen) {
    int w = 0, h = 0;
    char x = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &extra) != 3 || x != 'x' || w <= 0 ||
        h <= 0 || w > 100000 || h > 100000)
        return false;
    screen.width_px = w;
    screen.height_px = h;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    vz::SimOptions options;
    std::string script;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            Usage(std::cout);
            return 0;
        }
        if (arg == "--data-dir" && i + 1 < argc) {
            options.data_dir = argv[++i];
        } else if (arg == "--screen" && i + 1 < argc) {
            if (!ParseScreen(argv[++i], options.screen)) {
                std::cerr << "verezerud-sim: bad screen size: " << argv[i] << '\n';
                return 2;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            Usage(std::cerr);
            return 2;
        } else if (script.empty()) {
            script = arg;
        } else {
            Usage(std::cerr);
            return 2;
        }
    }
    vz::Simulator sim(options, std::cout, std::cerr);
    if (script.empty()) return sim.Run(std::cin);
    std::ifstream in(script);
    if (!in) {
        std::cerr << "verezerud-sim: cannot read " << script << '\n';
        return 2;
    }
    return sim.Run(in);
}

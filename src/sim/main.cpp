// verezerud-sim: the program's behaviour in virtual time, from a script.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "sim/simulator.h"
#ifdef VEREZERUD_GUI
#include "qt/gui_sim.h"
#endif

namespace {

void Usage(std::ostream& out) {
    out << "usage: verezerud-sim [--data-dir DIR] [--screen WIDTHxHEIGHT] [--gui [--live-input]]\n"
           "                     [SCRIPT]\n"
           "Runs a script of commands (start, wait D, click T, hover T, choose ITEM,\n"
           "dismiss, select W.COMBO N, key K, stop, print X) in virtual time and\n"
           "prints each observable effect as '<ms> <effect>'. See docs/simulator.md.\n"
           "--gui shows the real windows on the display and sends the user's input\n"
           "to them as real input events; there `snap FILE` saves the screen as PNG.\n"
           "--live-input lets the display's own pointer and keyboard reach the windows\n"
           "too, and the rest screen hold the keyboard as the program's does.\n";
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
    bool gui = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            Usage(std::cout);
            return 0;
        }
        if (arg == "--gui") {
            gui = true;
        } else if (arg == "--live-input") {
            options.live_input = true;
        } else if (arg == "--data-dir" && i + 1 < argc) {
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
    if (options.live_input && !gui) {
        Usage(std::cerr);
        return 2;
    }
    std::ifstream file;
    if (!script.empty()) {
        file.open(script);
        if (!file) {
            std::cerr << "verezerud-sim: cannot read " << script << '\n';
            return 2;
        }
    }
    std::istream& in = script.empty() ? std::cin : file;
    if (gui) {
#ifdef VEREZERUD_GUI
        return vz::RunGuiSimulator(options, in, 1, argv);
#else
        std::cerr << "verezerud-sim: built without the Qt front end; --gui is not available\n";
        return 2;
#endif
    }
    vz::Simulator sim(options, std::cout, std::cerr);
    return sim.Run(in);
}

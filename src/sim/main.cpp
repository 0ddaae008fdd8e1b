// verezerud-sim: the program's behaviour in virtual time, from a script.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "platform/native_path.h"
#include "sim/simulator.h"
#ifdef VEREZERUD_GUI
#include "qt/gui_sim.h"
#endif
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

void Usage(std::ostream& out) {
    out << "usage: verezerud-sim [--data-dir DIR] [--screen WIDTHxHEIGHT] [--gui] [SCRIPT]\n"
           "Runs a script of commands (start, wait D, click T, hover T, choose ITEM,\n"
           "dismiss, select W.COMBO N, key K, stop, print X) in virtual time and\n"
           "prints each observable effect as '<ms> <effect>'. See docs/simulator.md.\n"
           "--gui shows the real windows on the display and sends the user's input\n"
           "to them as real input events; there `snap FILE` saves the screen as PNG.\n";
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

#ifdef _WIN32
// The arguments as UTF-8, whatever the code page: Windows hands the C runtime
// its arguments in the local code page, which cannot name every folder.
std::vector<std::string> Arguments(int argc, char** argv) {
    std::vector<std::string> out;
    int n = 0;
    if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &n)) {
        for (int i = 0; i < n; ++i) out.push_back(vz::Narrow(wide[i]));
        ::LocalFree(wide);
        return out;
    }
    return std::vector<std::string>(argv, argv + argc);
}
#else
std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The trace is the same bytes everywhere: no carriage returns added.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args = Arguments(argc, argv);
    vz::SimOptions options;
    std::string script;
    bool gui = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            Usage(std::cout);
            return 0;
        }
        if (arg == "--gui") {
            gui = true;
        } else if (arg == "--data-dir" && i + 1 < args.size()) {
            options.data_dir = args[++i];
        } else if (arg == "--screen" && i + 1 < args.size()) {
            if (!ParseScreen(args[++i], options.screen)) {
                std::cerr << "verezerud-sim: bad screen size: " << args[i] << '\n';
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
    std::ifstream file;
    if (!script.empty()) {
        file.open(vz::NativePath(script));
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

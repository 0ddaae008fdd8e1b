#include "sim/options.h"

#include <cstdio>
#include <iostream>
#include <vector>

#include "os/console.h"
#include "os/path.h"

namespace vz {
namespace {

void Usage(std::ostream& out, const char* program) {
    out << "usage: " << program << " [--data-dir DIR] [--screen WIDTHxHEIGHT] [--set KEY=VALUE]...\n"
           "       [SCRIPT]\n"
           "Runs a script of commands (start, wait D, click T, hover T, choose ITEM,\n"
           "dismiss, select W.COMBO N, key K, stop, print X, put/mkdir/remove NAME,\n"
           "away, back, lock, unlock, sleep D, busy on|off) in virtual time and prints\n"
           "each observable effect as '<ms> <effect>'. --set sets an option for the run\n"
           "(no options file is read).\n"
           "verezerud-sim-gui does the same with the real windows on the display,\n"
           "where `snap FILE` saves the screen as PNG, and where --live-input lets the\n"
           "display's own pointer and keyboard reach the windows too, and the rest\n"
           "screen hold the keyboard as the program's does. verezerud-sim-win32 does it\n"
           "with the Windows windows, and saves `snap FILE` as BMP. See docs/simulator.md.\n";
}

bool ParseScreen(const std::string& text, Screen& screen) {
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

std::optional<int> ParseSimCommandLine(int argc, char** argv, const char* program,
                                       SimCommandLine& line) {
    const std::vector<std::string> args = CommandLineArguments(argc, argv);
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            Usage(std::cout, program);
            return 0;
        }
        if (arg == "--gui") {
            std::cerr << program << ": the real windows are shown by verezerud-sim-gui\n";
            return 2;
        }
        if (arg == "--live-input") {
            line.options.live_input = true;
        } else if (arg == "--data-dir" && i + 1 < args.size()) {
            line.options.data_dir = args[++i];
        } else if (arg == "--set" && i + 1 < args.size()) {
            line.options.sets.push_back(args[++i]);
        } else if (arg == "--screen" && i + 1 < args.size()) {
            if (!ParseScreen(args[++i], line.options.screen)) {
                std::cerr << program << ": bad screen size: " << args[i] << '\n';
                return 2;
            }
        } else if ((!arg.empty() && arg[0] == '-') || !line.script.empty()) {
            Usage(std::cerr, program);
            return 2;
        } else {
            line.script = arg;
        }
    }
    if (line.script.empty()) {
        line.input = &std::cin;
        return std::nullopt;
    }
    line.file.open(NativePath(line.script));
    if (!line.file) {
        std::cerr << program << ": cannot read " << line.script << '\n';
        return 2;
    }
    line.input = &line.file;
    return std::nullopt;
}

void SayIfScreenDiffers(const char* program, int width, int height, const Screen& wanted) {
    if (width == wanted.width_px && height == wanted.height_px) return;
    std::cerr << program << ": the screen is " << width << 'x' << height << ", the script's "
              << wanted.width_px << 'x' << wanted.height_px << '\n';
}

}  // namespace vz

// verezerud-sim-win32: the simulator's scripts with the program's real
// Win32 windows on screen, the user's input sent to them as window messages,
// in virtual time. It prints the same trace as verezerud-sim.

#include <windows.h>

#include <iostream>
#include <string>

#include "app/program.h"
#include "os/console.h"
#include "sim/options.h"
#include "sim/simulator.h"
#include "win32/renderer.h"
#include "win32/script_driver.h"

int main(int argc, char** argv) {
    using namespace vz;
    BinaryStandardStreams();  // the trace is the same bytes everywhere
    SimCommandLine command_line;
    if (auto status = ParseSimCommandLine(argc, argv, "verezerud-sim-win32", command_line))
        return *status;
    std::ifstream file;
    std::istream* opened = OpenScript(command_line, "verezerud-sim-win32", file);
    if (!opened) return 2;
    std::istream& script = *opened;
    const SimOptions& options = command_line.options;

    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    if (width != options.screen.width_px || height != options.screen.height_px)
        std::cerr << "verezerud-sim-win32: the screen is " << width << 'x' << height
                  << ", the script's " << options.screen.width_px << 'x'
                  << options.screen.height_px << '\n';
    Simulator sim(options, std::cout, std::cerr);
    win32::Renderer renderer(sim.program().runtime());
    win32::ScriptDriver driver(sim, renderer, script, options.live_input);
    return driver.Run();
}

// verezerud-sim-win32: the simulator's scripts with the program's real
// Win32 windows on screen, the user's input sent to them as window messages,
// in virtual time. It prints the same trace as verezerud-sim.

#include <windows.h>

#include <iostream>
#include <string>

#include "app/program.h"
#include "frontend/presenter.h"
#include "os/console.h"
#include "sim/options.h"
#include "sim/simulator.h"
#include "win32/display.h"
#include "win32/front_end.h"
#include "win32/script_driver.h"

int main(int argc, char** argv) {
    using namespace vz;
    BinaryStandardStreams();  // the trace is the same bytes everywhere
    SimCommandLine command_line;
    if (auto status = ParseSimCommandLine(argc, argv, "verezerud-sim-win32", command_line))
        return *status;
    const SimOptions& options = command_line.options;
    // The script's screen is in pixels at 96 dots per inch; the windows are
    // drawn at the display's.
    const win32::Display display = win32::PrimaryDisplay();
    SayIfScreenDiffers("verezerud-sim-win32", display.width, display.height, options.screen);
    // With the display's input, what it does is written at once, for a watcher.
    if (options.live_input) std::cout << std::unitbuf;
    Simulator sim(options, std::cout, std::cerr);
    win32::Win32FrontEnd front_end;
    Presenter presenter(sim.program().runtime(), front_end, display.dpi);
    win32::ScriptDriver driver(sim, presenter, front_end, *command_line.input, options.live_input);
    return driver.Run();
}

// verezerud-sim-gui: the simulator's scripts with the program's real windows on
// screen, the user's input sent to them as real input events, in virtual time.

#include <QApplication>
#include <QScreen>
#include <iostream>
#include <string>

#include "app/program.h"
#include "frontend/presenter.h"
#include "qt/front_end.h"
#include "qt/gui_driver.h"
#include "qt/platform_choice.h"
#include "sim/options.h"
#include "sim/simulator.h"

int main(int argc, char** argv) {
    using namespace vz;
    SimCommandLine command_line;
    if (auto status = ParseSimCommandLine(argc, argv, "verezerud-sim-gui", command_line))
        return *status;
    const SimOptions& options = command_line.options;

    const qt::PlatformChoice platform = qt::ChoosePlatform();
    if (!platform.has_display && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);  // still runs, with nothing to look at
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    Simulator sim(options, std::cout, std::cerr);
    // The model's screen, as the script gave it, from the primary monitor's corner.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        SayIfScreenDiffers("verezerud-sim-gui", screen->geometry().width(),
                           screen->geometry().height(), options.screen);
    const QSize size(options.screen.width_px, options.screen.height_px);
    // The display's own keyboard reaches the windows only with --live-input;
    // only then does the rest screen hold it, as the program's does.
    qt::QtFrontEnd front_end(size, options.live_input);
    Presenter presenter(sim.program().runtime(), front_end);
    qt::ScriptedInputOnly input_filter;
    if (!options.live_input) app.installEventFilter(&input_filter);
    qt::GuiDriver driver(sim, presenter, front_end);

    std::string line;
    int number = 0;
    while (std::getline(*command_line.input, line)) {
        if (!driver.RunLine(line, ++number)) return 2;
        std::cout.flush();
    }
    std::cout.flush();
    return 0;
}

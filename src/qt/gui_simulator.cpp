// verezerud-sim --gui: the scripted run with the real front end on screen.

#include <QApplication>
#include <QScreen>
#include <iostream>
#include <string>

#include "app/program.h"
#include "qt/gui_driver.h"
#include "qt/gui_sim.h"
#include "qt/platform_choice.h"
#include "qt/renderer.h"
#include "sim/simulator.h"

namespace vz {

int RunGuiSimulator(const SimOptions& options, std::istream& script, int argc, char** argv) {
    const qt::PlatformChoice platform = qt::ChoosePlatform();
    if (!platform.has_display && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);  // still runs, with nothing to look at
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    Simulator sim(options, std::cout, std::cerr);
    QScreen* screen = QGuiApplication::primaryScreen();
    // The model's screen, as the script gave it, from the primary monitor's corner.
    const QSize size(options.screen.width_px, options.screen.height_px);
    if (screen && screen->geometry().size() != size)
        std::cerr << "verezerud-sim: the screen is " << screen->geometry().width() << 'x'
                  << screen->geometry().height() << ", the script's " << size.width() << 'x'
                  << size.height() << '\n';
    // The display's own keyboard reaches the windows only with --live-input;
    // only then does the rest screen hold it, as the program's does.
    qt::Renderer renderer(sim.program().runtime(), size, options.live_input);
    qt::ScriptedInputOnly input_filter;
    if (!options.live_input) app.installEventFilter(&input_filter);
    qt::GuiDriver driver(sim, renderer);

    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        if (!driver.RunLine(line, ++number)) return 2;
        std::cout.flush();
    }
    std::cout.flush();
    return 0;
}

}  // namespace vz

// verezerud-sim-gui: the simulator's scripts with the program's real windows on
// screen, the user's input sent to them as real input events, in virtual time.

#include <QApplication>
#include <QScreen>
#include <QSemaphore>
#include <iostream>
#include <string>
#include <thread>

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

    // The script is read on a thread of its own, a line at a time, so that the
    // windows go on living while it waits for its next line: the display's
    // own input (--live-input) and the front end's timers reach them as they
    // would in the program. Each line runs on this thread once the one before
    // it has finished.
    QSemaphore line_done;
    int number = 0;
    std::thread reader([&] {
        std::string line;
        while (std::getline(*command_line.input, line)) {
            QMetaObject::invokeMethod(&app, [&, line] {
                if (!driver.RunLine(line, ++number)) app.exit(2);
                std::cout.flush();
                line_done.release();
            }, Qt::QueuedConnection);
            line_done.acquire();
        }
        QMetaObject::invokeMethod(&app, [&] { app.exit(0); }, Qt::QueuedConnection);
    });
    const int status = app.exec();
    std::cout.flush();
    // A script stopped by an error may leave the reader waiting for input.
    if (status != 0) std::_Exit(status);
    reader.join();
    return status;
}

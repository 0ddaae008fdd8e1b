// verezerud: the break reminder on the desktop. It runs until the session
// ends (or SIGTERM, SIGINT or SIGHUP), with its reminder window hidden until
// the first reminder of the hour.

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <utility>

#include "app/program.h"
#include "platform/instance_lock.h"
#include "platform/real_disk.h"
#include "qt/data_folder.h"
#include "qt/platform_choice.h"
#include "qt/pulse_sound_player.h"
#include "qt/qt_resources.h"
#include "qt/real_time_scheduler.h"
#include "qt/renderer.h"
#include "qt/stop_signals.h"

namespace {

constexpr const char* kVersionLine = "Verezerud " VEREZERUD_VERSION;

void Usage(std::ostream& out) {
    out << "usage: verezerud [--help] [--version]\n"
           "Reminds you to rest at the end of every hour of computer use and counts the\n"
           "hours. With no arguments it runs until the desktop session ends. Its files\n"
           "are kept in $XDG_DATA_HOME/verezerud (by default ~/.local/share/verezerud).\n"
           "To try it without waiting an hour, use the simulator: verezerud-sim --help\n";
}

// What must still happen if the program is ended by exit() from inside Qt,
// as when the display goes away at the end of the session.
std::function<void()> g_at_exit;
void RunAtExit() {
    if (auto last = std::exchange(g_at_exit, nullptr)) last();
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            Usage(std::cout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::cout << kVersionLine << '\n';
            return 0;
        }
        Usage(std::cerr);
        return 2;
    }

    // Without a display, one line that says what is missing and what to do.
    const vz::qt::PlatformChoice platform = vz::qt::ChoosePlatform();
    const std::string no_display =
        platform.has_display ? vz::qt::DisplayProblem() : platform.notice;
    if (!no_display.empty()) {
        std::cerr << no_display << '\n';
        return 1;
    }
    if (!platform.notice.empty()) std::cerr << platform.notice << '\n';
    const std::string folder = vz::qt::DataFolder();
    std::string why;
    if (folder.empty() || !vz::qt::MakeDataFolder(folder, why)) {
        std::cerr << "verezerud: cannot make the data folder " << folder << ": " << why << '\n';
        return 1;
    }

    // One program per data folder, or every hour would be counted twice.
    vz::InstanceLock lock(folder);
    if (lock.state() == vz::InstanceLock::State::HeldElsewhere) {
        // Not a failure: the one that runs keeps reminding and counting.
        std::cerr << "Verezerud is already running (data folder " << folder << ")\n";
        return 0;
    }
    if (lock.state() == vz::InstanceLock::State::Failed)
        std::cerr << "verezerud: cannot lock " << folder << " (" << lock.error()
                  << "); going on without the lock\n";

    // The windows change little and seldom; drawn without shared-memory images,
    // a repaint needs no round trip to the X server, which woke the program
    // twice more for every blink of the rest screen's slogan.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("verezerud"));
    QApplication::setApplicationVersion(QStringLiteral(VEREZERUD_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);  // the reminder is hidden most of the time
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/verezerud-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    // The program's screen is the primary monitor as it is at the start.
    QScreen* primary = QGuiApplication::primaryScreen();
    const QSize screen = primary ? primary->geometry().size() : QSize(1920, 1080);
    vz::Screen model_screen;
    model_screen.width_px = screen.width();
    model_screen.height_px = screen.height();

    vz::RealTimeScheduler scheduler;
    vz::RealDisk disk(folder);
    vz::PulseSoundPlayer sound;
    vz::QtResources resources;
    const std::string decimal = QLocale().decimalPoint().toStdString();
    vz::Program program(vz::Services{scheduler, disk, sound, resources, model_screen, decimal});
    vz::Runtime& runtime = program.runtime();
    vz::qt::Renderer renderer(runtime, screen);

    // The program reports a failure and, for one it cannot go on from, ends.
    renderer.on_error = [&](const std::string& message) {
        std::cerr << "verezerud: " << message << '\n';
        QTimer::singleShot(0, &app, [&app, &runtime, message] {
            if (runtime.Running()) return;
            QMessageBox::critical(nullptr, QStringLiteral("Verezerud"),
                                  QString::fromStdString(message));
            app.exit(1);
        });
    };

    // The end of the session, or a signal, unloads the reminder window once:
    // it credits the unfinished hour, and the program ends.
    const auto stop = [&] {
        if (runtime.Running()) program.Stop();
        app.quit();
    };
    vz::qt::StopSignals stop_signals([&](int) { stop(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [&](QSessionManager&) { stop(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [&] {
        if (runtime.Running()) program.Stop();
    });

    program.Start();
    if (!runtime.Running()) return 1;  // start-up failed and has been reported
    // Qt ends the program with exit() when its display connection breaks: the
    // unfinished hour is credited then too, with no window left to update.
    g_at_exit = [&] {
        runtime.RemoveObserver(&renderer);
        if (runtime.Running()) program.Stop();
    };
    std::atexit(RunAtExit);
    const int status = app.exec();
    g_at_exit = nullptr;
    return status;
}

// verezerud: the break reminder on the desktop. It runs until the session
// ends (or SIGTERM, SIGINT or SIGHUP), with its reminder window hidden until
// the first reminder of the hour.

#include <QApplication>
#include <cstring>
#include <iostream>
#include <memory>
#include <vector>

#include "app/program.h"
#include "os/data_folder.h"
#include "os/instance_lock.h"
#include "os/option_files.h"
#include "qt/desktop_program.h"
#include "qt/platform_choice.h"
#include "qt/program_icon.h"
#include "qt/real_time_scheduler.h"

namespace {

constexpr const char* kVersionLine = "Verezerud " VEREZERUD_VERSION;

void Usage(std::ostream& out) {
    out << "usage: verezerud [--help] [--version] [--options] [--set KEY=VALUE]...\n"
           "Reminds you to rest at the end of every hour of computer use and counts the\n"
           "hours. With no arguments it runs until the desktop session ends. Its files\n"
           "are kept in $XDG_DATA_HOME/verezerud (by default ~/.local/share/verezerud),\n"
           "its options in $XDG_CONFIG_HOME/verezerud/verezerud.conf; --set sets one for\n"
           "this run, --options prints them and where each value came from.\n"
           "To try it without waiting an hour, use the simulator: verezerud-sim --help\n";
}

// What --options shows: the options, then every presence source, started so
// that each can say whether it works here (on the display when there is one,
// and on the buses).
void PrintOptions(const vz::Options& options, int& argc, char** argv) {
    for (const std::string& problem : options.Problems()) std::cerr << "verezerud: " << problem << '\n';
    class Unheard : public vz::PresenceSink {
        void Tell(vz::Presence, std::int64_t) override {}
    } sink;
    const vz::qt::PlatformChoice platform = vz::qt::ChoosePlatform();
    std::unique_ptr<QCoreApplication> app;
    if (platform.has_display && vz::qt::DisplayProblem().empty())
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    vz::RealTimeScheduler scheduler;
    auto sources = vz::qt::DesktopPresenceSources(scheduler, nullptr);
    for (auto& source : sources) source->Start(sink);
    for (const std::string& line : vz::OptionsReport(options, sources)) std::cout << line << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    vz::Options options;
    vz::ReadOptionFiles(options);
    bool print_options = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--set") && i + 1 < argc) {
            options.SetFromCommandLine(argv[++i]);
            continue;
        }
        if (!std::strcmp(argv[i], "--options")) {
            print_options = true;
            continue;
        }
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
    if (print_options) {
        PrintOptions(options, argc, argv);
        return 0;
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
    const std::string folder = vz::DataFolder();
    std::string why;
    if (folder.empty() || !vz::MakeDataFolder(folder, why)) {
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
    vz::qt::ProgramIcon icon;  // given to the first window shown

    return vz::qt::DesktopProgram(app, folder, std::move(options)).Run();
}

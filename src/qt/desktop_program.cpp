#include "qt/desktop_program.h"

#include "qt/desktop_presence.h"

#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <utility>

#include "qt/desktop_motion.h"

namespace vz::qt {
namespace {

// What must still happen if the program is ended by exit() from inside Qt,
// as when the display goes away at the end of the session.
std::function<void()> g_at_exit;
void RunAtExit() {
    if (auto last = std::exchange(g_at_exit, nullptr)) last();
}

}  // namespace

std::vector<std::unique_ptr<PresenceSource>> DesktopPresenceSources(const Scheduler& scheduler,
                                                                    const Options* options) {
    // The rest lasts a minute at least, and an away told late is dated back to
    // the last input: a minute without input is soon enough for any rest.
    constexpr std::int64_t kAwayAfterMs = 60'000;
    PresenceWanted wanted;
    if (options) {
        wanted.absence = options->On("away-counts-as-rest");
        wanted.busy = options->On("hold-while-busy");
    }
    return MakeDesktopPresence(scheduler, kAwayAfterMs, wanted);
}

DesktopProgram::DesktopProgram(QApplication& app, const std::string& folder, Options options)
    : app_(app), disk_(folder) {
    // The program's screen is the primary monitor as it is at the start.
    QScreen* primary = QGuiApplication::primaryScreen();
    const QSize size = primary ? primary->geometry().size() : QSize(1920, 1080);
    Screen screen;
    screen.width_px = size.width();
    screen.height_px = size.height();
    const std::string decimal = QLocale().decimalPoint().toStdString();
    program_ = std::make_unique<Program>(
        Services{scheduler_, disk_, sound_, resources_, screen, decimal}, std::move(options));
    for (auto& source : DesktopPresenceSources(scheduler_, &program_->options()))
        program_->AddPresenceSource(std::move(source));
    if (const auto motion = ParseMotion(program_->options().Get("motion")))
        program_->SetMotion(MotionFor(*motion));
    front_end_ = std::make_unique<QtFrontEnd>(size);
    presenter_ = std::make_unique<Presenter>(program_->runtime(), *front_end_);

    // The program reports a failure and, for one it cannot go on from, ends.
    presenter_->on_error = [this](const std::string& message) {
        std::cerr << "verezerud: " << message << '\n';
        QTimer::singleShot(0, &app_, [this, message] {
            if (program_->runtime().Running()) return;
            QMessageBox::critical(nullptr, QStringLiteral("Verezerud"), QString::fromStdString(message));
            app_.exit(1);
        });
    };

    // The end of the session, or a signal, unloads the reminder window once:
    // it credits the unfinished hour, and the program ends.
    stop_signals_ = std::make_unique<StopSignals>([this](int) {
        Stop();
        app_.quit();
    });
    QObject::connect(&app_, &QGuiApplication::commitDataRequest, &app_, [this](QSessionManager&) {
        Stop();
        app_.quit();
    });
    QObject::connect(&app_, &QCoreApplication::aboutToQuit, &app_, [this] { Stop(); });
}

DesktopProgram::~DesktopProgram() { g_at_exit = nullptr; }

void DesktopProgram::Stop() {
    if (program_->runtime().Running()) program_->Stop();
}

int DesktopProgram::Run() {
    program_->Start();
    if (!program_->runtime().Running()) return 1;  // start-up failed and has been reported
    // Qt ends the program with exit() when its display connection breaks: the
    // unfinished hour is credited then too, with no window left to update.
    g_at_exit = [this] {
        program_->runtime().RemoveObserver(presenter_.get());
        Stop();
    };
    std::atexit(RunAtExit);
    return app_.exec();
}

}  // namespace vz::qt

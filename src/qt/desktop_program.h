#pragma once
// The program on the desktop: owns its parts (real time, the data folder, the
// chime, the resources, the program and its windows), wires them together and
// runs until the session ends, a stop signal comes or the display goes away.

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "os/chime_player.h"
#include "os/real_disk.h"
#include "qt/qt_resources.h"
#include "qt/real_time_scheduler.h"
#include "frontend/presenter.h"
#include "qt/front_end.h"
#include "qt/stop_signals.h"

namespace vz::qt {

// The presence sources this desktop offers: those the options call for, or
// every one when `options` is null (for --options, which says what each would
// watch here).
std::vector<std::unique_ptr<PresenceSource>> DesktopPresenceSources(const Scheduler& scheduler,
                                                                    const Options* options);

class DesktopProgram {
public:
    // On the primary monitor as it is now, with its files in `folder`.
    DesktopProgram(QApplication& app, const std::string& folder, Options options);
    ~DesktopProgram();

    // Starts the program and runs the event loop; the exit status.
    int Run();

private:
    void Stop();

    QApplication& app_;
    RealTimeScheduler scheduler_;
    RealDisk disk_;
    ChimePlayer sound_;
    QtResources resources_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<QtFrontEnd> front_end_;
    std::unique_ptr<Presenter> presenter_;
    std::unique_ptr<StopSignals> stop_signals_;
};

}  // namespace vz::qt

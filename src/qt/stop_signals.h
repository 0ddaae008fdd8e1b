#pragma once
// SIGTERM, SIGINT and SIGHUP end the program the way a log-off does. The
// handler only writes the signal's number to a pipe; the event loop reads it
// and stops the program there, between two events, like any other input.

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace vz::qt {

class StopSignals : public QObject {
public:
    explicit StopSignals(std::function<void(int signal)> on_signal);
    ~StopSignals() override;
    bool Ok() const { return notifier_ != nullptr; }

private:
    void Read();
    std::function<void(int)> on_signal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace vz::qt

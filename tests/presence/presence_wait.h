#pragma once
// What the sources' tests share: a sink that notes when each thing was told,
// waits that run the event loop, and programs run to their end.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <string>

#include "platform/scheduler.h"
#include "recording_sink.h"

namespace vz::test {

// Also notes the scheduler's time at which each thing was told.
struct TimedSink : RecordingSink {
    explicit TimedSink(const Scheduler& scheduler) : scheduler(scheduler) {}
    void Tell(Presence what, std::int64_t at_ms) override {
        RecordingSink::Tell(what, at_ms);
        heard_ms.push_back(scheduler.NowMs());
    }
    const Scheduler& scheduler;
    std::vector<std::int64_t> heard_ms;
};

constexpr int kWaitLimitMs = 10000;

// Runs the event loop until `done` holds (checked after every event, and
// every 20 ms for what no event announces) or the limit passes.
template <class Condition>
bool RunUntil(Condition done, int limit_ms = kWaitLimitMs) {
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.start(20);
    while (!done()) {
        if (clock.elapsed() > limit_ms) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Waits for the `count`th thing told, and whether it is `word`.
inline bool WaitForTold(const RecordingSink& sink, std::size_t count, const std::string& word,
                        int limit_ms = kWaitLimitMs) {
    return RunUntil([&] { return sink.told.size() >= count; }, limit_ms) &&
           Word(sink.told[count - 1].what) == word;
}

inline QString Output(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

}  // namespace vz::test

#pragma once
// Runs Qt's event loop until a condition holds or a real-time limit passes.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace vz::test {

template <class Condition>
bool RunEventsUntil(Condition done, int limit_ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limit_ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

inline void RunEventsFor(int ms) {
    RunEventsUntil([] { return false; }, ms);
}

}  // namespace vz::test

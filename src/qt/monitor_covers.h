#pragma once
// While the rest screen is up on the primary monitor, every other monitor is
// dark too: a plain black window covers each, borderless, above other
// windows and out of the task bar, as the rest screen is. A click on one does
// what a click on the rest screen's own surface does. Monitors plugged in,
// unplugged or resized meanwhile are covered or released at once.

#include <QObject>
#include <QPointer>
#include <map>

#include "qt/input_sink.h"

class QScreen;

namespace vz::qt {

class PointerWidget;

class MonitorCovers : public QObject {
public:
    MonitorCovers();
    ~MonitorCovers() override;

    // Covers the monitors other than the primary one while `rest` (the rest
    // screen, which input on a cover goes to) is set; releases them all when
    // it is nullptr.
    void Cover(InputSink* rest);
    bool Covering() const { return rest_ != nullptr; }
    // Puts the covers above other windows again (the rest screen goes above them).
    void Raise();
    // Follows a change of the monitors or of which one is the primary.
    void Refresh();

private:
    void Place(QScreen* screen, PointerWidget* cover);

    InputSink* rest_ = nullptr;
    std::map<QScreen*, QPointer<PointerWidget>> covers_;
};

}  // namespace vz::qt

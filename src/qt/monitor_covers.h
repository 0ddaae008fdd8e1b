#pragma once
// While the rest screen is up on the primary monitor, every other monitor is
// dark too: a plain black window covers each, borderless, above other
// windows and out of the task bar, as the rest screen is. A click on one does
// what a click on the rest screen's own surface does. Monitors plugged in,
// unplugged or resized meanwhile are covered or released at once.

#include <QObject>
#include <QPointer>
#include <map>
#include <string>

class QScreen;

namespace vz::qt {

class InputSink;
class PointerWidget;

class MonitorCovers : public QObject {
public:
    explicit MonitorCovers(InputSink& sink);
    ~MonitorCovers() override;

    // Covers the monitors other than the primary one while `target` (the rest
    // screen's name, which clicks on a cover are reported as) is not empty;
    // releases them all when it is empty.
    void Cover(const std::string& target);
    bool Covering() const { return !target_.empty(); }
    // Puts the covers above other windows again (the rest screen goes above them).
    void Raise();
    // Follows a change of the monitors or of which one is the primary.
    void Refresh();

private:
    void Place(QScreen* screen, PointerWidget* cover);

    InputSink& sink_;
    std::string target_;
    std::map<QScreen*, QPointer<PointerWidget>> covers_;
};

}  // namespace vz::qt

#pragma once
// Runs simulator scripts against the Qt front end: the user's commands become
// real input events on the widgets (see sim/real_input.h), and `snap FILE`
// saves the whole screen as a PNG.

#include <QObject>
#include <string>

#include "sim/real_input.h"

namespace vz::qt {

class QtFrontEnd;

class GuiDriver : public RealInput {
public:
    GuiDriver(Simulator& sim, Presenter& presenter, QtFrontEnd& front_end);
    // Lets every window be drawn on screen.
    void Settle();

protected:
    bool OnScreen(Surface& surface) override;
    void Press(Surface& surface, Point at) override;
    void Move(Surface& surface, Point at) override;
    bool PickFromList(Surface& surface, ComboBox& combo, Point at, int position) override;
    bool ChooseItem(std::size_t index) override;
    bool CloseMenu() override;
    void SendKey(Surface& surface, Key key) override;
    bool Snap(const std::string& file) override;
    void AfterLine() override;

private:
    QtFrontEnd& front_end_;
};

// Keeps the real pointer and keyboard out of a scripted run: only the
// program's own input events reach the widgets.
class ScriptedInputOnly : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vz::qt

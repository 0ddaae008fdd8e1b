#pragma once
// Runs simulator commands against the real front end. The user's commands
// (click, hover, choose, dismiss, select, key) become real input events at
// the widget that shows their target, and reach the model only through the
// front end (see sim/real_input.h). `snap FILE` saves the whole screen as a PNG.

#include <QObject>
#include <string>

#include "sim/real_input.h"

namespace vz {
class Simulator;
}

namespace vz::qt {

class Renderer;
class FormWindow;

class GuiDriver : public RealInput {
public:
    GuiDriver(Simulator& sim, Renderer& renderer);
    // One script line; false on a script error, which has been reported.
    bool RunLine(const std::string& line, int line_number);
    // Lets every window be drawn on screen.
    void Settle();

    bool ClickOrHover(bool click, const Runtime::Target& target) override;
    bool Choose(const std::string& item) override;
    bool Dismiss() override;
    bool Select(const Runtime::Target& combo, int position) override;
    bool Key(const Form& to, const std::string& key) override;
    bool Snap(const std::string& file) override;

private:

    Simulator& sim_;
    Renderer& renderer_;
};

// Keeps the real pointer and keyboard out of a scripted run: only the
// program's own input events reach the widgets.
class ScriptedInputOnly : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vz::qt

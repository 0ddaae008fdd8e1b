#pragma once
// Runs simulator commands against the real front end. The user's commands
// (click, hover, choose, dismiss, select, key) become real input events at
// the widget that shows their target, and reach the model only through the
// front end; where no widget shows the target (a hidden or unloaded window)
// the model gets the input as the plain simulator gives it, so the trace is
// the same either way. `snap FILE` saves the whole screen as a PNG.

#include <QObject>
#include <string>
#include <vector>

namespace vz {
class Simulator;
}

namespace vz::qt {

class Renderer;
class FormWindow;

class GuiDriver {
public:
    GuiDriver(Simulator& sim, Renderer& renderer);
    // One script line; false on a script error, which has been reported.
    bool RunLine(const std::string& line, int line_number);
    // Lets every window be drawn on screen.
    void Settle();

private:
    // True when the command went in as real input; false leaves it to the simulator.
    bool Deliver(const std::vector<std::string>& words);
    bool ClickOrHover(bool click, const std::string& target);
    bool Choose(const std::string& item);
    bool Dismiss();
    bool Select(const std::string& target, const std::string& position);
    bool Key(const std::string& key);
    bool Snap(const std::string& file, int line_number);

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

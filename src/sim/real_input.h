#pragma once
// The simulator's script with a real front end on screen. The user's commands
// (click, hover, choose, dismiss, select, key) become real input on the real
// window that shows their target, and reach the model only through the front
// end; what no real window shows (a hidden or unloaded window, a control
// hidden or under another) goes to the model as the plain simulator gives
// it, so the trace is the same either way. `snap FILE` saves the screen.
// Which point of a window a click goes to is decided here, once; a toolkit
// only makes the input (a press and release, a key, a pick from a list).

#include <cstddef>
#include <string>

#include "frontend/pixels.h"
#include "platform/runtime.h"

namespace vz {

class ComboBox;
class Presenter;
class Simulator;
class Surface;
struct Command;

class RealInput {
public:
    RealInput(Simulator& sim, Presenter& presenter) : sim_(sim), presenter_(presenter) {}
    virtual ~RealInput() = default;
    RealInput(const RealInput&) = delete;
    RealInput& operator=(const RealInput&) = delete;

    // Runs one script line; false on a script error, which has been reported.
    bool RunLine(const std::string& line, int line_number);

protected:
    Presenter& presenter() const { return presenter_; }

    // What the toolkit does. Points are in the window, its frame included.
    // Whether the real window is on the display now.
    virtual bool OnScreen(Surface& surface) = 0;
    // A press and release of the left button at `at`, on whatever lies there.
    virtual void Press(Surface& surface, Point at) = 0;
    // The pointer moves to `at`.
    virtual void Move(Surface& surface, Point at) = 0;
    // Opens the list of `combo` (whose centre is `at`) and picks `position`.
    virtual bool PickFromList(Surface& surface, ComboBox& combo, Point at, int position) = 0;
    // Clicks the item at `index` of the open pop-up menu; false when none is open.
    virtual bool ChooseItem(std::size_t index) = 0;
    // Closes the open pop-up menu with Escape; false when none is open.
    virtual bool CloseMenu() = 0;
    // The key, to the window's control that has the keyboard.
    virtual void SendKey(Surface& surface, Key key) = 0;
    // Saves the whole screen to `file`; false when it cannot.
    virtual bool Snap(const std::string& file) = 0;
    // Lets the toolkit catch up after each line.
    virtual void AfterLine() {}

private:
    bool Deliver(const Command& command);
    // The real window that shows `form` on the display, if any.
    Surface* Shown(Form* form);
    bool ClickOrHover(bool click, const Target& target);
    bool Select(const Target& target, int position);
    bool Choose(const std::string& item);
    bool PressKey(Key key);

    Simulator& sim_;
    Presenter& presenter_;
    // Where the pointer was last moved to: a move to the same point tells nothing.
    Surface* moved_in_ = nullptr;
    Point moved_to_{-1, -1};
};

}  // namespace vz

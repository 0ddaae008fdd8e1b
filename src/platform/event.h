#pragma once
// What the runtime tells its observers: every observable effect, in order.
// The simulator prints `line`; the Qt front end re-renders the window concerned.

#include <string>

namespace vz {

class Form;
class Control;

enum class EventKind {
    Load,      // load W
    Unload,    // unload W
    Show,      // show W [modal owner=O]
    Hide,      // hide W
    Topmost,   // topmost W X Y CX CY
    Move,      // move W[.C] L T WIDTH HEIGHT
    Set,       // set W[.C].P V
    Chime,     // chime ID
    Popup,     // popup W MENU
    Write,     // write NAME HEX
    Error,     // error MESSAGE
    Ignored,   // ignored INPUT
    // Not traced: state a renderer needs that the program did not write.
    PopupClosed,
    UserSelect,  // the user picked a combo box item
    Items,       // a combo box's list changed
};

struct Event {
    EventKind kind;
    std::string line;  // trace text without the time; empty for untraced kinds
    Form* form = nullptr;
    Control* control = nullptr;
};

class Observer {
public:
    virtual ~Observer() = default;
    virtual void OnEvent(const Event& event) = 0;
};

}  // namespace vz

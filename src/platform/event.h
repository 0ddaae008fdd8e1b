#pragma once
// What the runtime tells its observers: every observable effect, in order,
// as data. The simulator writes each as a trace line; the front ends render
// the window concerned.

#include <string>

#include "platform/geometry.h"
#include "platform/placement.h"
#include "platform/sound.h"
#include "platform/value.h"

namespace vz {

class Form;
class Control;

enum class EventKind {
    Load,      // a window was created
    Unload,    // a window is being destroyed
    Show,      // shown; `owner` set when modal
    Hide,
    Topmost,   // put above all others: `pixels`
    Move,      // a window's or control's `geometry` changed (twips)
    Set,       // the program wrote property `name` = `value` (even unchanged)
    Chime,     // chime `id` handed to the sound player
    Popup,     // menu `name` popped up on `form`
    Write,     // data file `name` written; `bytes` is its whole content
    Error,     // a failure reported to the user: `text`
    Ignored,   // input the desktop would not deliver: `text`
    // State a renderer needs that the program did not write.
    PopupClosed,
    UserSelect,  // the user picked a combo box item
    Items,       // a combo box's list changed
    Role,        // a window's role changed (Form::Role)
};

struct Event {
    explicit Event(EventKind k, Form* f = nullptr, Control* c = nullptr)
        : kind(k), form(f), control(c) {}

    EventKind kind;
    Form* form = nullptr;        // the window concerned
    Control* control = nullptr;  // the control concerned, for Move and Set
    std::string name;            // Set: property; Popup: menu; Write: file
    Value value;                 // Set
    Geometry geometry;           // Move
    PixelRect pixels{};          // Topmost
    const Form* owner = nullptr;  // Show of a modal window
    std::string text;            // Error: message; Ignored: the input
    Bytes bytes;                 // Write
    int id = 0;                  // Chime
};

class Observer {
public:
    virtual ~Observer() = default;
    virtual void OnEvent(const Event& event) = 0;
};

}  // namespace vz

#pragma once
// Where the front end's widgets send what the user did on them: the control
// they show (nullptr for the window's own surface), never a name. The real
// window passes it on to the presenter, which hands it to the model.

#include <QPoint>

#include "platform/runtime.h"

namespace vz {
class ComboBox;
class Control;
}  // namespace vz

namespace vz::qt {

class InputSink {
public:
    virtual ~InputSink() = default;
    // `global` is where the pointer was, for a pop-up menu that the click opens.
    virtual void Click(Control* control, QPoint global) = 0;
    virtual void Hover(Control* control) = 0;
    virtual void Select(ComboBox& combo, int position) = 0;
    virtual void Press(Key key) = 0;
};

}  // namespace vz::qt

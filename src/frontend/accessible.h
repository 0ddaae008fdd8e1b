#pragma once
// What a screen reader is told of each window and control, decided once so
// that every front end says the same: a role, a name that is the text a
// sighted user reads there, and for a list its value and the labels around
// it. Also the texts spoken unasked when the reminder and the rest begin and
// end.

#include <string>

namespace vz {

class Control;
class Form;

enum class AccessibleRole {
    Window,        // the rest screen: a frame
    Dialog,        // a small window
    Notification,  // the banner: spoken as it appears
    Text,          // a label
    Button,
    ComboBox,
    Picture,
    Separator,  // a rule drawn on a window
};

struct Accessible {
    AccessibleRole role = AccessibleRole::Text;
    std::string name;
    // What else a sighted user reads about it: for a list, the unit after it.
    std::string description;
    // A list's chosen item, as it reads.
    std::string value;
    // The label that names a list; nullptr for none.
    const Control* labelled_by = nullptr;
    // A click does something: a screen reader may offer it as an action.
    bool acts = false;
};

Accessible Describe(const Form& form);
Accessible Describe(const Control& control);

// The lone word for each role, as a trace or a test writes it.
const char* RoleName(AccessibleRole role);

// Declines the banner from anywhere on the desktop while it is up.
inline constexpr const char* kDeclineKey = "Ctrl+Alt+N";

// Spoken unasked as the rest screen comes up and as it goes.
inline constexpr const char* kRestBegins = "The rest begins.";
inline constexpr const char* kRestEnds = "The rest is over.";

}  // namespace vz

#pragma once
// Which Qt platform the front end runs on. A window must place itself and
// stay above others, which an X11 display allows and a Wayland one does not,
// so a Wayland session is used through XWayland where it offers one.

#include <string>

namespace vz::qt {

struct PlatformChoice {
    bool has_display = false;  // there is some display to show windows on
    std::string notice;        // a line for standard error, or empty
};

// Looks at the environment and sets QT_QPA_PLATFORM where the choice is ours.
// Call it before the application object is made.
PlatformChoice ChoosePlatform();

// Whether the X11 display that DISPLAY names answers, when the choice is X11;
// true for any other platform, whose plugin reports its own failures.
bool DisplayAnswers();

}  // namespace vz::qt

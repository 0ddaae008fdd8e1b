#pragma once
// Which Qt platform the front end runs on. A window must place itself and
// stay above others, which an X11 display allows and a Wayland one does not,
// so a Wayland session is used through XWayland where it offers one.

#include <string>

namespace vz::qt {

struct PlatformChoice {
    bool has_display = false;  // there is some display to show windows on
    // One line for standard error, or empty. With a display, a warning; without
    // one, what is missing and what to do about it.
    std::string notice;
};

// Looks at the environment and sets QT_QPA_PLATFORM where the choice is ours.
// Call it before the application object is made.
PlatformChoice ChoosePlatform();

// Empty when the X11 display that DISPLAY names answers, or when the choice
// is not X11 (that platform's plugin reports its own failures); otherwise the
// one line that says so and what to do.
std::string DisplayProblem();

}  // namespace vz::qt

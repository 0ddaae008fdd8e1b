#pragma once
// Which Qt platform the front end runs on. A window must place itself and
// stay above others, which an X11 display allows and a Wayland one does not,
// so a Wayland session is used through XWayland where it offers one.

#include <QStringList>
#include <string>

namespace vz::qt {

// What the choice rests on: the session's variables and the folders Qt
// loads its plugins from.
struct Session {
    std::string qpa_platform;     // QT_QPA_PLATFORM: the user's own choice
    std::string display;          // DISPLAY: X11, XWayland on a Wayland session
    std::string wayland_display;  // WAYLAND_DISPLAY
    std::string session_type;     // XDG_SESSION_TYPE
    QStringList plugin_folders;   // QT_PLUGIN_PATH's and Qt's own
};

struct PlatformChoice {
    bool has_display = false;  // there is some display to show windows on
    std::string platform;      // for QT_QPA_PLATFORM; empty: Qt's own choice stands
    // One line for standard error, or empty. With a display, a warning; without
    // one, what is missing and what to do about it.
    std::string notice;
};

PlatformChoice ChoosePlatform(const Session& session);

// The session this program runs in.
Session CurrentSession();

// Whether the session is a Wayland one (its X11 display then is XWayland).
bool WaylandSession(const Session& session);

// Chooses for the current session and sets QT_QPA_PLATFORM where the choice
// is ours. Call it before the application object is made.
PlatformChoice ChoosePlatform();

// Empty when the X11 display that DISPLAY names answers, or when the choice
// is not X11 (that platform's plugin reports its own failures); otherwise the
// one line that says so and what to do.
std::string DisplayProblem();

}  // namespace vz::qt

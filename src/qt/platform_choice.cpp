#include "qt/platform_choice.h"

#include <QDir>
#include <QLibraryInfo>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace vz::qt {

namespace {
bool Set(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

// Whether Qt can show windows on Wayland itself here.
bool WaylandPluginInstalled() {
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    return !platforms.entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty();
}

constexpr const char* kTryTheSimulator =
    "; to try Verezerud without a display, run the simulator: verezerud-sim --help";
}  // namespace

PlatformChoice ChoosePlatform() {
    PlatformChoice choice;
    if (Set("QT_QPA_PLATFORM")) {  // chosen by whoever started us
        choice.has_display = true;
        return choice;
    }
    const bool x11 = Set("DISPLAY");
    const bool wayland = Set("WAYLAND_DISPLAY") ||
                         (Set("XDG_SESSION_TYPE") && std::strcmp(std::getenv("XDG_SESSION_TYPE"), "wayland") == 0);
    if (x11) {
        // On Wayland too: XWayland lets the windows place themselves and stay on top.
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        choice.has_display = true;
        return choice;
    }
    if (!wayland) {
        choice.notice = std::string(
                            "verezerud: no display to show the reminder on: DISPLAY is not set. "
                            "Start Verezerud from the desktop session, or set DISPLAY to its X "
                            "display") +
                        kTryTheSimulator;
        return choice;
    }
    if (!Set("WAYLAND_DISPLAY")) {
        choice.notice = std::string(
                            "verezerud: no display to show the reminder on: this Wayland session "
                            "sets neither DISPLAY (for XWayland) nor WAYLAND_DISPLAY. Start "
                            "Verezerud from the desktop session") +
                        kTryTheSimulator;
        return choice;
    }
    if (!WaylandPluginInstalled()) {
        choice.notice = std::string(
                            "verezerud: no display to show the reminder on: this Wayland session "
                            "offers no XWayland (DISPLAY is not set) and Qt's Wayland plugin is not "
                            "installed. Turn on XWayland in the desktop's settings (Debian package "
                            "xwayland), or install Qt's Wayland plugin (Debian package qt6-wayland)") +
                        kTryTheSimulator;
        return choice;
    }
    choice.has_display = true;
    choice.notice =
        "verezerud: this Wayland session offers no XWayland (DISPLAY is not set), so the reminder "
        "runs on Wayland itself, where it cannot keep itself above other windows or place itself "
        "on the screen; turn on XWayland (Debian package xwayland) for that";
    return choice;
}

std::string DisplayProblem() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || std::strncmp(platform, "xcb", 3) != 0) return {};
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool ok = c && xcb_connection_has_error(c) == 0;
    if (c) xcb_disconnect(c);
    if (ok) return {};
    const char* display = std::getenv("DISPLAY");
    return std::string("verezerud: no display to show the reminder on: the X display \"") +
           (display ? display : "") +
           "\" (DISPLAY) does not answer or refuses the connection. Start Verezerud from the "
           "desktop session, or set DISPLAY to a display that runs" +
           kTryTheSimulator;
}

}  // namespace vz::qt

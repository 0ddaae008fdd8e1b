#include "qt/platform_choice.h"

#include <QDir>
#include <QLibraryInfo>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace vz::qt {

namespace {

std::string Get(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// Whether Qt can show windows on Wayland itself here.
bool WaylandPluginInstalled(const QStringList& folders) {
    for (const QString& folder : folders)
        if (!QDir(folder + QStringLiteral("/platforms"))
                 .entryList({QStringLiteral("libqwayland*")}, QDir::Files)
                 .isEmpty())
            return true;
    return false;
}

constexpr const char* kTryTheSimulator =
    "; to try Verezerud without a display, run the simulator: verezerud-sim --help";

}  // namespace

bool WaylandSession(const Session& s) {
    return !s.wayland_display.empty() || s.session_type == "wayland";
}

PlatformChoice ChoosePlatform(const Session& s) {
    PlatformChoice choice;
    if (!s.qpa_platform.empty()) {  // chosen by whoever started us
        choice.has_display = true;
        return choice;
    }
    const bool wayland = WaylandSession(s);
    if (!s.display.empty()) {
        // On Wayland too: XWayland lets the windows place themselves and stay on top.
        choice.platform = "xcb";
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
    if (s.wayland_display.empty()) {
        choice.notice = std::string(
                            "verezerud: no display to show the reminder on: this Wayland session "
                            "sets neither DISPLAY (for XWayland) nor WAYLAND_DISPLAY. Start "
                            "Verezerud from the desktop session") +
                        kTryTheSimulator;
        return choice;
    }
    if (!WaylandPluginInstalled(s.plugin_folders)) {
        choice.notice = std::string(
                            "verezerud: no display to show the reminder on: this Wayland session "
                            "offers no XWayland (DISPLAY is not set) and Qt's Wayland plugin is not "
                            "installed. Turn on XWayland in the desktop's settings (Debian package "
                            "xwayland), or install Qt's Wayland plugin (Debian package qt6-wayland)") +
                        kTryTheSimulator;
        return choice;
    }
    choice.has_display = true;  // Qt's Wayland plugin, which Qt picks by itself
    choice.notice =
        "verezerud: this Wayland session offers no XWayland (DISPLAY is not set), so the reminder "
        "runs on Wayland itself, where it cannot keep itself above other windows or place itself "
        "on the screen; turn on XWayland (Debian package xwayland) for that";
    return choice;
}

Session CurrentSession() {
    Session s;
    s.qpa_platform = Get("QT_QPA_PLATFORM");
    s.display = Get("DISPLAY");
    s.wayland_display = Get("WAYLAND_DISPLAY");
    s.session_type = Get("XDG_SESSION_TYPE");
    // Qt looks in QT_PLUGIN_PATH's folders first, then in its own.
    for (const QString& f : QString::fromStdString(Get("QT_PLUGIN_PATH")).split(':', Qt::SkipEmptyParts))
        s.plugin_folders << f;
    s.plugin_folders << QLibraryInfo::path(QLibraryInfo::PluginsPath);
    return s;
}

PlatformChoice ChoosePlatform() {
    const PlatformChoice choice = ChoosePlatform(CurrentSession());
    if (!choice.platform.empty()) setenv("QT_QPA_PLATFORM", choice.platform.c_str(), 1);
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

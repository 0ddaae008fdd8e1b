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
    if (wayland && !x11) {
        choice.has_display = Set("WAYLAND_DISPLAY") && WaylandPluginInstalled();
        choice.notice =
            "verezerud: this Wayland session offers no XWayland (DISPLAY is not set); "
            "the reminder cannot keep itself above other windows or place itself on the screen";
        return choice;
    }
    if (x11) {
        // On Wayland too: XWayland lets the windows place themselves and stay on top.
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        choice.has_display = true;
    }
    return choice;
}

bool DisplayAnswers() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || std::strncmp(platform, "xcb", 3) != 0) return true;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool ok = c && xcb_connection_has_error(c) == 0;
    if (c) xcb_disconnect(c);
    return ok;
}

}  // namespace vz::qt

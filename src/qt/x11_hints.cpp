#include "qt/x11_hints.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <xcb/xcb.h>

namespace vz::qt {

namespace {

xcb_connection_t* Connection() {
    if (!qApp) return nullptr;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, uint16_t(strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

}  // namespace

bool OnX11() { return Connection() != nullptr; }

void SkipTaskbarAndPager(QWidget* window) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    const auto win = xcb_window_t(window->winId());
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    std::vector<xcb_atom_t> atoms;
    // Keep what is set already; Qt merges its own states the same way.
    const auto cookie = xcb_get_property(c, 0, win, state, XCB_ATOM_ATOM, 0, 1024);
    if (xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr)) {
        if (reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
            const auto* v = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
            atoms.assign(v, v + xcb_get_property_value_length(reply) / 4);
        }
        free(reply);
    }
    for (const char* name : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        const xcb_atom_t a = Atom(c, name);
        if (std::find(atoms.begin(), atoms.end(), a) == atoms.end()) atoms.push_back(a);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, state, XCB_ATOM_ATOM, 32,
                        uint32_t(atoms.size()), atoms.data());
    xcb_flush(c);
}

}  // namespace vz::qt

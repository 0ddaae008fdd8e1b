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

void SetStatesBeforeShow(QWidget* window, bool skip_taskbar, bool full_screen) {
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
    const auto want = [&](const char* name, bool on) {
        const xcb_atom_t a = Atom(c, name);
        const auto it = std::find(atoms.begin(), atoms.end(), a);
        if (on && it == atoms.end()) atoms.push_back(a);
        if (!on && it != atoms.end()) atoms.erase(it);
    };
    want("_NET_WM_STATE_SKIP_TASKBAR", skip_taskbar);
    want("_NET_WM_STATE_SKIP_PAGER", skip_taskbar);
    want("_NET_WM_STATE_FULLSCREEN", full_screen);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, state, XCB_ATOM_ATOM, 32,
                        uint32_t(atoms.size()), atoms.data());
    xcb_flush(c);
}

void RequestFullScreen(QWidget* window, bool on) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    // The window manager's protocol: a client message to the root window.
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window->winId());
    event.type = Atom(c, "_NET_WM_STATE");
    event.data.data32[0] = on ? 1 : 0;  // add or remove
    event.data.data32[1] = Atom(c, "_NET_WM_STATE_FULLSCREEN");
    event.data.data32[3] = 1;  // from an application
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_send_event(c, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
}

void ActivateAsPager(unsigned long window) {
    xcb_connection_t* c = Connection();
    if (!c || !window) return;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window);
    event.type = Atom(c, "_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 2;  // on the user's behalf, as a pager asks
    event.data.data32[1] = XCB_CURRENT_TIME;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_send_event(c, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
}

}  // namespace vz::qt

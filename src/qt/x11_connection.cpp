#include "qt/x11_connection.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vz::qt {

xcb_connection_t* X11Connection() {
    if (!qApp) return nullptr;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t X11Root(xcb_connection_t* c) { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root; }

xcb_atom_t X11Atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

void ListenTo(xcb_connection_t* c, xcb_window_t window, std::uint32_t mask) {
    // Errors taken here: another program's window may be gone, which is no
    // error for Qt to report.
    xcb_generic_error_t* error = nullptr;
    xcb_get_window_attributes_reply_t* now =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), &error);
    std::free(error);
    if (!now) return;
    const std::uint32_t wanted = now->your_event_mask | mask;
    const bool same = wanted == now->your_event_mask;
    std::free(now);
    if (same) return;
    std::free(xcb_request_check(c, xcb_change_window_attributes_checked(c, window, XCB_CW_EVENT_MASK, &wanted)));
}

X11Items X11Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
    X11Items items;
    xcb_generic_error_t* error = nullptr;
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 64), &error);
    std::free(error);
    if (reply && reply->format == 32) {
        items.count = std::min<std::uint32_t>(std::uint32_t(xcb_get_property_value_length(reply) / 4), 64);
        std::memcpy(items.item, xcb_get_property_value(reply), items.count * 4);
    }
    std::free(reply);
    return items;
}

}  // namespace vz::qt

#include "qt/decline_key.h"

#include <QGuiApplication>
#include <cstdlib>
#include <xcb/xcb.h>

namespace vz::qt {

namespace {

constexpr std::uint32_t kKeysymN = 0x006e;  // XK_n

xcb_connection_t* Connection() {
    if (!qApp) return nullptr;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t Root(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

// The key that types `keysym` unshifted, from the server's keyboard map.
std::uint8_t KeycodeOf(xcb_connection_t* c, std::uint32_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int first = setup->min_keycode, count = setup->max_keycode - first + 1;
    xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, xcb_keycode_t(first), std::uint8_t(count)), nullptr);
    if (!map) return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
    const int per = map->keysyms_per_keycode;
    std::uint8_t found = 0;
    for (int k = 0; k < count && !found; ++k)
        if (per > 0 && syms[k * per] == keysym) found = std::uint8_t(first + k);
    std::free(map);
    return found;
}

}  // namespace

DeclineKey::DeclineKey(std::function<void()> pressed) : pressed_(std::move(pressed)) {
    if (qApp) qApp->installNativeEventFilter(this);
}

DeclineKey::~DeclineKey() {
    Hold(false);
    if (qApp) qApp->removeNativeEventFilter(this);
}

void DeclineKey::Hold(bool on) {
    xcb_connection_t* c = Connection();
    if (!c || on == Held()) return;
    const xcb_window_t root = Root(c);
    if (!on) {
        for (std::uint16_t mods : grabbed_) xcb_ungrab_key(c, keycode_, root, mods);
        grabbed_.clear();
        xcb_flush(c);
        return;
    }
    if (!keycode_) keycode_ = KeycodeOf(c, kKeysymN);
    if (!keycode_) return;
    // With Caps Lock and Num Lock on or off alike.
    const std::uint16_t base = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    for (std::uint16_t extra : {0, int(XCB_MOD_MASK_LOCK), int(XCB_MOD_MASK_2),
                                int(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2)}) {
        const std::uint16_t mods = std::uint16_t(base | extra);
        xcb_generic_error_t* error = xcb_request_check(
            c, xcb_grab_key_checked(c, 1, root, mods, keycode_, XCB_GRAB_MODE_ASYNC,
                                    XCB_GRAB_MODE_ASYNC));
        // Another program holds this one: the others still serve.
        if (error)
            std::free(error);
        else
            grabbed_.push_back(mods);
    }
}

bool DeclineKey::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (!Held() || type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS) return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    if (key->detail != keycode_ || key->event != Root(Connection())) return false;
    pressed_();
    return true;
}

}  // namespace vz::qt

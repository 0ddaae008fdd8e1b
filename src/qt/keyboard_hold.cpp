#include "qt/keyboard_hold.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <xcb/xcb.h>

#include "qt/x11_connection.h"
#include "qt/x11_hints.h"

namespace vz::qt {

namespace {

// How soon a refused grab is tried again: a window manager or another
// program's menu holds the keyboard only for a moment.
constexpr int kRetryMs = 100;
// How soon, and how often, the rest screen checks that a request to be the
// active window was heard.
constexpr int kRecheckMs = 250;
constexpr int kRechecks = 8;

xcb_connection_t* Connection() {
    if (!qApp) return nullptr;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t Root(xcb_connection_t* c) { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root; }

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

std::uint32_t CurrentFocus(xcb_connection_t* c) {
    xcb_get_input_focus_reply_t* reply = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    const std::uint32_t focus = reply ? reply->focus : XCB_NONE;
    std::free(reply);
    return focus;
}

bool Ours(std::uint32_t window) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->internalWinId() == window) return true;
    return false;
}

bool Viewable(xcb_connection_t* c, xcb_window_t window) {
    xcb_get_window_attributes_reply_t* reply =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    const bool viewable = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(reply);
    return viewable;
}

// The top-level window of the program that owns `window`: the one a window
// manager marks with WM_STATE, at or above it.
xcb_window_t ClientOf(xcb_connection_t* c, xcb_window_t window) {
    const xcb_atom_t wm_state = Atom(c, "WM_STATE");
    const xcb_window_t root = Root(c);
    for (int depth = 0; window != XCB_NONE && window != root && depth < 16; ++depth) {
        xcb_get_property_reply_t* prop = xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, wm_state, XCB_GET_PROPERTY_TYPE_ANY, 0, 0), nullptr);
        const bool marked = prop && prop->type != XCB_NONE;
        std::free(prop);
        if (marked) return window;
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
        window = tree ? tree->parent : XCB_NONE;
        std::free(tree);
    }
    return XCB_NONE;
}

// Gives the focus back to `window`, directly and through the window manager,
// which would otherwise pass it on by its own choice once the rest screen is gone.
void RestoreFocus(xcb_connection_t* c, std::uint32_t window) {
    if (window == XCB_NONE || Ours(window)) return;
    if (window != XCB_INPUT_FOCUS_POINTER_ROOT && !Viewable(c, window)) return;
    if (CurrentFocus(c) != window) {
        // Checked, so that a window gone meanwhile is no error for Qt to report.
        std::free(xcb_request_check(
            c, xcb_set_input_focus_checked(c, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME)));
    }
    if (window == XCB_INPUT_FOCUS_POINTER_ROOT) return;
    const xcb_window_t client = ClientOf(c, window);
    if (client != XCB_NONE) ActivateAsPager(client);
}

}  // namespace

KeyboardHold::KeyboardHold() {
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, [this] { Grab(); });
    recheck_.setSingleShot(true);
    recheck_.setInterval(kRecheckMs);
    connect(&recheck_, &QTimer::timeout, this, [this] { Activate(); });
}

KeyboardHold::~KeyboardHold() { Release(); }

void KeyboardHold::NoteFocus() {
    xcb_connection_t* c = Connection();
    if (Holding() || !c) return;
    previous_focus_ = CurrentFocus(c);
    noted_ = true;
}

void KeyboardHold::Hold(QWidget* window) {
    if (!window) return;
    // A grab in force stays until we let it go (or Qt does, as a pop-up
    // closes, which the event filter sees): no round trip to the X server
    // for every blink of the slogan.
    if (holding_ && window_ == window && grabbed_) return;
    if (!holding_ || window_ != window) {
        const bool first = !holding_;
        if (first && !noted_) NoteFocus();
        window_ = window;
        holding_ = true;
        if (first) {
            qApp->installEventFilter(this);
            WatchActiveWindow();
            Grab();
            // The window manager puts an active full-screen window above
            // everything; under XWayland only the active window gets the keys.
            Reactivate();
            return;
        }
    }
    Grab();
}

void KeyboardHold::Grab() {
    xcb_connection_t* c = Connection();
    if (!window_ || !c || !window_->isVisible()) return;
    // An open pop-up (the menu, a combo box's list) holds the keyboard for
    // the program meanwhile; Qt gives it up when the pop-up closes.
    if (QApplication::activePopupWidget()) return;
    const auto cookie = xcb_grab_keyboard(c, 1, xcb_window_t(window_->winId()), XCB_CURRENT_TIME,
                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    xcb_grab_keyboard_reply_t* reply = xcb_grab_keyboard_reply(c, cookie, nullptr);
    grabbed_ = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
    if (!grabbed_ && !retry_.isActive()) retry_.start();
}

void KeyboardHold::Release() {
    retry_.stop();
    recheck_.stop();
    const bool was_holding = std::exchange(holding_, false);
    const std::uint32_t previous = std::exchange(previous_focus_, 0);
    noted_ = false;
    if (!was_holding) return;
    window_ = nullptr;
    if (qApp) {
        qApp->removeEventFilter(this);
        qApp->removeNativeEventFilter(this);
    }
    grabbed_ = false;
    xcb_connection_t* c = Connection();
    if (!c) return;
    xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
    RestoreFocus(c, previous);
    xcb_flush(c);
}

void KeyboardHold::WatchActiveWindow() {
    xcb_connection_t* c = Connection();
    if (!c) return;
    active_window_atom_ = Atom(c, "_NET_ACTIVE_WINDOW");
    // The window manager tells of a new active window on the root's property.
    ListenTo(c, Root(c), XCB_EVENT_MASK_PROPERTY_CHANGE);
    xcb_flush(c);
    qApp->installNativeEventFilter(this);
}

void KeyboardHold::Activate() {
    xcb_connection_t* c = Connection();
    if (!window_ || !c || QApplication::activePopupWidget()) return;
    // A small window or a message of the program's, while one shows, is
    // where the keys belong; else the rest screen.
    QWidget* target = window_;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != window_ && w->isVisible() && w->windowType() == Qt::Dialog) target = w;
    // The keyboard's focus as the X server has it: where the next key goes.
    if (CurrentFocus(c) == target->winId()) return;
    ActivateAsPager(target->winId());
    if (rechecks_left_-- > 0) recheck_.start();
}

void KeyboardHold::Reactivate() {
    rechecks_left_ = kRechecks;
    Activate();
}

bool KeyboardHold::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (!holding_ || type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const int kind = event->response_type & 0x7f;
    // Another window became the active one, or took the focus from the
    // program's: the rest screen takes it back, as the user cannot have
    // chosen a window they do not see.
    const bool moved =
        (kind == XCB_PROPERTY_NOTIFY &&
         static_cast<const xcb_property_notify_event_t*>(message)->atom == active_window_atom_) ||
        (kind == XCB_FOCUS_OUT &&
         static_cast<const xcb_focus_out_event_t*>(message)->detail != XCB_NOTIFY_DETAIL_INFERIOR);
    if (moved) QTimer::singleShot(0, this, [this] { Reactivate(); });
    return false;
}

bool KeyboardHold::eventFilter(QObject* watched, QEvent* event) {
    // Qt ungrabs the keyboard as its last pop-up closes: take it again then.
    if (event->type() == QEvent::Hide && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow() && w->windowType() == Qt::Popup)
            QTimer::singleShot(0, this, [this] { Grab(); });
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vz::qt

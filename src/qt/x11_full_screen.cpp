#include "qt/x11_full_screen.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "qt/x11_connection.h"

namespace vz::qt {

namespace {

bool Ours(xcb_window_t window) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->internalWinId() == window) return true;
    return false;
}

}  // namespace

X11FullScreen::X11FullScreen(const Scheduler& scheduler) : scheduler_(scheduler) {}

X11FullScreen::~X11FullScreen() {
    if (qApp) qApp->removeNativeEventFilter(this);
}

void X11FullScreen::Start(PresenceSink& sink) {
    sink_ = &sink;
    c_ = X11Connection();
    if (!c_) {
        missing_ = "not an X11 display";
        return;
    }
    root_ = X11Root(c_);
    active_atom_ = X11Atom(c_, "_NET_ACTIVE_WINDOW");
    state_atom_ = X11Atom(c_, "_NET_WM_STATE");
    full_screen_atom_ = X11Atom(c_, "_NET_WM_STATE_FULLSCREEN");
    qApp->installNativeEventFilter(this);
    ListenTo(c_, root_, XCB_EVENT_MASK_PROPERTY_CHANGE);
    Look();
}

// Reads which window is active and whether it is full screen, and listens to
// the state of a newly active one.
void X11FullScreen::Look() {
    if (!c_ || X11Connection() != c_) return;
    const X11Items active = X11Property(c_, root_, active_atom_, XCB_ATOM_WINDOW);
    const xcb_window_t window = active.count ? active.item[0] : XCB_NONE;
    if (window != active_) {
        active_ = window;
        if (window != XCB_NONE && !Ours(window)) ListenTo(c_, window, XCB_EVENT_MASK_PROPERTY_CHANGE);
    }
    bool full_screen = false;
    if (window != XCB_NONE && !Ours(window)) {
        const X11Items states = X11Property(c_, window, state_atom_, XCB_ATOM_ATOM);
        for (std::uint32_t i = 0; i < states.count; ++i)
            if (states.item[i] == full_screen_atom_) full_screen = true;
    }
    if (full_screen == busy_ || !sink_) return;
    busy_ = full_screen;
    sink_->Tell(busy_ ? Presence::BusyOn : Presence::BusyOff, scheduler_.NowMs());
}

bool X11FullScreen::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
    const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
    const bool ours = (change->window == root_ && change->atom == active_atom_) ||
                      (change->window == active_ && active_ != XCB_NONE && change->atom == state_atom_);
    // Read once the event is handled: Qt's own handling of it comes first.
    if (ours) QTimer::singleShot(0, &context_, [this] { Look(); });
    return false;
}

std::vector<std::string> X11FullScreen::Describe() const {
    if (!missing_.empty()) return {"full screen: " + missing_ + ", never seen"};
    return {"full screen: the X window manager's active window (_NET_ACTIVE_WINDOW, _NET_WM_STATE)"};
}

}  // namespace vz::qt

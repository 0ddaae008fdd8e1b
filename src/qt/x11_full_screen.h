#pragma once
// Busy while the window in front is full screen (a film, a game, slides), as
// the window manager tells on X11: the root's _NET_ACTIVE_WINDOW names the
// active window, whose _NET_WM_STATE holds _NET_WM_STATE_FULLSCREEN. Both are
// heard as property changes, so nothing is asked while nothing changes. The
// program's own windows (the rest screen is full screen) never count.

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <string>
#include <vector>
#include <xcb/xcb.h>

#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::qt {

class X11FullScreen : public PresenceSource, public QAbstractNativeEventFilter {
public:
    explicit X11FullScreen(const Scheduler& scheduler);
    ~X11FullScreen() override;

    void Start(PresenceSink& sink) override;
    std::vector<std::string> Describe() const override;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;
    // The active window as last read (for diagnostics and tests).
    std::uint32_t Active() const { return active_; }

private:
    void Look();

    const Scheduler& scheduler_;
    PresenceSink* sink_ = nullptr;
    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t active_atom_ = 0;      // _NET_ACTIVE_WINDOW
    xcb_atom_t state_atom_ = 0;       // _NET_WM_STATE
    xcb_atom_t full_screen_atom_ = 0; // _NET_WM_STATE_FULLSCREEN
    xcb_window_t active_ = 0;
    bool busy_ = false;
    std::string missing_;
    QObject context_;  // for the reads put off, which go with it
};

}  // namespace vz::qt

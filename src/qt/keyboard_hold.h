#pragma once
// While the rest screen is up, no keystroke reaches a window hidden under it.
// On X11 the program holds an active keyboard grab on the rest screen for the
// whole rest, as screen lockers do: the window manager's own key bindings
// (alt+Tab) cannot fire, and a window that another program maps and focuses
// meanwhile gets no keys. Keys aimed at the program's own windows (a small
// window, the pop-up menu) still reach them. The X server ends a grab by
// itself when the program dies, so it never outlives the program. At the end
// of the rest the keyboard goes back to the window that had it before.
//
// Under XWayland the grab holds only while the rest screen is the active
// window, so whenever the window manager makes another program's window the
// active one (a native window that opens during the rest, say), the rest
// screen asks to be the active one again, as a pager asks, which the
// compositors do not refuse.

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>

class QWidget;

namespace vz::qt {

class KeyboardHold : public QObject, public QAbstractNativeEventFilter {
public:
    KeyboardHold();
    ~KeyboardHold() override;

    // Notes which window has the keyboard now, to give it back at the end of
    // the rest; call it before the rest screen goes full screen, which a
    // window manager may answer by focusing it.
    void NoteFocus();
    // Takes the keyboard for `window`, or keeps it; a grab refused because
    // another program holds the keyboard is tried again until it succeeds.
    void Hold(QWidget* window);
    // Gives the keyboard back and returns the focus to where it was.
    void Release();
    bool Holding() const { return holding_; }
    // Whether the grab is in place now (for tests and diagnostics).
    bool Grabbed() const { return grabbed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    void Grab();
    // Makes the rest screen the active window, or the small window showing
    // above it.
    void Activate();
    // Activates again until the rest screen has the focus, a few times: a
    // request may come while the window manager is still switching windows.
    void Reactivate();
    // Hears from the window manager when another window becomes the active one.
    void WatchActiveWindow();

    QPointer<QWidget> window_;
    std::uint32_t previous_focus_ = 0;
    bool holding_ = false;
    bool noted_ = false;
    bool grabbed_ = false;
    QTimer retry_;
    QTimer recheck_;
    int rechecks_left_ = 0;
    std::uint32_t active_window_atom_ = 0;  // _NET_ACTIVE_WINDOW
};

}  // namespace vz::qt

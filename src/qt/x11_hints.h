#pragma once
// Window-manager hints that Qt has no portable call for, set through X11
// where the program runs on it; elsewhere they do nothing.

class QWidget;

namespace vz::qt {

bool OnX11();

// The states a window asks for as it is shown: out of task bars and pagers
// (_NET_WM_STATE_SKIP_TASKBAR, _NET_WM_STATE_SKIP_PAGER), full screen. Call
// it before each show: a window manager drops the state of a hidden window.
void SetStatesBeforeShow(QWidget* window, bool skip_taskbar, bool full_screen);

// Asks the window manager to put a shown window in or out of full screen.
void RequestFullScreen(QWidget* window, bool on);

// Asks the window manager to make the X window `window` the active one on the
// user's behalf, as a pager does: an application's own request may be refused
// as focus stealing (mutter and kwin on Wayland do), a pager's is not.
void ActivateAsPager(unsigned long window);

}  // namespace vz::qt

#pragma once
// Window-manager hints that Qt has no portable call for, set through X11
// where the program runs on it; elsewhere they do nothing.

class QWidget;

namespace vz::qt {

bool OnX11();

// Leaves the window out of task bars and pagers (_NET_WM_STATE_SKIP_TASKBAR
// and _NET_WM_STATE_SKIP_PAGER). Call it before each show: a window manager
// drops the state of a window that is hidden.
void SkipTaskbarAndPager(QWidget* window);

}  // namespace vz::qt

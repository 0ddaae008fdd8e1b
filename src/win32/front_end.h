#pragma once
// The Windows front end: a real window (FormWindow) for each window of the
// model as the presenter asks, the pop-up menu as a system menu at the
// pointer, and while the rest screen is up, every other monitor covered and
// the keyboard held. Tasks left for later run from the thread's message loop,
// in the order given.

#include <windows.h>

#include <deque>
#include <functional>
#include <set>

#include "frontend/front_end.h"
#include "win32/keyboard_hold.h"
#include "win32/look.h"
#include "win32/monitor_covers.h"
#include "win32/pictures.h"

namespace vz {
class Presenter;
}

namespace vz::win32 {

class FormWindow;

class Win32FrontEnd : public FrontEnd {
public:
    Win32FrontEnd();
    ~Win32FrontEnd() override;
    Win32FrontEnd(const Win32FrontEnd&) = delete;
    Win32FrontEnd& operator=(const Win32FrontEnd&) = delete;

    // A key of the message loop's for one of the program's windows, given to
    // it as a dialog's keys are; true when it has been dealt with.
    bool TranslateKey(MSG& message);

    void Attach(Presenter* presenter) override { presenter_ = presenter; }
    // The topmost band of the desktop, in the presenter's order.
    void Stack(const std::vector<Surface*>& bottom_to_top) override;
    // A FormWindow, owned by the window of the form it is modal to; freed
    // from the message loop.
    Surface* Make(Form& form) override;
    void Destroy(Surface& surface) override;
    // A system menu, whose loop returns the choice.
    void OpenMenu(Surface& surface, const Menu& menu, std::optional<Point> at) override;
    void CloseMenu() override;
    // Measured with GDI in the font the windows draw with.
    Size TextSize(const Font& font, const std::string& text) override;
    // The decline key as a system hot key, heard by the message-only window.
    void Banner(Surface* banner) override;
    // An alert from the window's announcer, which a screen reader speaks.
    void Announce(Surface& surface, const std::string& text) override;
    // Posted to a message-only window of the front end's.
    void Later(std::function<void()> task) override;
    // Covers the other monitors (a click there is one on the rest screen) and
    // holds the keyboard, the rest screen in front.
    void Rest(Surface* rest) override;

private:
    static LRESULT CALLBACK LaterProc(HWND window, UINT message, WPARAM w, LPARAM l);

    Presenter* presenter_ = nullptr;
    Look look_;
    Pictures pictures_;
    std::set<FormWindow*> windows_;  // made and not yet destroyed
    HWND later_window_ = nullptr;    // message-only: tasks for later arrive here
    std::deque<std::function<void()>> later_;
    bool menu_open_ = false;
    Surface* banner_ = nullptr;  // while the decline key is registered
    MonitorCovers covers_;
    KeyboardHold keyboard_;
};

// The real window of a surface; nullptr for none.
HWND WindowOf(const Surface* surface);

}  // namespace vz::win32

#pragma once
// Runs the simulator's script with the program's real Win32 windows on
// screen, in virtual time. The user's commands become window messages to the
// window or system control that shows their target (a press and release at a
// point, a pointer move, keys through the dialog manager, a click on an item
// of the real pop-up menu or drop-down list) and reach the model only through
// the window procedures (see
// sim/real_input.h). Each script line is a message to a window of the
// driver's own, so lines go on running inside the menus' own message loops,
// as a user goes on using an open menu. Lines are read on a thread of their
// own: while a script on standard input waits for its next line, the windows
// go on answering the display's input.

#include <windows.h>

#include <istream>
#include <memory>
#include <string>
#include <utility>

#include "sim/real_input.h"

namespace vz::win32 {

struct LineFeed;
class Win32FrontEnd;

class ScriptDriver : public RealInput {
public:
    // With `live_input`, the display's own pointer and keyboard reach the
    // windows too; without, only the script's input does.
    ScriptDriver(Simulator& sim, Presenter& presenter, Win32FrontEnd& front_end,
                 std::istream& script, bool live_input);
    ~ScriptDriver() override;

    // Runs the whole script; returns the exit status (0, or 2 for a script error).
    int Run();

protected:
    bool OnScreen(Surface& surface) override;
    void Press(Surface& surface, Point at) override;
    void Move(Surface& surface, Point at) override;
    bool PickFromList(Surface& surface, ComboBox& combo, Point at, int position) override;
    bool ChooseItem(std::size_t index) override;
    bool CloseMenu() override;
    void SendKey(Surface& surface, Key key) override;
    bool Snap(const std::string& file) override;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    void NextLine();
    void Finish(int status);
    // The control of the window at `at`, or the window itself, and the point in it.
    static std::pair<HWND, LPARAM> Under(Surface& surface, Point at);

    Win32FrontEnd& front_end_;
    std::istream& script_;
    std::shared_ptr<LineFeed> feed_;
    bool live_input_;
    HWND window_ = nullptr;  // message-only: the script's steps arrive here
    int line_ = 0;
    int status_ = 0;
};

}  // namespace vz::win32

#pragma once
// Runs the simulator's script with the program's real Win32 windows on
// screen, in virtual time. The user's commands become window messages to the
// window that shows their target (a press and release at a control's point,
// a pointer move, keys, a click on an item of the real pop-up menu) and reach
// the model only through the renderer's window procedure; what no window
// shows goes to the simulator (see sim/real_input.h). Each script line is a
// message to a window of the driver's own, so lines go on running inside
// the menus' own message loops, as a user goes on using an open menu.

#include <windows.h>

#include <istream>
#include <string>

#include "sim/real_input.h"

namespace vz {
class Simulator;
}

namespace vz::win32 {

class Renderer;

class ScriptDriver : public RealInput {
public:
    // With `live_input`, the display's own pointer and keyboard reach the
    // windows too; without, only the script's input does.
    ScriptDriver(Simulator& sim, Renderer& renderer, std::istream& script, bool live_input);
    ~ScriptDriver() override;
    ScriptDriver(const ScriptDriver&) = delete;
    ScriptDriver& operator=(const ScriptDriver&) = delete;

    // Runs the whole script; returns the exit status (0, or 2 for a script error).
    int Run();

    bool ClickOrHover(bool click, const Runtime::Target& target) override;
    bool Choose(const std::string& item) override;
    bool Dismiss() override;
    bool Select(const Runtime::Target& combo, int position) override;
    bool Key(const Form& to, const std::string& key) override;
    bool Snap(const std::string& file) override;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    void NextLine();
    void Finish(int status);
    void PickPending();
    HWND ShownWindow(const std::string& form) const;
    bool FreePoint(HWND window, POINT& at) const;
    void ClickItem(HWND menu, int position);

    Simulator& sim_;
    Renderer& renderer_;
    std::istream& script_;
    bool live_input_;
    HWND window_ = nullptr;  // message-only: the script's steps arrive here
    int line_ = 0;
    int status_ = 0;
    int pending_pick_ = -1;  // the list item to pick once a drop-down list is open
    HWND moved_in_ = nullptr;
    POINT moved_to_{-1, -1};
};

}  // namespace vz::win32

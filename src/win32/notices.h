#pragma once
// What the user must know about, as message boxes titled "Verezerud": the
// failures the program reports while it goes on, each distinct one once a
// run (the usage total's limit, reported every hour, shows once), above
// every window, the rest screen too, and one box at a time. A box runs its
// own message loop, so it is opened from the front end's loop once the
// current event is done, never inside the model's handler; the model's
// timers and the session's end go on while it is up.

#include <deque>
#include <set>
#include <string>

namespace vz {
class FrontEnd;
class Runtime;
}  // namespace vz

namespace vz::win32 {

// A box with `text`, an OK button and `icon` (MB_ICONWARNING, …) above every
// window; returns when the user has read it.
void ShowNotice(const std::string& text, unsigned icon);

class Notices {
public:
    Notices(Runtime& runtime, FrontEnd& front) : runtime_(runtime), front_(front) {}

    // A failure the program reported (the presenter's on_error), shown once
    // the event is done: as a warning while the program goes on; as an error
    // that ends the process with status 1 when the failure ended the program.
    void Report(const std::string& message);
    // The program is ending (the session ends, or the installer asked): the
    // boxes not yet shown are dropped and no more open.
    void Close();

private:
    void Warn(const std::string& message);

    Runtime& runtime_;
    FrontEnd& front_;
    std::set<std::string> seen_;
    std::deque<std::string> waiting_;
    bool showing_ = false;
    bool closed_ = false;
};

}  // namespace vz::win32

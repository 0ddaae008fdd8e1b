#pragma once
// While the rest screen is up, keystrokes go to the program's own windows
// only. A low-level keyboard hook, which Windows calls on this thread's
// message loop, swallows each key pressed while another program's window is
// in front (a window opened meanwhile may take the foreground) and then
// brings the program's window back to the front; while one of the program's
// windows is in front (the rest screen, the menu, a small window) every key
// goes through: Tab, the arrows, Enter, Escape, Space, letters. The keys
// that switch programs (Alt+Tab, Alt+Esc, Ctrl+Esc, the Windows keys) are
// swallowed always; Ctrl+Alt+Del and the like never reach a hook. At the
// end of the rest the hook goes and the keyboard goes back to the window
// that had it. A hook dies with its thread, so none outlives the program.

#include <windows.h>

namespace vz::win32 {

class KeyboardHold {
public:
    KeyboardHold();
    ~KeyboardHold();
    KeyboardHold(const KeyboardHold&) = delete;
    KeyboardHold& operator=(const KeyboardHold&) = delete;

    // Holds the keyboard for the rest screen `rest`, bringing it to the
    // front unless a window of the program's has it; nullptr lets go.
    void Hold(HWND rest);
    bool Holding() const { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK KeyProc(int code, WPARAM w, LPARAM l);
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    bool Swallows(WPARAM message, const KBDLLHOOKSTRUCT& key);
    void TakeFront();
    void Release();

    static KeyboardHold* holding_;  // the hook's, which has no data of its own
    HHOOK hook_ = nullptr;
    HWND rest_ = nullptr;
    HWND front_ = nullptr;     // the program's window that last had the keyboard
    HWND before_ = nullptr;    // another program's window that had it before the rest
    HWND messages_ = nullptr;  // message-only: the front is taken back from here
};

}  // namespace vz::win32

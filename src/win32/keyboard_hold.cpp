#include "win32/keyboard_hold.h"

#include "win32/message_window.h"

namespace vz::win32 {

namespace {

constexpr wchar_t kClass[] = L"VerezerudKeyboard";
constexpr UINT kTakeFront = WM_APP + 1;

bool Ours(HWND window) {
    DWORD process = 0;
    return window && ::GetWindowThreadProcessId(window, &process) &&
           process == ::GetCurrentProcessId();
}

bool SwitchesPrograms(const KBDLLHOOKSTRUCT& key) {
    const bool alt = key.flags & LLKHF_ALTDOWN;
    return key.vkCode == VK_LWIN || key.vkCode == VK_RWIN ||
           (alt && (key.vkCode == VK_TAB || key.vkCode == VK_ESCAPE)) ||
           (key.vkCode == VK_ESCAPE && ::GetAsyncKeyState(VK_CONTROL) < 0);
}

// Windows gives the foreground to a program that has just had input; one in
// the background gets it after an empty mouse input of its own, which moves
// nothing.
void BringToFront(HWND window) {
    if (::SetForegroundWindow(window) && ::GetForegroundWindow() == window) return;
    INPUT none{};
    none.type = INPUT_MOUSE;
    ::SendInput(1, &none, sizeof none);
    ::SetForegroundWindow(window);
}

}  // namespace

KeyboardHold* KeyboardHold::holding_ = nullptr;

KeyboardHold::KeyboardHold() { messages_ = MakeMessageWindow(kClass, Proc, this); }

KeyboardHold::~KeyboardHold() {
    Release();
    if (messages_) ::DestroyWindow(messages_);
}

void KeyboardHold::Hold(HWND rest) {
    if (rest == rest_) return;
    if (!rest) return Release();
    if (!hook_) {
        const HWND front = ::GetForegroundWindow();
        before_ = Ours(front) ? nullptr : front;
        hook_ = ::SetWindowsHookExW(WH_KEYBOARD_LL, KeyProc, ::GetModuleHandleW(nullptr), 0);
        if (hook_) holding_ = this;
    }
    rest_ = front_ = rest;
    // Taken from another program, never from a window of the program's own
    // that has it (a message box that is up).
    if (!Ours(::GetForegroundWindow())) BringToFront(rest);
}

void KeyboardHold::Release() {
    if (hook_) ::UnhookWindowsHookEx(hook_);
    if (holding_ == this) holding_ = nullptr;
    hook_ = nullptr;
    rest_ = front_ = nullptr;
    // The keyboard goes back to the window that had it, unless another has it now.
    const HWND now = ::GetForegroundWindow();
    if (before_ && ::IsWindowVisible(before_) && (!now || Ours(now)))
        ::SetForegroundWindow(before_);
    before_ = nullptr;
}

LRESULT CALLBACK KeyboardHold::KeyProc(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION && holding_ &&
        holding_->Swallows(w, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(l)))
        return 1;
    return ::CallNextHookEx(nullptr, code, w, l);
}

bool KeyboardHold::Swallows(WPARAM message, const KBDLLHOOKSTRUCT& key) {
    // A key let go reaches its window, so that none stays held down there.
    if (message == WM_KEYUP || message == WM_SYSKEYUP) return false;
    if (SwitchesPrograms(key)) return true;
    const HWND front = ::GetForegroundWindow();
    if (Ours(front)) {
        front_ = front;
        return false;
    }
    // Not from inside the hook, which must answer at once.
    ::PostMessageW(messages_, kTakeFront, 0, 0);
    return true;
}

void KeyboardHold::TakeFront() {
    if (!rest_ || Ours(::GetForegroundWindow())) return;
    // Back to the program's window that had the keyboard, a small window over
    // the rest screen perhaps, or else the rest screen.
    BringToFront(Ours(front_) && ::IsWindowVisible(front_) ? front_ : rest_);
}

LRESULT CALLBACK KeyboardHold::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = OwnerOf<KeyboardHold>(window);
    if (self && message == kTakeFront) {
        self->TakeFront();
        return 0;
    }
    return ::DefWindowProcW(window, message, w, l);
}

}  // namespace vz::win32

#include "win32/script_driver.h"

#include <iostream>

#include "os/path.h"
#include "win32/front_end.h"
#include "win32/message_window.h"
#include "win32/screen_shot.h"

namespace vz::win32 {

namespace {

constexpr wchar_t kClass[] = L"VerezerudScript";
constexpr UINT kNextLine = WM_APP + 1;
constexpr UINT kPick = WM_APP + 2;

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

bool IsInput(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

BOOL CALLBACK FindMenu(HWND w, LPARAM out) {
    wchar_t name[16] = {};
    ::GetClassNameW(w, name, 16);
    if (std::wstring(name) != L"#32768" || !::IsWindowVisible(w)) return TRUE;
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
}

// The open menu (a pop-up or a drop-down list) of this thread; nullptr if none.
HWND OpenMenu() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

ScriptDriver::ScriptDriver(Simulator& sim, Presenter& presenter, std::istream& script,
                           bool live_input)
    : RealInput(sim, presenter), script_(script), live_input_(live_input) {
    window_ = MakeMessageWindow(kClass, Proc, this);
}

ScriptDriver::~ScriptDriver() {
    if (window_) ::DestroyWindow(window_);
}

int ScriptDriver::Run() {
    if (!window_) {
        std::cerr << "cannot create a window\n";
        return 1;
    }
    ::PostMessageW(window_, kNextLine, 0, 0);
    MSG m;
    while (::GetMessageW(&m, nullptr, 0, 0) > 0) {
        // The script's input is sent straight to the windows; what comes
        // through the queue is the display's.
        if (!live_input_ && IsInput(m.message)) continue;
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
    return status_;
}

LRESULT CALLBACK ScriptDriver::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = OwnerOf<ScriptDriver>(window);
    if (self && message == kNextLine) {
        self->NextLine();
        return 0;
    }
    if (self && message == kPick) {
        self->PickPending();
        return 0;
    }
    return ::DefWindowProcW(window, message, w, l);
}

void ScriptDriver::NextLine() {
    std::string line;
    if (!std::getline(script_, line)) return Finish(0);
    if (!RunLine(line, ++line_)) return Finish(2);
    std::cout.flush();
    // Posted behind whatever the line posted (a menu to open), so the next
    // line finds it open.
    ::PostMessageW(window_, kNextLine, 0, 0);
}

void ScriptDriver::Finish(int status) {
    std::cout.flush();
    std::cerr.flush();
    // A menu left open would report its closing to the model, after the end
    // of the script: the run ends here instead.
    if (OpenMenu()) ::ExitProcess(UINT(status));
    status_ = status;
    ::PostQuitMessage(status);
}

bool ScriptDriver::OnScreen(Surface& surface) { return ::IsWindowVisible(WindowOf(&surface)); }

void ScriptDriver::Press(Surface& surface, Point at) {
    ::SendMessageW(WindowOf(&surface), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageW(WindowOf(&surface), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void ScriptDriver::Move(Surface& surface, Point at) {
    ::SendMessageW(WindowOf(&surface), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
}

// A press and release on the item at `position` of the open menu; a menu
// takes its mouse messages from the queue, in screen coordinates.
static void ClickItem(HWND menu, int position) {
    HMENU items = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
    RECT r{};
    if (!items || !::GetMenuItemRect(nullptr, items, UINT(position), &r)) return;
    const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ::PostMessageW(menu, WM_MOUSEMOVE, 0, At(at));
    ::PostMessageW(menu, WM_LBUTTONDOWN, MK_LBUTTON, At(at));
    ::PostMessageW(menu, WM_LBUTTONUP, 0, At(at));
}

bool ScriptDriver::ChooseItem(std::size_t index) {
    HWND menu = OpenMenu();
    if (!menu) return false;
    ClickItem(menu, int(index));
    return true;
}

bool ScriptDriver::CloseMenu() {
    HWND menu = OpenMenu();
    if (!menu) return false;
    ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    ::PostMessageW(menu, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    return true;
}

bool ScriptDriver::PickFromList(Surface& surface, ComboBox&, Point at, int n) {
    // The click opens the list and returns once it closes: the pick waits in
    // the queue, where the list's own loop finds it.
    pending_pick_ = n;
    ::PostMessageW(window_, kPick, 0, 0);
    Press(surface, at);
    pending_pick_ = -1;
    return true;
}

void ScriptDriver::PickPending() {
    HWND list = pending_pick_ >= 0 ? OpenMenu() : nullptr;
    if (list) ClickItem(list, pending_pick_);
    pending_pick_ = -1;
}

void ScriptDriver::SendKey(Surface& surface, Key key) {
    HWND w = WindowOf(&surface);
    const WPARAM vk = key == Key::Enter ? VK_RETURN : VK_ESCAPE;
    ::SendMessageW(w, WM_KEYDOWN, vk, 1);
    ::SendMessageW(w, WM_CHAR, key == Key::Enter ? L'\r' : 0x1B, 1);
    ::SendMessageW(w, WM_KEYUP, vk, 0xC0000001);
}

bool ScriptDriver::Snap(const std::string& file) { return SaveScreen(Widen(file)); }

}  // namespace vz::win32

#include "win32/script_driver.h"

#include <iostream>

#include "app/program.h"
#include "os/path.h"
#include "platform/control.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "sim/simulator.h"
#include "win32/message_window.h"
#include "win32/renderer.h"
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

ScriptDriver::ScriptDriver(Simulator& sim, Renderer& renderer, std::istream& script,
                           bool live_input)
    : sim_(sim), renderer_(renderer), script_(script), live_input_(live_input) {
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
    if (!RunLineWithRealInput(sim_, *this, line, ++line_)) return Finish(2);
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

HWND ScriptDriver::ShownWindow(const std::string& form) const {
    HWND w = renderer_.Window(form);
    return w && ::IsWindowVisible(w) ? w : nullptr;
}

// A point of the window's own surface, clear of its controls: where a user
// clicks "the window" rather than something on it.
bool ScriptDriver::FreePoint(HWND window, POINT& at) const {
    RECT client{};
    ::GetClientRect(window, &client);
    at = POINT{client.right * 3 / 4, client.bottom * 3 / 4};
    if (!renderer_.ControlAt(window, at)) return true;
    for (at.y = client.bottom - 1; at.y >= 0; --at.y)
        for (at.x = client.right - 1; at.x >= 0; at.x -= 4)
            if (!renderer_.ControlAt(window, at)) return true;
    return false;
}

bool ScriptDriver::ClickOrHover(bool click, const Runtime::Target& t) {
    HWND w = ShownWindow(t.form->name());
    if (!w) return false;
    POINT at{};
    if (!t.control) {
        if (!FreePoint(w, at)) return false;
    } else {
        // A combo box opens its list on a press; its click is left to the model.
        if (t.control->kind() == Control::Kind::ComboBox) return false;
        const RECT r = renderer_.ControlRect(*t.control);
        at = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        // Hidden, or under another control: no point of the screen shows it.
        if (renderer_.ControlAt(w, at) != t.control) return false;
    }
    if (click) {
        ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(at));
        ::SendMessageW(w, WM_LBUTTONUP, 0, At(at));
        return true;
    }
    // A move to where the pointer already is tells nothing: the hand moves a pixel.
    if (w == moved_in_ && at.x == moved_to_.x && at.y == moved_to_.y) {
        POINT beside{at.x + 1, at.y};
        if (renderer_.ControlAt(w, beside) == t.control) at = beside;
    }
    moved_in_ = w;
    moved_to_ = at;
    ::SendMessageW(w, WM_MOUSEMOVE, 0, At(at));
    return true;
}

// A press and release on the item at `position` of the open menu; a menu
// takes its mouse messages from the queue, in screen coordinates.
void ScriptDriver::ClickItem(HWND menu, int position) {
    HMENU items = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
    RECT r{};
    if (!items || !::GetMenuItemRect(nullptr, items, UINT(position), &r)) return;
    const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ::PostMessageW(menu, WM_MOUSEMOVE, 0, At(at));
    ::PostMessageW(menu, WM_LBUTTONDOWN, MK_LBUTTON, At(at));
    ::PostMessageW(menu, WM_LBUTTONUP, 0, At(at));
}

bool ScriptDriver::Choose(const std::string& item) {
    HWND menu = OpenMenu();
    const Menu* model = sim_.program().runtime().PopupItems();
    if (!menu || !model) return false;
    // The menu shows the model's items in their order, separators too.
    for (std::size_t i = 0; i < model->items.size(); ++i) {
        if (model->items[i].name != item) continue;
        ClickItem(menu, int(i));
        // A click on a separator may leave the menu open; it chooses nothing.
        if (model->items[i].IsSeparator()) Dismiss();
        return true;
    }
    return false;
}

bool ScriptDriver::Dismiss() {
    HWND menu = OpenMenu();
    if (!menu) return false;
    ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    ::PostMessageW(menu, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    return true;
}

bool ScriptDriver::Select(const Runtime::Target& t, int n) {
    HWND w = ShownWindow(t.form->name());
    if (!w || t.control->kind() != Control::Kind::ComboBox) return false;
    const auto& combo = static_cast<const ComboBox&>(*t.control);
    if (n < 0 || n >= combo.ListCount()) return false;
    const RECT r = renderer_.ControlRect(combo);
    const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (renderer_.ControlAt(w, at) != &combo) return false;
    // The click opens the list and returns once it closes: the pick waits in
    // the queue, where the list's own loop finds it.
    pending_pick_ = n;
    ::PostMessageW(window_, kPick, 0, 0);
    ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(at));
    ::SendMessageW(w, WM_LBUTTONUP, 0, At(at));
    pending_pick_ = -1;
    return true;
}

void ScriptDriver::PickPending() {
    HWND list = pending_pick_ >= 0 ? OpenMenu() : nullptr;
    if (list) ClickItem(list, pending_pick_);
    pending_pick_ = -1;
}

bool ScriptDriver::Key(const Form& to, const std::string& key) {
    HWND w = ShownWindow(to.name());
    if (!w) return false;
    const WPARAM vk = key == "Enter" ? VK_RETURN : VK_ESCAPE;
    ::SendMessageW(w, WM_KEYDOWN, vk, 1);
    ::SendMessageW(w, WM_CHAR, key == "Enter" ? L'\r' : 0x1B, 1);
    ::SendMessageW(w, WM_KEYUP, vk, 0xC0000001);
    return true;
}

bool ScriptDriver::Snap(const std::string& file) { return SaveScreen(Widen(file)); }

}  // namespace vz::win32

#include "win32/script_driver.h"

#include <deque>
#include <iostream>
#include <mutex>
#include <optional>
#include <thread>

#include "os/path.h"
#include "win32/front_end.h"
#include "win32/message_window.h"
#include "win32/screen_shot.h"

namespace vz::win32 {

namespace {

constexpr wchar_t kClass[] = L"VerezerudScript";
constexpr UINT kNextLine = WM_APP + 1;

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

// The open pop-up menu of this thread; nullptr if none.
HWND OpenMenu() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A press and release on the item at `position` of the open menu; a menu
// takes its mouse messages from the queue, in screen coordinates.
void ClickItem(HWND menu, int position) {
    HMENU items = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
    RECT r{};
    if (!items || !::GetMenuItemRect(nullptr, items, UINT(position), &r)) return;
    const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ::PostMessageW(menu, WM_MOUSEMOVE, 0, At(at));
    ::PostMessageW(menu, WM_LBUTTONDOWN, MK_LBUTTON, At(at));
    ::PostMessageW(menu, WM_LBUTTONUP, 0, At(at));
}

}  // namespace

// The lines read so far, and whether the script has ended; the window that
// waits for the next line is woken when it comes.
struct LineFeed {
    std::mutex mutex;
    std::deque<std::string> lines;
    bool ended = false;
    bool waiting = false;
    HWND wake = nullptr;

    void Add(std::string line, bool end) {
        std::lock_guard<std::mutex> lock(mutex);
        if (end)
            ended = true;
        else
            lines.push_back(std::move(line));
        if (waiting) ::PostMessageW(wake, kNextLine, 0, 0);
        waiting = false;
    }
};

ScriptDriver::ScriptDriver(Simulator& sim, Presenter& presenter, Win32FrontEnd& front_end,
                           std::istream& script, bool live_input)
    : RealInput(sim, presenter), front_end_(front_end), script_(script), live_input_(live_input) {
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
    feed_ = std::make_shared<LineFeed>();
    feed_->wake = window_;
    std::thread reader([feed = feed_, &script = script_] {
        std::string line;
        while (std::getline(script, line)) feed->Add(std::move(line), false);
        feed->Add({}, true);
    });
    ::PostMessageW(window_, kNextLine, 0, 0);
    MSG m;
    while (::GetMessageW(&m, nullptr, 0, 0) > 0) {
        // The script's input is sent straight to the windows; what comes
        // through the queue is the display's.
        if (!live_input_ && IsInput(m.message)) continue;
        if (front_end_.TranslateKey(m)) continue;
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
    bool ended = false;
    {
        std::lock_guard<std::mutex> lock(feed_->mutex);
        ended = feed_->ended;
    }
    if (ended) {
        reader.join();
        return status_;
    }
    // Stopped by a script error while more lines may come: the reader waits
    // for them, so the run ends here.
    reader.detach();
    std::cout.flush();
    ::ExitProcess(UINT(status_));
}

LRESULT CALLBACK ScriptDriver::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = OwnerOf<ScriptDriver>(window);
    if (self && message == kNextLine) {
        self->NextLine();
        return 0;
    }
    return ::DefWindowProcW(window, message, w, l);
}

void ScriptDriver::NextLine() {
    std::optional<std::string> line;
    {
        std::lock_guard<std::mutex> lock(feed_->mutex);
        if (!feed_->lines.empty()) {
            line = std::move(feed_->lines.front());
            feed_->lines.pop_front();
        } else if (!feed_->ended) {
            feed_->waiting = true;  // the reader posts the next step when the line comes
            return;
        }
    }
    if (!line) return Finish(0);
    if (!RunLine(*line, ++line_)) return Finish(2);
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

std::pair<HWND, LPARAM> ScriptDriver::Under(Surface& surface, Point at) {
    HWND window = WindowOf(&surface);
    POINT p{at.x, at.y};
    HWND view = ::ChildWindowFromPointEx(window, p, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    if (!view) view = window;
    ::MapWindowPoints(window, view, &p, 1);
    return {view, At(p)};
}

void ScriptDriver::Press(Surface& surface, Point at) {
    const auto [view, where] = Under(surface, at);
    ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, where);
    if (::IsWindow(view)) ::SendMessageW(view, WM_LBUTTONUP, 0, where);
}

void ScriptDriver::Move(Surface& surface, Point at) {
    const auto [view, where] = Under(surface, at);
    ::SendMessageW(view, WM_MOUSEMOVE, 0, where);
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
    // A press on the list's box opens it; a click on the item picks it.
    Press(surface, at);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    RECT item{};
    if (!::GetComboBoxInfo(Under(surface, at).first, &info) || !info.hwndList ||
        ::SendMessageW(info.hwndList, LB_GETITEMRECT, WPARAM(n), LPARAM(&item)) == LB_ERR)
        return true;
    const LPARAM where = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(info.hwndList, WM_MOUSEMOVE, 0, where);
    ::SendMessageW(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::SendMessageW(info.hwndList, WM_LBUTTONUP, 0, where);
    return true;
}

void ScriptDriver::SendKey(Surface& surface, Key key) {
    // To the control that has the keyboard, through the dialog manager, as
    // the message loop gives a key.
    HWND window = WindowOf(&surface);
    HWND focus = ::GetFocus();
    HWND to = focus && (focus == window || ::IsChild(window, focus)) ? focus : window;
    const WPARAM vk = key == Key::Enter ? VK_RETURN : VK_ESCAPE;
    for (const UINT message : {UINT(WM_KEYDOWN), UINT(WM_KEYUP)}) {
        MSG m{to, message, vk, LPARAM(message == WM_KEYDOWN ? 1 : 0xC0000001), 0, {}};
        if (front_end_.TranslateKey(m)) continue;
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
}

bool ScriptDriver::Snap(const std::string& file) { return SaveScreen(Widen(file)); }

}  // namespace vz::win32

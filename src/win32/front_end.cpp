#include "win32/front_end.h"

#include <string>
#include <vector>

#include "frontend/presenter.h"
#include "platform/form.h"
#include "platform/menu.h"
#include "os/path.h"
#include "win32/form_window.h"
#include "win32/message_window.h"

namespace vz::win32 {

namespace {

constexpr wchar_t kLaterClass[] = L"VerezerudLater";
constexpr UINT kRunLater = WM_APP + 1;
constexpr int kDeclineHotKey = 1;
constexpr UINT kNoRepeat = 0x4000;  // MOD_NOREPEAT

FormWindow& Window(Surface& surface) { return static_cast<FormWindow&>(surface); }

}  // namespace

HWND WindowOf(const Surface* surface) {
    return surface ? static_cast<const FormWindow*>(surface)->hwnd() : nullptr;
}

Win32FrontEnd::Win32FrontEnd() { later_window_ = MakeMessageWindow(kLaterClass, LaterProc, this); }

Win32FrontEnd::~Win32FrontEnd() {
    if (later_window_) ::DestroyWindow(later_window_);
    for (FormWindow* w : windows_) delete w;
}

LRESULT CALLBACK Win32FrontEnd::LaterProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = OwnerOf<Win32FrontEnd>(window);
    if (self && message == WM_HOTKEY && w == kDeclineHotKey) {
        if (self->banner_ && self->presenter_) self->presenter_->Decline(*self->banner_);
        return 0;
    }
    if (!self || message != kRunLater || self->later_.empty())
        return ::DefWindowProcW(window, message, w, l);
    std::function<void()> task = std::move(self->later_.front());
    self->later_.pop_front();
    task();
    return 0;
}

void Win32FrontEnd::Banner(Surface* banner) {
    // Ctrl+Alt+N (kDeclineKey), only while the banner is up: a key the
    // program holds for good would be taken from every other program.
    if (banner && !banner_)
        ::RegisterHotKey(later_window_, kDeclineHotKey, MOD_CONTROL | MOD_ALT | kNoRepeat, 'N');
    if (!banner && banner_) ::UnregisterHotKey(later_window_, kDeclineHotKey);
    banner_ = banner;
}

void Win32FrontEnd::Announce(Surface& surface, const std::string& text) {
    static_cast<FormWindow&>(surface).Announce(text);
}

void Win32FrontEnd::Later(std::function<void()> task) {
    later_.push_back(std::move(task));
    ::PostMessageW(later_window_, kRunLater, 0, 0);
}

Surface* Win32FrontEnd::Make(Form& form) {
    const Form* owner = form.IsModal() ? form.Owner() : nullptr;
    auto* window = new FormWindow(form, *presenter_, look_, pictures_,
                                  owner ? WindowOf(presenter_->Find(*owner)) : nullptr);
    windows_.insert(window);
    return window;
}

namespace {

// A message box of the program's that is up stays above its windows: it
// tells of a failure the user must see, over the rest screen too.
BOOL CALLBACK RaiseMessageBox(HWND w, LPARAM) {
    wchar_t kind[16] = {};
    ::GetClassNameW(w, kind, 16);
    if (std::wstring(kind) == L"#32770" && ::IsWindowVisible(w))
        ::SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

}  // namespace

void Win32FrontEnd::Stack(const std::vector<Surface*>& bottom_to_top) {
    for (Surface* s : bottom_to_top)
        ::SetWindowPos(WindowOf(s), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::EnumThreadWindows(::GetCurrentThreadId(), RaiseMessageBox, 0);
}

void Win32FrontEnd::Destroy(Surface& surface) {
    FormWindow* window = &Window(surface);
    windows_.erase(window);
    delete window;
}

void Win32FrontEnd::OpenMenu(Surface& surface, const Menu& menu, std::optional<Point> at) {
    HMENU popup = ::CreatePopupMenu();
    std::vector<std::string> names;
    for (const MenuItem& item : menu.items) {
        if (item.IsSeparator()) {
            ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        names.push_back(item.name);
        ::AppendMenuW(popup, MF_STRING, names.size(), Widen(item.caption).c_str());
    }
    // At the pointer: where the click that opened it was, or else where it is now.
    POINT where{};
    if (at)
        where = POINT{at->x, at->y};
    else
        ::GetCursorPos(&where);
    HWND owner = Window(surface).hwnd();
    menu_open_ = true;
    ::SetForegroundWindow(owner);
    // The menu runs its own loop; the windows may change meanwhile, so only
    // the presenter is asked afterwards.
    const UINT picked = ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                         where.x, where.y, 0, owner, nullptr);
    menu_open_ = false;
    ::DestroyMenu(popup);
    if (!presenter_ || !presenter_->runtime().PopupOpen()) return;  // the model closed it meanwhile
    if (picked > 0 && picked <= names.size())
        presenter_->Choose(names[picked - 1]);
    else
        presenter_->Dismiss();
}

void Win32FrontEnd::CloseMenu() {
    if (menu_open_) ::EndMenu();
}

void Win32FrontEnd::Rest(Surface* rest) {
    if (rest)
        covers_.Cover([this, rest](Point at) {
            if (presenter_) presenter_->Click(*rest, nullptr, at);
        });
    else
        covers_.Uncover();
    keyboard_.Hold(WindowOf(rest));
}

Size Win32FrontEnd::TextSize(const Font& font, const std::string& text) {
    return look_.Measure(font, presenter_ ? presenter_->layout().dpi() : kStandardDpi, text);
}

bool Win32FrontEnd::TranslateKey(MSG& m) {
    if (m.message < WM_KEYFIRST || m.message > WM_KEYLAST || !m.hwnd) return false;
    HWND top = ::GetAncestor(m.hwnd, GA_ROOT);
    for (FormWindow* w : windows_)
        if (w->hwnd() == top) return w->DialogKey(m);
    return false;
}

}  // namespace vz::win32

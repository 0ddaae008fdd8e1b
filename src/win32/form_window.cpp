#include "win32/form_window.h"

#include <algorithm>
#include <vector>

#include "frontend/presenter.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "os/path.h"
#include "win32/painter.h"

namespace vz::win32 {

namespace {

constexpr wchar_t kClass[] = L"VerezerudForm";

void RegisterClassOnce() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = ::LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
        wc.lpszClassName = kClass;
        return ::RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}

POINT At(LPARAM l) { return POINT{short(LOWORD(l)), short(HIWORD(l))}; }

bool TakesKeyboard(const Control& c) {
    return c.kind() == Control::Kind::ComboBox || c.kind() == Control::Kind::CommandButton;
}

}  // namespace

FormWindow::FormWindow(Form& form, Presenter& presenter, Pictures& pictures)
    : form_(&form), presenter_(presenter), pictures_(pictures) {
    RegisterClassOnce();
    const DWORD ex = form.show_in_taskbar ? 0 : WS_EX_TOOLWINDOW;
    hwnd_ = ::CreateWindowExW(ex, kClass, Widen(Title(form)).c_str(), WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return;
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
}

FormWindow::~FormWindow() {
    *alive_ = false;
    if (!hwnd_) return;
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
}

void FormWindow::Detach() {
    form_ = nullptr;
    focus_ = nullptr;
    ::ShowWindow(hwnd_, SW_HIDE);
}

void FormWindow::Place() {
    if (!form_) return;
    const Box r = presenter_.layout().Outer(*form_);
    ::SetWindowPos(hwnd_, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    Redraw();
}

void FormWindow::Show(Surface* owner) {
    if (!owner) {
        // A window the user did not ask for does not take the keyboard.
        ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
        return;
    }
    focus_ = nullptr;
    MoveFocus(false);
    ::ShowWindow(hwnd_, SW_SHOW);
    ::SetForegroundWindow(hwnd_);
}

LRESULT CALLBACK FormWindow::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->Handle(message, w, l) : ::DefWindowProcW(window, message, w, l);
}

LRESULT FormWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_LBUTTONUP:
            if (form_) ClickAt(At(l));
            return 0;
        case WM_MOUSEMOVE:
            if (form_) HoverAt(At(l));
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (!form_) return 0;
            if (w == VK_RETURN || w == VK_ESCAPE)
                presenter_.Press(w == VK_RETURN ? Key::Enter : Key::Escape);
            else if (!FocusKey(w, message == WM_SYSKEYDOWN) && message == WM_SYSKEYDOWN)
                return ::DefWindowProcW(hwnd_, message, w, l);
            return 0;
        case WM_CLOSE:
            return 0;  // the model decides when its windows close
        default:
            return ::DefWindowProcW(hwnd_, message, w, l);
    }
}

void FormWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd_, &ps);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    if (form_) {
        // Drawn off screen first, so a blinking label does not flicker.
        HDC mem = ::CreateCompatibleDC(dc);
        HBITMAP bitmap = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
        HGDIOBJ old = ::SelectObject(mem, bitmap);
        PaintForm(mem, *form_, presenter_.layout(), pictures_, focus_);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
        ::SelectObject(mem, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(mem);
    }
    ::EndPaint(hwnd_, &ps);
}

void FormWindow::ClickAt(POINT at) {
    Control* c = presenter_.layout().ControlAt(*form_, Point{at.x, at.y});
    // A list or button that is clicked takes the keyboard.
    if (c && TakesKeyboard(*c) && focus_ != c) {
        focus_ = c;
        Redraw();
    }
    if (c && c->kind() == Control::Kind::ComboBox) return PickFromList(static_cast<ComboBox&>(*c));
    POINT screen = at;
    ::ClientToScreen(hwnd_, &screen);
    presenter_.Click(*this, c, Point{screen.x, screen.y});
}

void FormWindow::HoverAt(POINT at) {
    // Windows repeats a move when nothing moved; the model hears of real moves only.
    if (at.x == last_move_.x && at.y == last_move_.y) return;
    last_move_ = at;
    presenter_.Hover(*this, presenter_.layout().ControlAt(*form_, Point{at.x, at.y}));
}

void FormWindow::MoveFocus(bool back) {
    if (!form_) return;
    std::vector<Control*> order;
    for (Control* c : form_->TabOrder())
        if (c->Visible()) order.push_back(c);
    if (order.empty()) return;
    if (back) std::reverse(order.begin(), order.end());
    auto at = std::find(order.begin(), order.end(), focus_);
    // After the last, the first again; from none, the first.
    at = at == order.end() || at + 1 == order.end() ? order.begin() : at + 1;
    focus_ = *at;
    Redraw();
}

bool FormWindow::FocusKey(WPARAM key, bool alt) {
    if (key == VK_TAB) {
        MoveFocus(::GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if (!focus_ || !focus_->Visible()) return false;
    if (focus_->kind() == Control::Kind::CommandButton && key == VK_SPACE) {
        presenter_.Click(*this, focus_);
        return true;
    }
    if (focus_->kind() != Control::Kind::ComboBox) return false;
    auto& combo = static_cast<ComboBox&>(*focus_);
    if (key == VK_F4 || (key == VK_DOWN && alt)) {
        PickFromList(combo);
        return true;
    }
    if (key != VK_UP && key != VK_DOWN) return false;
    const int next = combo.ListIndex() + (key == VK_DOWN ? 1 : -1);
    if (next >= 0 && next < combo.ListCount()) presenter_.Select(*this, combo, next);
    return true;
}

// The list drops down as a menu below the box; the pick goes to the model.
void FormWindow::PickFromList(ComboBox& combo) {
    HMENU menu = ::CreatePopupMenu();
    for (int i = 0; i < combo.ListCount(); ++i)
        ::AppendMenuW(menu, MF_STRING | (i == combo.ListIndex() ? MF_CHECKED : 0), UINT_PTR(i + 1),
                      Widen(combo.Items()[std::size_t(i)]).c_str());
    const Box box = presenter_.layout().ControlBox(combo);
    POINT below{box.x, box.Bottom()};
    ::ClientToScreen(hwnd_, &below);
    const std::shared_ptr<bool> alive = alive_;
    const int picked = int(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN,
                                            below.x, below.y, 0, hwnd_, nullptr));
    ::DestroyMenu(menu);
    // The window, or the model's, may have gone while the list was open.
    if (*alive && form_ && picked > 0) presenter_.Select(*this, combo, picked - 1);
}

}  // namespace vz::win32

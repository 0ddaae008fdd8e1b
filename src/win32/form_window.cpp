#include "win32/form_window.h"

#include <oleacc.h>

#include <algorithm>
#include <optional>
#include <string>

#include "frontend/accessible.h"
#include "frontend/presenter.h"
#include "win32/accessible_object.h"
#include "os/path.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "win32/look.h"
#include "win32/painter.h"
#include "win32/pictures.h"

namespace vz::win32 {

namespace {

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

constexpr wchar_t kClass[] = L"VerezerudForm";
constexpr int kFirstId = 100;  // clear of IDOK and IDCANCEL
constexpr int kListRows = 8;   // a drop-down list shows this many items

POINT At(LPARAM l) { return POINT{short(LOWORD(l)), short(HIWORD(l))}; }

bool TakesKeyboard(const Control& c) {
    return c.kind() == Control::Kind::ComboBox || c.kind() == Control::Kind::CommandButton;
}

// The controls from the top down as the dialog manager visits them: those
// that take the keyboard in tab order, above the rest, which lie in the
// order the layout stacks them.
std::vector<Control*> TopDown(const Form& form) {
    std::vector<Control*> order;
    for (Control* c : form.TabOrder()) order.push_back(c);
    const std::vector<Control*> stack = StackingOrder(form);
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        if (!TakesKeyboard(**it) && (*it)->kind() != Control::Kind::Line) order.push_back(*it);
    return order;
}

DWORD StyleOf(const Control& c) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    switch (c.kind()) {
        case Control::Kind::Label: {
            const auto& label = static_cast<const Label&>(c);
            style |= SS_NOTIFY | SS_NOPREFIX;
            if (label.alignment == Alignment::Center) return style | SS_CENTER;
            if (label.alignment == Alignment::Right) return style | SS_RIGHT;
            // One that sizes itself has its one line.
            return style | (label.auto_size ? SS_LEFTNOWORDWRAP : SS_LEFT);
        }
        case Control::Kind::Image: return style | SS_NOTIFY | SS_BITMAP;
        case Control::Kind::PictureBox: return style | SS_NOTIFY | SS_ICON;
        case Control::Kind::ComboBox: return style | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
        case Control::Kind::CommandButton:
            return style | WS_TABSTOP |
                   (static_cast<const CommandButton&>(c).is_default ? BS_DEFPUSHBUTTON
                                                                     : BS_PUSHBUTTON);
        default: return style;
    }
}

const wchar_t* ClassOf(const Control& c) {
    switch (c.kind()) {
        case Control::Kind::ComboBox: return L"COMBOBOX";
        case Control::Kind::CommandButton: return L"BUTTON";
        default: return L"STATIC";
    }
}

std::string TextOf(const Control& c) {
    if (c.kind() == Control::Kind::Label) return static_cast<const Label&>(c).Caption();
    if (c.kind() == Control::Kind::CommandButton) return static_cast<const CommandButton&>(c).caption;
    return {};
}

const vz::Font* FontOf(const Control& c) {
    switch (c.kind()) {
        case Control::Kind::Label: return &static_cast<const Label&>(c).font;
        case Control::Kind::ComboBox: return &static_cast<const ComboBox&>(c).font;
        case Control::Kind::CommandButton: return &static_cast<const CommandButton&>(c).font;
        default: return nullptr;
    }
}

void SetText(HWND view, const std::string& text) {
    const std::wstring wide = Widen(text);
    wchar_t now[256] = {};
    ::GetWindowTextW(view, now, 256);
    if (wide != now) ::SetWindowTextW(view, wide.c_str());
}

void SyncItems(HWND combo, const ComboBox& model) {
    const int count = int(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    bool same = count == model.ListCount();
    for (int i = 0; same && i < count; ++i) {
        wchar_t item[64] = {};
        if (::SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(i), 0) < 64)
            ::SendMessageW(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(item));
        same = Widen(model.Items()[std::size_t(i)]) == item;
    }
    if (!same) {
        ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const std::string& s : model.Items())
            ::SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(Widen(s).c_str()));
    }
    // The program's choice; the list tells of none (only the user's picks come back).
    if (int(::SendMessageW(combo, CB_GETCURSEL, 0, 0)) != model.ListIndex())
        ::SendMessageW(combo, CB_SETCURSEL, WPARAM(model.ListIndex()), 0);
}

long SystemRole(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::Window: return ROLE_SYSTEM_WINDOW;
        case AccessibleRole::Dialog: return ROLE_SYSTEM_DIALOG;
        case AccessibleRole::Notification: return ROLE_SYSTEM_ALERT;
        case AccessibleRole::Text: return ROLE_SYSTEM_STATICTEXT;
        case AccessibleRole::Button: return ROLE_SYSTEM_PUSHBUTTON;
        case AccessibleRole::ComboBox: return ROLE_SYSTEM_COMBOBOX;
        case AccessibleRole::Picture: return ROLE_SYSTEM_GRAPHIC;
        case AccessibleRole::Separator: return ROLE_SYSTEM_SEPARATOR;
    }
    return 0;
}

Described ForScreenReader(const Accessible& a) {
    return Described{SystemRole(a.role), Widen(a.name), Widen(a.description), Widen(a.value)};
}

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

}  // namespace

FormWindow::FormWindow(Form& form, Presenter& presenter, Look& look, Pictures& pictures,
                       HWND owner)
    : form_(&form), presenter_(presenter), look_(look), pictures_(pictures) {
    RegisterClassOnce();
    const DWORD ex = form.show_in_taskbar ? 0 : WS_EX_TOOLWINDOW;
    hwnd_ = ::CreateWindowExW(ex, kClass, Widen(Title(form)).c_str(), WS_POPUP | WS_CLIPCHILDREN,
                              0, 0, 0, 0, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return;
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
    MakeViews();
    // Last, below the controls: the dialog manager never reaches it.
    announcer_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0,
                                   0, hwnd_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

void FormWindow::Announce(const std::string& text) {
    if (!announcer_ || !form_) return;
    ::SetWindowTextW(announcer_, Widen(text).c_str());
    ::NotifyWinEvent(EVENT_SYSTEM_ALERT, announcer_, OBJID_CLIENT, CHILDID_SELF);
}

FormWindow::~FormWindow() {
    if (!hwnd_) return;
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
}

void FormWindow::MakeViews() {
    const std::vector<Control*> order = TopDown(*form_);
    views_.reserve(order.size());  // the views' procedures keep pointers to them
    for (Control* c : order) {
        const int id = kFirstId + int(views_.size());
        HWND view = ::CreateWindowExW(0, ClassOf(*c), Widen(TextOf(*c)).c_str(), StyleOf(*c), 0, 0,
                                      0, 0, hwnd_, reinterpret_cast<HMENU>(INT_PTR(id)),
                                      ::GetModuleHandleW(nullptr), nullptr);
        if (!view) continue;
        // Each new one goes below those made before it: the dialog manager
        // visits the controls from the top down.
        ::SetWindowPos(view, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        views_.push_back(View{c, view, nullptr});
        // The system's control, watched for the pointer's moves over it.
        views_.back().proc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ViewProc)));
    }
}

FormWindow::View* FormWindow::Find(HWND view) {
    for (View& v : views_)
        if (v.hwnd == view || ::IsChild(v.hwnd, view)) return &v;
    return nullptr;
}

FormWindow::View* FormWindow::Find(const Control& control) {
    for (View& v : views_)
        if (v.control == &control) return &v;
    return nullptr;
}

HWND FormWindow::ViewOf(const Control& control) const {
    for (const View& v : views_)
        if (v.control == &control) return v.hwnd;
    return nullptr;
}

int FormWindow::Dpi() const { return presenter_.layout().dpi(); }

void FormWindow::Detach() {
    form_ = nullptr;
    Hide();
}

void FormWindow::Place() {
    if (!form_) return;
    const Box r = presenter_.layout().Outer(*form_);
    ::SetWindowPos(hwnd_, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void FormWindow::Paint(const Control& control) {
    if (!form_) return;
    if (View* v = Find(control))
        Sync(*v);
    else if (control.kind() == Control::Kind::Line)
        ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void FormWindow::Sync(View& v) {
    const Control& c = *v.control;
    const int dpi = Dpi();
    if (const vz::Font* font = FontOf(c))
        ::SendMessageW(v.hwnd, WM_SETFONT, WPARAM(look_.Font(*font, dpi, TextOf(c))), FALSE);
    Box box = presenter_.layout().ControlBox(c);
    switch (c.kind()) {
        case Control::Kind::Label:
        case Control::Kind::CommandButton:
            SetText(v.hwnd, TextOf(c));
            break;
        case Control::Kind::ComboBox:
            SyncItems(v.hwnd, static_cast<const ComboBox&>(c));
            // The box is the closed list; its window also holds the open one.
            ::SendMessageW(v.hwnd, CB_SETITEMHEIGHT, WPARAM(-1), LPARAM(std::max(1, box.height - 6)));
            box.height += kListRows * box.height;
            break;
        case Control::Kind::Image:
        case Control::Kind::PictureBox:
            // Setting a picture sizes the control to it: first the picture, then the box.
            if (v.dpi != dpi) {
                v.dpi = dpi;
                if (c.kind() == Control::Kind::Image)
                    ::SendMessageW(v.hwnd, STM_SETIMAGE, IMAGE_BITMAP,
                                   LPARAM(pictures_.Bitmap(static_cast<const Image&>(c).picture, dpi)));
                else
                    ::SendMessageW(v.hwnd, STM_SETICON, WPARAM(pictures_.Icon(dpi)), 0);
            }
            break;
        default:
            break;
    }
    ::SetWindowPos(v.hwnd, nullptr, box.x, box.y, box.width, box.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    const bool shown = ::IsWindowVisible(v.hwnd) || (::GetWindowLongW(v.hwnd, GWL_STYLE) & WS_VISIBLE);
    if (shown != c.Visible()) ::ShowWindow(v.hwnd, c.Visible() ? SW_SHOWNA : SW_HIDE);
    ::InvalidateRect(v.hwnd, nullptr, TRUE);
}

void FormWindow::Show(Surface* owner) {
    if (!owner) {
        // A window the user did not ask for does not take the keyboard.
        ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
        return;
    }
    // Owned by the window it is modal to, so that it stays above it.
    HWND owner_window = static_cast<FormWindow*>(owner)->hwnd();
    if (HWND(::GetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT)) != owner_window)
        ::SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner_window));
    ::ShowWindow(hwnd_, SW_SHOW);
    ::SetForegroundWindow(hwnd_);
    // It opens with the keyboard on its first control in tab order.
    for (Control* c : form_->TabOrder())
        if (HWND view = ViewOf(*c); view && c->Visible()) {
            ::SetFocus(view);
            break;
        }
}

bool FormWindow::DialogKey(MSG& m) {
    if (!form_) return false;
    // VK_RETURN and VK_ESCAPE are also the characters these keys type.
    const bool enter = m.wParam == VK_RETURN, escape = m.wParam == VK_ESCAPE;
    if ((m.message == WM_KEYDOWN || m.message == WM_CHAR) && (enter || escape)) {
        // An open list closes with them, as lists do.
        View* focus = Find(::GetFocus());
        if (focus && focus->control->kind() == Control::Kind::ComboBox &&
            ::SendMessageW(focus->hwnd, CB_GETDROPPEDSTATE, 0, 0))
            return ::IsDialogMessageW(hwnd_, &m);
        // Enter on the button that has the keyboard presses it, as Space does.
        if (enter && focus && focus->control->kind() == Control::Kind::CommandButton) {
            if (m.message == WM_KEYDOWN) presenter_.Click(*this, focus->control);
            return true;
        }
        if (m.message == WM_KEYDOWN) presenter_.Press(*this, enter ? Key::Enter : Key::Escape);
        return true;
    }
    return ::IsDialogMessageW(hwnd_, &m);
}

LRESULT CALLBACK FormWindow::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->Handle(message, w, l) : ::DefWindowProcW(window, message, w, l);
}

LRESULT CALLBACK FormWindow::ViewProc(HWND view, UINT message, WPARAM w, LPARAM l) {
    HWND parent = ::GetParent(view);
    auto* self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(parent, GWLP_USERDATA));
    View* v = self ? self->Find(view) : nullptr;
    if (!v) return ::DefWindowProcW(view, message, w, l);
    const WNDPROC proc = v->proc;
    if (message == WM_GETOBJECT && LONG(l) == LONG(OBJID_CLIENT) && self->form_)
        if (const LRESULT answer = AnswerObject(view, w, ForScreenReader(Describe(*v->control))))
            return answer;
    if (message == WM_MOUSEMOVE && self->form_) {
        POINT at = At(l);
        ::MapWindowPoints(view, parent, &at, 1);
        self->Hovered(v, at);
    }
    return ::CallWindowProcW(proc, view, message, w, l);
}

void FormWindow::Hovered(View* v, POINT at) {
    // Windows repeats a move when nothing moved; the model hears of real moves only.
    HWND in = v ? v->hwnd : hwnd_;
    if (in == last_move_in_ && at.x == last_move_.x && at.y == last_move_.y) return;
    last_move_in_ = in;
    last_move_ = at;
    presenter_.Hover(*this, v ? v->control : nullptr);
}

LRESULT FormWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (form_) return LRESULT(Colours(HDC(w), HWND(l)));
            break;
        case WM_COMMAND:
            if (form_) Command(w, l);
            return 0;
        case WM_LBUTTONUP:
            if (form_) {
                POINT screen = At(l);
                ::ClientToScreen(hwnd_, &screen);
                presenter_.Click(*this, nullptr, Point{screen.x, screen.y});
            }
            return 0;
        case WM_MOUSEMOVE:
            if (form_) Hovered(nullptr, At(l));
            return 0;
        case WM_ACTIVATE:
            // As a dialog does: the keyboard goes back to the control that had
            // it when the user comes back to the window.
            if (LOWORD(w) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus && ::IsChild(hwnd_, focus)) focus_ = focus;
            } else if (focus_ && ::IsWindow(focus_) && ::IsWindowVisible(focus_)) {
                ::SetFocus(focus_);
                return 0;
            }
            break;
        case WM_GETOBJECT:
            if (form_ && LONG(l) == LONG(OBJID_CLIENT))
                if (const LRESULT answer = AnswerObject(hwnd_, w, ForScreenReader(Describe(*form_))))
                    return answer;
            break;
        case WM_CONTEXTMENU:
            // The menu key or Shift+F10 (a pointer's comes with a position):
            // a click on the window's own surface, where the menu opens.
            if (form_ && l == LPARAM(-1)) {
                const std::optional<Point> free = presenter_.layout().FreePoint(*form_);
                POINT at{free ? free->x : 0, free ? free->y : 0};
                ::ClientToScreen(hwnd_, &at);
                presenter_.MenuKey(*this, Point{at.x, at.y});
                return 0;
            }
            break;
        case WM_DPICHANGED:
            // The display's scale changed: everything is laid out afresh.
            presenter_.SetDpi(LOWORD(w));
            return 0;
        case WM_CLOSE:
            return 0;  // the model decides when its windows close
        default:
            break;
    }
    return ::DefWindowProcW(hwnd_, message, w, l);
}

HBRUSH FormWindow::Colours(HDC dc, HWND view) {
    const View* v = Find(view);
    const Color back = form_->BackColor();
    if (!v) return look_.Brush(back);
    switch (v->control->kind()) {
        case Control::Kind::Label: {
            const auto& label = static_cast<const Label&>(*v->control);
            ::SetTextColor(dc, ToColorRef(label.fore_color));
            if (label.transparent) {
                ::SetBkMode(dc, TRANSPARENT);
                return look_.Brush(back);
            }
            ::SetBkColor(dc, ToColorRef(label.back_color));
            return look_.Brush(label.back_color);
        }
        case Control::Kind::PictureBox: {
            const Color box = static_cast<const PictureBox&>(*v->control).back_color;
            ::SetBkColor(dc, ToColorRef(box));
            return look_.Brush(box);
        }
        default:
            ::SetBkColor(dc, ToColorRef(back));
            return look_.Brush(back);
    }
}

void FormWindow::Command(WPARAM w, LPARAM l) {
    View* v = Find(HWND(l));
    if (!v) return;
    const WORD code = HIWORD(w);
    switch (v->control->kind()) {
        case Control::Kind::ComboBox:
            if (code == CBN_SELCHANGE) {
                const int picked = int(::SendMessageW(v->hwnd, CB_GETCURSEL, 0, 0));
                if (picked >= 0) presenter_.Select(*this, static_cast<ComboBox&>(*v->control), picked);
            }
            return;
        case Control::Kind::CommandButton:
            if (code == BN_CLICKED) presenter_.Click(*this, v->control);
            return;
        default:
            if (code == STN_CLICKED) {
                POINT screen{};
                ::GetCursorPos(&screen);
                presenter_.Click(*this, v->control, Point{screen.x, screen.y});
            }
            return;
    }
}

void FormWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd_, &ps);
    if (form_) PaintForm(dc, *form_, presenter_.layout(), look_);
    ::EndPaint(hwnd_, &ps);
}

}  // namespace vz::win32

#include "win32/renderer.h"

#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "os/path.h"
#include "platform/control.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/runtime.h"
#include "platform/screen.h"
#include "win32/message_window.h"

namespace vz::win32 {

namespace {

constexpr wchar_t kClass[] = L"VerezerudForm";
constexpr UINT kOpenPopup = WM_APP + 1;    // the model opened its pop-up menu
constexpr UINT kDestroyLater = WM_APP + 2; // the model's window is gone
// A fixed border is drawn as the classic raised dialog frame.
constexpr int kFramePx = 3;

int Px(double twips) { return int(std::lround(twips / kTwipsPerPixel)); }

RECT PxRect(double left, double top, double width, double height, int offset = 0) {
    const int l = Px(left) + offset, t = Px(top) + offset;
    return RECT{l, t, l + Px(width), t + Px(height)};
}

COLORREF ToColorRef(Color c) {
    if (c & 0x80000000u) return ::GetSysColor(int(c & 0xFF));
    return COLORREF(c & 0xFFFFFF);
}

HFONT MakeFont(const Font& font) {
    return ::CreateFontW(-int(std::lround(font.size * 96 / 72)), 0, 0, 0,
                         font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, Widen(font.name).c_str());
}

void Fill(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(dc, &r, brush);
    ::DeleteObject(brush);
}

void Text(HDC dc, const std::string& text, RECT r, const Font& font, COLORREF color, UINT format) {
    HFONT f = MakeFont(font);
    HGDIOBJ old = ::SelectObject(dc, f);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    std::wstring wide = Widen(text);
    ::DrawTextW(dc, wide.c_str(), int(wide.size()), &r, format | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::DeleteObject(f);
}

// Controls with windows of their own lie above the drawn ones.
bool Windowed(const Control& c) {
    return c.kind() == Control::Kind::ComboBox || c.kind() == Control::Kind::CommandButton ||
           c.kind() == Control::Kind::PictureBox;
}

}  // namespace

struct Renderer::View {
    Renderer* renderer;
    Form* form;  // nullptr once the model's window is gone
    HWND hwnd = nullptr;
    int frame = 0;
    POINT last_move{-1, -1};
    std::string focus{};  // the control that has the keyboard, by name; none if empty
};

Renderer::Renderer(Runtime& runtime) : runtime_(runtime) {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    icon_ = ::LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hIcon = icon_;
    wc.lpszClassName = kClass;
    ::RegisterClassW(&wc);
    // Windows loaded before the front end came up get their windows now.
    for (Form* form : runtime_.LoadedForms()) {
        Created(*form);
        if (form->Visible()) Shown(*form);
    }
    runtime_.AddObserver(this);
}

Renderer::~Renderer() {
    runtime_.RemoveObserver(this);
    for (auto& [form, view] : views_) {
        ::SetWindowLongPtrW(view->hwnd, GWLP_USERDATA, 0);
        ::DestroyWindow(view->hwnd);
        delete view;
    }
    for (auto& [name, bitmap] : pictures_)
        if (bitmap) ::DeleteObject(bitmap);
    if (gdiplus_) Gdiplus::GdiplusShutdown(gdiplus_);
}

HBITMAP Renderer::Picture(const std::string& name) {
    if (const auto it = pictures_.find(name); it != pictures_.end()) return it->second;
    HBITMAP& bitmap = pictures_[name];
    if (name != "rest-picture") return bitmap;
    HMODULE self = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(self, L"REST_PICTURE", MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found ? ::LoadResource(self, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes) return bitmap;
    if (!gdiplus_) {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&gdiplus_, &input, nullptr) != Gdiplus::Ok) return bitmap;
    }
    IStream* stream = ::SHCreateMemStream(static_cast<const BYTE*>(bytes),
                                          UINT(::SizeofResource(self, found)));
    if (!stream) return bitmap;
    Gdiplus::GpBitmap* image = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &image) == Gdiplus::Ok) {
        Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap(image, &bitmap, 0);
        Gdiplus::DllExports::GdipDisposeImage(image);
    }
    stream->Release();
    return bitmap;
}

void Renderer::DrawPicture(HDC dc, const std::string& name, const RECT& r) {
    if (name == "icon") {
        if (icon_) ::DrawIconEx(dc, r.left, r.top, icon_, 32, 32, 0, nullptr, DI_NORMAL);
        return;
    }
    HBITMAP bitmap = Picture(name);
    if (!bitmap) return;
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof info, &info);
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(source, bitmap);
    // At its own size from the control's corner, as an image that does not stretch.
    ::BitBlt(dc, r.left, r.top, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
}

HWND Renderer::Window(const std::string& name) const {
    for (const auto& [form, view] : views_)
        if (form->name() == name) return view->hwnd;
    return nullptr;
}

RECT Renderer::ControlRect(const Control& c) const {
    const View* view = ViewOf(&c.form());
    if (!view) return RECT{};
    return PxRect(c.Left(), c.Top(), c.Width(), c.Height(), view->frame);
}

const Control* Renderer::ControlAt(HWND window, POINT client) const {
    for (const auto& [form, view] : views_)
        if (view->hwnd == window) return HitTest(*view, client);
    return nullptr;
}

Renderer::View* Renderer::ViewOf(const Form* form) const {
    const auto it = views_.find(form);
    return it == views_.end() ? nullptr : it->second;
}

void Renderer::OnEvent(const Event& e) {
    switch (e.kind) {
        case EventKind::Load:
            if (e.form) Created(*e.form);
            return;
        case EventKind::Unload:
            if (e.form) Destroyed(*e.form);
            return;
        case EventKind::Show:
            if (e.form) Shown(*e.form);
            return;
        case EventKind::Hide:
            if (View* v = ViewOf(e.form)) ::ShowWindow(v->hwnd, SW_HIDE);
            return;
        case EventKind::Topmost:
            Restack();
            return;
        case EventKind::Move:
        case EventKind::Set:
        case EventKind::UserSelect:
        case EventKind::Items:
            if (View* v = ViewOf(e.form)) {
                if (!e.control) SyncForm(*v);
                ::InvalidateRect(v->hwnd, nullptr, FALSE);
            }
            return;
        case EventKind::Popup:
            // The menu runs a loop of its own: open it once the model's handler is done.
            if (View* v = ViewOf(e.form)) ::PostMessageW(v->hwnd, kOpenPopup, 0, 0);
            return;
        case EventKind::PopupClosed:
            if (menu_open_) ::EndMenu();
            return;
        case EventKind::Error:
            if (on_error) on_error(e.text);
            return;
        case EventKind::Chime:
        case EventKind::Write:
        case EventKind::Ignored:
            return;
    }
}

void Renderer::Created(Form& form) {
    if (ViewOf(&form)) return;
    auto* view = new View{this, &form};
    view->frame = form.border_style == BorderStyle::None ? 0 : kFramePx;
    const DWORD ex = form.show_in_taskbar ? 0 : WS_EX_TOOLWINDOW;
    const std::string title = form.caption.empty() ? "Verezerud" : form.caption;
    view->hwnd = ::CreateWindowExW(ex, kClass, Widen(title).c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!view->hwnd) {
        delete view;
        return;
    }
    ::SetWindowLongPtrW(view->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    views_[&form] = view;
    SyncForm(*view);
}

void Renderer::Destroyed(Form& form) {
    View* view = ViewOf(&form);
    if (!view) return;
    views_.erase(&form);
    // The real window may be in the middle of reporting the click that closed
    // the model's one: it goes once that is done.
    view->form = nullptr;
    ::ShowWindow(view->hwnd, SW_HIDE);
    ::PostMessageW(view->hwnd, kDestroyLater, 0, 0);
}

void Renderer::Shown(Form& form) {
    View* view = ViewOf(&form);
    if (!view) return;
    SyncForm(*view);
    if (form.IsModal()) {
        // A dialog opens with the keyboard on its first control in tab order.
        view->focus.clear();
        MoveFocus(*view, false);
        ::ShowWindow(view->hwnd, SW_SHOW);
        ::SetForegroundWindow(view->hwnd);
    } else {
        // A window the user did not ask for does not take the keyboard.
        ::ShowWindow(view->hwnd, SW_SHOWNOACTIVATE);
    }
    Restack();
}

void Renderer::SyncForm(View& view) {
    if (!view.form) return;
    const Form& f = *view.form;
    const RECT r = PxRect(f.Left(), f.Top(), f.Width(), f.Height());
    ::SetWindowPos(view.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(view.hwnd, nullptr, FALSE);
    // The rest screen takes the keyboard, so typing does not go on unseen in
    // the windows it covers.
    const bool whole = f.border_style == BorderStyle::None && r.left == 0 && r.top == 0 &&
                       r.right == ::GetSystemMetrics(SM_CXSCREEN) &&
                       r.bottom == ::GetSystemMetrics(SM_CYSCREEN);
    if (whole && ::IsWindowVisible(view.hwnd)) ::SetForegroundWindow(view.hwnd);
}

void Renderer::Restack() {
    // A window made topmost later lies above one made topmost earlier.
    std::vector<std::pair<std::uint64_t, HWND>> order;
    for (const auto& [form, view] : views_)
        if (form->TopmostOrder() != 0) order.emplace_back(form->TopmostOrder(), view->hwnd);
    std::sort(order.begin(), order.end());
    for (const auto& [rank, hwnd] : order)
        ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Renderer::Paint(View& view, HDC dc) {
    RECT client{};
    ::GetClientRect(view.hwnd, &client);
    if (!view.form) return;
    const Form& f = *view.form;
    Fill(dc, client, ToColorRef(f.BackColor()));
    if (view.frame) ::DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    for (int pass = 0; pass < 2; ++pass) {
        for (const Control* c : f.Controls()) {
            if (!c->Visible() || Windowed(*c) != (pass == 1)) continue;
            const RECT r = PxRect(c->Left(), c->Top(), c->Width(), c->Height(), view.frame);
            switch (c->kind()) {
                case Control::Kind::Label: {
                    const auto& l = static_cast<const Label&>(*c);
                    if (!l.transparent) Fill(dc, r, ToColorRef(l.back_color));
                    const UINT align = l.alignment == Alignment::Center  ? DT_CENTER
                                       : l.alignment == Alignment::Right ? DT_RIGHT
                                                                         : DT_LEFT;
                    Text(dc, l.Caption(), r, l.font, ToColorRef(l.fore_color), align | DT_WORDBREAK);
                    break;
                }
                case Control::Kind::PictureBox: {
                    const auto& box = static_cast<const PictureBox&>(*c);
                    Fill(dc, r, ToColorRef(box.back_color));
                    DrawPicture(dc, box.picture, r);
                    break;
                }
                case Control::Kind::Image:
                    DrawPicture(dc, static_cast<const Image&>(*c).picture, r);
                    break;
                case Control::Kind::ComboBox: {
                    const auto& combo = static_cast<const ComboBox&>(*c);
                    RECT box = r;
                    Fill(dc, box, ToColorRef(combo.back_color));
                    ::DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
                    RECT arrow = box;
                    arrow.left = std::max(box.left, box.right - ::GetSystemMetrics(SM_CXVSCROLL));
                    ::DrawFrameControl(dc, &arrow, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
                    RECT text = box;
                    text.left += 2;
                    text.right = arrow.left;
                    // With the keyboard, its text shows selected, as a drop-down list's does.
                    const bool focused = view.focus == c->name();
                    if (focused) Fill(dc, text, ::GetSysColor(COLOR_HIGHLIGHT));
                    Text(dc, combo.Text(), text, combo.font,
                         ::GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT),
                         DT_LEFT | DT_VCENTER | DT_SINGLELINE);
                    break;
                }
                case Control::Kind::CommandButton: {
                    const auto& button = static_cast<const CommandButton&>(*c);
                    RECT box = r;
                    ::DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONPUSH);
                    Text(dc, button.caption, r, button.font, ::GetSysColor(COLOR_BTNTEXT),
                         DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                    if (view.focus == c->name()) {
                        RECT ring = r;
                        ::InflateRect(&ring, -4, -4);
                        ::DrawFocusRect(dc, &ring);
                    }
                    break;
                }
                case Control::Kind::Line: {
                    const auto& line = static_cast<const Line&>(*c);
                    HPEN pen = ::CreatePen(PS_SOLID, line.width_px, ToColorRef(line.color));
                    HGDIOBJ old = ::SelectObject(dc, pen);
                    ::MoveToEx(dc, Px(line.x1) + view.frame, Px(line.y1) + view.frame, nullptr);
                    ::LineTo(dc, Px(line.x2) + view.frame, Px(line.y2) + view.frame);
                    ::SelectObject(dc, old);
                    ::DeleteObject(pen);
                    break;
                }
                case Control::Kind::Timer:
                    break;
            }
        }
    }
}

const Control* Renderer::HitTest(const View& view, POINT at) const {
    if (!view.form) return nullptr;
    const auto& controls = view.form->Controls();
    for (int pass = 1; pass >= 0; --pass)
        for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
            const Control* c = *it;
            if (!c->Visible() || !c->TakesInput() || Windowed(*c) != (pass == 1) ||
                c->kind() == Control::Kind::Timer)
                continue;
            const RECT r = PxRect(c->Left(), c->Top(), c->Width(), c->Height(), view.frame);
            if (::PtInRect(&r, at)) return c;
        }
    return nullptr;
}

void Renderer::ClickAt(View& view, POINT at) {
    const Control* c = HitTest(view, at);
    // A list or button that is clicked takes the keyboard.
    if (c && (c->kind() == Control::Kind::ComboBox || c->kind() == Control::Kind::CommandButton) &&
        view.focus != c->name()) {
        view.focus = c->name();
        ::InvalidateRect(view.hwnd, nullptr, FALSE);
    }
    if (c && c->kind() == Control::Kind::ComboBox) return PickFromCombo(view, *c);
    POINT screen = at;
    ::ClientToScreen(view.hwnd, &screen);
    last_click_ = screen;
    clicked_ = true;
    runtime_.Click(c ? c->Path() : view.form->name());
    clicked_ = false;
}

void Renderer::MoveFocus(View& view, bool back) {
    if (!view.form) return;
    std::vector<Control*> order;
    for (Control* c : view.form->TabOrder())
        if (c->Visible()) order.push_back(c);
    if (order.empty()) return;
    if (back) std::reverse(order.begin(), order.end());
    auto at = std::find_if(order.begin(), order.end(),
                           [&](const Control* c) { return c->name() == view.focus; });
    // After the last, the first again; from none, the first.
    at = at == order.end() || at + 1 == order.end() ? order.begin() : at + 1;
    view.focus = (*at)->name();
    ::InvalidateRect(view.hwnd, nullptr, FALSE);
}

// The keys that the control with the keyboard takes, as the system's own
// controls do: Space presses a button; the arrows step through a list, F4
// and Alt+Down open it. Enter and Escape are the window's, for the model.
bool Renderer::FocusKey(View& view, WPARAM key, bool alt) {
    if (key == VK_TAB) {
        MoveFocus(view, ::GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    const Control* c = view.form ? view.form->FindControl(view.focus) : nullptr;
    if (!c || !c->Visible()) return false;
    if (c->kind() == Control::Kind::CommandButton && key == VK_SPACE) {
        runtime_.Click(c->Path());
        return true;
    }
    if (c->kind() != Control::Kind::ComboBox) return false;
    const auto& combo = static_cast<const ComboBox&>(*c);
    if (key == VK_F4 || (key == VK_DOWN && alt)) {
        PickFromCombo(view, combo);
        return true;
    }
    if (key != VK_UP && key != VK_DOWN) return false;
    const int next = combo.ListIndex() + (key == VK_DOWN ? 1 : -1);
    if (next >= 0 && next < combo.ListCount()) runtime_.Select(combo.Path(), next);
    return true;
}

void Renderer::PickFromCombo(View& view, const Control& control) {
    const auto& combo = static_cast<const ComboBox&>(control);
    HMENU menu = ::CreatePopupMenu();
    for (int i = 0; i < combo.ListCount(); ++i)
        ::AppendMenuW(menu, MF_STRING | (i == combo.ListIndex() ? MF_CHECKED : 0), UINT_PTR(i + 1),
                      Widen(combo.Items()[std::size_t(i)]).c_str());
    RECT r = PxRect(combo.Left(), combo.Top(), combo.Width(), combo.Height(), view.frame);
    POINT below{r.left, r.bottom};
    ::ClientToScreen(view.hwnd, &below);
    const std::string target = combo.Path();
    const int picked = int(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN,
                                            below.x, below.y, 0, view.hwnd, nullptr));
    ::DestroyMenu(menu);
    if (picked > 0) runtime_.Select(target, picked - 1);
}

void Renderer::OpenPopup(View& view) {
    const Menu* menu = runtime_.PopupItems();
    if (!menu || !runtime_.PopupOpen()) return;
    HMENU popup = ::CreatePopupMenu();
    std::vector<std::string> names;
    for (const MenuItem& item : menu->items) {
        if (item.IsSeparator()) {
            ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        names.push_back(item.name);
        std::wstring caption = Widen(item.caption);
        ::AppendMenuW(popup, MF_STRING, names.size(), caption.c_str());
    }
    // At the pointer: where the click that opened it was, or else where it is now.
    POINT at = last_click_;
    if (!at.x && !at.y) ::GetCursorPos(&at);
    menu_open_ = true;
    ::SetForegroundWindow(view.hwnd);
    const UINT picked = ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                         at.x, at.y, 0, view.hwnd, nullptr);
    menu_open_ = false;
    ::DestroyMenu(popup);
    last_click_ = POINT{};
    if (!runtime_.PopupOpen()) return;  // the model closed it meanwhile
    if (picked > 0 && picked <= names.size())
        runtime_.Choose(names[picked - 1]);
    else
        runtime_.Dismiss();
}

LRESULT CALLBACK Renderer::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* view = OwnerOf<View>(window);
    if (!view) return ::DefWindowProcW(window, message, w, l);
    if (message == kDestroyLater) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        ::DestroyWindow(window);
        delete view;
        return 0;
    }
    return view->renderer->Handle(*view, message, w, l);
}

LRESULT Renderer::Handle(View& view, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(view.hwnd, &ps);
            RECT client{};
            ::GetClientRect(view.hwnd, &client);
            // Drawn off screen first, so a blinking label does not flicker.
            HDC mem = ::CreateCompatibleDC(dc);
            HBITMAP bitmap = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
            HGDIOBJ old = ::SelectObject(mem, bitmap);
            Paint(view, mem);
            ::BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
            ::SelectObject(mem, old);
            ::DeleteObject(bitmap);
            ::DeleteDC(mem);
            ::EndPaint(view.hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONUP:
            if (view.form) ClickAt(view, POINT{short(LOWORD(l)), short(HIWORD(l))});
            return 0;
        case WM_MOUSEMOVE: {
            const POINT at{short(LOWORD(l)), short(HIWORD(l))};
            // Windows repeats a move when nothing moved; the model hears of real moves only.
            if (!view.form || (at.x == view.last_move.x && at.y == view.last_move.y)) return 0;
            view.last_move = at;
            const Control* c = HitTest(view, at);
            runtime_.Hover(c ? c->Path() : view.form->name());
            return 0;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (!view.form) return 0;
            if (w == VK_RETURN || w == VK_ESCAPE)
                runtime_.Key(w == VK_RETURN ? "Enter" : "Escape");
            else if (!FocusKey(view, w, message == WM_SYSKEYDOWN) && message == WM_SYSKEYDOWN)
                return ::DefWindowProcW(view.hwnd, message, w, l);
            return 0;
        case kOpenPopup:
            if (view.form) OpenPopup(view);
            return 0;
        case WM_CLOSE:
            return 0;  // the model decides when its windows close
        default:
            return ::DefWindowProcW(view.hwnd, message, w, l);
    }
}

}  // namespace vz::win32

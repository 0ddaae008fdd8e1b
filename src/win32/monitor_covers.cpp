#include "win32/monitor_covers.h"

#include <windowsx.h>

#include <algorithm>

#include "frontend/covers.h"

namespace vz::win32 {

namespace {

constexpr wchar_t kClass[] = L"VerezerudCover";

struct Monitors {
    std::vector<Box> all;
    Box primary;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& monitors = *reinterpret_cast<Monitors*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(monitor, &info)) return TRUE;
    // The whole monitor, the task bar's part too, not its work area.
    const RECT& r = info.rcMonitor;
    const Box box{r.left, r.top, r.right - r.left, r.bottom - r.top};
    monitors.all.push_back(box);
    if (info.dwFlags & MONITORINFOF_PRIMARY) monitors.primary = box;
    return TRUE;
}

HWND MakeWindow(DWORD ex_style, const Box& box, void* owner) {
    HWND window = ::CreateWindowExW(ex_style, kClass, L"Verezerud", WS_POPUP, box.x, box.y,
                                    box.width, box.height, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    if (window) ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}

}  // namespace

void MonitorCovers::Cover(std::function<void(Point)> click) {
    click_ = std::move(click);
    if (!watch_) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = kClass;
        ::RegisterClassW(&wc);  // a second time fails harmlessly
        watch_ = MakeWindow(WS_EX_TOOLWINDOW, Box{}, this);
    }
    Refresh();
}

void MonitorCovers::Uncover() {
    click_ = nullptr;
    Refresh();
    if (watch_) ::DestroyWindow(watch_);
    watch_ = nullptr;
}

void MonitorCovers::Refresh() {
    std::vector<Box> wanted;
    if (click_) {
        Monitors monitors;
        ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
        wanted = PlaceCovers(monitors.all, monitors.primary);
    }
    // A cover that still fits a monitor stays; the others go, and new ones come.
    std::vector<std::pair<Box, HWND>> kept;
    for (const auto& [box, window] : covers_) {
        if (std::find(wanted.begin(), wanted.end(), box) != wanted.end())
            kept.emplace_back(box, window);
        else
            ::DestroyWindow(window);
    }
    for (const Box& box : wanted) {
        if (std::any_of(kept.begin(), kept.end(), [&](const auto& k) { return k.first == box; }))
            continue;
        HWND window = MakeWindow(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, box, this);
        if (!window) continue;
        ::SetWindowPos(window, HWND_TOPMOST, box.x, box.y, box.width, box.height,
                       SWP_NOACTIVATE | SWP_SHOWWINDOW);
        kept.emplace_back(box, window);
    }
    covers_ = std::move(kept);
}

LRESULT CALLBACK MonitorCovers::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<MonitorCovers*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, w, l);
    switch (message) {
        case WM_DISPLAYCHANGE:
            if (window == self->watch_ && self->Covering()) self->Refresh();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;  // the keyboard stays with the rest screen
        case WM_LBUTTONUP: {
            POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
            ::ClientToScreen(window, &at);
            // The click may end the covers; the handler is kept for its call.
            if (const auto click = self->click_) click(Point{at.x, at.y});
            return 0;
        }
        case WM_CLOSE:
            return 0;  // they go with the rest
        default:
            return ::DefWindowProcW(window, message, w, l);
    }
}

}  // namespace vz::win32

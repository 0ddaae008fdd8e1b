// The Windows front end under Wine, in virtual time, at the prefix's dots per
// inch, with no display or on one (and then under a window manager, whose
// stacking is what the user sees): its windows follow the model. The banner shows at minute 58 across
// the top of the screen, above all others, its height the design's at this
// DPI; a click on it puts it away; the rest screen covers the screen. The
// small windows are owned by the reminder window, as large as their design
// at this DPI, and no text of theirs is cut short or drawn without a glyph;
// a screen reader reads each label and button by its text. A change of scale
// lays the windows out again. Neither Alt+F4 nor the window menu's Close takes
// a window from the model. The windows go with the program's end. The real
// timers, held up for several ticks, fire the missed ticks once, not all.

#include <windows.h>
#include <oleacc.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "frontend/accessible.h"
#include "os/path.h"
#include "platform/controls.h"
#include "probe.h"
#include "win32/form_window.h"
#include "win32/window_timer_scheduler.h"

namespace {

using probe::Check;

bool Size(HWND w, LONG width, LONG height) {
    RECT r{};
    ::GetWindowRect(w, &r);
    // A pixel either way: the design's edges fall between pixels at some DPIs.
    if (std::abs(r.right - r.left - width) <= 1 && std::abs(r.bottom - r.top - height) <= 1)
        return true;
    std::printf("  window at %ld %ld, %ld x %ld, not %ld x %ld\n", r.left, r.top, r.right - r.left,
                r.bottom - r.top, width, height);
    return false;
}

std::wstring TextOf(HWND w) {
    wchar_t text[256] = {};
    ::GetWindowTextW(w, text, 256);
    return text;
}

BOOL CALLBACK Collect(HWND w, LPARAM out) {
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
    return TRUE;
}

std::vector<HWND> Children(HWND w) {
    std::vector<HWND> out;
    ::EnumChildWindows(w, Collect, reinterpret_cast<LPARAM>(&out));
    return out;
}

// Whether the control's text, in the control's own font, fits it whole and
// has a glyph for every character.
bool TextFits(HWND control) {
    const std::wstring text = TextOf(control);
    if (text.empty() || !::IsWindowVisible(control)) return true;
    HDC dc = ::GetDC(control);
    HGDIOBJ old = ::SelectObject(dc, HGDIOBJ(::SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
    std::vector<WORD> glyphs(text.size());
    ::GetGlyphIndicesW(dc, text.c_str(), int(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    RECT client{};
    ::GetClientRect(control, &client);
    bool ok = extent.cx <= client.right;
    for (WORD g : glyphs) ok = ok && g != 0xFFFF;
    if (!ok) std::printf("  \"%ls\": %ld wide in %ld, or a glyph missing\n", text.c_str(), extent.cx, client.right);
    return ok;
}

// The name a screen reader gives the control.
std::wstring AccessibleName(HWND control) {
    // __uuidof: the import library's IID_IAccessible is not the interface's.
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(control, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&object))) || !object)
        return L"(none)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring out = SUCCEEDED(object->get_accName(self, &name)) && name ? name : L"(none)";
    if (name) ::SysFreeString(name);
    object->Release();
    return out;
}

// Whether the screen shows a colour other than the rest screen's black at
// the middle of `w`, once the display has drawn it (a window manager maps a
// window a moment after it is shown).
bool SeenOnScreen(HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2 + 8};
    for (int i = 0; i < 200; ++i) {
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
        HDC screen = ::GetDC(nullptr);
        const COLORREF c = ::GetPixel(screen, middle.x, middle.y);
        ::ReleaseDC(nullptr, screen);
        if (c != RGB(0, 0, 0) && c != CLR_INVALID) return true;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT);
    }
    return false;
}

// Alt+F4 through the message loop, and Close from the window menu.
bool StaysAfterClose(vz::win32::Win32FrontEnd& front_end, HWND w) {
    for (const UINT message : {UINT(WM_SYSKEYDOWN), UINT(WM_SYSKEYUP)}) {
        MSG m{w, message, VK_F4, 0x20000001, 0, {}};  // with Alt
        if (front_end.TranslateKey(m)) continue;
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
    ::SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    return ::IsWindow(w) && ::IsWindowVisible(w);
}

// The real timers, the program held up for four and a half intervals: the
// ticks it missed come once, then the grid goes on (at most four ticks in
// the quarter second after; all the missed ones would make seven).
void TimersHeldUp() {
    vz::win32::WindowTimerScheduler timers;
    int ticks = 0;
    const auto id = timers.Start(100, [&] { ++ticks; });
    const auto pump_until = [&](std::int64_t ms) {
        for (std::int64_t now = timers.NowMs(); now < ms; now = timers.NowMs()) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(ms - now), QS_ALLINPUT);
            MSG m;
            while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
        }
    };
    pump_until(150);
    ::Sleep(450);  // held up, as by a stall of the machine
    const int before = ticks;
    pump_until(timers.NowMs() + 250);
    timers.Stop(id);
    Check(before == 1 && ticks - before >= 1 && ticks - before <= 4,
          "held-up timers skip the ticks they missed instead of firing them all at once");
}

}  // namespace

int main() {
    ::CoInitialize(nullptr);
    probe::Setup setup(L"verezerud-renderer-probe");
    vz::VirtualScheduler& scheduler = setup.scheduler;
    vz::Program& program = setup.program;
    vz::Runtime& rt = program.runtime();
    const int dpi = setup.display.dpi;
    const auto scaled = [&](int pixels_at_96) { return LONG(::MulDiv(pixels_at_96, dpi, 96)); };
    const LONG screen_w = ::GetSystemMetrics(SM_CXSCREEN), screen_h = ::GetSystemMetrics(SM_CYSCREEN);
    const char* display = std::getenv("DISPLAY");
    const bool on_display = display && *display;
    std::printf("at %d dots per inch, %s\n", dpi, on_display ? display : "no display");
    program.Start();

    HWND splash = setup.Window("frmSplash");
    Check(splash && !::IsWindowVisible(splash), "the reminder waits hidden");
    scheduler.Advance(58 * 60 * 1000);
    Check(::IsWindowVisible(splash), "the banner shows at minute 58");
    Check(Size(splash, screen_w, scaled(28)), "across the top of the screen, as high as at this DPI");
    Check(::GetWindowLongPtrW(splash, GWL_EXSTYLE) & WS_EX_TOPMOST, "above all others");
    Check(StaysAfterClose(setup.front_end, splash) && rt.Find("frmSplash"),
          "Alt+F4 and Close leave the banner to the model");
    probe::Setup::Click(splash, POINT{10, 10});
    Check(!::IsWindowVisible(splash), "a click on the banner puts it away");

    scheduler.Advance(60 * 60 * 1000 + 10 * 1000);
    Check(::IsWindowVisible(splash), "the next hour's rest screen shows");
    Check(Size(splash, screen_w, screen_h), "and covers the screen");
    Check(StaysAfterClose(setup.front_end, splash), "Alt+F4 and Close leave the rest screen");

    // The small windows, as their design is at 96 dots per inch.
    const struct {
        const char* item;
        const char* form;
        LONG width, height;
    } small[] = {{"Setting", "frmSetting", 306, 66}, {"Hour", "frmHour", 537, 48},
                 {"About", "frmAbout", 314, 190}};
    for (const auto& s : small) {
        rt.Click(rt.Locate("frmSplash"));
        rt.Choose(s.item);
        HWND w = setup.Window(s.form);
        std::printf("%s\n", s.form);
        Check(w && ::GetWindow(w, GW_OWNER) == splash, "owned by the reminder window");
        Check(Size(w, scaled(s.width), scaled(s.height)), "as large as its design at this DPI");
        if (on_display) Check(SeenOnScreen(w), "seen above the rest screen");
        bool fits = true, named = true;
        for (HWND c : Children(w)) fits = TextFits(c) && fits;
        // Read as the core describes it: a label and a button by its text.
        auto& window = *static_cast<vz::win32::FormWindow*>(setup.presenter.Build(s.form));
        for (vz::Control* control : window.form()->Controls()) {
            HWND c = window.ViewOf(*control);
            const std::wstring want = vz::Widen(vz::Describe(*control).name);
            if (!c || control->kind() == vz::Control::Kind::ComboBox || AccessibleName(c) == want)
                continue;
            std::printf("  \"%ls\" is read as \"%ls\"\n", want.c_str(), AccessibleName(c).c_str());
            named = false;
        }
        Check(fits, "every text whole, every character with a glyph");
        Check(named, "every label and button read by its text");
        if (s.item == std::string("Hour")) {
            // The display's scale doubles, and goes back.
            ::SendMessageW(w, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(2 * dpi, 2 * dpi), 0);
            Check(Size(w, scaled(2 * s.width), scaled(2 * s.height)) &&
                      Size(splash, 2 * screen_w, 2 * screen_h),
                  "a doubled scale makes every window twice as large");
            ::SendMessageW(w, 0x02E0, MAKEWPARAM(dpi, dpi), 0);
            Check(Size(w, scaled(s.width), scaled(s.height)), "and back");
        }
        rt.Unload(s.form);
    }

    program.Stop();
    Check(setup.Window("frmSplash") == nullptr, "the program's end takes its window");
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
    Check(!::IsWindow(splash), "and the window is destroyed");
    TimersHeldUp();
    return probe::failures ? 1 : 0;
}

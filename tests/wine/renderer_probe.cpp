// The Windows front end under Wine, in virtual time, at the prefix's dots per
// inch: its windows follow the model. The banner shows at minute 58 across
// the top of the screen, above all others, its height the design's at this
// DPI; a click on it puts it away; the rest screen covers the screen. The
// small windows are owned by the reminder window, as large as their design
// at this DPI, and no text of theirs is cut short or drawn without a glyph;
// a screen reader reads each label and button by its text. A change of scale
// lays the windows out again. The windows go with the program's end.

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "probe.h"

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
    std::printf("at %d dots per inch\n", dpi);
    program.Start();

    HWND splash = setup.Window("frmSplash");
    Check(splash && !::IsWindowVisible(splash), "the reminder waits hidden");
    scheduler.Advance(58 * 60 * 1000);
    Check(::IsWindowVisible(splash), "the banner shows at minute 58");
    Check(Size(splash, screen_w, scaled(28)), "across the top of the screen, as high as at this DPI");
    Check(::GetWindowLongPtrW(splash, GWL_EXSTYLE) & WS_EX_TOPMOST, "above all others");
    probe::Setup::Click(splash, POINT{10, 10});
    Check(!::IsWindowVisible(splash), "a click on the banner puts it away");

    scheduler.Advance(60 * 60 * 1000 + 10 * 1000);
    Check(::IsWindowVisible(splash), "the next hour's rest screen shows");
    Check(Size(splash, screen_w, screen_h), "and covers the screen");

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
        bool fits = true, named = true;
        for (HWND c : Children(w)) {
            fits = TextFits(c) && fits;
            wchar_t kind[16] = {};
            ::GetClassNameW(c, kind, 16);
            if (std::wstring(kind) != L"ComboBox" && !TextOf(c).empty() && AccessibleName(c) != TextOf(c)) {
                std::printf("  \"%ls\" is read as \"%ls\"\n", TextOf(c).c_str(), AccessibleName(c).c_str());
                named = false;
            }
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
    return probe::failures ? 1 : 0;
}

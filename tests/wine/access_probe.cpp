// What a screen reader reads of the Windows front end, through the system's
// accessibility objects (AccessibleObjectFromWindow) and events: every window
// and control by the role and name the core gives it (a list by its label,
// not its value), the banner raised as an alert with its text, the rest's
// start and end alerted too, and from the keyboard the menu key opening the
// rest screen's menu, Enter pressing the button that has the keyboard, and
// the decline key held while the banner is up.

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "frontend/accessible.h"
#include "os/path.h"
#include "platform/controls.h"
#include "probe.h"
#include "win32/form_window.h"

namespace {

using probe::Check;

struct Read {
    long role = 0;
    std::wstring name;
};

Read ReadOf(HWND w) {
    Read out;
    IAccessible* object = nullptr;
    // __uuidof: the import library's IID_IAccessible is not the interface's.
    if (FAILED(::AccessibleObjectFromWindow(w, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&object))) || !object)
        return out;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(self, &name)) && name) out.name = name;
    if (name) ::SysFreeString(name);
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) out.role = role.lVal;
    object->Release();
    return out;
}

// The alerts raised, by the text of the object that raised them.
std::vector<std::wstring> alerts;

void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND w, LONG, LONG, DWORD, DWORD) {
    if (event != EVENT_SYSTEM_ALERT) return;
    wchar_t text[256] = {};
    ::GetWindowTextW(w, text, 256);
    alerts.push_back(text);
}

void Pump() {
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
}

vz::win32::FormWindow& Surface(probe::Setup& setup, const char* form) {
    return *static_cast<vz::win32::FormWindow*>(setup.presenter.Build(form));
}

// Every control of the window is read as the core describes it.
bool ReadsAsDescribed(probe::Setup& setup, const char* form) {
    vz::win32::FormWindow& window = Surface(setup, form);
    bool ok = true;
    for (vz::Control* c : window.form()->Controls()) {
        HWND view = window.ViewOf(*c);
        if (!view) continue;
        const std::wstring want = vz::Widen(vz::Describe(*c).name);
        const Read got = ReadOf(view);
        if (got.name != want) {
            std::printf("  %s is read as \"%ls\", not \"%ls\"\n", c->Path().c_str(), got.name.c_str(),
                        want.c_str());
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int main() {
    ::CoInitialize(nullptr);
    probe::Setup setup(L"verezerud-access-probe");
    vz::Runtime& rt = setup.program.runtime();
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, Heard,
                                                 0, 0, WINEVENT_OUTOFCONTEXT);
    Check(hook != nullptr, "alerts can be heard");
    setup.program.Start();

    setup.scheduler.Advance(58 * 60 * 1000);
    Pump();
    HWND splash = setup.Window("frmSplash");
    // Ctrl+Alt+N is the program's while the banner is up: no other program
    // may take it then.
    const bool taken = !::RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, 'N');
    if (!taken) ::UnregisterHotKey(nullptr, 7);
    Check(taken, "the decline key is held while the banner is up");
    const Read banner = ReadOf(splash);
    Check(banner.role == ROLE_SYSTEM_ALERT && banner.name == L"Why not take a rest of 2 minutes.",
          "the banner is an alert named by its text");
    Check(alerts == std::vector<std::wstring>{L"Why not take a rest of 2 minutes."},
          "its text is alerted once as it shows");

    // The key pressed: the banner goes, declined, and the key is free again.
    HWND later = ::FindWindowExW(HWND_MESSAGE, nullptr, L"VerezerudLater", nullptr);
    ::PostMessageW(later, WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'N'));
    Pump();
    Check(!::IsWindowVisible(splash), "the decline key puts the banner away");
    const bool free = ::RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, 'N');
    if (free) ::UnregisterHotKey(nullptr, 7);
    Check(free, "and lets the key go");

    // The next hour's banner, heard again, and its rest screen.
    setup.scheduler.Advance(60 * 60 * 1000);
    Pump();
    Check(alerts.size() == 2 && alerts.back() == L"Why not take a rest of 2 minutes.",
          "the next banner is alerted");
    setup.scheduler.Advance(10 * 1000);
    Pump();
    const Read rest = ReadOf(splash);
    Check(rest.role == ROLE_SYSTEM_WINDOW && rest.name == L"Rirodov is the best Chinese school online!",
          "the rest screen is a window named by its slogan");
    Check(alerts.size() == 3 && alerts.back() == L"The rest begins.", "the rest's start is alerted");

    // The menu key: the menu opens, as a click on the rest screen opens it.
    // The real menu would open once this is done, in a loop of its own: the
    // model's choice comes first, and the real menu then does not open.
    ::SendMessageW(splash, WM_CONTEXTMENU, WPARAM(splash), LPARAM(-1));
    Check(rt.PopupOpen(), "the menu key opens the rest screen's menu");
    rt.Choose("Setting");
    Pump();

    const Read setting = ReadOf(setup.Window("frmSetting"));
    Check(setting.role == ROLE_SYSTEM_DIALOG && setting.name == L"Setting",
          "the settings window is a dialog named by its menu entry");
    Check(ReadsAsDescribed(setup, "frmSetting"), "every control of it read as described");
    vz::win32::FormWindow& settings = Surface(setup, "frmSetting");
    const Read list = ReadOf(settings.ViewOf(*settings.form()->FindControl("Combo1")));
    Check(list.role == ROLE_SYSTEM_COMBOBOX && list.name == L"Take a rest of",
          "a list is named by its label, not its value");
    // Enter on Cancel, which has the keyboard, presses it.
    ::SetFocus(settings.ViewOf(*settings.form()->FindControl("Command2")));
    setup.Press(VK_RETURN);
    Check(!rt.Find("frmSetting"), "Enter presses the button that has the keyboard");

    rt.Click(rt.Locate("frmSplash"));
    rt.Choose("Hour");
    Pump();
    Check(ReadOf(setup.Window("frmHour")).name == L"How long has the computer been used?",
          "the hours window is named by its menu entry");
    Check(ReadsAsDescribed(setup, "frmHour"), "its sentence is read with the figure in its gap");
    rt.Unload("frmHour");

    rt.Click(rt.Locate("frmSplash"));
    rt.Choose("About");
    Pump();
    Check(ReadOf(setup.Window("frmAbout")).name == L"About", "the about window is named About");
    Check(ReadsAsDescribed(setup, "frmAbout"), "every line of it read as it shows");
    rt.Unload("frmAbout");

    setup.scheduler.Advance(110 * 1000);
    Pump();
    Check(alerts.size() == 4 && alerts.back() == L"The rest is over.", "the rest's end is alerted");

    ::UnhookWinEvent(hook);
    setup.program.Stop();
    return probe::failures ? 1 : 0;
}

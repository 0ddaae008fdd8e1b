// verezerud on Windows: the program over the system's own windows, timers,
// files and sound. The data files live in %LOCALAPPDATA%\Verezerud; one program runs
// per data folder, and a second start says so, unless started with /autostart
// (at log-on, by the installer). The end of the session, or WM_CLOSE to the
// session window (the installer's), credits the unfinished hour once.

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/embedded_resources.h"
#include "app/program.h"
#include "frontend/presenter.h"
#include "os/chime_player.h"
#include "os/console.h"
#include "os/data_folder.h"
#include "os/instance_lock.h"
#include "os/option_files.h"
#include "os/path.h"
#include "os/real_disk.h"
#include "store/settings_file.h"
#include "store/usage_file.h"
#include "win32/desktop_presence.h"
#include "win32/display.h"
#include "win32/front_end.h"
#include "win32/notices.h"
#include "win32/window_timer_scheduler.h"

namespace {

constexpr wchar_t kSessionClass[] = L"VerezerudSession";

vz::Program* g_program = nullptr;
vz::win32::Notices* g_notices = nullptr;

// Ends the program's run once: the reminder window unloads and credits the
// unfinished hour. Later calls find it stopped and do nothing. No box opens
// from now on: the session or the installer is waiting for the program to end.
void StopOnce() {
    if (g_notices) g_notices->Close();
    if (g_program && g_program->runtime().Running()) g_program->Stop();
}

void Fatal(const std::string& message) {
    ::MessageBoxW(nullptr, vz::Widen(message).c_str(), L"Verezerud", MB_OK | MB_ICONERROR);
}

// A hidden top-level window: Windows tells such windows that the session ends.
LRESULT CALLBACK SessionProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The process may be ended as soon as this returns: credit now.
            if (w) {
                StopOnce();
                ::PostQuitMessage(0);
            }
            return 0;
        case WM_CLOSE:
            StopOnce();
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(window, message, w, l);
    }
}

// Started with /autostart (at log-on, by the installer): a copy already
// running is no news to the user.
bool Autostart() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    bool found = false;
    for (int i = 1; argv && i < argc; ++i)
        if (::lstrcmpiW(argv[i], L"/autostart") == 0) found = true;
    ::LocalFree(argv);
    return found;
}

// The presence sources this desktop offers: those the options call for, or
// every one when `options` is null (for --options, which says what each would
// watch here).
std::vector<std::unique_ptr<vz::PresenceSource>> PresenceSources(vz::Scheduler& scheduler,
                                                                  const vz::Options* options) {
    // The rest lasts a minute at least, and an away told late is dated back to
    // the last input: a minute without input is soon enough for any rest.
    constexpr std::int64_t kAwayAfterMs = 60'000;
    vz::win32::PresenceWanted wanted;
    if (options) {
        wanted.absence = options->On("away-counts-as-rest");
        wanted.busy = options->On("hold-while-busy");
    }
    return vz::win32::MakeDesktopPresence(scheduler, kAwayAfterMs, wanted);
}

// The options of this run: the files and policy, then each --set KEY=VALUE.
// True when --options asks only to print them.
bool ReadOptions(vz::Options& options) {
    vz::ReadOptionFiles(options);
    const std::vector<std::string> args = vz::CommandLineArguments(0, nullptr);
    bool print = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--set" && i + 1 < args.size())
            options.SetFromCommandLine(args[++i]);
        else if (args[i] == "--options")
            print = true;
    }
    return print;
}

// --options writes to where standard output goes, else to the console that
// started the program, else into a message box: a Windows program has none.
void PrintOptions(const vz::Options& options) {
    std::string text;
    for (const std::string& problem : options.Problems()) text += "verezerud: " + problem + "\n";
    // Started, so that each can say whether it works here.
    class Unheard : public vz::PresenceSink {
        void Tell(vz::Presence, std::int64_t) override {}
    } sink;
    vz::win32::WindowTimerScheduler scheduler;
    auto sources = PresenceSources(scheduler, nullptr);
    for (auto& source : sources) source->Start(sink);
    for (const std::string& line : vz::OptionsReport(options, sources)) text += line + "\n";
    HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    bool opened = false;
    if ((!out || out == INVALID_HANDLE_VALUE) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        out = ::CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
        opened = out != INVALID_HANDLE_VALUE;
    }
    DWORD written = 0;
    if (!out || out == INVALID_HANDLE_VALUE ||
        !::WriteFile(out, text.data(), DWORD(text.size()), &written, nullptr))
        ::MessageBoxW(nullptr, vz::Widen(text).c_str(), L"Verezerud options", MB_OK);
    if (opened) ::CloseHandle(out);
}

std::string DecimalSeparator() {
    wchar_t text[8] = {};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, 8) > 0)
        return vz::Narrow(text);
    return ".";
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    vz::Options options;
    if (ReadOptions(options)) {
        PrintOptions(options);
        return 0;
    }
    const std::string folder = vz::DataFolder();
    std::string why;
    if (folder.empty() || !vz::MakeDataFolder(folder, why)) {
        Fatal("Cannot make the data folder " + folder + (why.empty() ? "" : ": " + why));
        return 1;
    }

    // One program per data folder, or every hour would be counted twice.
    vz::InstanceLock lock(folder);
    if (lock.state() == vz::InstanceLock::State::HeldElsewhere) {
        if (!Autostart()) vz::win32::ShowNotice("Verezerud is already running.", MB_ICONINFORMATION);
        return 0;
    }
    // Under the lock, so that only one program carries the earlier files over.
    vz::AdoptEarlierFiles(folder, {vz::kUsageFile, vz::kSettingsFile});

    WNDCLASSW wc{};
    wc.lpfnWndProc = SessionProc;
    wc.hInstance = instance;
    wc.lpszClassName = kSessionClass;
    ::RegisterClassW(&wc);
    HWND session = ::CreateWindowExW(WS_EX_TOOLWINDOW, kSessionClass, L"Verezerud", WS_POPUP, 0, 0,
                                     0, 0, nullptr, nullptr, instance, nullptr);
    if (!session) {
        Fatal("Cannot create a window");
        return 1;
    }

    // The model's screen is the primary monitor in inches; its pixels are the
    // monitor's at its own dots per inch.
    const vz::win32::Display display = vz::win32::PrimaryDisplay();
    vz::Screen screen;
    screen.width_px = display.width;
    screen.height_px = display.height;
    if (screen.width_px <= 0 || screen.height_px <= 0) screen = vz::Screen{};

    vz::win32::WindowTimerScheduler scheduler;
    vz::RealDisk disk(folder);
    vz::ChimePlayer sound;
    vz::EmbeddedResources resources;
    vz::Program program(vz::Services{scheduler, disk, sound, resources, screen, DecimalSeparator()},
                        std::move(options));
    for (auto& source : PresenceSources(scheduler, &program.options())) program.AddPresenceSource(std::move(source));
    if (const auto motion = vz::ParseMotion(program.options().Get("motion")))
        program.SetMotion(vz::win32::MotionFor(*motion));
    vz::Runtime& runtime = program.runtime();
    vz::win32::Win32FrontEnd front_end;
    vz::Presenter presenter(runtime, front_end, display.dpi);
    vz::win32::Notices notices(runtime, front_end);
    std::string failure;
    presenter.on_error = [&](const std::string& message) {
        ::OutputDebugStringW(vz::Widen("verezerud: " + message + "\n").c_str());
        failure = message;
        notices.Report(message);
    };
    g_program = &program;
    g_notices = &notices;

    program.Start();
    if (!runtime.Running()) {  // start-up failed
        Fatal(failure.empty() ? "Verezerud could not start." : failure);
        g_notices = nullptr;
        return 1;
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (front_end.TranslateKey(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    StopOnce();
    g_program = nullptr;
    g_notices = nullptr;
    ::DestroyWindow(session);
    return int(message.wParam);
}

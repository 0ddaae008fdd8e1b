// The Windows program under Wine. `session_probe PROGRAM` runs PROGRAM as
// Windows would (a second program, the usage file carried over, the end of
// the session, failures told in boxes), each check saying what it shows.
// For the installer's test:
//   session_probe start PROGRAM      starts it and waits for its session window
//   session_probe running            waits for a program's session window
//   session_probe stop               closes the program that runs, as the installer does
//   session_probe hold FILE COMMAND  runs COMMAND while FILE is held open

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "probe.h"
#include "win32/message_window.h"
#include "win32/notices.h"

namespace fs = std::filesystem;

namespace {

using probe::Check;

PROCESS_INFORMATION Start(std::wstring command) {
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION p{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &start, &p))
        return PROCESS_INFORMATION{};
    return p;
}

// The first window of `thread` (every thread's, for 0) of `class_name`;
// waits up to `wait_ms` for one. Wine may call a program idle before its
// first window exists.
HWND WindowOf(DWORD thread, const wchar_t* class_name, DWORD wait_ms = 30000) {
    struct Search {
        const wchar_t* name;
        HWND found;
    } search{class_name, nullptr};
    const WNDENUMPROC match = [](HWND w, LPARAM l) {
        auto* s = reinterpret_cast<Search*>(l);
        wchar_t name[64] = {};
        ::GetClassNameW(w, name, 64);
        if (std::wstring(name) != s->name) return TRUE;
        s->found = w;
        return FALSE;
    };
    for (const ULONGLONG end = ::GetTickCount64() + wait_ms;;) {
        if (thread)
            ::EnumThreadWindows(thread, match, reinterpret_cast<LPARAM>(&search));
        else
            ::EnumWindows(match, reinterpret_cast<LPARAM>(&search));
        if (search.found || ::GetTickCount64() >= end) return search.found;
        ::Sleep(10);
    }
}

HWND SessionWindow(DWORD thread) { return WindowOf(thread, L"VerezerudSession"); }

// A message box's text, read from the box of `thread` once it shows; empty for none.
std::wstring BoxText(DWORD thread, HWND* box) {
    const ULONGLONG end = ::GetTickCount64() + 30000;
    *box = WindowOf(thread, L"#32770");
    while (*box && !::IsWindowVisible(*box) && ::GetTickCount64() < end) ::Sleep(10);
    wchar_t text[512] = {};
    if (*box) ::GetDlgItemTextW(*box, 0xFFFF, text, 512);  // the text's control in every box
    return text;
}

DWORD EndedWith(HANDLE process, DWORD wait_ms = 30000) {
    if (::WaitForSingleObject(process, wait_ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    ::GetExitCodeProcess(process, &code);
    return code;
}

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string out(std::istreambuf_iterator<char>(in), {});
    std::string hex;
    for (unsigned char c : out) {
        char b[4];
        std::snprintf(b, sizeof b, hex.empty() ? "%02X" : " %02X", c);
        hex += b;
    }
    return hex;
}

void Put(const fs::path& file, const char* bytes, std::size_t n) {
    std::ofstream(file, std::ios::binary).write(bytes, std::streamsize(n));
}

// `message` sent to `window` as the system sends it; the answer.
DWORD_PTR Send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(window, message, w, l, SMTO_ABORTIFHUNG, 30000, &answer);
    return answer;
}

// As the installer asks a running program to finish.
DWORD Close(HWND session, HANDLE process) {
    Send(session, WM_CLOSE);
    return EndedWith(process);
}

int StartOnly(const std::wstring& program) {
    const PROCESS_INFORMATION p = Start(L"\"" + program + L"\"");
    const bool up = p.hProcess && SessionWindow(p.dwThreadId);
    std::printf("%s %lu\n", up ? "started" : "did not start", p.dwProcessId);
    return up ? 0 : 1;
}

// A running program, found by its session window; closed too when `stop`.
int RunningOrStop(bool stop) {
    HWND session = WindowOf(0, L"VerezerudSession", stop ? 0 : 30000);
    DWORD id = 0;
    if (session) ::GetWindowThreadProcessId(session, &id);
    HANDLE process = stop ? ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id) : nullptr;
    const bool ok = stop ? process && Close(session, process) == 0 : session != nullptr;
    std::printf("%s %lu\n", ok ? (stop ? "stopped" : "running") : (stop ? "nothing stopped" : "none running"), id);
    return ok ? 0 : 1;
}

// Shared for reading only: nobody may write, delete or rename it meanwhile.
int Hold(const wchar_t* file, const wchar_t* command) {
    HANDLE h = ::CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 3;
    const PROCESS_INFORMATION p = Start(command);
    const DWORD code = p.hProcess ? EndedWith(p.hProcess, 90000) : 4;
    std::printf("held; it ended with %lu\n", code);
    ::CloseHandle(h);
    return int(code);
}

// The message boxes shown, in order: each is read once it is made, and its
// OK pressed; while the first is up, the rest screen comes.
std::vector<std::string> boxes;
probe::Setup* notices_setup = nullptr;
HWND rest_while_up = nullptr;  // message-only: the step taken inside the first box

BOOL CALLBACK Collect(HWND w, LPARAM out) {
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
    return TRUE;
}

// The rest screen comes while the box is up; the box stays above it.
LRESULT CALLBACK RestWhileUp(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_APP) return ::DefWindowProcW(window, message, w, l);
    const HWND box = HWND(w);
    notices_setup->scheduler.Advance(58 * 60 * 1000 + 10 * 1000);
    std::vector<HWND> top_down;
    ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&top_down));
    const auto at = [&](HWND h) { return std::find(top_down.begin(), top_down.end(), h); };
    const HWND rest = notices_setup->Window("frmSplash");
    Check(rest && ::IsWindowVisible(rest) && at(box) < at(rest),
          "a box that is up stays above the rest screen that comes meanwhile");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
}

LRESULT CALLBACK Answer(int code, WPARAM w, LPARAM l) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(l);
    wchar_t name[16] = {}, text[512] = {};
    if (code == HC_ACTION && call->message == WM_INITDIALOG &&
        ::GetClassNameW(call->hwnd, name, 16) && std::wstring(name) == L"#32770") {
        ::GetDlgItemTextW(call->hwnd, 0xFFFF, text, 512);
        boxes.push_back(vz::Narrow(text).substr(0, 30));
        if (boxes.size() == 1)
            ::PostMessageW(rest_while_up, WM_APP, WPARAM(call->hwnd), 0);
        else
            ::PostMessageW(call->hwnd, WM_COMMAND, IDOK, 0);
    }
    return ::CallNextHookEx(nullptr, code, w, l);
}

// The program in virtual time with a folder in place of the usage file for
// two hours, then gone, then back; then the count at its limit for two hours.
void FailuresShowOnce() {
    probe::Setup setup(L"verezerud-notices-probe");
    const std::wstring usage = vz::Widen(setup.disk.folder()) + L"\\ZURivIdid.tim";
    ::CreateDirectoryW(usage.c_str(), nullptr);
    vz::win32::Notices notices(setup.program.runtime(), setup.front_end);
    setup.presenter.on_error = [&](const std::string& message) { notices.Report(message); };
    notices_setup = &setup;
    rest_while_up = vz::win32::MakeMessageWindow(L"VerezerudRestWhileUp", RestWhileUp, nullptr);
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, Answer, nullptr, ::GetCurrentThreadId());
    const auto hour = [&] {
        setup.scheduler.Advance(60 * 60 * 1000);
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
    };
    setup.program.Start();
    hour();
    hour();
    ::RemoveDirectoryW(usage.c_str());
    hour();
    ::DeleteFileW(usage.c_str());
    ::CreateDirectoryW(usage.c_str(), nullptr);
    hour();
    ::RemoveDirectoryW(usage.c_str());
    setup.disk.Open("ZURivIdid.tim");
    setup.disk.Write("ZURivIdid.tim", 0, {0xFF, 0x7F});
    hour();
    hour();
    setup.program.Stop();
    ::UnhookWindowsHookEx(hook);
    const std::vector<std::string> once{"Cannot read the usage total (c", "Cannot save the usage total (c",
                                        "The usage total has reached it"};
    Check(boxes == once, "each failure shows in a box once a run, however often it is reported");
    for (const std::string& b : boxes) std::printf("  box: %s\n", b.c_str());
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (argc == 3 && mode == L"start") return StartOnly(argv[2]);
    if (argc == 2 && (mode == L"running" || mode == L"stop")) return RunningOrStop(mode == L"stop");
    if (argc == 4 && mode == L"hold") return Hold(argv[2], argv[3]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: session_probe PROGRAM | start PROGRAM | running | stop | hold FILE COMMAND\n");
        return 2;
    }
    const std::wstring program = L"\"" + std::wstring(argv[1]) + L"\"";
    wchar_t local[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
    const fs::path folder = fs::path(local) / L"Verezerud";
    const fs::path usage = folder / L"ZURivIdid.tim", earlier = L"C:\\ZURivIdid.tim";
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::remove(earlier, ec);

    // A second program, started while the first runs with no data files yet.
    PROCESS_INFORMATION first = Start(program);
    HWND session = first.hProcess ? SessionWindow(first.dwThreadId) : nullptr;
    Check(session != nullptr, "the program starts with a window that hears of the session's end");
    Put(earlier, "\x05\x00", 2);
    // As a start cut short while carrying the usage file over would leave it.
    const fs::path carrying = folder / L"ZURivIdid.tim.carrying";
    Put(carrying, "\x05", 1);
    const PROCESS_INFORMATION second = Start(program);
    HWND box = nullptr;
    Check(BoxText(second.dwThreadId, &box) == L"Verezerud is already running.",
          "a second program says that Verezerud is already running");
    wchar_t title[64] = {};
    ::GetWindowTextW(box, title, 64);
    Check(title == std::wstring(L"Verezerud"), "in a box titled Verezerud");
    Check(Bytes(carrying) == "05", "and leaves the data folder alone");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    Check(second.hProcess && EndedWith(second.hProcess) == 0, "OK, and it leaves with status 0");
    Check(session && Close(session, first.hProcess) == 0, "the first program ends when asked to");
    Check(Bytes(usage) == "01 00", "and credits the unfinished hour once");

    // As if a start was cut short after the settings were carried over.
    fs::remove(usage, ec);
    Put(folder / L"SettingT.tim", "\x01\x01", 2);
    first = Start(program);
    session = first.hProcess ? SessionWindow(first.dwThreadId) : nullptr;
    Check(Bytes(usage) == "05 00", "the earlier usage file is carried over whole");
    Check(!fs::exists(carrying), "through its temporary name");
    Check(Send(session, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) == TRUE, "the program lets the session end");
    for (int i = 0; i < 2; ++i) Send(session, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    Check(first.hProcess && EndedWith(first.hProcess) == 0, "the program ends with the session");
    Check(Bytes(usage) == "06 00", "the unfinished hour is credited once");

    // A folder where the usage file should be.
    fs::remove(usage, ec);
    fs::create_directory(usage, ec);
    first = Start(program);
    const std::wstring told = BoxText(first.dwThreadId, &box);
    Check(told.rfind(L"Cannot read the usage total (", 0) == 0, "a folder in place of the usage file is told");
    Check(box && (::GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST), "in a box above all windows");
    session = first.hProcess ? SessionWindow(first.dwThreadId) : nullptr;
    Send(session, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    Check(first.hProcess && EndedWith(first.hProcess) == 0,
          "the session ends while the box is up, and no other box holds it");

    fs::remove_all(folder, ec);
    fs::remove(earlier, ec);
    ::LocalFree(argv);

    FailuresShowOnce();
    return probe::failures ? 1 : 0;
}

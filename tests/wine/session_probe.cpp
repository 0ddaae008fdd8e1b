// The Windows program under Wine: it takes over the usage file an earlier
// version left at C:\, a second program leaves with status 0, and the end of
// the session credits the unfinished hour exactly once, however often it is
// told. `session_probe PROGRAM` runs PROGRAM as Windows would.

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    std::fflush(stdout);
    if (!ok) ++failures;
}

PROCESS_INFORMATION Start(const std::wstring& program) {
    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION p{};
    if (!::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &start, &p))
        return PROCESS_INFORMATION{};
    return p;
}

// The window of the program's main thread that hears of the session's end.
HWND SessionWindow(DWORD thread) {
    HWND found = nullptr;
    ::EnumThreadWindows(
        thread,
        [](HWND w, LPARAM found) {
            wchar_t name[64] = {};
            ::GetClassNameW(w, name, 64);
            if (std::wstring(name) != L"VerezerudSession") return TRUE;
            *reinterpret_cast<HWND*>(found) = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

DWORD EndedWith(HANDLE process, DWORD wait_ms) {
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

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argc != 2) {
        std::fprintf(stderr, "usage: session_probe PROGRAM\n");
        return 2;
    }
    const std::wstring program = argv[1];
    wchar_t local[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
    const fs::path folder = fs::path(local) / L"Verezerud";
    const fs::path earlier = L"C:\\ZURivIdid.tim";
    std::error_code ec;
    fs::remove_all(folder, ec);
    std::ofstream(earlier, std::ios::binary).write("\x05\x00", 2);

    const PROCESS_INFORMATION first = Start(program);
    Check(first.hProcess && ::WaitForInputIdle(first.hProcess, 30000) == 0,
          "the program starts and waits");
    const PROCESS_INFORMATION second = Start(program);
    Check(second.hProcess && EndedWith(second.hProcess, 30000) == 0,
          "a second program leaves with status 0");
    Check(Bytes(folder / L"ZURivIdid.tim") == "05 00", "the earlier usage file is taken over");

    // Wine may call a program idle before its first window exists: wait for it.
    HWND session = nullptr;
    for (const ULONGLONG end = ::GetTickCount64() + 30000; !session && ::GetTickCount64() < end;) {
        session = SessionWindow(first.dwThreadId);
        if (!session) ::Sleep(10);
    }
    Check(session != nullptr, "the program has a window that hears of the session's end");
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(session, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                          30000, &answer);
    Check(answer == TRUE, "the program lets the session end");
    for (int i = 0; i < 2; ++i)
        ::SendMessageTimeoutW(session, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                              30000, &answer);
    Check(first.hProcess && EndedWith(first.hProcess, 30000) == 0,
          "the program ends with the session");
    Check(Bytes(folder / L"ZURivIdid.tim") == "06 00", "the unfinished hour is credited once");

    fs::remove(earlier, ec);
    ::LocalFree(argv);
    return failures ? 1 : 0;
}

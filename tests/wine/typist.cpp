// typist NAME: another program's window, titled NAME, that writes to standard
// output, one a line as they come, each character typed into it ("char a")
// and each key pressed anywhere on the desktop as its keyboard hook sees it
// once the hooks installed before it have had it ("key 41"): the hooks are
// asked in turn before the key goes to a window, so that line tells that
// the key's way has been decided.

#include <windows.h>

#include <cstdio>

namespace {

HHOOK hook = nullptr;

LRESULT CALLBACK Key(int code, WPARAM w, LPARAM l) {
    const LRESULT result = ::CallNextHookEx(hook, code, w, l);
    if (code == HC_ACTION && (w == WM_KEYDOWN || w == WM_SYSKEYDOWN)) {
        std::printf("key %02lX\n", reinterpret_cast<const KBDLLHOOKSTRUCT*>(l)->vkCode);
        std::fflush(stdout);
    }
    return result;
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_CHAR) {
        std::printf("char %lc\n", wint_t(w));
        std::fflush(stdout);
        return 0;
    }
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(window, message, w, l);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"Typist";
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW, 100, 100,
                                    400, 200, nullptr, nullptr, wc.hInstance, nullptr);
    hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, Key, wc.hInstance, 0);
    if (!window || !hook) return 1;
    ::ShowWindow(window, SW_SHOW);
    MSG m;
    while (::GetMessageW(&m, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
    return 0;
}

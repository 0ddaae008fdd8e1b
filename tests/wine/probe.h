#pragma once
// What the Windows front end's probes share: the program over a fresh data
// folder in the temporary folder, in virtual time, silent, with its real
// windows; and a check that prints its verdict and counts failures.

#include <windows.h>

#include <cstdio>
#include <string>

#include "app/embedded_resources.h"
#include "app/program.h"
#include "os/path.h"
#include "os/real_disk.h"
#include "platform/virtual_scheduler.h"
#include "frontend/presenter.h"
#include "win32/display.h"
#include "win32/front_end.h"

namespace probe {

inline int failures = 0;

inline void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    std::fflush(stdout);  // before what a program started meanwhile prints
    if (!ok) ++failures;
}

// `folder` in the temporary folder, without data files.
inline std::string FreshFolder(const wchar_t* folder) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + folder;
    ::CreateDirectoryW(dir.c_str(), nullptr);
    ::DeleteFileW((dir + L"\\ZURivIdid.tim").c_str());
    ::DeleteFileW((dir + L"\\SettingT.tim").c_str());
    return vz::Narrow(dir);
}

// The model's screen as the program sees the primary monitor.
inline vz::Screen ModelScreen(const vz::win32::Display& display) {
    vz::Screen screen;
    screen.width_px = display.width;
    screen.height_px = display.height;
    return screen;
}

struct Setup {
    explicit Setup(const wchar_t* folder) : disk(FreshFolder(folder)) {}
    const vz::win32::Display display = vz::win32::PrimaryDisplay();
    vz::VirtualScheduler scheduler;
    vz::RealDisk disk;
    vz::SilentPlayer sound;
    vz::EmbeddedResources resources;
    vz::Program program{vz::Services{scheduler, disk, sound, resources, ModelScreen(display)}};
    vz::win32::Win32FrontEnd front_end;
    vz::Presenter presenter{program.runtime(), front_end, display.dpi};
    // The real window of a loaded window of the model; nullptr for none.
    HWND Window(const char* name) { return vz::win32::WindowOf(presenter.Build(name)); }

    // A press and release of the left button at `at` in `window`, on the
    // control that lies there, as the pointer gives it.
    static void Click(HWND window, POINT at) {
        HWND view = ::ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE);
        if (!view) view = window;
        ::MapWindowPoints(window, view, &at, 1);
        ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        if (::IsWindow(view)) ::SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }

    // A key pressed and let go, with Shift held when `shift`, to the control
    // that has the keyboard, through the message loop's dialog manager.
    void Press(WPARAM key, bool shift = false) {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        for (const UINT message : {UINT(WM_KEYDOWN), UINT(WM_KEYUP)}) {
            MSG m{::GetFocus(), message, key, LPARAM(message == WM_KEYDOWN ? 1 : 0xC0000001), 0, {}};
            if (front_end.TranslateKey(m)) continue;
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (front_end.TranslateKey(m)) continue;
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
    }
};

}  // namespace probe

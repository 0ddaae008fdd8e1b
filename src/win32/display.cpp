#include "win32/display.h"

#include <windows.h>

namespace vz::win32 {

namespace {

// GetDpiForMonitor came with Windows 8.1, in shcore.dll: looked up, so that
// the program still starts on Windows 7, where the system DPI is all there is.
int MonitorDpi(HMONITOR monitor) {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto get = [] {
        HMODULE shcore = ::LoadLibraryW(L"shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                            reinterpret_cast<void*>(::GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    UINT x = 0, y = 0;
    if (get && monitor && SUCCEEDED(get(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && x > 0)
        return int(x);
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

Display PrimaryDisplay() {
    Display d;
    d.dpi = MonitorDpi(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
    d.width = ::MulDiv(::GetSystemMetrics(SM_CXSCREEN), 96, d.dpi);
    d.height = ::MulDiv(::GetSystemMetrics(SM_CYSCREEN), 96, d.dpi);
    return d;
}

bool DesktopReducesMotion() {
    BOOL animations = TRUE;
    if (!::SystemParametersInfoW(0x1042 /* SPI_GETCLIENTAREAANIMATION */, 0, &animations, 0))
        return false;
    return !animations;
}

Motion MotionFor(MotionChoice choice) {
    return Resolve(choice, choice == MotionChoice::Desktop && DesktopReducesMotion());
}

}  // namespace vz::win32

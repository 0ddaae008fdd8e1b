// The Windows front end under Wine (null graphics driver): its windows follow
// the model in virtual time. The banner shows hidden-until-minute-58, across
// the top of the screen and above all others; a click on it puts it away; the
// rest screen covers the screen; the windows go with the program's end.

#include <windows.h>

#include "probe.h"

namespace {

using probe::Check;

bool Rect(HWND w, LONG left, LONG top, LONG right, LONG bottom) {
    RECT r{};
    ::GetWindowRect(w, &r);
    if (r.left == left && r.top == top && r.right == right && r.bottom == bottom) return true;
    std::printf("  window at %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return false;
}

}  // namespace

int main() {
    probe::Setup setup(L"verezerud-renderer-probe");
    vz::VirtualScheduler& scheduler = setup.scheduler;
    vz::Program& program = setup.program;
    program.Start();

    HWND splash = setup.Window("frmSplash");
    Check(splash && !::IsWindowVisible(splash), "the reminder waits hidden");
    scheduler.Advance(58 * 60 * 1000);
    Check(::IsWindowVisible(splash), "the banner shows at minute 58");
    Check(Rect(splash, 0, 0, 1920, 28), "across the top of the screen");
    Check(::GetWindowLongPtrW(splash, GWL_EXSTYLE) & WS_EX_TOPMOST, "above all others");
    probe::Setup::Click(splash, POINT{10, 10});
    Check(!::IsWindowVisible(splash), "a click on the banner puts it away");

    scheduler.Advance(60 * 60 * 1000 + 10 * 1000);
    Check(::IsWindowVisible(splash), "the next hour's rest screen shows");
    Check(Rect(splash, 0, 0, 1920, 1080), "and covers the screen");

    program.Stop();
    Check(setup.Window("frmSplash") == nullptr, "the program's end takes its window");
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
    Check(!::IsWindow(splash), "and the window is destroyed");
    return probe::failures ? 1 : 0;
}

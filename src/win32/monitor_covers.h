#pragma once
// While the rest screen is up on the primary monitor, every other monitor is
// black too: a plain borderless window over each monitor's whole rectangle,
// above other windows and out of the task bar (frontend/covers.h says where).
// Monitors plugged in, unplugged or moved meanwhile are followed, as Windows
// tells every top-level window (WM_DISPLAYCHANGE). A click on a cover does
// what a click on the rest screen does; the keyboard stays where it is.

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "frontend/pixels.h"

namespace vz::win32 {

class MonitorCovers {
public:
    MonitorCovers() = default;
    ~MonitorCovers() { Uncover(); }
    MonitorCovers(const MonitorCovers&) = delete;
    MonitorCovers& operator=(const MonitorCovers&) = delete;

    // Covers the other monitors until Uncover; a click on a cover goes to
    // `click`, with its point on the screen.
    void Cover(std::function<void(Point)> click);
    void Uncover();
    bool Covering() const { return bool(click_); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    void Refresh();

    std::function<void(Point)> click_;
    HWND watch_ = nullptr;  // hidden and top-level, so that it hears of display changes
    std::vector<std::pair<Box, HWND>> covers_;
};

}  // namespace vz::win32

#include "win32/notices.h"

#include <windows.h>

#include "frontend/front_end.h"
#include "os/path.h"
#include "platform/runtime.h"

namespace vz::win32 {

void ShowNotice(const std::string& text, unsigned icon) {
    // Topmost and brought forward, as the rest screen is. MB_SYSTEMMODAL makes
    // it topmost where MB_TOPMOST alone does not (Wine 8); it disables nothing.
    ::MessageBoxW(nullptr, Widen(text).c_str(), L"Verezerud",
                  MB_OK | icon | MB_TOPMOST | MB_SYSTEMMODAL | MB_SETFOREGROUND);
}

void Notices::Report(const std::string& message) {
    front_.Later([this, message] {
        if (closed_) return;
        if (runtime_.Running()) return Warn(message);
        // An untrapped error has ended the program: it cannot go on.
        closed_ = true;
        waiting_.clear();
        ::MessageBoxW(nullptr, Widen(message).c_str(), L"Verezerud", MB_OK | MB_ICONERROR);
        ::PostQuitMessage(1);
    });
}

void Notices::Warn(const std::string& message) {
    if (!seen_.insert(message).second) return;
    waiting_.push_back(message);
    if (showing_) return;  // the box that is up is followed by this one
    showing_ = true;
    while (!waiting_.empty() && !closed_) {
        const std::string next = waiting_.front();
        waiting_.pop_front();
        ShowNotice(next, MB_ICONWARNING);
    }
    showing_ = false;
}

void Notices::Close() {
    closed_ = true;
    waiting_.clear();
}

}  // namespace vz::win32

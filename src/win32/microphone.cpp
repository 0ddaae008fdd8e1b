#include "win32/microphone.h"

#include "win32/message_window.h"

namespace vz::win32 {

namespace {

constexpr UINT kHeard = WM_APP + 1;  // w: whether in use

}  // namespace

Microphone::Microphone(const Scheduler& scheduler) : scheduler_(scheduler) {}

// The watch first: once it is gone nothing more is posted to the window.
Microphone::~Microphone() {
    use_.reset();
    if (window_) ::DestroyWindow(window_);
}

void Microphone::Start(PresenceSink& sink) {
    sink_ = &sink;
    window_ = MakeMessageWindow(L"VerezerudMicrophone", Proc, this);
    if (!window_) return;
    HWND window = window_;
    use_ = std::make_unique<MicrophoneUse>([window](bool in_use) { ::PostMessageW(window, kHeard, in_use, 0); });
}

LRESULT CALLBACK Microphone::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == kHeard) {
        if (auto* self = OwnerOf<Microphone>(window)) self->Heard(w != 0);
        return 0;
    }
    return ::DefWindowProcW(window, message, w, l);
}

void Microphone::Heard(bool in_use) {
    if (in_use == busy_ || !sink_) return;
    busy_ = in_use;
    sink_->Tell(in_use ? Presence::BusyOn : Presence::BusyOff, scheduler_.NowMs());
}

std::vector<std::string> Microphone::Describe() const {
    return {"microphone: " + (use_ ? use_->Describe() : std::string("not started"))};
}

}  // namespace vz::win32

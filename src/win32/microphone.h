#pragma once
// Busy while a program uses the microphone, as the capability access store
// tells (os/microphone_use.h), brought to the thread of the program's windows
// through a message-only window.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "os/microphone_use.h"
#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::win32 {

class Microphone : public PresenceSource {
public:
    explicit Microphone(const Scheduler& scheduler);
    ~Microphone() override;

    void Start(PresenceSink& sink) override;
    std::vector<std::string> Describe() const override;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    void Heard(bool in_use);

    const Scheduler& scheduler_;
    PresenceSink* sink_ = nullptr;
    HWND window_ = nullptr;
    bool busy_ = false;
    std::unique_ptr<MicrophoneUse> use_;
};

}  // namespace vz::win32

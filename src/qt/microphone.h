#pragma once
// Busy while a program records from a microphone (a call, a recording): what
// the sound server tells of its recording streams, brought to the program's
// thread as it changes.

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "os/microphone_use.h"
#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::qt {

class Microphone : public QObject, public PresenceSource {
public:
    explicit Microphone(const Scheduler& scheduler);
    ~Microphone() override;

    void Start(PresenceSink& sink) override;
    std::vector<std::string> Describe() const override;

private:
    void Heard(bool in_use);

    const Scheduler& scheduler_;
    PresenceSink* sink_ = nullptr;
    bool busy_ = false;
    std::unique_ptr<MicrophoneUse> use_;
};

}  // namespace vz::qt

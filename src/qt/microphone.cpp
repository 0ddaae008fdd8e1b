#include "qt/microphone.h"

#include <QMetaObject>

namespace vz::qt {

Microphone::Microphone(const Scheduler& scheduler) : scheduler_(scheduler) {}

// The watch first: once it is gone nothing more is posted to this object,
// and what was posted goes with it.
Microphone::~Microphone() { use_.reset(); }

void Microphone::Start(PresenceSink& sink) {
    sink_ = &sink;
    use_ = std::make_unique<MicrophoneUse>([this](bool in_use) {
        QMetaObject::invokeMethod(this, [this, in_use] { Heard(in_use); }, Qt::QueuedConnection);
    });
}

void Microphone::Heard(bool in_use) {
    if (in_use == busy_ || !sink_) return;
    busy_ = in_use;
    sink_->Tell(in_use ? Presence::BusyOn : Presence::BusyOff, scheduler_.NowMs());
}

std::vector<std::string> Microphone::Describe() const {
    return {"microphone: " + (use_ ? use_->Describe() : std::string("not started"))};
}

}  // namespace vz::qt

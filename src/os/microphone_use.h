#pragma once
// Whether a program records from a microphone, as it changes: on Linux the
// sound server's recording streams (PulseAudio or PipeWire's stand-in, through
// libpulse loaded at need), not counting those that record what is played (a
// sink's monitor) or only watch the level; on Windows the microphone entries
// of the system's capability access store, in use while an entry has started
// and not stopped.

#include <functional>
#include <memory>
#include <string>

namespace vz {

class MicrophoneUse {
public:
    // Calls `changed` with whether a program records now, first as soon as
    // that is known, then on every change; on a thread of the watch's own.
    explicit MicrophoneUse(std::function<void(bool in_use)> changed);
    // Stops watching: `changed` is not called once this returns.
    ~MicrophoneUse();
    MicrophoneUse(const MicrophoneUse&) = delete;
    MicrophoneUse& operator=(const MicrophoneUse&) = delete;

    // What is watched, or why nothing can be ("no sound server").
    std::string Describe() const;

private:
    struct Watch;
    std::unique_ptr<Watch> watch_;
};

}  // namespace vz

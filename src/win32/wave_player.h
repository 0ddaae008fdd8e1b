#pragma once
// The chime's player on Windows: sndPlaySound with SND_MEMORY | SND_ASYNC |
// SND_NODEFAULT. The system reads the image in place while it plays, so the
// player keeps it until the next sound (which stops this one) or its end.

#include "platform/sound.h"

namespace vz::win32 {

class WavePlayer : public SoundPlayer {
public:
    ~WavePlayer() override;
    void PlayMemory(std::shared_ptr<const Bytes> image) override;

private:
    std::shared_ptr<const Bytes> playing_;
};

}  // namespace vz::win32

#pragma once
// The platform's sound player: plays a complete WAVE image from memory,
// asynchronously. It keeps a reference to the image for as long as it reads it.

#include <cstdint>
#include <memory>
#include <vector>

namespace vz {

using Bytes = std::vector<std::uint8_t>;

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Returns at once. When the sound cannot be played, plays nothing and
    // reports nothing.
    virtual void PlayMemory(std::shared_ptr<const Bytes> image) = 0;
};

// A player for places with no sound output at all.
class SilentPlayer : public SoundPlayer {
public:
    void PlayMemory(std::shared_ptr<const Bytes>) override {}
};

}  // namespace vz

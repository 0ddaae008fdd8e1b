#pragma once
// The chime: PlayChime loads the sound resource afresh and hands the image to
// the player, which plays it while the program goes on.

#include <memory>

#include "platform/checked.h"
#include "platform/sound.h"

namespace vz {

class Runtime;

inline constexpr Integer kChimeId = 101;
inline constexpr const char* kChimeType = "CUSTOM";

class Module1 {
public:
    explicit Module1(Runtime& runtime) : runtime_(runtime) {}
    // Returns at once. A failed load raises the runtime's error to the caller
    // and leaves ChimeData as it was.
    void PlayChime(Integer id);
    // The last image handed to the player; nothing before the first call.
    const std::shared_ptr<const Bytes>& ChimeData() const { return chime_data_; }

private:
    Runtime& runtime_;
    // Shared with the player, so a playback never reads a released image.
    std::shared_ptr<const Bytes> chime_data_;
};

}  // namespace vz

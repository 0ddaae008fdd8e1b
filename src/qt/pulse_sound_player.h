#pragma once
// The chime's player on the desktop: plays a WAVE image from memory through a
// PulseAudio-compatible sound server (PulseAudio or PipeWire's pulse server),
// asynchronously, like sndPlaySound with SND_ASYNC | SND_NODEFAULT | SND_MEMORY.
// It uses no toolkit: libpulse-simple on a worker thread of its own.
//
// PlayMemory never waits for the server: connecting, playing and draining all
// happen on the worker, which exists only while a sound is under way and ends
// once the sound has been heard to its end (the image, a short fade and a
// little silence), closing its connection. A call while a sound plays cuts
// that sound off and plays the new one after it, never both at once. When no
// server can be reached, nothing plays and this is said once on standard
// error. The image is read in place; the worker keeps its own reference to it.

#include <memory>
#include <string>

#include "platform/sound.h"

namespace vz {

class PulseSoundPlayer : public SoundPlayer {
public:
    // `server` names the sound server as libpulse does ("unix:/path"); empty
    // means the user's default one.
    explicit PulseSoundPlayer(std::string server = {});
    // Lets a sound that is being heard finish, waiting at most a couple of
    // seconds; a worker still connecting, or stuck on a server that stopped
    // answering, is left to end on its own.
    ~PulseSoundPlayer() override;
    PulseSoundPlayer(const PulseSoundPlayer&) = delete;
    PulseSoundPlayer& operator=(const PulseSoundPlayer&) = delete;

    void PlayMemory(std::shared_ptr<const Bytes> image) override;

    // Whether a sound is waiting, connecting or playing (its worker runs).
    bool Playing() const;

    struct State;

private:
    std::shared_ptr<State> state_;  // shared with the worker, which may outlive the player
};

}  // namespace vz

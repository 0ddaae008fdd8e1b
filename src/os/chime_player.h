#pragma once
// The chime's player: plays a WAVE image from memory, asynchronously, like
// sndPlaySound with SND_ASYNC | SND_NODEFAULT | SND_MEMORY, which is what it
// calls on Windows. The image is read in place; the player keeps its own
// reference to it for as long as it may be read.
//
// Elsewhere it plays through a PulseAudio-compatible sound server (PulseAudio
// or PipeWire's pulse server), with libpulse-simple on a worker thread of its
// own and no toolkit. PlayMemory never waits for the server: connecting,
// playing and draining all happen on the worker, which exists only while a
// sound is under way and ends once the sound has been heard to its end (the
// image, a short fade and a little silence), closing its connection. A call
// while a sound plays cuts that sound off and plays the new one after it,
// never both at once. When no server can be reached, nothing plays and this
// is said once on standard error.

#include <memory>
#include <string>

#include "platform/sound.h"

namespace vz {

class ChimePlayer : public SoundPlayer {
public:
    // `server` names the sound server as libpulse does ("unix:/path"); empty
    // means the user's default one. Windows has no choice of server.
    explicit ChimePlayer(std::string server = {});
    // Lets a sound that is being heard finish, waiting at most a couple of
    // seconds; a worker still connecting, or stuck on a server that stopped
    // answering, is left to end on its own. On Windows the sound stops at
    // once, before the image goes.
    ~ChimePlayer() override;
    ChimePlayer(const ChimePlayer&) = delete;
    ChimePlayer& operator=(const ChimePlayer&) = delete;

    void PlayMemory(std::shared_ptr<const Bytes> image) override;

    // Whether a sound is waiting, connecting or playing (its worker runs). On
    // Windows, which does not say when a sound ends, whether the last one
    // could still be heard by its length.
    bool Playing() const;

    struct State;

private:
    std::shared_ptr<State> state_;  // shared with the worker, which may outlive the player
};

}  // namespace vz

#include "win32/wave_player.h"

#include <windows.h>
#include <mmsystem.h>

namespace vz::win32 {

WavePlayer::~WavePlayer() {
    if (playing_) ::sndPlaySoundA(nullptr, 0);  // stop before the image goes
}

void WavePlayer::PlayMemory(std::shared_ptr<const Bytes> image) {
    if (playing_) ::sndPlaySoundA(nullptr, 0);
    playing_ = std::move(image);
    if (!playing_ || playing_->empty()) return;
    if (!::sndPlaySoundA(reinterpret_cast<LPCSTR>(playing_->data()),
                         SND_MEMORY | SND_ASYNC | SND_NODEFAULT))
        playing_.reset();
}

}  // namespace vz::win32

#pragma once
// The chime's player on the desktop: plays a WAVE image from memory through
// the default audio output, asynchronously, like sndPlaySound with
// SND_ASYNC | SND_NODEFAULT | SND_MEMORY.
//
// The audio output exists only while a sound plays: it is opened at each
// PlayMemory and released once the sound has drained, so a reminder waiting
// out its hour holds no audio stream. When there is no output device, or the
// device refuses the format, nothing plays and nothing is reported. A call
// while a sound still plays stops that sound first. The image is read in
// place; the playback keeps its own reference to it until the output is gone.

#include <QAudioSink>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "platform/sound.h"

namespace vz {

class QtSoundPlayer : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit QtSoundPlayer(QObject* parent = nullptr);
    ~QtSoundPlayer() override;

    void PlayMemory(std::shared_ptr<const Bytes> image) override;

    // Whether an audio output is open for a sound.
    bool Playing() const { return sink_ != nullptr; }

signals:
    // A sound's output was released: it played to its end, was cut short by a
    // later sound, or could not be played.
    void Released();

private:
    void OnStateChanged();
    void Release();

    QPointer<QAudioSink> sink_;
    QTimer drain_;            // fires when the last queued samples have been heard
    QTimer give_up_;          // fires when the output never finished
    QElapsedTimer started_;   // since the sound began
    long long duration_ms_ = 0;
};

}  // namespace vz

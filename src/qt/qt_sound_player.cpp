#include "qt/qt_sound_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>
#include <cstring>

#include "qt/wave_image.h"

namespace vz {

namespace {

// The sound ends in a short fade to silence and a little silence after it.
constexpr int kFadeMs = 20;
constexpr int kSilenceMs = 100;
// After the last samples have been queued, the output still needs its own
// latency to play them; release it only after this much more.
constexpr int kDrainMarginMs = 250;
// An output that has not finished this long after the sound's own length
// (a stalled or suspended device) is released all the same.
constexpr int kGiveUpAfterMs = 5000;

// The samples of a WAVE image, read in place, then its quiet ending. The
// source holds its own reference to the image, so the image outlives every
// read from it.
class ImageSource : public QIODevice {
public:
    ImageSource(std::shared_ptr<const Bytes> image, const WaveImage& wave, QObject* parent)
        : QIODevice(parent),
          image_(std::move(image)),
          samples_(image_->data() + wave.data_offset),
          sample_bytes_(qint64(wave.data_size)),
          ending_(QuietEnding(wave, *image_, kFadeMs, kSilenceMs)) {}

    bool isSequential() const override { return false; }
    qint64 size() const override { return sample_bytes_ + qint64(ending_.size()); }
    bool seek(qint64 pos) override {
        if (pos < 0 || pos > size() || !QIODevice::seek(pos)) return false;
        at_ = pos;
        return true;
    }

protected:
    qint64 readData(char* data, qint64 max) override {
        qint64 done = 0;
        if (at_ < sample_bytes_) {
            done = std::min(max, sample_bytes_ - at_);
            std::memcpy(data, samples_ + at_, std::size_t(done));
        }
        const qint64 in_ending = at_ + done - sample_bytes_;
        if (done < max && in_ending >= 0) {
            const qint64 n = std::min(max - done, qint64(ending_.size()) - in_ending);
            if (n > 0) std::memcpy(data + done, ending_.data() + in_ending, std::size_t(n));
            done += std::max<qint64>(n, 0);
        }
        at_ += done;
        return done;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::shared_ptr<const Bytes> image_;
    const std::uint8_t* samples_;
    qint64 sample_bytes_;
    Bytes ending_;
    qint64 at_ = 0;
};

QAudioFormat::SampleFormat SampleFormatOf(const WaveImage& wave) {
    if (wave.encoding == WaveImage::Encoding::Float) return QAudioFormat::Float;
    switch (wave.bits_per_sample) {
    case 8: return QAudioFormat::UInt8;
    case 16: return QAudioFormat::Int16;
    case 32: return QAudioFormat::Int32;
    default: return QAudioFormat::Unknown;
    }
}

}  // namespace

QtSoundPlayer::QtSoundPlayer(QObject* parent) : QObject(parent) {
    drain_.setSingleShot(true);
    connect(&drain_, &QTimer::timeout, this, &QtSoundPlayer::Release);
    give_up_.setSingleShot(true);
    connect(&give_up_, &QTimer::timeout, this, &QtSoundPlayer::Release);
}

QtSoundPlayer::~QtSoundPlayer() {
    drain_.stop();
    give_up_.stop();
    if (QAudioSink* sink = sink_) {
        sink_ = nullptr;
        sink->disconnect(this);
        sink->stop();
        delete sink;  // and its source, which holds the image
    }
}

void QtSoundPlayer::PlayMemory(std::shared_ptr<const Bytes> image) {
    if (sink_) Release();  // the running sound stops before the next one starts
    if (!image) return;
    const auto wave = ParseWaveImage(*image);
    if (!wave || wave->data_size == 0) return;

    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return;
    QAudioFormat format;
    format.setSampleRate(wave->sample_rate);
    format.setChannelCount(wave->channels);
    format.setSampleFormat(SampleFormatOf(*wave));
    if (!device.isFormatSupported(format)) return;

    auto* sink = new QAudioSink(device, format, this);
    auto* source = new ImageSource(std::move(image), *wave, sink);
    source->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    sink_ = sink;
    duration_ms_ = wave->DurationMs() + kFadeMs + kSilenceMs;
    started_.start();
    give_up_.start(int(duration_ms_) + kGiveUpAfterMs);
    connect(sink, &QAudioSink::stateChanged, this, &QtSoundPlayer::OnStateChanged);
    sink->start(source);
    // An output that refused to open has already been released by now.
}

void QtSoundPlayer::OnStateChanged() {
    QAudioSink* sink = sink_;
    if (!sink) return;
    switch (sink->state()) {
    case QAudio::IdleState: {
        // Every sample has been handed over; wait until the queued ones and the
        // rest of the sound's own length have been heard.
        const qint64 queued_bytes = std::max<qint64>(0, sink->bufferSize() - sink->bytesFree());
        const qint64 queued_ms = sink->format().durationForBytes(qint32(queued_bytes)) / 1000;
        const qint64 left_ms = std::max<qint64>(duration_ms_ - started_.elapsed(), queued_ms);
        drain_.start(int(std::max<qint64>(left_ms, 0)) + kDrainMarginMs);
        break;
    }
    case QAudio::StoppedState:
        if (sink->error() != QAudio::NoError) Release();
        break;
    default:
        drain_.stop();
        break;
    }
}

void QtSoundPlayer::Release() {
    drain_.stop();
    give_up_.stop();
    QAudioSink* sink = sink_;
    if (!sink) return;
    sink_ = nullptr;
    sink->disconnect(this);
    sink->stop();         // no read from the image after this
    sink->deleteLater();  // the sink may be inside its own signal here
    emit Released();
}

}  // namespace vz

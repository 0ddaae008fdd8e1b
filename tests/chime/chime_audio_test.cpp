// The chime as heard: played through the real player into a private
// PulseAudio server's null sink, whose monitor `parecord` records. The
// driver script with_pulse.sh starts that server and points PULSE_SERVER at it.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "audio_analysis.h"
#include "chime/module1.h"
#include "os/chime_player.h"
#include "platform/disk.h"
#include "platform/runtime.h"
#include "platform/virtual_scheduler.h"
#include "qt/qt_resources.h"
#include "qt_wait.h"

namespace {

using vz::Bytes;

constexpr int kRecordRate = 22050;
constexpr int kStartLimitMs = 5000;
constexpr int kPlayLimitMs = 5000;
constexpr int kAfterSoundMs = 400;  // let the recorder catch the last samples

// Records the null sink's monitor into a raw file while it lives.
class Recorder {
public:
    explicit Recorder(const QString& path) : path_(path) {
        process_.start(QStringLiteral("parecord"),
                       {QStringLiteral("--device=vz.monitor"), QStringLiteral("--raw"),
                        QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(kRecordRate),
                        QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20"), path});
    }
    ~Recorder() { Stop(); }

    // Whether the recording stream has reached the server.
    bool WaitUntilRecording() {
        if (!process_.waitForStarted(kStartLimitMs)) return false;
        return vz::test::RunEventsUntil([] { return SourceOutputs() > 0; }, kStartLimitMs);
    }

    vz::test::Signal Stop() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            process_.waitForFinished(kStartLimitMs);
        }
        QFile file(path_);
        Bytes raw;
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray data = file.readAll();
            raw.assign(data.begin(), data.end());
        }
        return vz::test::FromSigned16(raw, kRecordRate);
    }

private:
    static int SourceOutputs() {
        QProcess pactl;
        pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("short"),
                                              QStringLiteral("source-outputs")});
        pactl.waitForFinished(kStartLimitMs);
        return int(pactl.readAllStandardOutput().count('\n'));
    }

    QString path_;
    QProcess process_;
};

class NoDisk : public vz::Disk {
public:
    void Open(const std::string&) override {}
    Bytes Read(const std::string&, std::size_t, std::size_t) override { return {}; }
    void Write(const std::string&, std::size_t, const Bytes&) override {}
    std::optional<Bytes> Contents(const std::string&) override { return std::nullopt; }
};

class ChimeHeard : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(recorder.WaitUntilRecording()) << "parecord did not reach the sound server";
    }

    // Waits for the player to let go of its output, then a little longer.
    void WaitForSilence() {
        EXPECT_TRUE(vz::test::RunEventsUntil([&] { return !player.Playing(); }, kPlayLimitMs));
        vz::test::RunEventsFor(kAfterSoundMs);
    }

    static int Threads() { return int(QDir(QStringLiteral("/proc/self/task")).count()) - 2; }

    QTemporaryDir dir;
    Recorder recorder{dir.filePath(QStringLiteral("heard.raw"))};
    vz::ChimePlayer player;
    vz::QtResources resources;
};

// The output is released only after the whole sound has played: the end of
// the chime is not cut off.
TEST_F(ChimeHeard, PlaysOnceAsABellOfAboutPointEightSecondsReturningAtOnceAndReleasingTheOutputAfterIt) {
    auto image = std::make_shared<const Bytes>(*resources.Find(vz::kChimeType, vz::kChimeId));
    const int threads = Threads();

    QElapsedTimer clock;
    clock.start();
    player.PlayMemory(image);
    EXPECT_LT(clock.elapsed(), 50) << "the call waited for the sound";
    EXPECT_TRUE(player.Playing());
    image.reset();  // the caller's copy may go; the playback keeps its own

    ASSERT_TRUE(vz::test::RunEventsUntil([&] { return !player.Playing(); }, kPlayLimitMs));
    EXPECT_GE(clock.elapsed(), 1000) << "released before the whole sound had played";
    vz::test::RunEventsFor(kAfterSoundMs);
    const vz::test::Signal heard = recorder.Stop();
    const auto bursts = vz::test::Bursts(heard);
    ASSERT_EQ(bursts.size(), 1u) << "recorded " << heard.samples.size() << " samples";
    EXPECT_NEAR(bursts[0].length_s, 0.8, 0.12) << "its end cut off, or more than one chime";
    EXPECT_TRUE(vz::test::RunEventsUntil([&] { return Threads() == threads; }, 1000))
        << "the player's thread outlived its sound";
}

TEST_F(ChimeHeard, SecondPlayChimeStopsTheFirstAndPlaysAFreshCopy) {
    vz::VirtualScheduler scheduler;
    NoDisk disk;
    vz::Runtime runtime(vz::Services{scheduler, disk, player, resources, vz::Screen{}});
    vz::Module1 module(runtime);

    module.PlayChime(vz::kChimeId);
    const auto* first = module.ChimeData().get();
    vz::test::RunEventsFor(60);  // the first sound is under way
    module.PlayChime(vz::kChimeId);
    ASSERT_TRUE(module.ChimeData());
    EXPECT_NE(module.ChimeData().get(), first);
    EXPECT_EQ(module.ChimeData()->size(), 11080u);
    EXPECT_TRUE(player.Playing());

    WaitForSilence();
    // At most a moment of the first chime is heard (none at all when the
    // output was slow to start), then the whole of the second.
    const auto bursts = vz::test::Bursts(recorder.Stop());
    ASSERT_GE(bursts.size(), 1u);
    for (std::size_t i = 0; i + 1 < bursts.size(); ++i)
        EXPECT_LT(bursts[i].start_s + bursts[i].length_s, bursts.back().start_s) << "burst " << i;
    EXPECT_LT(bursts.back().start_s - bursts.front().start_s, 0.3) << "too much of the first chime";
    EXPECT_NEAR(bursts.back().length_s, 0.8, 0.12);
}

}  // namespace

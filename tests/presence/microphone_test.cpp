// A program recording, on a private PulseAudio server (with_pulse.sh) with a
// null source for a microphone: busy while parecord records from it, not
// while it records what the null sink plays (its monitor).

#include <gtest/gtest.h>

#include "presence_wait.h"
#include "qt/microphone.h"
#include "qt/real_time_scheduler.h"

namespace vz::test {
namespace {

class Recorder {
public:
    explicit Recorder(const QString& device) {
        process_.start(QStringLiteral("parecord"), {"--device=" + device, "--raw", "/dev/null"});
        process_.waitForStarted();
    }
    ~Recorder() { Stop(); }
    void Stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished();
    }

private:
    QProcess process_;
};

// The recording streams as the server lists them.
int Streams() { return Output(QStringLiteral("pactl"), {"list", "short", "source-outputs"}).count('\n') + 1; }

TEST(Microphone, BusyWhileAProgramRecordsFromAMicrophone) {
    ASSERT_TRUE(Output(QStringLiteral("pactl"), {"load-module", "module-null-source", "source_name=mic"}).size() > 0);
    RealTimeScheduler scheduler;
    TimedSink sink(scheduler);
    qt::Microphone microphone(scheduler);
    microphone.Start(sink);
    ASSERT_TRUE(RunUntil([&] { return microphone.Describe().front() == "microphone: the sound server's recording streams"; }))
        << microphone.Describe().front();

    // What is played, recorded: no call.
    Recorder monitor(QStringLiteral("vz.monitor"));
    ASSERT_TRUE(RunUntil([] { return Output(QStringLiteral("pactl"), {"list", "short", "source-outputs"}).size() > 0; }));
    Recorder call(QStringLiteral("mic"));
    ASSERT_TRUE(WaitForTold(sink, 1, "busy"));
    EXPECT_EQ(Streams(), 2);
    call.Stop();
    ASSERT_TRUE(WaitForTold(sink, 2, "free"));
}

TEST(Microphone, NoSoundServerSaidOnce) {
    qputenv("PULSE_SERVER", "unix:/nonexistent/vz-no-sound-server");
    RealTimeScheduler scheduler;
    RecordingSink sink;
    qt::Microphone microphone(scheduler);
    microphone.Start(sink);
    ASSERT_TRUE(RunUntil([&] { return microphone.Describe().front() == "microphone: no sound server, never seen"; }))
        << microphone.Describe().front();
    EXPECT_TRUE(sink.told.empty());
}

}  // namespace
}  // namespace vz::test

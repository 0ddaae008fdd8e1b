// A program recording, on a private PulseAudio server (with_pulse.sh) with a
// null source for a microphone: busy while parecord records from it, not
// while it records what the null sink plays (its monitor).

#include <gtest/gtest.h>

#include "presence_wait.h"
#include "qt/microphone.h"
#include "qt/real_time_scheduler.h"

namespace vz::test {
namespace {

// The recording streams, as the server lists them.
QString Streams() { return Output(QStringLiteral("pactl"), {"list", "short", "source-outputs"}); }

TEST(Microphone, BusyWhileAProgramRecordsFromAMicrophone) {
    ASSERT_FALSE(Output(QStringLiteral("pactl"), {"load-module", "module-null-source", "source_name=mic"}).isEmpty());
    RealTimeScheduler scheduler;
    RecordingSink sink;
    qt::Microphone microphone(scheduler);
    microphone.Start(sink);
    ASSERT_TRUE(RunUntil([&] { return microphone.Describe().front() == "microphone: the sound server's recording streams"; }))
        << microphone.Describe().front();
    QProcess monitor, call;  // what is played, recorded: no call
    monitor.start(QStringLiteral("parecord"), {"--device=vz.monitor", "--raw", "/dev/null"});
    ASSERT_TRUE(RunUntil([] { return !Streams().isEmpty(); }));
    call.start(QStringLiteral("parecord"), {"--device=mic", "--raw", "/dev/null"});
    ASSERT_TRUE(WaitForTold(sink, 1, "busy"));
    EXPECT_EQ(Streams().count('\n'), 1);
    call.kill();
    ASSERT_TRUE(WaitForTold(sink, 2, "free"));
    monitor.kill();
    monitor.waitForFinished();
}

}  // namespace
}  // namespace vz::test

// What a script cannot reach: the real disk failing underneath the program,
// and the runtime's arithmetic at its edges.

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/mount.h>
#include <sys/resource.h>

#include "app/embedded_resources.h"
#include "chime/module1.h"
#include "harness.h"
#include "platform/checked.h"
#include "platform/errors.h"
#include "platform/placement.h"

namespace vz::test {
namespace {

namespace fs = std::filesystem;

int CountErrors(const Lines& lines) {
    return int(std::count_if(lines.begin(), lines.end(),
                             [](const std::string& l) { return l.find(" error ") != l.npos; }));
}

TEST(Disk, AWriteCutShortPutsTheOldBytesBackAndTheHourIsKept) {
    SimRun run;
    run.Write("ZURivIdid.tim", {0x05});  // one byte: the new first byte fits, the second not
    run.Do("start");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit one_byte = saved;
    one_byte.rlim_cur = 1;
    setrlimit(RLIMIT_FSIZE, &one_byte);
    const Lines hour = run.Do("wait 1h");
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(CountErrors(hour), 1);
    EXPECT_EQ(run.Read("ZURivIdid.tim"), Bytes{0x05}) << "never half a count";
    EXPECT_EQ(run.Grep("wait 1h", "write"), Lines{"7200000 write ZURivIdid.tim 09 00"});
}

TEST(Disk, AFullDiskLosesNoHour) {
    TempDir dir;
    const fs::path mnt = dir.path() / "tiny";
    fs::create_directory(mnt);
    if (::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    struct Unmount {
        fs::path at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{mnt};
    SimRun run(mnt);
    run.Do("start");
    {
        std::ofstream filler(mnt / "filler", std::ios::binary);
        const std::string block(1024, 'x');
        for (int i = 0; i < 64 && filler; ++i) filler << block << std::flush;
    }
    const Lines full = run.Grep("wait 2h", " error ");
    ASSERT_EQ(full.size(), 1u);
    EXPECT_NE(full[0].find("No space left on device"), std::string::npos) << full[0];
    fs::remove(mnt / "filler");
    EXPECT_EQ(run.Grep("stop", "write"), Lines{"7200000 write ZURivIdid.tim 05 00"});
}

TEST(Disk, AMissingDataFolderIsMadeAgainAndOneThatCannotBeStillLetsItRemind) {
    SimRun run;
    run.Do("start\nwait 1h");
    fs::remove_all(run.File(""));
    EXPECT_EQ(run.Grep("wait 1h", "write"), Lines{"7200000 write ZURivIdid.tim 02 00"});

    TempDir dir;
    std::ofstream(dir.path() / "blocker") << "a file where the folder should be";
    SimRun blocked(dir.path() / "blocker" / "verezerud");
    const Lines hours = blocked.Do("start\nwait 3h\nstop");
    EXPECT_EQ(std::count(hours.begin(), hours.end(), "10680000 show frmSplash"), 1);
    EXPECT_EQ(CountErrors(hours), 3);  // reading each file, then saving: once each
}

TEST(Arithmetic, TopmostRoundsTiesToEvenThenTruncatesAndConversionsNeverWrap) {
    const PixelRect r = TopmostRect(-242, 22.5, 23.5, 29.9, 15, 15);
    EXPECT_EQ(r.x, -16);  // -242 / 15 truncates toward zero
    EXPECT_EQ(r.y, 1);    // 22.5 rounds to 22
    EXPECT_EQ(r.cx, 1);   // 23.5 rounds to 24
    EXPECT_EQ(r.cy, 2);
    EXPECT_EQ(TopmostRect(6750.5, 0, 4800, 1234, 15, 15).x, 450);
    EXPECT_THROW(TopmostRect(1e12, 0, 0, 0, 15, 15), RuntimeError);
    EXPECT_EQ(CByte(2.5), 2);
    EXPECT_THROW(CByte(255.5), RuntimeError);
    EXPECT_THROW(CByte(-1L), RuntimeError);
    EXPECT_THROW(AddInt(32766, 2), RuntimeError);
    EXPECT_THROW(MulInt(128, 256), RuntimeError);
}

TEST(Resources, TheChimeIsEmbeddedAsCustom101ByteForByte) {
    std::ifstream in(VZ_CHIME_WAV, std::ios::binary);
    const Bytes file{std::istreambuf_iterator<char>(in), {}};
    const EmbeddedResources embedded;
    EXPECT_EQ(embedded.Find(kChimeType, kChimeId), file);
    EXPECT_FALSE(embedded.Find(kChimeType, kChimeId + 1).has_value());
}

}  // namespace
}  // namespace vz::test

// Files that cannot be used: the program reports each new problem once, keeps
// reminding, and keeps the credits it could not write until a write succeeds.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sys/mount.h>
#include <sys/resource.h>

#include "harness.h"

namespace vz::test {
namespace {

namespace fs = std::filesystem;

int CountErrors(const Lines& lines) {
    return int(std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find(" error ") != l.npos;
    }));
}

TEST(FileFailures, AUsageFileThatIsAFolderCostsNoReminderAndNoHour) {
    SimRun run;
    fs::create_directory(run.File("ZURivIdid.tim"));
    const Lines start = run.Do("start");
    ASSERT_EQ(CountErrors(start), 1);
    EXPECT_EQ(start[3].rfind("0 error Cannot read the usage total (cannot open ", 0), 0u) << start[3];
    // Two hours: the reminder comes each time; the failing save is reported once.
    const Lines hours = run.Do("wait 2h");
    EXPECT_EQ(std::count(hours.begin(), hours.end(), "3480000 show frmSplash"), 1);
    EXPECT_EQ(std::count(hours.begin(), hours.end(), "7080000 show frmSplash"), 1);
    EXPECT_EQ(CountErrors(hours), 1);
    EXPECT_EQ(run.splash().HalfHour, 4);
    EXPECT_EQ(run.Print("frmSplash.Unsaved"), "4");
    // Once the file can be written, the kept hours go in with the next credit.
    fs::remove(run.File("ZURivIdid.tim"));
    EXPECT_EQ(run.Grep("wait 1h", "write"), Lines{"10800000 write ZURivIdid.tim 06 00"});
    EXPECT_EQ(run.Print("frmSplash.Unsaved"), "0");
    // A problem that comes back after it was solved is reported again.
    fs::remove(run.File("ZURivIdid.tim"));
    fs::create_directory(run.File("ZURivIdid.tim"));
    EXPECT_EQ(CountErrors(run.Do("wait 1h")), 1);
}

TEST(FileFailures, AMissingDataFolderIsMadeAgain) {
    SimRun run;
    run.Do("start\nwait 1h");
    fs::remove_all(run.File(""));
    EXPECT_EQ(run.Grep("wait 1h", "write"), Lines{"7200000 write ZURivIdid.tim 02 00"});
}

TEST(FileFailures, AFolderThatCannotBeMadeStillLetsTheProgramRemind) {
    TempDir dir;
    std::ofstream(dir.path() / "blocker") << "a file where the folder should be";
    SimOptions options;
    options.data_dir = (dir.path() / "blocker" / "verezerud").string();
    std::ostringstream out, err;
    Simulator sim(options, out, err);
    ASSERT_TRUE(sim.RunLine("start", 1));
    ASSERT_TRUE(sim.RunLine("wait 3h", 2));
    ASSERT_TRUE(sim.RunLine("stop", 3));
    const std::string trace = out.str();
    EXPECT_NE(trace.find("3480000 show frmSplash"), std::string::npos);
    EXPECT_NE(trace.find("10680000 show frmSplash"), std::string::npos);
    EXPECT_NE(trace.find("Cannot read the settings"), std::string::npos);
    // Reading each file, then saving the usage total: one report each, no more.
    int errors = 0;
    for (std::size_t at = trace.find(" error "); at != std::string::npos;
         at = trace.find(" error ", at + 1))
        ++errors;
    EXPECT_EQ(errors, 3) << trace;
    EXPECT_EQ(err.str(), "");
}

TEST(FileFailures, AWriteCutShortLeavesTheOldCountAndTheHourIsKept) {
    SimRun run;
    run.Do("start");  // the usage file is there, empty
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit one_byte = saved;
    one_byte.rlim_cur = 1;  // the first byte goes in, the second cannot
    setrlimit(RLIMIT_FSIZE, &one_byte);
    const Lines hour = run.Do("wait 1h");
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(CountErrors(hour), 1);
    EXPECT_EQ(run.Read("ZURivIdid.tim"), Bytes{}) << "never half a count";
    EXPECT_EQ(run.Grep("wait 1h", "write"), Lines{"7200000 write ZURivIdid.tim 04 00"});
}

TEST(FileFailures, AFullDiskLosesNoHour) {
    TempDir dir;
    const fs::path mnt = dir.path() / "tiny";
    fs::create_directory(mnt);
    if (::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    struct Unmount {
        fs::path at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{mnt};
    std::ostringstream out, err;
    SimOptions options;
    options.data_dir = mnt.string();
    Simulator sim(options, out, err);
    ASSERT_TRUE(sim.RunLine("start", 1));
    {
        std::ofstream filler(mnt / "filler", std::ios::binary);
        const std::string block(1024, 'x');
        for (int i = 0; i < 64 && filler; ++i) filler << block << std::flush;
    }
    ASSERT_TRUE(sim.RunLine("wait 2h", 2));
    EXPECT_NE(out.str().find("No space left on device"), std::string::npos) << out.str();
    EXPECT_EQ(sim.program().Splash()->HalfHour, 4);
    fs::remove(mnt / "filler");
    out.str("");
    ASSERT_TRUE(sim.RunLine("stop", 3));
    EXPECT_NE(out.str().find("write ZURivIdid.tim 05 00"), std::string::npos) << out.str();
}

TEST(FileFailures, TheSettingsWindowWorksWithAnUnusableSettingsFile) {
    SimRun run;
    run.Write("SettingT.tim", {0x01, 0x03});  // 20 s, 8 min
    run.Do("start\nwait 52m\nwait 20s");
    fs::remove(run.File("SettingT.tim"));
    fs::create_directory(run.File("SettingT.tim"));
    const Lines open = run.Do("click frmSplash\nchoose Setting");
    EXPECT_EQ(CountErrors(open), 1);
    EXPECT_EQ(run.Print("frmSetting.Combo1.Text"), "\"  8\"");  // the values in effect
    EXPECT_EQ(run.Print("frmSetting.Combo2.Text"), "\" 20\"");
    const Lines ok = run.Do("select frmSetting.Combo1 4\nclick frmSetting.Command1");
    EXPECT_EQ(CountErrors(ok), 1);  // reading failed before; saving is a new problem
    EXPECT_EQ(run.splash().RestTim, 10);
    EXPECT_EQ(run.Print("frmSetting.Visible"), "not loaded");
}

}  // namespace
}  // namespace vz::test

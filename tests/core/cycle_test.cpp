// The hour cycle of the reminder window, in virtual time: reminder, countdown,
// rest screen, decline, end of the hour, and the credit at exit.

#include <gtest/gtest.h>

#include "harness.h"

namespace vz::test {
namespace {

const Lines kStartUp = {
    "0 load frmSplash",
    "0 hide frmSplash",
    "0 topmost frmSplash 0 0 320 240",
    "0 set frmSplash.BackColor 255",
    "0 move frmSplash 0 0 28800 416",
    "0 move frmSplash.Image1 13500 -242 1800 900",
    "0 move frmSplash.Label2 0 0 28800 351",
    "0 move frmSplash.Label1 0 390 28800 390",
};

TEST(StartUp, FirstStartCreatesBothFilesEmptyAndWaitsHidden) {
    SimRun run;
    EXPECT_EQ(run.Do("start"), kStartUp);
    EXPECT_EQ(run.Read("ZURivIdid.tim"), Bytes{});
    EXPECT_EQ(run.Read("SettingT.tim"), Bytes{});
    EXPECT_EQ(run.splash().HalfHour, 0);
    EXPECT_EQ(run.splash().RestTim, 2);
    EXPECT_EQ(run.splash().Preparat, 10);
    EXPECT_EQ(run.Print("frmSplash.Visible"), "False");
    EXPECT_EQ(run.Do("wait 57m"), Lines{});  // nothing at all while it waits
}

TEST(HourCycle, RestTenPreparatoryTenFromBannerToRestScreenToEndOfHour) {
    SimRun run;
    run.Write("SettingT.tim", {0x00, 0x04});  // 10 s, 10 min
    run.Do("start");
    EXPECT_EQ(run.Do("wait 49m"), Lines{});
    EXPECT_EQ(run.Do("wait 1m"), (Lines{
                                     "3000000 show frmSplash",
                                     "3000000 chime 101",
                                     "3000000 set frmSplash.Label2.Caption \"Why not take a rest of 10 minutes.\"",
                                     "3000000 set frmSplash.Label2.Visible True",
                                     "3000000 set frmSplash.Timer2.Enabled True",
                                 }));
    EXPECT_EQ(run.Do("wait 9s"), Lines{});  // nine countdown ticks only count
    EXPECT_EQ(run.Do("wait 1s"), (Lines{
                                     "3010000 set frmSplash.Timer3.Enabled True",
                                     "3010000 set frmSplash.Timer4.Enabled True",
                                     "3010000 set frmSplash.Timer2.Enabled False",
                                     "3010000 set frmSplash.Label1.Visible True",
                                     "3010000 set frmSplash.Label2.Visible False",
                                     "3010000 set frmSplash.Image1.Visible True",
                                     "3010000 set frmSplash.BackColor 0",
                                     "3010000 move frmSplash 0 0 28800 16200",
                                     "3010000 move frmSplash.Image1 13500 7650 1800 900",
                                 }));
    // The slogan hides 800 ms after the switch and shows again 800 ms later;
    // the picture first moves after 5 s.
    EXPECT_EQ(run.Do("wait 1600ms"), (Lines{"3010800 set frmSplash.Label1.Visible False",
                                            "3011600 set frmSplash.Label1.Visible True"}));
    EXPECT_EQ(run.Grep("wait 3400ms", "Image1").size(), 1u);
    const double left = std::stod(run.Print("frmSplash.Image1.Left"));
    const double top = std::stod(run.Print("frmSplash.Image1.Top"));
    EXPECT_TRUE(left >= 0 && left < 27000 && top >= 0 && top < 15300) << left << " " << top;

    const Lines end = run.Grep("wait 10m", "3600000");
    EXPECT_EQ(end, (Lines{
                       "3600000 chime 101",
                       "3600000 hide frmSplash",
                       "3600000 set frmSplash.Timer3.Enabled False",
                       "3600000 set frmSplash.Timer4.Enabled False",
                       "3600000 set frmSplash.Label1.Visible False",
                       "3600000 set frmSplash.Image1.Visible False",
                       "3600000 set frmSplash.BackColor 255",
                       "3600000 move frmSplash 0 0 28800 416",
                       "3600000 move frmSplash.Image1 13500 -242 1800 900",
                       "3600000 write ZURivIdid.tim 02 00",
                   }));
    EXPECT_EQ(run.splash().HalfHour, 2);
    EXPECT_EQ(run.Print("frmSplash.MinuteNum"), "0");
    EXPECT_EQ(run.Do("wait 49m"), Lines{});  // nothing ticks on the hidden window
    EXPECT_EQ(run.Grep("wait 1m", "show"), Lines{"6600000 show frmSplash"});
}

TEST(HourCycle, ShortRestWithLongCountdownReachesTheRestScreenOneMinuteBeforeTheHour) {
    SimRun run;
    run.Write("SettingT.tim", {0x05, 0x00});  // 60 s, 2 min
    run.Do("start");
    EXPECT_EQ(run.Grep("wait 58m", "show"), Lines{"3480000 show frmSplash"});
    EXPECT_EQ(run.Grep("wait 59s", "BackColor"), Lines{});
    EXPECT_EQ(run.Grep("wait 1s", "BackColor"), Lines{"3540000 set frmSplash.BackColor 0"});
    EXPECT_EQ(run.Grep("wait 1m", "write"), Lines{"3600000 write ZURivIdid.tim 02 00"});
}

TEST(HourCycle, DeclineHidesAtOnceSkipsTheRestScreenAndTheEndChimeButNotTheCredit) {
    SimRun run;
    run.Do("start\nwait 58m");
    EXPECT_EQ(run.Do("hover frmSplash.Label2"),
              Lines{"3480000 set frmSplash.Label2.Caption \"No, not now.\""});
    EXPECT_EQ(run.Do("hover frmSplash"),
              Lines{"3480000 set frmSplash.Label2.Caption \"Why not take a rest of 2 minutes.\""});
    run.Do("hover frmSplash.Label2\nwait 3s");
    EXPECT_EQ(run.Do("click frmSplash.Label2"), (Lines{
                                                    "3483000 set frmSplash.Timer2.Enabled False",
                                                    "3483000 hide frmSplash",
                                                }));
    EXPECT_EQ(run.Print("frmSplash.NotNow"), "True");
    EXPECT_EQ(run.Do("wait 1m"), Lines{});  // no rest screen
    const Lines end = run.Do("wait 1m");
    EXPECT_EQ(std::count_if(end.begin(), end.end(),
                            [](const std::string& l) { return l.find("chime") != l.npos; }),
              0);
    EXPECT_EQ(end.back(), "3600000 write ZURivIdid.tim 02 00");
    EXPECT_EQ(run.Print("frmSplash.NotNow"), "False");
    // The next reminder sets the text afresh, whatever the pointer left on it.
    EXPECT_EQ(run.Grep("wait 58m", "Label2"),
              (Lines{"7080000 set frmSplash.Label2.Caption \"Why not take a rest of 2 minutes.\"",
                     "7080000 set frmSplash.Label2.Visible True"}));
    EXPECT_EQ(run.Grep("wait 2m", "chime"), (Lines{"7200000 chime 101"}));
}

TEST(HourCycle, InputThePlatformWouldNotDeliverIsIgnored) {
    SimRun run;
    run.Do("start");
    EXPECT_EQ(run.Do("click frmSplash.Label2"), Lines{"0 ignored click frmSplash.Label2"});
    run.Do("wait 58m\nwait 10s");  // the rest screen: Label2 is hidden
    EXPECT_EQ(run.Do("hover frmSplash.Label2"), Lines{"3490000 ignored hover frmSplash.Label2"});
    EXPECT_EQ(run.Do("hover frmSplash"), Lines{});  // Form_MouseMove changes nothing here
    EXPECT_EQ(run.Do("click frmSplash.Image1"), Lines{});  // no handler
}

TEST(Exit, CreditsOneHalfHourUpToMinuteThirtyAndTwoAfter) {
    struct Case {
        const char* wait;
        const char* file;
    } cases[] = {
        {"wait 59s", "01 00"},  // before the first minute tick
        {"wait 30m", "01 00"},
        {"wait 31m", "02 00"},
        {"wait 60m", "03 00"},  // the hour's two, then one right after it
        {"wait 58m\nwait 15s", "02 00"},  // on the rest screen
    };
    for (const Case& c : cases) {
        SimRun run;
        run.Do(std::string("start\n") + c.wait);
        run.Do("stop");
        EXPECT_EQ(run.Print("file ZURivIdid.tim"), c.file) << c.wait;
    }
}

TEST(Exit, StopUnloadsTheOpenWindowsAndCreditsOnce) {
    SimRun run;
    run.Do("start\nwait 58m\nwait 10s\nclick frmSplash\nchoose About");
    EXPECT_EQ(run.Do("stop"), (Lines{
                                  "3490000 write ZURivIdid.tim 02 00",
                                  "3490000 unload frmAbout",
                                  "3490000 unload frmSplash",
                                  "3490000 unload Form1",
                              }));
    EXPECT_EQ(run.Do("stop\nwait 2h"), Lines{"3490000 ignored stop"});
    EXPECT_EQ(run.Print("file ZURivIdid.tim"), "02 00");
    // A restart reads the credited count back.
    run.Do("start");
    EXPECT_EQ(run.splash().HalfHour, 2);
}

TEST(Layout, FollowsTheScreenSize) {
    SimRun run(Screen{800, 600});
    run.Do("start\nwait 58m");
    EXPECT_EQ(run.Print("frmSplash.Width"), "12000");
    EXPECT_EQ(run.Print("frmSplash.Height"), "416");
    run.Do("wait 10s");
    EXPECT_EQ(run.Print("frmSplash.Height"), "9000");
    EXPECT_EQ(run.Print("frmSplash.Image1.Left"), "5100");
    EXPECT_EQ(run.Print("frmSplash.Image1.Top"), "4050");
}

}  // namespace
}  // namespace vz::test

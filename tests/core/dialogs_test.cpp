// The pop-up menu of the rest screen and the three windows it opens.

#include <gtest/gtest.h>

#include "dialogs/form1.h"
#include "harness.h"
#include "platform/text.h"

namespace vz::test {
namespace {

// Starts and brings up the rest screen of the first hour (rest 2, countdown 10 s).
void ToRestScreen(SimRun& run) { run.Do("start\nwait 58m\nwait 10s"); }

TEST(Menu, PopsUpOnlyOnTheRestScreen) {
    SimRun run;
    run.Do("start\nwait 58m");
    EXPECT_EQ(run.Do("click frmSplash"), Lines{});  // the banner: no menu
    run.Do("wait 10s");
    EXPECT_EQ(run.Do("click frmSplash"),
              (Lines{"3490000 load Form1", "3490000 popup frmSplash File"}));
    // A click elsewhere closes the menu, as Escape does; it opens no new one.
    EXPECT_EQ(run.Do("click frmSplash"), Lines{"3490000 ignored click frmSplash"});
    EXPECT_EQ(run.Do("choose About\ndismiss"),
              (Lines{"3490000 ignored choose About", "3490000 ignored dismiss"}));
    EXPECT_EQ(run.Do("click frmSplash\nkey Escape\nchoose About"),
              (Lines{"3490000 popup frmSplash File", "3490000 ignored key Escape",
                     "3490000 ignored choose About"}));
    EXPECT_EQ(run.Do("click frmSplash\nchoose Fen1"), Lines{"3490000 popup frmSplash File"});
    EXPECT_EQ(run.Do("dismiss"), Lines{"3490000 ignored dismiss"});
    // A menu left open is closed with the rest screen; nothing can be chosen after.
    run.Do("click frmSplash\nwait 2m");
    EXPECT_EQ(run.Do("choose Setting"), Lines{"3610000 ignored choose Setting"});
    EXPECT_EQ(run.Do("click frmSplash"), Lines{"3610000 ignored click frmSplash"});
}

TEST(SettingsWindow, OkAppliesStoresAndMarksTheHourCancelAndTimeoutChangeNothing) {
    SimRun run;
    ToRestScreen(run);
    EXPECT_EQ(run.Do("click frmSplash\nchoose Setting"),
              (Lines{"3490000 load Form1", "3490000 popup frmSplash File",
                     "3490000 load frmSetting", "3490000 topmost frmSetting 807 507 306 66",
                     "3490000 set frmSetting.Combo1.ListIndex 0",
                     "3490000 set frmSetting.Combo2.ListIndex 0",
                     "3490000 show frmSetting modal owner=frmSplash"}));
    EXPECT_EQ(run.Read("SettingT.tim"), Bytes{});  // created empty, not written
    EXPECT_EQ(run.Print("frmSetting.Combo1.Text"), "\"  2\"");
    EXPECT_EQ(run.Print("frmSetting.Combo2.Text"), "\" 10\"");
    // The owner takes no input while the window is open; Enter and Escape press nothing.
    EXPECT_EQ(run.Do("click frmSplash\nkey Enter\nkey Escape"),
              Lines{"3490000 ignored click frmSplash"});
    run.Do("select frmSetting.Combo1 3\nselect frmSetting.Combo2 1");
    EXPECT_EQ(run.Do("click frmSetting.Command1"),
              (Lines{"3490000 write SettingT.tim 01 03", "3490000 unload frmSetting"}));
    EXPECT_EQ(run.splash().RestTim, 8);
    EXPECT_EQ(run.splash().Preparat, 20);
    EXPECT_EQ(run.Print("frmSplash.GaiBian"), "True");

    // Cancel after changing the picks: nothing stored; the next opening shows the file.
    run.Do("click frmSplash\nchoose Setting\nselect frmSetting.Combo1 0");
    EXPECT_EQ(run.Do("click frmSetting.Command2"),
              (Lines{"3490000 set frmSetting.Combo1.ListIndex 3",
                     "3490000 set frmSetting.Combo2.ListIndex 1", "3490000 unload frmSetting"}));
    EXPECT_EQ(run.Read("SettingT.tim"), (Bytes{0x01, 0x03}));
    EXPECT_EQ(run.splash().RestTim, 8);

    // Left alone, it closes 30 s after its load, as Cancel does.
    run.Do("wait 1s\nclick frmSplash\nchoose Setting\nselect frmSetting.Combo2 5");
    EXPECT_EQ(run.Grep("wait 29999ms", "frmSetting"), Lines{});
    EXPECT_EQ(run.Grep("wait 1ms", "frmSetting"),
              (Lines{"3521000 set frmSetting.Combo1.ListIndex 3",
                     "3521000 set frmSetting.Combo2.ListIndex 1", "3521000 unload frmSetting"}));
    EXPECT_EQ(run.splash().Preparat, 20);
}

TEST(SettingsWindow, OkWithoutChangesStillRewritesTheFileAndSetsTheMark) {
    SimRun run;
    run.Write("SettingT.tim", {0x05, 0x04, 0x77});
    run.Do("start\nwait 51m\nclick frmSplash\nchoose Setting");  // rest 10, countdown 60 s
    EXPECT_EQ(run.Print("frmSetting.Combo1.Text"), "\" 10\"");
    EXPECT_EQ(run.Print("frmSetting.Combo2.Text"), "\" 60\"");
    EXPECT_EQ(run.Grep("click frmSetting.Command1", "write"),
              Lines{"3060000 write SettingT.tim 05 04 77"});
    EXPECT_EQ(run.Print("frmSplash.GaiBian"), "True");
}

TEST(SettingsWindow, StoredPositionsBeyondTheListsSelectTheLastItems) {
    SimRun run;
    run.Write("SettingT.tim", {0x09, 0x05});
    ToRestScreen(run);  // a rest of 12 minutes: the rest screen is up from minute 48
    run.Do("click frmSplash\nchoose Setting");
    EXPECT_EQ(run.Print("frmSetting.Combo1.Text"), "\" 10\"");
    EXPECT_EQ(run.Print("frmSetting.Combo2.Text"), "\" 60\"");
    run.Do("click frmSetting.Command2");
    EXPECT_EQ(run.Read("SettingT.tim"), (Bytes{0x09, 0x05}));
    EXPECT_EQ(run.splash().RestTim, 12);
    run.Do("click frmSplash\nchoose Setting\nclick frmSetting.Command1");
    EXPECT_EQ(run.Read("SettingT.tim"), (Bytes{0x05, 0x04}));
    EXPECT_EQ(run.errors(), "");
}

TEST(SettingsWindow, AChangeSuppressesTheRestOfTheHoursReminderOnly) {
    SimRun run;
    run.Write("SettingT.tim", {0x00, 0x04});  // rest 10
    run.Do("start\nwait 50m\nwait 10s");
    run.Do("wait 110s");  // minute 52
    run.Do("click frmSplash\nchoose Setting\nselect frmSetting.Combo1 0\nclick frmSetting.Command1");
    EXPECT_EQ(run.splash().RestTim, 2);
    // Minute 58 matches the new reminder minute, but nothing happens this hour.
    const Lines rest = run.Do("wait 6m");
    EXPECT_TRUE(std::none_of(rest.begin(), rest.end(), [](const std::string& l) {
        return l.find("chime") != l.npos || l.find("Label2") != l.npos;
    }));
    EXPECT_EQ(run.Grep("wait 2m", "chime"), Lines{"3600000 chime 101"});
    EXPECT_EQ(run.Print("frmSplash.GaiBian"), "False");
    EXPECT_EQ(run.Grep("wait 58m", "show"), Lines{"7080000 show frmSplash"});
}

TEST(HoursWindow, ShowsHalfTheCountPlusOneAndClosesAfterFiveSeconds) {
    const std::pair<int, const char*> table[] = {{0, "1"},     {1, "1.5"},   {2, "2"},
                                                 {9, "5.5"},   {240, "121"}, {32767, "16384.5"},
                                                 {-1, "0.5"}, {-2, "0"}};
    for (const auto& [count, text] : table) {
        SimRun run;
        const auto u = static_cast<std::uint16_t>(count);
        run.Write("ZURivIdid.tim", {std::uint8_t(u & 0xFF), std::uint8_t(u >> 8)});
        ToRestScreen(run);
        const Lines open = run.Grep("click frmSplash\nchoose Hour", "frmHour");
        EXPECT_EQ(open, (Lines{"3490000 load frmHour", "3490000 topmost frmHour 691 516 537 48",
                               std::string("3490000 set frmHour.Label2.Caption \"") + text + "\"",
                               "3490000 show frmHour modal owner=frmSplash"}));
        EXPECT_EQ(run.Grep("wait 4999ms", "frmHour"), Lines{});
        EXPECT_EQ(run.Grep("wait 1ms", "frmHour"), Lines{"3495000 unload frmHour"});
    }
    EXPECT_EQ(GeneralNumber(HoursOfUse(3), ","), "2,5");
}

TEST(AboutWindow, ClosesOnOkEnterEscapeOrAfterTenSeconds) {
    for (const char* close : {"click frmAbout.cmdOK", "key Enter", "key Escape"}) {
        SimRun run;
        ToRestScreen(run);
        EXPECT_EQ(run.Grep("click frmSplash\nchoose About", "frmAbout"),
                  (Lines{"3490000 load frmAbout", "3490000 topmost frmAbout 803 445 314 190",
                         "3490000 show frmAbout modal owner=frmSplash"}));
        EXPECT_EQ(run.Do(close), Lines{"3490000 unload frmAbout"});
    }
    SimRun run;
    ToRestScreen(run);
    run.Do("click frmSplash\nchoose About");
    EXPECT_EQ(run.Grep("wait 9999ms", "frmAbout"), Lines{});
    EXPECT_EQ(run.Grep("wait 1ms", "frmAbout"), Lines{"3500000 unload frmAbout"});
    EXPECT_EQ(run.Print("frmAbout.lblVersion.Caption"), "not loaded");
}

TEST(SmallWindows, TheEndOfTheHourClosesWhicheverIsOpen) {
    for (const char* item : {"Setting", "Hour", "About"}) {
        SimRun run;
        run.Do("start\nwait 59m\nwait 55s");
        run.Do(std::string("click frmSplash\nchoose ") + item);
        const Lines end = run.Grep("wait 5s", "unload");
        ASSERT_EQ(end.size(), 1u) << item;
        EXPECT_EQ(end[0].substr(0, 15), "3600000 unload ");
        EXPECT_EQ(run.Read("SettingT.tim"), Bytes{});  // closed without saving
        EXPECT_EQ(run.splash().RestTim, 2);
    }
}

}  // namespace
}  // namespace vz::test

// Still motion: the rest screen's slogan stands and its picture stays in the
// middle, while everything else of the hour goes as with the blink.

#include <gtest/gtest.h>

#include "app/program.h"
#include "harness.h"
#include "reminder/frm_splash.h"
#include "reminder/motion.h"

namespace vz::test {
namespace {

TEST(Motion, StillKeepsTheSloganShownAndThePictureCentredForTheWholeRest) {
    SimRun run;
    run.sim().program().SetMotion(Motion::Still);
    run.Do("start\nwait 58m");
    const Lines rest = run.Do("wait 10s\nwait 110s");
    int slogan = 0, moves = 0;
    for (const std::string& line : rest) {
        if (line.find("frmSplash.Label1.Visible") != std::string::npos) ++slogan;
        if (line.find("move frmSplash.Image1") != std::string::npos) ++moves;
    }
    EXPECT_EQ(slogan, 2) << "shown at the start, hidden at the end, never blinked";
    EXPECT_EQ(moves, 2) << "centred on the rest screen, then on the banner again";
    // The menu still opens from the rest screen, and the hour ends as always.
    run.Do("wait 58m\nwait 10s");
    EXPECT_FALSE(run.Grep("click frmSplash", "popup frmSplash File").empty());
}

TEST(Motion, TheBlinkIsTheDefaultAndAReminderWindowLoadedLaterTakesTheSetting) {
    SimRun blink;
    blink.Do("start\nwait 58m\nwait 10s");
    EXPECT_EQ(blink.Grep("wait 1600ms", "frmSplash.Label1.Visible").size(), 2u);

    SimRun later;
    later.Do("start");
    later.sim().program().SetMotion(Motion::Still);
    later.Do("wait 58m\nwait 10s");
    EXPECT_TRUE(later.Grep("wait 30s", "frmSplash.Label1.Visible").empty());
    EXPECT_TRUE(later.Grep("wait 30s", "move frmSplash.Image1").empty());
}

TEST(Motion, TheChoiceIsReadFromItsWordAndDesktopFollowsTheDesktop) {
    EXPECT_EQ(ParseMotion("blink"), MotionChoice::Blink);
    EXPECT_EQ(ParseMotion("still"), MotionChoice::Still);
    EXPECT_EQ(ParseMotion("desktop"), MotionChoice::Desktop);
    EXPECT_EQ(ParseMotion("Still"), std::nullopt);
    EXPECT_EQ(Resolve(MotionChoice::Desktop, true), Motion::Still);
    EXPECT_EQ(Resolve(MotionChoice::Desktop, false), Motion::Blink);
    EXPECT_EQ(Resolve(MotionChoice::Blink, true), Motion::Blink);
    EXPECT_EQ(Resolve(MotionChoice::Still, false), Motion::Still);
}

}  // namespace
}  // namespace vz::test

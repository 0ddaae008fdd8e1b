// What a screen reader is told of each window and control: the role, and the
// text a sighted user reads there, for every window of the program.

#include <gtest/gtest.h>

#include "app/program.h"
#include "frontend/accessible.h"
#include "harness.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/runtime.h"

namespace vz::test {
namespace {

std::string Said(const Accessible& a) {
    std::string s = std::string(RoleName(a.role)) + " \"" + a.name + "\"";
    if (!a.value.empty()) s += " value \"" + a.value + "\"";
    if (!a.description.empty()) s += " (" + a.description + ")";
    return s;
}

class Accessibility : public ::testing::Test {
protected:
    Runtime& rt() { return run_.sim().program().runtime(); }
    std::string Window(const char* form) { return Said(Describe(*rt().Find(form))); }
    std::string Of(const char* form, const char* control) {
        return Said(Describe(*rt().Find(form)->FindControl(control)));
    }
    SimRun run_;
};

TEST_F(Accessibility, TheBannerIsANotificationNamedByItsTextAndTheRestScreenByItsSlogan) {
    run_.Do("start\nwait 58m");
    EXPECT_EQ(Window("frmSplash"), "notification \"Why not take a rest of 2 minutes.\"");
    EXPECT_EQ(Of("frmSplash", "Label2"), "text \"Why not take a rest of 2 minutes.\"");
    EXPECT_TRUE(Describe(*rt().Find("frmSplash")->FindControl("Label2")).acts)
        << "clicking the text declines";
    run_.Do("hover frmSplash.Label2");
    EXPECT_EQ(Window("frmSplash"), "notification \"No, not now.\"") << "what is on screen";
    run_.Do("wait 10s");
    EXPECT_EQ(Window("frmSplash"), "window \"Rirodov is the best Chinese school online!\"");
    EXPECT_EQ(Of("frmSplash", "Label1"), "text \"Rirodov is the best Chinese school online!\"");
    run_.Do("wait 800ms");  // blinked away: still the window's name
    EXPECT_EQ(Window("frmSplash"), "window \"Rirodov is the best Chinese school online!\"");
    EXPECT_EQ(Of("frmSplash", "Image1"), "picture \"https://www.example.org/\"");
}

TEST_F(Accessibility, TheSettingsListsAreNamedByTheLabelBeforeThemWithTheirValueAndUnit) {
    run_.Do("start\nwait 58m\nwait 10s\nclick frmSplash\nchoose Setting");
    EXPECT_EQ(Window("frmSetting"), "dialog \"Setting\"");
    EXPECT_EQ(Of("frmSetting", "Combo1"), "combo box \"Take a rest of\" value \"2\" (minutes/hour)");
    EXPECT_EQ(Of("frmSetting", "Combo2"),
              "combo box \"Preparatory time\" value \"10\" (seconds)");
    const Form& setting = *rt().Find("frmSetting");
    EXPECT_EQ(Describe(*setting.FindControl("Combo1")).labelled_by,
              setting.FindControl("Label1(1)"));
    EXPECT_EQ(Of("frmSetting", "Label1(0)"), "text \"minutes/hour\"");
    EXPECT_EQ(Of("frmSetting", "Command1"), "button \"OK\"");
    EXPECT_EQ(Of("frmSetting", "Command2"), "button \"Cancel\"");
    run_.Do("select frmSetting.Combo1 4");
    EXPECT_EQ(Of("frmSetting", "Combo1"), "combo box \"Take a rest of\" value \"10\" (minutes/hour)");
}

TEST_F(Accessibility, TheHoursSentenceReadsWithItsFigureInTheGap) {
    run_.Do("start\nwait 58m\nwait 10s\nclick frmSplash\nchoose Hour");
    EXPECT_EQ(Window("frmHour"), "dialog \"How long has the computer been used?\"");
    EXPECT_EQ(Of("frmHour", "Label1"),
              "text \"The computer has been used 1 hours since the installation of the "
              "Verezerud.\"");
    EXPECT_EQ(Of("frmHour", "Label2"), "text \"1\"");
}

TEST_F(Accessibility, EveryLineOfTheAboutWindowIsReadAsItShows) {
    run_.Do("start\nwait 58m\nwait 10s\nclick frmSplash\nchoose About");
    EXPECT_EQ(Window("frmAbout"), "dialog \"About\"");
    EXPECT_EQ(Of("frmAbout", "lblTitle"), "text \"Verezerud\"");
    EXPECT_EQ(Of("frmAbout", "lblVersion"), "text \"Version 1.01\"");
    EXPECT_EQ(Of("frmAbout", "lblDescription(0)"), "text \"Developer\xEF\xBC\x9A" "Ada Example\"");
    EXPECT_EQ(Of("frmAbout", "lblDescription(1)"), "text \"Tel\xEF\xBC\x9A" "+1 202 555 0142\"");
    EXPECT_EQ(Of("frmAbout", "lblDescription(2)"), "text \"E-mail\xEF\xBC\x9A" "rest@example.org\"");
    EXPECT_EQ(Of("frmAbout", "lblStatement"), "text \"Free!\"");
    EXPECT_EQ(Of("frmAbout", "cmdOK"), "button \"OK\"");
    EXPECT_EQ(Of("frmAbout", "picIcon"), "picture \"Verezerud\"");
    EXPECT_EQ(Of("frmAbout", "Line1(0)"), "separator \"\"");
}

}  // namespace
}  // namespace vz::test

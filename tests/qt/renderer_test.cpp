// The front end in this process, with no display: what its windows hold on
// to between reminders.

#include <gtest/gtest.h>

#include <QApplication>
#include <QWindow>
#include <sstream>

#include "app/program.h"
#include "gui_run.h"
#include "qt/form_window.h"
#include "frontend/presenter.h"
#include "qt/front_end.h"
#include "sim/simulator.h"
#include "suites.h"

namespace vz::test {
namespace {

VZ_SUITE_OFFSCREEN("Renderer");

TEST(Renderer, AHiddenRestScreenKeepsNoNativeWindow) {
    std::ostringstream out, err;
    SimOptions options;
    options.data_dir = FreshDir("data").toStdString();
    Simulator sim(options, out, err);
    qt::QtFrontEnd front_end(QSize(1024, 768));
    Presenter presenter(sim.program().runtime(), front_end);
    int line = 0;
    ASSERT_TRUE(sim.RunLine("start", ++line)) << err.str();
    ASSERT_TRUE(sim.RunLine("wait 59m", ++line)) << err.str();  // the rest screen is up
    auto* splash = static_cast<qt::FormWindow*>(presenter.Build("frmSplash"));
    ASSERT_TRUE(splash && splash->isVisible());
    ASSERT_TRUE(splash->windowHandle());
    ASSERT_TRUE(sim.RunLine("wait 2m", ++line)) << err.str();  // the hour is over
    ASSERT_EQ(presenter.Build("frmSplash"), splash);
    EXPECT_FALSE(splash->isVisible());
    EXPECT_FALSE(splash->windowHandle()) << "the hidden rest screen kept its native window";
}

// A dark desktop theme leaves the program's colours: dark text on the lists'
// white and on the buttons' grey, never light on light.
TEST(Renderer, ADarkThemeLeavesTheListsAndButtonsReadable) {
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        dark.setColor(role, QColor(250, 250, 250));
    for (auto role : {QPalette::Base, QPalette::Button, QPalette::Window})
        dark.setColor(role, QColor(30, 30, 30));
    QApplication::setPalette(dark);
    std::ostringstream out, err;
    SimOptions options;
    options.data_dir = FreshDir("data").toStdString();
    Simulator sim(options, out, err);
    qt::QtFrontEnd front_end(QSize(1024, 768));
    Presenter presenter(sim.program().runtime(), front_end);
    int line = 0;
    for (const char* step : {"start", "wait 59m", "click frmSplash", "choose Setting"})
        ASSERT_TRUE(sim.RunLine(step, ++line)) << err.str();
    auto* setting = static_cast<qt::FormWindow*>(presenter.Build("frmSetting"));
    ASSERT_TRUE(setting);
    const auto contrast = [](QColor a, QColor b) { return std::abs(a.lightness() - b.lightness()); };
    for (const char* name : {"Combo1", "Combo2"}) {
        const QPalette p = setting->View(name)->palette();
        EXPECT_GT(contrast(p.color(QPalette::Text), p.color(QPalette::Base)), 128) << name;
        EXPECT_GT(contrast(p.color(QPalette::ButtonText), p.color(QPalette::Button)), 128) << name;
    }
    for (const char* name : {"Command1", "Command2"}) {
        const QPalette p = setting->View(name)->palette();
        EXPECT_GT(contrast(p.color(QPalette::ButtonText), p.color(QPalette::Button)), 128) << name;
    }
    QApplication::setPalette(before);
}

}  // namespace
}  // namespace vz::test

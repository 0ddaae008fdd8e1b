// The front end in this process, with no display: what its windows hold on
// to between reminders.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vz::test

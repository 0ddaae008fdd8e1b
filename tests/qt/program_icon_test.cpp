// The program's icon, given to the application when its first window shows.

#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QWidget>

#include "qt/program_icon.h"
#include "suites.h"

namespace vz::test {
namespace {

VZ_SUITE_OFFSCREEN("ProgramIcon");

// Notes whether it had an icon when it was shown.
class Window : public QWidget {
public:
    bool had_icon = false;

protected:
    void showEvent(QShowEvent*) override { had_icon = !windowIcon().isNull(); }
};

TEST(ProgramIcon, TheFirstWindowShownHasTheProgramsIconOnIt) {
    QApplication::setWindowIcon(QIcon());
    qt::ProgramIcon icon;
    // Nothing shown yet: no icon read.
    QWidget hidden;
    QWidget child(&hidden);
    child.show();  // in a hidden window
    QApplication::processEvents();
    EXPECT_FALSE(icon.Given());
    EXPECT_TRUE(QApplication::windowIcon().isNull());

    Window window;
    window.show();
    EXPECT_TRUE(icon.Given());
    EXPECT_TRUE(window.had_icon);
    const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
    for (int side : {16, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    window.hide();
}

}  // namespace
}  // namespace vz::test

// The three small windows on screen: each opens from the menu centred above
// the rest screen, with no title bar, shows its texts, and closes as it should.

#include <gtest/gtest.h>

#include "gui_run.h"
#include "pixels.h"

namespace vz::test {
namespace {

const char* const kToMenu = "start\nwait 58m\nwait 10s\nclick frmSplash\n";
const QRect kScreen(0, 0, 1920, 1080);

bool NotBlack(QRgb c) { return !IsBlack(c); }
bool ButtonFace(QRgb c) { return c == qRgb(240, 240, 240); }
bool LightYellow(QRgb c) { return c == qRgb(255, 255, 192); }

RunResult RunGui(const QString& script) {
    RunResult r = RunSim(script, true, FreshDir("data"));
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    return r;
}

TEST(SmallWindows, SettingsWindowAboveTheRestScreenClosesAfterThirtySeconds) {
    RunGui(QString(kToMenu) + "choose Setting\nsnap " + Shot("setting") + "\nwait 29s\nsnap " +
           Shot("setting-29s") + "\nwait 1s\nsnap " + Shot("setting-30s"));
    const QImage shot = LoadShot("setting");
    // 4500 x 900 twips inside a 3-pixel dialog border, centred: 306 x 66 at (807, 507).
    const QRect window(807, 507, 306, 66);
    EXPECT_EQ(Bounds(shot, window.adjusted(-20, -20, 20, 20), NotBlack), window);
    EXPECT_GT(Count(shot, window, ButtonFace), window.width() * window.height() / 2);
    // The two rows: "Take a rest of", "minutes/hour", "Preparatory time", "seconds" and the buttons.
    EXPECT_GT(Count(shot, QRect(810, 512, 80, 16), IsDarkText), 40);
    EXPECT_GT(Count(shot, QRect(810, 540, 100, 16), IsDarkText), 40);
    EXPECT_GT(Count(shot, QRect(1050, 515, 50, 14), IsDarkText), 10);  // OK
    EXPECT_EQ(Bounds(LoadShot("setting-29s"), window, NotBlack), window);
    EXPECT_EQ(Count(LoadShot("setting-30s"), window, ButtonFace), 0);
}

TEST(SmallWindows, HoursWindowShowsTheNumberInRedInsideTheSentence) {
    RunGui(QString(kToMenu) + "choose Hour\nsnap " + Shot("hour") + "\nwait 5s\nsnap " +
           Shot("hour-closed"));
    const QImage shot = LoadShot("hour");
    // 7965 x 630 twips inside the border: 537 x 48, centred.
    const QRect window(692, 516, 537, 48);
    // The centred picture peeks out above and below; the sides are clear.
    EXPECT_EQ(Bounds(shot, window.adjusted(-20, 0, 20, 0), NotBlack), window);
    EXPECT_TRUE(All(shot, QRect(window.left(), window.top(), window.width(), 1),
                    NotBlack));
    const QRect number = Bounds(shot, window, IsRedText);
    ASSERT_FALSE(number.isEmpty());
    // In Label2's box (Left 2820, Width 615), right-aligned.
    const int box_left = window.left() + 3 + 188, box_right = window.left() + 3 + 229;
    EXPECT_GE(number.left(), box_left);
    EXPECT_LE(number.right(), box_right);
    EXPECT_GE(number.right(), box_right - 4);
    // One line: the sentence runs on both sides of the number at its height,
    // and the number sits in the gap without touching either part.
    const QRect row(window.left() + 3, number.top(), window.width() - 6, number.height());
    const QRect before = Bounds(shot, QRect(row.left(), row.top(), number.left() - row.left(), row.height()), IsDarkText);
    const QRect after = Bounds(shot, QRect(number.right() + 1, row.top(), row.right() - number.right(), row.height()), IsDarkText);
    ASSERT_FALSE(before.isEmpty());
    ASSERT_FALSE(after.isEmpty());
    EXPECT_GE(number.left() - before.right(), 3);
    EXPECT_GE(after.left() - number.right(), 3);
    const QRect client = window.adjusted(3, 3, -3, -3);
    const QRect sentence = Bounds(shot, client, IsDarkText);
    EXPECT_NEAR(number.top(), sentence.top(), 2);
    EXPECT_GT(sentence.left(), client.left());
    EXPECT_LT(sentence.right(), client.right());
    EXPECT_EQ(Count(LoadShot("hour-closed"), window, ButtonFace), 0);
}

TEST(SmallWindows, AboutWindowShowsItsTextsAndClosesWithEnter) {
    RunGui(QString(kToMenu) + "choose About\nsnap " + Shot("about") + "\nkey Enter\nsnap " +
           Shot("about-closed"));
    const QImage shot = LoadShot("about");
    // 4710 x 2850 twips, no border: 314 x 190, centred.
    const QRect window(803, 445, 314, 190);
    EXPECT_EQ(Bounds(shot, window.adjusted(-20, -20, 20, 20), NotBlack), window);
    EXPECT_GT(Count(shot, window, LightYellow), window.width() * window.height() / 2);
    const auto green = [](QRgb c) { return qGreen(c) > 90 && qRed(c) < 80 && qBlue(c) < 80; };
    const auto blue = [](QRgb c) { return qBlue(c) > 180 && qRed(c) < 100 && qGreen(c) < 100; };
    EXPECT_GT(Count(shot, QRect(875, 455, 150, 30), green), 40);   // "Verezerud"
    EXPECT_GT(Count(shot, QRect(875, 520, 200, 20), IsRedText), 40);  // developer
    EXPECT_GT(Count(shot, QRect(875, 545, 200, 20), blue), 40);       // telephone
    EXPECT_GT(Count(shot, QRect(875, 570, 200, 20), IsRedText), 40);  // e-mail
    EXPECT_EQ(Count(LoadShot("about-closed"), window, LightYellow), 0);
}

TEST(SmallWindows, EndOfTheHourClosesAnOpenWindowAndReleasesTheScreen) {
    // 95 s into the rest screen, 15 s before the hour ends.
    RunGui("start\nwait 58m\nwait 10s\nwait 95s\nclick frmSplash\nchoose Setting\nsnap " +
           Shot("open") + "\nwait 15s\nsnap " + Shot("end"));
    EXPECT_GT(Count(LoadShot("open"), QRect(807, 507, 306, 66), ButtonFace), 306 * 66 / 2);
    EXPECT_TRUE(All(LoadShot("end"), kScreen, IsWhite));
}

}  // namespace
}  // namespace vz::test

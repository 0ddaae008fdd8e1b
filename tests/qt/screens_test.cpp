// What the user sees, checked on screenshots of the virtual display: one hour
// through the real front end in virtual time, each screen read by pixel.

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "gui_run.h"
#include "pixels.h"

namespace vz::test {
namespace {

constexpr int kScreenW = 1920, kScreenH = 1080;
constexpr int kBannerPx = 28;    // 416 twips
constexpr int kTextBandPx = 23;  // Label2, 351 twips
const QRect kSloganBand(0, 26, kScreenW, 26);  // Label1: top 390, 390 high
const QRect kScreen(0, 0, kScreenW, kScreenH);
// The small windows, centred: their twips inside a 3-pixel dialog border, or none.
const QRect kSetting(807, 507, 306, 66), kHour(692, 516, 537, 48), kAbout(803, 445, 314, 190);

bool NotBlack(QRgb c) { return !IsBlack(c); }
bool ButtonFace(QRgb c) { return c == qRgb(240, 240, 240); }
bool LightYellow(QRgb c) { return c == qRgb(255, 255, 192); }
bool BannerText(QRgb c) { return qGreen(c) > 200; }

TEST(Screens, OneHourFromBannerToRestScreenMenuAndSmallWindows) {
    // Each step's commands, then a snap of the whole screen under the step's name.
    const std::pair<const char*, const char*> steps[] = {
        {"start\nwait 58m", "banner"},
        {"hover frmSplash.Label2", "not-now"},
        {"hover frmSplash", "banner-again"},
        {"wait 10s", "rest"},
        {"click frmSplash", "menu"},
        {"dismiss", "dismissed"},
        {"click frmSplash\nchoose Hour", "hour"},
        {"wait 800ms", "slogan-off"},
        {"wait 800ms", "slogan-on"},
        {"wait 4s", "moved"},
        {"click frmSplash\nchoose About", "about"},
        {"key Enter\nclick frmSplash\nchoose Setting", "setting"},
        {"wait 29s", "setting-29s"},
        {"wait 1s", "setting-30s"},
        {"wait 69400ms\nclick frmSplash\nchoose Setting\nwait 5s", "end"},
    };
    QString script;
    for (const auto& [commands, shot] : steps)
        script += QStringLiteral("%1\nsnap %2\n").arg(QLatin1String(commands), Shot(QLatin1String(shot)));
    const RunResult r = RunSim(script, true, FreshDir("data"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();

    // The banner: a red strip with white centred text; the white root below.
    const QImage banner = LoadShot("banner");
    ASSERT_EQ(banner.size(), QSize(kScreenW, kScreenH));
    EXPECT_TRUE(All(banner, QRect(0, 0, kScreenW, kBannerPx), IsRed));
    EXPECT_TRUE(All(banner, QRect(0, kTextBandPx, kScreenW, kBannerPx - kTextBandPx),
                    [](QRgb c) { return c == qRgb(255, 0, 0); }));
    EXPECT_TRUE(All(banner, QRect(0, kBannerPx, kScreenW, kScreenH - kBannerPx), IsWhite));
    const QRect text = Bounds(banner, QRect(0, 0, kScreenW, kBannerPx), BannerText);
    EXPECT_LT(text.bottom(), kTextBandPx);
    EXPECT_NEAR(text.center().x(), kScreenW / 2, 4);
    EXPECT_GT(text.width(), 200);  // "Why not take a rest of 2 minutes."
    // The pointer on the text turns it into the shorter "No, not now." and back.
    const QRect not_now = Bounds(LoadShot("not-now"), QRect(0, 0, kScreenW, kBannerPx), BannerText);
    EXPECT_LT(not_now.width(), text.width() * 2 / 3);
    EXPECT_NEAR(not_now.center().x(), kScreenW / 2, 4);
    EXPECT_EQ(Bounds(LoadShot("banner-again"), QRect(0, 0, kScreenW, kBannerPx), BannerText), text);

    // The rest screen: black, the 120 x 60 picture centred, the yellow slogan near the top.
    const QImage rest = LoadShot("rest");
    const QRect below_slogan(0, kSloganBand.bottom() + 1, kScreenW, kScreenH - kSloganBand.bottom() - 1);
    const QRect centred(900, 510, 120, 60);
    EXPECT_EQ(Bounds(rest, below_slogan, NotBlack), centred);
    EXPECT_GT(Count(rest, centred, NotBlack), 120 * 60 * 9 / 10);
    EXPECT_EQ(Count(rest, QRect(0, 0, kScreenW, kSloganBand.top()), NotBlack), 0);
    EXPECT_NEAR(Bounds(rest, kSloganBand, IsYellow).center().x(), kScreenW / 2, 6);
    EXPECT_EQ(Count(LoadShot("slogan-off"), kScreen, IsYellow), 0);
    EXPECT_GT(Count(LoadShot("slogan-on"), kSloganBand, IsYellow), 200);
    // 5.6 s in: the picture has jumped, the slogan is hidden, the hours window closed.
    // Where the trace last put the picture by then, in twips, as pixels:
    static const QRegularExpression move(QStringLiteral("^(\\d+) move frmSplash\\.Image1 (\\S+) (\\S+) "),
                                         QRegularExpression::MultilineOption);
    QPoint at(-1, -1);
    for (auto m = move.globalMatch(r.out); m.hasNext();) {
        const auto match = m.next();
        if (match.captured(1).toLongLong() > 3490000 + 5600) break;
        at = QPoint(qRound(match.captured(2).toDouble() / 15), qRound(match.captured(3).toDouble() / 15));
    }
    ASSERT_NE(at, centred.topLeft());
    const QRect now = Bounds(LoadShot("moved"), kScreen, NotBlack);
    EXPECT_EQ(now, QRect(at, QSize(120, 60)));
    EXPECT_TRUE(kScreen.contains(now));

    // A click opens the menu at the pointer (three quarters across and down):
    // three entries and a separator between the second and third.
    const QImage menu_shot = LoadShot("menu");
    const QRect menu = Bounds(menu_shot, QRect(1300, 700, 620, 380), NotBlack);
    EXPECT_NEAR(menu.left(), 1440, 3);
    EXPECT_NEAR(menu.top(), 810, 3);
    int bands = 0, separators = 0;
    bool in_text = false;
    for (int y = menu.top() + 2; y < menu.bottom() - 1; ++y) {
        const QRect row(menu.left() + 2, y, menu.width() - 4, 1);
        const bool has_text = Count(menu_shot, row, IsDarkText) > 0;
        bands += has_text && !in_text;
        in_text = has_text;
        const int grey = Count(menu_shot, row, [](QRgb c) { return qGray(c) < 225 && !IsDarkText(c); });
        separators += !has_text && grey > row.width() * 3 / 4;
    }
    EXPECT_EQ(bands, 3);
    EXPECT_GE(separators, 1);
    EXPECT_EQ(Bounds(LoadShot("dismissed"), QRect(1300, 700, 620, 380), NotBlack), QRect());

    // The hours window: the number in red, right-aligned in its box inside the sentence.
    const QImage hour = LoadShot("hour");
    EXPECT_EQ(Bounds(hour, kHour.adjusted(-20, 0, 20, 0), NotBlack), kHour);
    const QRect number = Bounds(hour, kHour, IsRedText);
    EXPECT_GE(number.left(), kHour.left() + 3 + 188);  // Label2: Left 2820, Width 615
    EXPECT_LE(number.right(), kHour.left() + 3 + 229);
    EXPECT_GE(number.right(), kHour.left() + 3 + 225);
    const QRect row(kHour.left() + 3, number.top(), kHour.width() - 6, number.height());
    const QRect before = Bounds(hour, QRect(row.left(), row.top(), number.left() - row.left(), row.height()), IsDarkText);
    const QRect after = Bounds(hour, QRect(number.right() + 1, row.top(), row.right() - number.right(), row.height()), IsDarkText);
    EXPECT_GE(number.left() - before.right(), 3);
    EXPECT_GE(after.left() - number.right(), 3);
    EXPECT_EQ(Count(LoadShot("moved"), kHour, ButtonFace), 0);

    // The About window: light yellow, with its coloured texts.
    const QImage about = LoadShot("about");
    EXPECT_GT(Count(about, kAbout, LightYellow), kAbout.width() * kAbout.height() / 2);
    const auto green = [](QRgb c) { return qGreen(c) > 90 && qRed(c) < 80 && qBlue(c) < 80; };
    const auto blue = [](QRgb c) { return qBlue(c) > 180 && qRed(c) < 100 && qGreen(c) < 100; };
    EXPECT_GT(Count(about, QRect(875, 455, 150, 30), green), 40);       // "Verezerud"
    EXPECT_GT(Count(about, QRect(875, 520, 200, 20), IsRedText), 40);  // developer
    EXPECT_GT(Count(about, QRect(875, 545, 200, 20), blue), 40);       // telephone
    EXPECT_GT(Count(about, QRect(875, 570, 200, 20), IsRedText), 40);  // e-mail
    EXPECT_EQ(Count(LoadShot("setting"), kAbout, LightYellow), 0);      // Enter closed it

    // The settings window: its rows of text and buttons; gone after 30 s.
    const QImage setting = LoadShot("setting");
    EXPECT_GT(Count(setting, kSetting, ButtonFace), kSetting.width() * kSetting.height() / 2);
    EXPECT_GT(Count(setting, QRect(810, 512, 80, 16), IsDarkText), 40);   // "Take a rest of"
    EXPECT_GT(Count(setting, QRect(810, 540, 100, 16), IsDarkText), 40);  // "Preparatory time"
    EXPECT_GT(Count(setting, QRect(1050, 515, 50, 14), IsDarkText), 10);  // OK
    EXPECT_GT(Count(LoadShot("setting-29s"), kSetting, ButtonFace), kSetting.width() * kSetting.height() / 2);
    EXPECT_EQ(Count(LoadShot("setting-30s"), kSetting, ButtonFace), 0);

    // The end of the hour closes the open settings window and releases the screen.
    EXPECT_TRUE(All(LoadShot("end"), kScreen, IsWhite));
}

}  // namespace
}  // namespace vz::test

// What the user sees, checked on screenshots of the virtual display: the
// scenarios run with the real front end and the pictures are read by pixel.

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "gui_run.h"
#include "pixels.h"

namespace vz::test {
namespace {

constexpr int kScreenW = 1920, kScreenH = 1080;
constexpr int kBannerPx = 28;     // 416 twips
constexpr int kTextBandPx = 23;   // Label2, 351 twips
const QRect kSloganBand(0, 26, kScreenW, 26);  // Label1: top 390, 390 high
const QRect kScreen(0, 0, kScreenW, kScreenH);

const char* const kToRest = "start\nwait 58m\nwait 10s\n";  // rest 2, countdown 10 s

RunResult RunGui(const QString& script) {
    RunResult r = RunSim(script, true, FreshDir("data"));
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    return r;
}

// The picture's last place in twips, from the trace, as pixels.
QPoint PictureAt(const QString& trace, long long until_ms) {
    static const QRegularExpression move(
        QStringLiteral("^(\\d+) move frmSplash\\.Image1 (\\S+) (\\S+) "),
        QRegularExpression::MultilineOption);
    QPoint at(-1, -1);
    for (auto m = move.globalMatch(trace); m.hasNext();) {
        const auto match = m.next();
        if (match.captured(1).toLongLong() > until_ms) break;
        at = QPoint(qRound(match.captured(2).toDouble() / 15), qRound(match.captured(3).toDouble() / 15));
    }
    return at;
}

TEST(Banner, RedStripAcrossTheTopWithWhiteCentredText) {
    RunGui("start\nwait 58m\nsnap " + Shot("banner"));
    const QImage shot = LoadShot("banner");
    ASSERT_EQ(shot.size(), QSize(kScreenW, kScreenH));
    EXPECT_TRUE(All(shot, QRect(0, 0, kScreenW, kBannerPx), IsRed));
    EXPECT_TRUE(All(shot, QRect(0, kTextBandPx, kScreenW, kBannerPx - kTextBandPx),
                    [](QRgb c) { return c == qRgb(255, 0, 0); }));
    // Nothing else on the screen changed: the white root shows below.
    EXPECT_TRUE(All(shot, QRect(0, kBannerPx, kScreenW, kScreenH - kBannerPx), IsWhite));
    const QRect text = Bounds(shot, QRect(0, 0, kScreenW, kBannerPx),
                              [](QRgb c) { return qGreen(c) > 200; });
    ASSERT_FALSE(text.isEmpty());
    EXPECT_LT(text.bottom(), kTextBandPx);
    EXPECT_NEAR(text.center().x(), kScreenW / 2, 4);
    EXPECT_GT(text.width(), 200);  // "Why not take a rest of 2 minutes."
}

TEST(Banner, PointerOnTheTextTurnsItToNoNotNowAndBack) {
    RunGui(QStringLiteral("start\nwait 58m\nsnap %1\nhover frmSplash.Label2\nsnap %2\n"
                          "hover frmSplash\nsnap %3\n")
               .arg(Shot("reminder"), Shot("not-now"), Shot("reminder-again")));
    const auto text = [](const QString& name) {
        return Bounds(LoadShot(name), QRect(0, 0, kScreenW, kBannerPx),
                      [](QRgb c) { return qGreen(c) > 200; });
    };
    const QRect reminder = text("reminder"), not_now = text("not-now");
    ASSERT_FALSE(not_now.isEmpty());
    EXPECT_LT(not_now.width(), reminder.width() * 2 / 3);  // "No, not now." is shorter
    EXPECT_NEAR(not_now.center().x(), kScreenW / 2, 4);
    EXPECT_EQ(text("reminder-again"), reminder);
}

TEST(RestScreen, BlackOverTheWholeScreenWithBlinkingSloganAndMovingPicture) {
    const RunResult r = RunGui(QString(kToRest) +
                               QStringLiteral("snap %1\nwait 800ms\nsnap %2\nwait 800ms\nsnap %3\n"
                                              "wait 4s\nsnap %4\n")
                                   .arg(Shot("rest"), Shot("slogan-off"), Shot("slogan-on"),
                                        Shot("moved")));
    const QImage rest = LoadShot("rest");
    // Centred picture, 120 x 60, and the yellow slogan near the top; all else black.
    const QRect picture(900, 510, 120, 60);
    const QRect below_slogan(0, kSloganBand.bottom() + 1, kScreenW, kScreenH - kSloganBand.bottom() - 1);
    EXPECT_EQ(Bounds(rest, below_slogan, [](QRgb c) { return !IsBlack(c); }), picture);
    EXPECT_GT(Count(rest, picture, [](QRgb c) { return !IsBlack(c); }), 120 * 60 * 9 / 10);
    EXPECT_GT(Count(rest, kSloganBand, IsYellow), 200);
    EXPECT_EQ(Count(rest, QRect(0, 0, kScreenW, kSloganBand.top()), [](QRgb c) { return !IsBlack(c); }), 0);
    const QRect slogan = Bounds(rest, kSloganBand, IsYellow);
    EXPECT_NEAR(slogan.center().x(), kScreenW / 2, 6);

    EXPECT_EQ(Count(LoadShot("slogan-off"), kScreen, IsYellow), 0);
    EXPECT_GT(Count(LoadShot("slogan-on"), kSloganBand, IsYellow), 200);

    // 5.6 s in: the picture has jumped once and the slogan is hidden.
    const QImage moved = LoadShot("moved");
    const QPoint at = PictureAt(r.out, 3480000 + 10000 + 5600);
    ASSERT_NE(at, QPoint(900, 510));
    const QRect now = Bounds(moved, kScreen, [](QRgb c) { return !IsBlack(c); });
    EXPECT_EQ(now, QRect(at, QSize(120, 60)));
    EXPECT_TRUE(kScreen.contains(now));
}

TEST(RestScreen, ClickOnTheBackgroundOpensTheMenuAtThePointer) {
    RunGui(QString(kToRest) + "click frmSplash\nsnap " + Shot("menu") + "\ndismiss\nsnap " +
           Shot("dismissed"));
    const QImage shot = LoadShot("menu");
    // The click lands at three quarters of the screen, clear of the picture.
    const QRect menu = Bounds(shot, QRect(1300, 700, 620, 380), [](QRgb c) { return !IsBlack(c); });
    ASSERT_FALSE(menu.isEmpty());
    EXPECT_NEAR(menu.left(), 1440, 3);
    EXPECT_NEAR(menu.top(), 810, 3);
    // Four entries: three lines of text and a separator between the second and third.
    int bands = 0, separators = 0;
    bool in_text = false;
    for (int y = menu.top() + 2; y < menu.bottom() - 1; ++y) {
        const QRect row(menu.left() + 2, y, menu.width() - 4, 1);
        const bool text = Count(shot, row, IsDarkText) > 0;
        if (text && !in_text) ++bands;
        in_text = text;
        const int grey = Count(shot, row, [](QRgb c) { return qGray(c) < 225 && !IsDarkText(c); });
        if (!text && grey > row.width() * 3 / 4) ++separators;
    }
    EXPECT_EQ(bands, 3);
    EXPECT_GE(separators, 1);
    EXPECT_EQ(Bounds(LoadShot("dismissed"), QRect(1300, 700, 620, 380),
                     [](QRgb c) { return !IsBlack(c); }),
              QRect());
}

TEST(RestScreen, EndOfTheHourReleasesTheScreen) {
    RunGui(QString(kToRest) + "wait 110s\nsnap " + Shot("released"));
    EXPECT_TRUE(All(LoadShot("released"), kScreen, IsWhite));
}

}  // namespace
}  // namespace vz::test

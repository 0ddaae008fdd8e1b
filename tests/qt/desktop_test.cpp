// The windows as the desktop sees them: the hints a window manager reads
// (xprop), and, under a real window manager (openbox), the rest screen
// covering the screen and staying above another program's window.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include "gui_run.h"
#include "pixels.h"

namespace vz::test {
namespace {

constexpr int kWaitLimitMs = 10'000;


QString WindowOfSize(QSize size) {
    for (const XWindow& w : ProgramWindows())
        if (w.geometry.size() == size) return w.id;
    return {};
}

QString Prop(const QString& id, const char* name) {
    return Command(QStringLiteral("xprop"), {"-id", id, QString::fromLatin1(name)});
}

// Above the others, without frame, out of the task bar and the pager.
void ExpectOnTopWithoutFrameOrTaskBarEntry(const QString& window) {
    const QString state = Prop(window, "_NET_WM_STATE");
    EXPECT_TRUE(state.contains(QLatin1String("_NET_WM_STATE_ABOVE"))) << state.toStdString();
    EXPECT_TRUE(state.contains(QLatin1String("_NET_WM_STATE_SKIP_TASKBAR")));
    EXPECT_TRUE(state.contains(QLatin1String("_NET_WM_STATE_SKIP_PAGER")));
    // _MOTIF_WM_HINTS asks for decorations (flag 2) and gives none.
    const QStringList hints = Prop(window, "_MOTIF_WM_HINTS").section('=', 1).split(',');
    ASSERT_GE(hints.size(), 3) << Prop(window, "_MOTIF_WM_HINTS").toStdString();
    EXPECT_TRUE(hints[0].trimmed().toUInt(nullptr, 16) & 2);
    EXPECT_EQ(hints[2].trimmed(), QLatin1String("0x0"));
}

// The reminder window is a normal one, as only those may go full screen; the
// small windows are dialogs of it.
TEST(WindowHints, ReminderAndSmallWindowsStayOnTopWithoutFrameOrTaskBarEntry) {
    LiveSim sim(FreshDir("data"));
    sim.Snap("start\nwait 58m", "banner");
    const QString banner = WindowOfSize(QSize(1920, 28));
    ASSERT_FALSE(banner.isEmpty());
    ExpectOnTopWithoutFrameOrTaskBarEntry(banner);
    EXPECT_TRUE(Prop(banner, "_NET_WM_WINDOW_TYPE").contains(QLatin1String("_NET_WM_WINDOW_TYPE_NORMAL")));

    sim.Snap("wait 10s\nclick frmSplash\nchoose About", "about");
    ASSERT_EQ(WindowOfSize(QSize(1920, 1080)), banner);  // the same window, now covering the screen
    const QString about = WindowOfSize(QSize(314, 190));
    ASSERT_FALSE(about.isEmpty());
    ExpectOnTopWithoutFrameOrTaskBarEntry(about);
    EXPECT_TRUE(Prop(about, "_NET_WM_WINDOW_TYPE").contains(QLatin1String("_NET_WM_WINDOW_TYPE_DIALOG")));
    EXPECT_TRUE(Prop(about, "WM_TRANSIENT_FOR").contains(QString::number(banner.toULong(), 16)))
        << Prop(about, "WM_TRANSIENT_FOR").toStdString();
}

// A desktop with openbox managing it, and another program's window on it.
class WindowManager : public ::testing::Test {
protected:
    void SetUp() override {
        // The other window first, then openbox: openbox adopts the windows it
        // finds at its start, where one mapped while it starts may go unmanaged.
        other_.start(QStringLiteral("xmessage"),
                     {"-geometry", "600x300+100+100", "-title", "Another", "Another program's window"});
        ASSERT_TRUE(other_.waitForStarted());
        ASSERT_TRUE(WaitFor([this] {
            other_id_ = Command(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", "^Another$"})
                            .section('\n', 0, 0);
            return !other_id_.isEmpty();
        }));
        wm_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        ASSERT_TRUE(wm_.waitForStarted());
        // Managed: openbox has framed it.
        ASSERT_TRUE(WaitFor([this] {
            return Command(QStringLiteral("xprop"), {"-id", other_id_, "_NET_FRAME_EXTENTS"})
                .contains(QLatin1Char('='));
        }));
    }
    void TearDown() override {
        for (QProcess* p : {&other_, &wm_}) {
            p->terminate();
            if (!p->waitForFinished(3000)) p->kill();
            p->waitForFinished();
        }
    }
    static bool WaitFor(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > kWaitLimitMs) return false;
            QThread::msleep(50);
        }
        return true;
    }
    QProcess wm_, other_;
    QString other_id_;
};

TEST_F(WindowManager, RestScreenCoversTheScreenAndStaysAboveAnotherWindow) {
    const QRect other(100, 100, 600, 300);
    LiveSim sim(FreshDir("data"));
    const QImage banner = sim.Snap("start\nwait 58m", "banner");
    EXPECT_TRUE(All(banner, QRect(0, 0, 1920, 28), IsRed));
    EXPECT_GT(Count(banner, other, [](QRgb c) { return !IsBlack(c); }), 0);  // still seen below

    const QImage rest = sim.Snap("wait 10s", "rest");
    EXPECT_TRUE(All(rest, QRect(0, 60, 1920, 440), IsBlack));
    EXPECT_TRUE(All(rest, QRect(0, 580, 1920, 500), IsBlack));
    const QString splash = WindowOfSize(QSize(1920, 1080));
    ASSERT_FALSE(splash.isEmpty());
    // Full screen, so that the window manager puts it above panels and docks.
    EXPECT_TRUE(WaitFor([&] {
        return Prop(splash, "_NET_WM_STATE").contains(QLatin1String("_NET_WM_STATE_FULLSCREEN"));
    }));

    // The user brings the other window forward: the rest screen stays above it.
    Command(QStringLiteral("xdotool"), {"windowactivate", other_id_});
    Command(QStringLiteral("xdotool"), {"windowraise", other_id_});
    QThread::msleep(300);
    const QImage after = sim.Snap("wait 1600ms", "after-raise");
    EXPECT_TRUE(All(after, other, IsBlack));

    // A small window opens above the rest screen here too.
    const QImage about = sim.Snap("click frmSplash\nchoose About", "about");
    EXPECT_GT(Count(about, QRect(803, 445, 314, 190), [](QRgb c) { return c == qRgb(255, 255, 192); }),
              314 * 190 / 2);
}

}  // namespace
}  // namespace vz::test

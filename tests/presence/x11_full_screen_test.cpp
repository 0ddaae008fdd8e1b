// The window in front full screen, under openbox.

#include <gtest/gtest.h>

#include <QWidget>
#include <xcb/xcb.h>

#include "presence_wait.h"
#include "qt/real_time_scheduler.h"
#include "qt/x11_connection.h"
#include "qt/x11_full_screen.h"

namespace vz::test {
namespace {

// Asks the window manager to put `window` in or out of full screen, as a
// pager would for another program.
void AskFullScreen(const QString& window, bool on) {
    xcb_connection_t* c = qt::X11Connection();
    xcb_client_message_event_t m{};
    m.response_type = XCB_CLIENT_MESSAGE;
    m.format = 32;
    m.window = window.toUInt();
    m.type = qt::X11Atom(c, "_NET_WM_STATE");
    m.data.data32[0] = on ? 1 : 0;
    m.data.data32[1] = qt::X11Atom(c, "_NET_WM_STATE_FULLSCREEN");
    m.data.data32[3] = 2;  // from a pager
    xcb_send_event(c, 0, qt::X11Root(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&m));
    xcb_flush(c);
}

void Activate(const QString& window) { Output(QStringLiteral("xdotool"), {"windowactivate", "--sync", window}); }

TEST(FullScreen, BusyWhileAnotherProgramsActiveWindowIsFullScreenNotForTheProgramsOwn) {
    // The windows first, then openbox, which adopts the windows it finds.
    QProcess film, other, wm;
    QString film_id, other_id;
    for (auto [p, title] : {std::pair{&film, "Film"}, std::pair{&other, "Other"}})
        p->start(QStringLiteral("xmessage"), {"-geometry", "300x200+50+50", "-title", title, title});
    ASSERT_TRUE(RunUntil([&] {
        film_id = Output(QStringLiteral("xdotool"), {"search", "--name", "^Film$"}).section('\n', 0, 0);
        other_id = Output(QStringLiteral("xdotool"), {"search", "--name", "^Other$"}).section('\n', 0, 0);
        return !film_id.isEmpty() && !other_id.isEmpty();
    }));
    wm.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    ASSERT_TRUE(RunUntil([&] {
        return Output(QStringLiteral("xprop"), {"-id", other_id, "_NET_FRAME_EXTENTS"}).contains('=') &&
               Output(QStringLiteral("xprop"), {"-id", film_id, "_NET_FRAME_EXTENTS"}).contains('=');
    }));
    RealTimeScheduler scheduler;
    TimedSink sink(scheduler);
    Activate(other_id);
    qt::X11FullScreen source(scheduler);
    source.Start(sink);
    EXPECT_NE(source.Describe().front().find("_NET_ACTIVE_WINDOW"), std::string::npos);

    QWidget rest;
    rest.showFullScreen();
    const QString own = QString::number(rest.winId());
    ASSERT_TRUE(RunUntil([&] {
        return Output(QStringLiteral("xprop"), {"-id", own, "_NET_WM_STATE"}).contains("FULLSCREEN");
    }));
    ASSERT_TRUE(RunUntil([&] { return source.Active() == rest.winId(); }));
    // Another program's full-screen window after it: the first busy is its.
    rest.hide();
    const std::int64_t shown = scheduler.NowMs();
    Activate(film_id);
    AskFullScreen(film_id, true);
    ASSERT_TRUE(WaitForTold(sink, 1, "busy"));
    EXPECT_GE(sink.heard_ms[0], shown);
    Activate(other_id);
    ASSERT_TRUE(WaitForTold(sink, 2, "free"));
    Activate(film_id);
    ASSERT_TRUE(WaitForTold(sink, 3, "busy"));
    AskFullScreen(film_id, false);
    ASSERT_TRUE(WaitForTold(sink, 4, "free"));
    for (QProcess* p : {&film, &other, &wm}) p->kill();
    for (QProcess* p : {&film, &other, &wm}) p->waitForFinished();
}

}  // namespace
}  // namespace vz::test

#include "qt/mutter_idle.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace vz::qt {

namespace {

const QString kService = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString kPath = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString kMonitor = QStringLiteral("org.gnome.Mutter.IdleMonitor");
constexpr int kCallLimitMs = 2000;

QDBusMessage Call(const QString& method, const QVariantList& args = {}) {
    QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kMonitor, method);
    m.setArguments(args);
    m.setAutoStartService(false);
    return QDBusConnection::sessionBus().call(m, QDBus::Block, kCallLimitMs);
}

uint Id(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
               ? reply.arguments().first().toUInt()
               : 0;
}

}  // namespace

MutterIdle::MutterIdle(const Scheduler& scheduler, std::int64_t away_after_ms)
    : scheduler_(scheduler), away_after_ms_(away_after_ms) {}

MutterIdle::~MutterIdle() {
    if (!there_) return;
    for (uint id : {idle_watch_, active_watch_})
        if (id) Call(QStringLiteral("RemoveWatch"), {id});
}

void MutterIdle::Start(PresenceSink& sink) {
    sink_ = &sink;
    QDBusConnection bus = QDBusConnection::sessionBus();
    there_ = bus.isConnected() && bus.interface()->isServiceRegistered(kService).value();
    if (!there_) return;
    bus.connect(kService, kPath, kMonitor, QStringLiteral("WatchFired"), this, SLOT(OnWatchFired(uint)));
    WatchIdle();
    Refresh();
}

void MutterIdle::WatchIdle() {
    if (idle_watch_) Call(QStringLiteral("RemoveWatch"), {idle_watch_});
    idle_watch_ = Id(Call(QStringLiteral("AddIdleWatch"), {quint64(away_after_ms_)}));
}

// A user-active watch rings once, at the next input, and is gone.
void MutterIdle::WatchActive() {
    if (!active_watch_) active_watch_ = Id(Call(QStringLiteral("AddUserActiveWatch")));
}

void MutterIdle::OnWatchFired(uint id) {
    if (!id) return;
    if (id == idle_watch_) {
        Refresh();
    } else if (id == active_watch_) {
        active_watch_ = 0;
        Heard(0);
    }
}

void MutterIdle::Refresh() {
    if (!there_) return;
    const QDBusMessage reply = Call(QStringLiteral("GetIdletime"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return;
    Heard(std::int64_t(reply.arguments().first().toULongLong()));
}

void MutterIdle::Heard(std::int64_t idle_ms) {
    const bool away = idle_ms >= away_after_ms_;
    if (away && !active_watch_) WatchActive();
    if (away == away_ || !sink_) return;
    away_ = away;
    sink_->Tell(away ? Presence::Away : Presence::Back, scheduler_.NowMs() - idle_ms);
}

void MutterIdle::AwayAfter(std::int64_t idle_ms) {
    if (idle_ms == away_after_ms_) return;
    away_after_ms_ = idle_ms;
    if (!there_) return;
    WatchIdle();
    Refresh();
}

std::vector<std::string> MutterIdle::Describe() const {
    if (!there_) return {"idle: not seen on this Wayland desktop (no GNOME idle monitor), away is never seen"};
    return {"idle: GNOME's idle monitor (org.gnome.Mutter.IdleMonitor), away after " +
            std::to_string(away_after_ms_ / 1000) + " s"};
}

}  // namespace vz::qt

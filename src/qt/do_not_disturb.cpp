#include "qt/do_not_disturb.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace vz::qt {

namespace {

const QString kServer = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
constexpr int kCallLimitMs = 2000;

}  // namespace

DoNotDisturb::DoNotDisturb(const Scheduler& scheduler) : scheduler_(scheduler) {}

void DoNotDisturb::Start(PresenceSink& sink) {
    sink_ = &sink;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        state_ = "no session bus, never seen";
        return;
    }
    bus.connect(kServer, kPath, kProperties, QStringLiteral("PropertiesChanged"), this,
                SLOT(OnProperties(QString, QVariantMap, QStringList)));
    watcher_ = new QDBusServiceWatcher(kServer, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this, &DoNotDisturb::OnServer);

    Read();
}

void DoNotDisturb::Read() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.interface()->isServiceRegistered(kServer)) {
        state_ = "no notification server here (heard when one starts)";
        Inhibited(false);
        return;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(kServer, kPath, kProperties, QStringLiteral("Get"));
    get.setArguments({kServer, QStringLiteral("Inhibited")});
    get.setAutoStartService(false);
    const QDBusMessage reply = bus.call(get, QDBus::Block, kCallLimitMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        state_ = "the notification server does not tell (no Inhibited property)";
        Inhibited(false);
        return;
    }
    state_ = "the notification server's Inhibited property";
    Inhibited(reply.arguments().first().value<QDBusVariant>().variant().toBool());
}

void DoNotDisturb::Inhibited(bool on) {
    if (on == on_ || !sink_) return;
    on_ = on;
    sink_->Tell(on ? Presence::BusyOn : Presence::BusyOff, scheduler_.NowMs());
}

void DoNotDisturb::OnProperties(const QString& interface, const QVariantMap& changed, const QStringList& invalidated) {
    if (interface != kServer) return;
    const auto on = changed.find(QStringLiteral("Inhibited"));
    if (on != changed.end()) {
        state_ = "the notification server's Inhibited property";
        Inhibited(on->toBool());
    } else if (invalidated.contains(QStringLiteral("Inhibited"))) {
        Read();
    }
}

// A server that comes or goes, or another that takes over.
void DoNotDisturb::OnServer() { Read(); }

std::vector<std::string> DoNotDisturb::Describe() const { return {"do-not-disturb: " + state_}; }

}  // namespace vz::qt

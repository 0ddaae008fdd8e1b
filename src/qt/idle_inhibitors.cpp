#include "qt/idle_inhibitors.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <optional>

namespace vz::qt {

namespace {

constexpr int kCallLimitMs = 1000;

// Whether logind lists an idle inhibitor that blocks; nothing when it cannot be asked.
std::optional<bool> IdleBlocked(std::string& why) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        why = "no system bus";
        return std::nullopt;
    }
    const QDBusMessage reply = bus.call(
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                                       QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors")),
        QDBus::Block, kCallLimitMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        why = "logind does not list them (" + reply.errorName().toStdString() + ")";
        return std::nullopt;
    }
    // a(ssssuu): what, who, why, mode, uid, pid; `what` is a colon-separated list.
    const QDBusArgument list = reply.arguments().first().value<QDBusArgument>();
    bool blocked = false;
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, reason, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> reason >> mode >> uid >> pid;
        list.endStructure();
        if (what.split(QLatin1Char(':')).contains(QStringLiteral("idle")) && mode == QStringLiteral("block"))
            blocked = true;
    }
    list.endArray();
    return blocked;
}

}  // namespace

IdleInhibitors::IdleInhibitors(const Scheduler& scheduler) : scheduler_(scheduler) {}

void IdleInhibitors::Start(PresenceSink& sink) {
    sink_ = &sink;
    Refresh();
}

void IdleInhibitors::Refresh() {
    if (!sink_ || unavailable_) return;
    std::string why;
    const std::optional<bool> blocked = IdleBlocked(why);
    if (!blocked) {
        // Not asked again: a desktop without it keeps without it.
        unavailable_ = true;
        state_ = why + ", never seen";
        return;
    }
    state_ = "logind's list, read when the program decides";
    if (*blocked == busy_) return;
    busy_ = *blocked;
    sink_->Tell(busy_ ? Presence::BusyOn : Presence::BusyOff, scheduler_.NowMs());
}

std::vector<std::string> IdleInhibitors::Describe() const { return {"idle inhibitors: " + state_}; }

}  // namespace vz::qt

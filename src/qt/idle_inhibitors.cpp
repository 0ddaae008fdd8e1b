#include "qt/idle_inhibitors.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QString>
#include <optional>

namespace vz::qt {

namespace {

constexpr int kCallLimitMs = 1000;
const QString kGnome = QStringLiteral("org.gnome.SessionManager");
const QString kGnomePath = QStringLiteral("/org/gnome/SessionManager");
constexpr uint kGnomeIdle = 8;  // the session manager's flag for "do not go idle"

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
    QDBusConnection session = QDBusConnection::sessionBus();
    gnome_there_ = session.isConnected() && session.interface()->isServiceRegistered(kGnome).value();
    if (gnome_there_) {
        for (const char* signal : {"InhibitorAdded", "InhibitorRemoved"})
            session.connect(kGnome, kGnomePath, kGnome, QString::fromLatin1(signal), this,
                            SLOT(OnGnomeChange(QDBusObjectPath)));
        ReadGnome();
    }
    ReadLogind();
    Update();
}

void IdleInhibitors::Refresh() {
    if (!sink_) return;
    ReadLogind();
    Update();
}

void IdleInhibitors::ReadLogind() {
    if (logind_unavailable_) return;
    std::string why;
    const std::optional<bool> blocked = IdleBlocked(why);
    if (!blocked) {
        // Not asked again: a desktop without it keeps without it.
        logind_unavailable_ = true;
        logind_state_ = why;
        logind_blocked_ = false;
        return;
    }
    logind_state_ = "logind's list, read when the program decides";
    logind_blocked_ = *blocked;
}

void IdleInhibitors::ReadGnome() {
    QDBusMessage ask = QDBusMessage::createMethodCall(kGnome, kGnomePath, kGnome, QStringLiteral("IsInhibited"));
    ask.setArguments({kGnomeIdle});
    ask.setAutoStartService(false);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(ask, QDBus::Block, kCallLimitMs);
    gnome_inhibited_ = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
                       reply.arguments().first().toBool();
}

void IdleInhibitors::OnGnomeChange(const QDBusObjectPath&) {
    ReadGnome();
    Update();
}

void IdleInhibitors::Update() {
    const bool busy = logind_blocked_ || gnome_inhibited_;
    if (busy == busy_ || !sink_) return;
    busy_ = busy;
    sink_->Tell(busy ? Presence::BusyOn : Presence::BusyOff, scheduler_.NowMs());
}

std::vector<std::string> IdleInhibitors::Describe() const {
    std::string line = "idle inhibitors: " + logind_state_;
    line += gnome_there_ ? "; GNOME's session manager (InhibitorAdded, InhibitorRemoved)" : "; no GNOME session manager";
    if (logind_unavailable_ && !gnome_there_) line += ", never seen";
    return {line};
}

}  // namespace vz::qt

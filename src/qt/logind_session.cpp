#include "qt/logind_session.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace vz::qt {

namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
// The bus answers at once or not at all: the program's start waits no longer.
constexpr int kCallLimitMs = 2000;

QDBusMessage Call(const QString& path, const QString& interface, const QString& method, const QVariantList& args) {
    QDBusMessage m = QDBusMessage::createMethodCall(kLogind, path, interface, method);
    m.setArguments(args);
    return QDBusConnection::systemBus().call(m, QDBus::Block, kCallLimitMs);
}

}  // namespace

LogindSession::LogindSession(const Scheduler& scheduler) : scheduler_(scheduler) {}

void LogindSession::Start(PresenceSink& sink) {
    sink_ = &sink;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        missing_ = "no system bus";
        return;
    }
    // The session this program runs in: the one its environment names, or
    // logind's own answer for the caller.
    QString id = qEnvironmentVariable("XDG_SESSION_ID");
    QDBusMessage reply = Call(kManagerPath, kManager, QStringLiteral("GetSession"),
                              {id.isEmpty() ? QStringLiteral("auto") : id});
    if (reply.type() != QDBusMessage::ReplyMessage)
        reply = Call(kManagerPath, kManager, QStringLiteral("GetSessionByPID"),
                     {quint32(QCoreApplication::applicationPid())});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        missing_ = "no logind session (" + reply.errorName().toStdString() + ")";
        return;
    }
    session_ = reply.arguments().first().value<QDBusObjectPath>().path();

    bus.connect(kLogind, session_, kSession, QStringLiteral("Lock"), this, SLOT(OnLock()));
    bus.connect(kLogind, session_, kSession, QStringLiteral("Unlock"), this, SLOT(OnUnlock()));
    bus.connect(kLogind, session_, kProperties, QStringLiteral("PropertiesChanged"), this,
                SLOT(OnProperties(QString, QVariantMap, QStringList)));
    bus.connect(kLogind, kManagerPath, kManager, QStringLiteral("PrepareForSleep"), this,
                SLOT(OnPrepareForSleep(bool)));

    // Locked already when the program starts.
    const QDBusMessage hint = Call(session_, kProperties, QStringLiteral("Get"), {kSession, QStringLiteral("LockedHint")});
    if (hint.type() == QDBusMessage::ReplyMessage && !hint.arguments().isEmpty() &&
        hint.arguments().first().value<QDBusVariant>().variant().toBool())
        Locked(true);
}

void LogindSession::Locked(bool locked) {
    if (locked == locked_ || !sink_) return;
    locked_ = locked;
    sink_->Tell(locked ? Presence::Locked : Presence::Unlocked, scheduler_.NowMs());
}

void LogindSession::OnLock() { Locked(true); }
void LogindSession::OnUnlock() { Locked(false); }

void LogindSession::OnProperties(const QString& interface, const QVariantMap& changed, const QStringList&) {
    const auto hint = changed.find(QStringLiteral("LockedHint"));
    if (interface == kSession && hint != changed.end()) Locked(hint->toBool());
}

void LogindSession::OnPrepareForSleep(bool before) {
    if (sink_) sink_->Tell(before ? Presence::Asleep : Presence::Awake, scheduler_.NowMs());
}

std::vector<std::string> LogindSession::Describe() const {
    if (!missing_.empty())
        return {"lock: " + missing_ + ", never seen", "sleep: " + missing_ + ", never seen"};
    return {"lock: logind's session " + session_.toStdString() + " (Lock, Unlock, LockedHint)",
            "sleep: logind (PrepareForSleep)"};
}

}  // namespace vz::qt

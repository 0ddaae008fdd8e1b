#include "qt/gnome_banners.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace vz::qt {

namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kGroup = QStringLiteral("org.gnome.desktop.notifications");
const QString kKey = QStringLiteral("show-banners");
constexpr int kCallLimitMs = 2000;

// Read() wraps the value in one variant more than SettingChanged does.
QVariant Unwrapped(QVariant v) {
    while (v.canConvert<QDBusVariant>() && v.userType() == qMetaTypeId<QDBusVariant>())
        v = v.value<QDBusVariant>().variant();
    return v;
}

}  // namespace

GnomeBanners::GnomeBanners(const Scheduler& scheduler) : scheduler_(scheduler) {}

void GnomeBanners::Start(PresenceSink& sink) {
    sink_ = &sink;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        state_ = "no session bus, never seen";
        return;
    }
    bus.connect(kPortal, kPath, kSettings, QStringLiteral("SettingChanged"), this,
                SLOT(OnSettingChanged(QString, QString, QDBusVariant)));
    auto* watcher = new QDBusServiceWatcher(kPortal, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &GnomeBanners::OnPortal);
    Read();
}

void GnomeBanners::Read() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.interface()->isServiceRegistered(kPortal)) {
        state_ = "no desktop portal here (heard when one starts)";
        Banners(true);
        return;
    }
    QDBusMessage read = QDBusMessage::createMethodCall(kPortal, kPath, kSettings, QStringLiteral("Read"));
    read.setArguments({kGroup, kKey});
    read.setAutoStartService(false);
    const QDBusMessage reply = bus.call(read, QDBus::Block, kCallLimitMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        state_ = "the desktop portal has no GNOME notification setting, never seen";
        Banners(true);
        return;
    }
    state_ = "GNOME's show-banners setting, through the desktop portal";
    Banners(Unwrapped(reply.arguments().first()).toBool());
}

void GnomeBanners::Banners(bool shown) {
    if (shown != busy_ || !sink_) return;
    busy_ = !shown;
    sink_->Tell(busy_ ? Presence::BusyOn : Presence::BusyOff, scheduler_.NowMs());
}

void GnomeBanners::OnSettingChanged(const QString& group, const QString& key, const QDBusVariant& value) {
    if (group != kGroup || key != kKey) return;
    state_ = "GNOME's show-banners setting, through the desktop portal";
    Banners(Unwrapped(value.variant()).toBool());
}

void GnomeBanners::OnPortal() { Read(); }

std::vector<std::string> GnomeBanners::Describe() const { return {"do-not-disturb (GNOME): " + state_}; }

}  // namespace vz::qt

#pragma once
// Busy while GNOME's do-not-disturb is on: its notification banners are off
// (org.gnome.desktop.notifications show-banners), read through the desktop
// portal's settings on the session bus and heard as they change
// (SettingChanged). GNOME's own notification server tells nothing of it.

#include <QDBusVariant>
#include <QObject>
#include <QString>
#include <QVariant>
#include <string>
#include <vector>

#include "platform/presence.h"
#include "platform/scheduler.h"

class QDBusServiceWatcher;

namespace vz::qt {

class GnomeBanners : public QObject, public PresenceSource {
    Q_OBJECT
public:
    explicit GnomeBanners(const Scheduler& scheduler);

    void Start(PresenceSink& sink) override;
    std::vector<std::string> Describe() const override;

private slots:
    void OnSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);
    void OnPortal();

private:
    void Read();
    void Banners(bool shown);

    const Scheduler& scheduler_;
    PresenceSink* sink_ = nullptr;
    bool busy_ = false;
    std::string state_;
};

}  // namespace vz::qt

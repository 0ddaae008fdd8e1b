#pragma once
// Busy while the desktop's do-not-disturb is on, as the notification server
// tells on the session bus: its `Inhibited` property, heard as it changes. A
// server that starts later is heard when it takes its name; none is started
// for this (the bus would start one on request).

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <string>
#include <vector>

#include "platform/presence.h"
#include "platform/scheduler.h"

class QDBusServiceWatcher;

namespace vz::qt {

class DoNotDisturb : public QObject, public PresenceSource {
    Q_OBJECT
public:
    explicit DoNotDisturb(const Scheduler& scheduler);

    void Start(PresenceSink& sink) override;
    std::vector<std::string> Describe() const override;

private slots:
    void OnProperties(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);
    void OnServer();

private:
    void Read();
    void Inhibited(bool on);

    const Scheduler& scheduler_;
    PresenceSink* sink_ = nullptr;
    QDBusServiceWatcher* watcher_ = nullptr;
    bool on_ = false;
    std::string state_;  // what Describe says of the server
};

}  // namespace vz::qt

#pragma once
// The session locked and the machine asleep, as logind tells on the system
// bus: the session's Lock and Unlock signals and its LockedHint property
// (set by the screen locker), and the manager's PrepareForSleep(true/false)
// before a suspend and after the resume.

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::qt {

class LogindSession : public QObject, public PresenceSource {
    Q_OBJECT
public:
    explicit LogindSession(const Scheduler& scheduler);

    void Start(PresenceSink& sink) override;
    std::vector<std::string> Describe() const override;

private slots:
    void OnLock();
    void OnUnlock();
    void OnProperties(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);
    void OnPrepareForSleep(bool before);

private:
    void Locked(bool locked);

    const Scheduler& scheduler_;
    PresenceSink* sink_ = nullptr;
    QString session_;  // the session's object path
    bool locked_ = false;
    std::string missing_;
};

}  // namespace vz::qt

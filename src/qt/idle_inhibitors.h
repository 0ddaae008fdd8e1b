#pragma once
// Busy while a program keeps the screen from blanking for what it shows (a
// film, slides): an idle inhibitor that blocks in logind's list on the
// system bus, or one held with GNOME's session manager (where video players
// and browsers ask, through org.freedesktop.ScreenSaver too). logind tells of
// no change to its list, so it is read when the program is about to decide;
// the session manager's InhibitorAdded and InhibitorRemoved are heard.

#include <QObject>
#include <QDBusObjectPath>
#include <string>
#include <vector>

#include "platform/presence.h"
#include "platform/scheduler.h"

namespace vz::qt {

class IdleInhibitors : public QObject, public PresenceSource {
    Q_OBJECT
public:
    explicit IdleInhibitors(const Scheduler& scheduler);

    void Start(PresenceSink& sink) override;
    void Refresh() override;
    std::vector<std::string> Describe() const override;

private slots:
    void OnGnomeChange(const QDBusObjectPath& inhibitor);

private:
    void ReadLogind();
    void ReadGnome();
    void Update();

    const Scheduler& scheduler_;
    PresenceSink* sink_ = nullptr;
    bool logind_blocked_ = false;
    bool gnome_inhibited_ = false;
    bool logind_unavailable_ = false;
    bool gnome_there_ = false;
    bool busy_ = false;
    std::string logind_state_;
};

}  // namespace vz::qt

#include "qt/desktop_presence.h"

#include "frontend/busy_union.h"
#include "qt/do_not_disturb.h"
#include "qt/gnome_banners.h"
#include "qt/idle_inhibitors.h"
#include "qt/logind_session.h"
#include "qt/microphone.h"
#include "qt/mutter_idle.h"
#include "qt/platform_choice.h"
#include "qt/x11_full_screen.h"
#include "qt/x11_idle.h"

namespace vz::qt {

std::vector<std::unique_ptr<PresenceSource>> MakeDesktopPresence(const Scheduler& scheduler,
                                                                 std::int64_t away_after_ms,
                                                                 PresenceWanted wanted) {
    std::vector<std::unique_ptr<PresenceSource>> sources;
    if (wanted.absence) {
        // On Wayland, XWayland's idle counter misses the input to native
        // windows: it would find the user away while they type.
        if (WaylandSession(CurrentSession()))
            sources.push_back(std::make_unique<MutterIdle>(scheduler, away_after_ms));
        else
            sources.push_back(std::make_unique<X11Idle>(scheduler, away_after_ms));
        sources.push_back(std::make_unique<LogindSession>(scheduler));
    }
    if (!wanted.busy) return sources;
    std::vector<std::unique_ptr<PresenceSource>> busy;
    busy.push_back(std::make_unique<X11FullScreen>(scheduler));
    busy.push_back(std::make_unique<DoNotDisturb>(scheduler));
    busy.push_back(std::make_unique<GnomeBanners>(scheduler));
    busy.push_back(std::make_unique<IdleInhibitors>(scheduler));
    busy.push_back(std::make_unique<Microphone>(scheduler));

    sources.push_back(std::make_unique<BusyUnion>(std::move(busy)));
    return sources;
}

}  // namespace vz::qt

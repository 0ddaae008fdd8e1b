#pragma once
// A sink that keeps what sources tell it, for tests to compare and to wait on.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/presence.h"

namespace vz::test {

inline const char* Word(Presence what) {
    switch (what) {
    case Presence::Away: return "away";
    case Presence::Back: return "back";
    case Presence::Locked: return "locked";
    case Presence::Unlocked: return "unlocked";
    case Presence::Asleep: return "asleep";
    case Presence::Awake: return "awake";
    case Presence::BusyOn: return "busy";
    case Presence::BusyOff: return "free";
    }
    return "?";
}

struct Told {
    Presence what;
    std::int64_t at_ms;
};

class RecordingSink : public PresenceSink {
public:
    void Tell(Presence what, std::int64_t at_ms) override { told.push_back({what, at_ms}); }

    // What was told, in order, as "busy@100 free@400".
    std::string Heard() const {
        std::string out;
        for (const Told& t : told) out += (out.empty() ? "" : " ") + std::string(Word(t.what)) + "@" + std::to_string(t.at_ms);
        return out;
    }
    std::string Last() const { return told.empty() ? "" : Word(told.back().what); }

    std::vector<Told> told;
};

}  // namespace vz::test

#pragma once
// Busy is one state however many things make it: a full-screen window in
// front, do-not-disturb, a program recording from the microphone... The union
// starts each of its sources with a sink of its own and tells BusyOn when the
// first of them turns busy and BusyOff when the last one stops; whatever else
// they tell passes through.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/presence.h"

namespace vz {

class BusyUnion : public PresenceSource {
public:
    explicit BusyUnion(std::vector<std::unique_ptr<PresenceSource>> members);
    ~BusyUnion() override;

    void Start(PresenceSink& sink) override;
    void Refresh() override;
    void AwayAfter(std::int64_t idle_ms) override;
    std::vector<std::string> Describe() const override;

    bool Busy() const { return busy_members_ > 0; }

private:
    class Member;
    void Changed(bool busy, std::int64_t at_ms);

    std::vector<std::unique_ptr<PresenceSource>> sources_;
    std::vector<std::unique_ptr<Member>> members_;
    PresenceSink* sink_ = nullptr;
    int busy_members_ = 0;
};

}  // namespace vz

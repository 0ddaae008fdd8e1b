#include "frontend/busy_union.h"

#include <utility>

namespace vz {

// The sink one source tells: it remembers whether that source says busy, so
// that a source repeating itself counts once.
class BusyUnion::Member : public PresenceSink {
public:
    explicit Member(BusyUnion& owner) : owner_(owner) {}
    void Tell(Presence what, std::int64_t at_ms) override {
        if (what != Presence::BusyOn && what != Presence::BusyOff) {
            if (owner_.sink_) owner_.sink_->Tell(what, at_ms);
            return;
        }
        const bool busy = what == Presence::BusyOn;
        if (busy == busy_) return;
        busy_ = busy;
        owner_.Changed(busy, at_ms);
    }

private:
    BusyUnion& owner_;
    bool busy_ = false;
};

BusyUnion::BusyUnion(std::vector<std::unique_ptr<PresenceSource>> members)
    : sources_(std::move(members)) {
    for (std::size_t i = 0; i < sources_.size(); ++i) members_.push_back(std::make_unique<Member>(*this));
}

// The sources go first: none may tell a member that is gone.
BusyUnion::~BusyUnion() { sources_.clear(); }

void BusyUnion::Start(PresenceSink& sink) {
    sink_ = &sink;
    for (std::size_t i = 0; i < sources_.size(); ++i) sources_[i]->Start(*members_[i]);
}

void BusyUnion::Refresh() {
    for (auto& source : sources_) source->Refresh();
}

void BusyUnion::AwayAfter(std::int64_t idle_ms) {
    for (auto& source : sources_) source->AwayAfter(idle_ms);
}

std::vector<std::string> BusyUnion::Describe() const {
    std::vector<std::string> lines;
    for (const auto& source : sources_)
        for (std::string& line : source->Describe()) lines.push_back(std::move(line));
    return lines;
}

void BusyUnion::Changed(bool busy, std::int64_t at_ms) {
    const int before = busy_members_;
    busy_members_ += busy ? 1 : -1;
    if (!sink_) return;
    if (before == 0 && busy_members_ == 1) sink_->Tell(Presence::BusyOn, at_ms);
    if (before == 1 && busy_members_ == 0) sink_->Tell(Presence::BusyOff, at_ms);
}

}  // namespace vz

#include "use_model.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace vz::test {
namespace {

constexpr int kMinutesPerHour = 60;
constexpr int kHalfHour = 30;
constexpr int kLargestCount = 32767;
constexpr std::int64_t kSecond = 1000;
constexpr int kRestItems = 5;
constexpr int kPreparatoryItems = 6;
// The small windows close themselves this long after they load.
constexpr std::int64_t kSettingCloses = 30'000;
constexpr std::int64_t kHourCloses = 5'000;
constexpr std::int64_t kAboutCloses = 10'000;

std::int64_t ClosesAfter(UseModel::Window window) {
    switch (window) {
        case UseModel::Window::Setting:
            return kSettingCloses;
        case UseModel::Window::Hour:
            return kHourCloses;
        case UseModel::Window::About:
            return kAboutCloses;
        case UseModel::Window::None:
            break;
    }
    return kNever;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

}  // namespace

std::string HoursText(int usage) {
    const int halves = usage + 2;  // half the count plus one hour
    if (halves % 2 == 0) return std::to_string(halves / 2);
    return std::string(halves < 0 ? "-" : "") + std::to_string(std::abs(halves) / 2) + ".5";
}

Bytes UsageBytes(int usage) {
    const auto u = static_cast<std::uint16_t>(usage);
    return {std::uint8_t(u & 0xFF), std::uint8_t(u >> 8)};
}

UseModel::UseModel(const StoredFiles& files) : usage(files.usage), settings(files.settings) {}

int UseModel::RestItem() const {
    const int stored = settings.size() > 1 ? settings[1] : 0;
    return std::min(stored, kRestItems - 1);
}

int UseModel::PreparatoryItem() const {
    const int stored = settings.empty() ? 0 : settings[0];
    return std::min(stored, kPreparatoryItems - 1);
}

std::string UseModel::ReminderText() const {
    return "Why not take a rest of " + std::to_string(rest) + " minutes.";
}

int UseModel::ReminderMinute() const {
    const int at = kMinutesPerHour - rest;
    return at >= 1 && !changed && minute < at && phase == Phase::Waiting ? at : -1;
}

std::int64_t UseModel::HourStart() const { return started + (ticks - minute) * kMinute; }

int UseModel::SecondAt(std::int64_t now) const {
    return phase == Phase::Countdown ? int((now - reminded) / kSecond) : second;
}

std::int64_t UseModel::NextDue(std::int64_t now) const {
    if (!running) return kNever;
    std::int64_t due = started + (ticks + 1) * kMinute;
    if (phase == Phase::Countdown) due = std::min(due, reminded + preparatory * kSecond);
    if (window != Window::None) due = std::min(due, window_loaded + ClosesAfter(window));
    return due > now ? due : kNever;
}

void UseModel::Settle(std::int64_t now) {
    if (!running) return;
    // The minute timer was started first, so it fires first at any instant.
    if (started + (ticks + 1) * kMinute == now) MinuteTick(now);
    if (phase == Phase::Countdown && reminded + preparatory * kSecond == now) {
        phase = Phase::Resting;
        second = preparatory;
        ++rests;
    }
    // A small window left alone closes itself as Cancel would.
    if (window != Window::None && window_loaded + ClosesAfter(window) == now) window = Window::None;
}

void UseModel::MinuteTick(std::int64_t now) {
    ++ticks;
    ++minute;
    if (minute == kMinutesPerHour - rest) {
        if (changed) return;  // the settings changed this hour: no second reminder
        phase = Phase::Countdown;
        reminded = now;
        caption = ReminderText();
        ++chimes;
        ++reminders;
        return;
    }
    if (minute == kMinutesPerHour) EndOfHour();
}

void UseModel::EndOfHour() {
    if (!declined) ++chimes;
    minute = 0;
    second = 0;
    window = Window::None;
    menu = false;
    phase = Phase::Waiting;  // a countdown still running ends here too
    changed = false;
    declined = false;
    if (usage + 2 <= kLargestCount) {
        usage += 2;
        ++usage_writes;
    }
    ++hours;
}

bool UseModel::SplashTakesInput() const {
    return running && BannerUp() && !menu && window == Window::None;
}

void UseModel::Apply(const std::string& command, std::int64_t now) {
    const std::vector<std::string> w = Words(command);
    if (w.empty()) return;
    const std::string& verb = w[0];
    if (verb == "start" && !running) {
        running = true;
        started = now;
        ticks = minute = second = 0;
        phase = Phase::Waiting;
        changed = declined = menu = false;
        window = Window::None;
        const int b0 = settings.empty() ? 0 : settings[0];
        const int b1 = settings.size() > 1 ? settings[1] : 0;
        rest = b1 <= 126 ? 2 * (b1 + 1) : 2;
        preparatory = b0 <= 24 ? 10 * (b0 + 1) : 10;
        ++starts;
    } else if (verb == "stop" && running) {
        const int credit = minute > kHalfHour ? 2 : 1;
        if (usage + credit <= kLargestCount) {
            usage += credit;
            ++usage_writes;
        }
        running = false;
        window = Window::None;
        menu = false;
        phase = Phase::Waiting;
        ++stops;
    } else if (menu && (verb == "click" || verb == "select" ||
                        (verb == "key" && w.size() == 2 && w[1] == "Escape"))) {
        menu = false;  // the menu takes the click or key that closes it
    } else if (verb == "click" && w.size() == 2) {
        Click(w[1], now);
    } else if (verb == "hover" && w.size() == 2) {
        Hover(w[1]);
    } else if (verb == "choose" && w.size() == 2) {
        Choose(w[1], now);
    } else if (verb == "dismiss") {
        menu = false;
    } else if (verb == "select" && w.size() == 3 && window == Window::Setting) {
        const int position = std::atoi(w[2].c_str());
        if (w[1] == "frmSetting.Combo1" && position >= 0 && position < kRestItems) pick1 = position;
        if (w[1] == "frmSetting.Combo2" && position >= 0 && position < kPreparatoryItems)
            pick2 = position;
    } else if (verb == "key" && window == Window::About) {
        window = Window::None;  // OK is the default and the cancel button
    }
}

void UseModel::Click(const std::string& target, std::int64_t now) {
    if (target == "frmSplash") {
        if (SplashTakesInput() && phase == Phase::Resting) menu = true;
    } else if (target == "frmSplash.Label2") {
        if (SplashTakesInput() && phase == Phase::Countdown) {
            second = SecondAt(now);
            phase = Phase::Declined;
            declined = true;
            ++declines;
        }
    } else if (target == "frmSetting.Command1" && window == Window::Setting) {
        rest = 2 * (pick1 + 1);
        preparatory = 10 * (pick2 + 1);
        changed = true;
        if (settings.size() < 2) settings.resize(2);
        settings[0] = std::uint8_t(pick2);
        settings[1] = std::uint8_t(pick1);
        ++settings_writes;
        window = Window::None;
        ++changes;
    } else if (target == "frmSetting.Command2" && window == Window::Setting) {
        window = Window::None;
    } else if (target == "frmAbout.cmdOK" && window == Window::About) {
        window = Window::None;
    }
}

void UseModel::Hover(const std::string& target) {
    if (!SplashTakesInput() || phase != Phase::Countdown) return;
    if (target == "frmSplash") caption = ReminderText();
    if (target == "frmSplash.Label2") caption = "No, not now.";
}

void UseModel::Choose(const std::string& item, std::int64_t now) {
    if (!menu) return;
    menu = false;
    if (item == "Setting") {
        window = Window::Setting;
        pick1 = RestItem();
        pick2 = PreparatoryItem();
    } else if (item == "Hour") {
        window = Window::Hour;
        hours_text = HoursText(usage);
    } else if (item == "About") {
        window = Window::About;
    } else {
        return;  // the separator
    }
    window_loaded = now;
}

}  // namespace vz::test

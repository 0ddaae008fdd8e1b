#pragma once
// A reference model of the program's rules, written apart from the program:
// what each tick and each input should do to the hour cycle, the windows, the
// menu and the two files. The long random run checks the program against it.

#include <cstdint>
#include <limits>
#include <string>

#include "platform/sound.h"

namespace vz::test {

inline constexpr std::int64_t kMinute = 60'000;
inline constexpr std::int64_t kHour = 60 * kMinute;
inline constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

// The data files as they stand before a start.
struct StoredFiles {
    int usage = 0;   // written as two bytes
    Bytes settings;  // exactly these bytes (empty: an empty file)
};

class UseModel {
public:
    enum class Phase { Waiting, Countdown, Declined, Resting };
    enum class Window { None, Setting, Hour, About };

    explicit UseModel(const StoredFiles& files);

    // The next time after `now` at which a timer of the model falls due.
    std::int64_t NextDue(std::int64_t now) const;
    // Everything that falls due at `now`, in the order the program's timers fire.
    void Settle(std::int64_t now);
    // A command other than `wait`, at `now`.
    void Apply(const std::string& command, std::int64_t now);

    // The minute tick after which the next reminder comes, counted from the
    // start of the current hour; or -1 when none comes in this hour.
    int ReminderMinute() const;
    // When the current hour began.
    std::int64_t HourStart() const;
    std::string ReminderText() const;
    int RestItem() const;  // the settings window's positions for the stored bytes
    int PreparatoryItem() const;

    // The program's state as the rules give it.
    bool running = false;
    std::int64_t started = 0;  // virtual ms of the last start
    long ticks = 0;            // minute ticks since the last start
    int minute = 0;            // MinuteNum
    int second = 0;            // SecondNum, when no countdown runs
    int rest = 2;              // RestTim, minutes
    int preparatory = 10;      // Preparat, seconds
    bool changed = false;      // GaiBian
    bool declined = false;     // NotNow
    Phase phase = Phase::Waiting;
    std::int64_t reminded = 0;  // when this hour's reminder came
    std::string caption;        // Label2's, while the banner is up
    Window window = Window::None;
    std::int64_t window_loaded = 0;
    int pick1 = 0, pick2 = 0;  // the settings window's selections
    std::string hours_text;    // what the usage-hours window says
    bool menu = false;

    // What should be on disk and what should have been traced.
    int usage = 0;
    int usage_writes = 0;
    Bytes settings;
    int settings_writes = 0;
    int chimes = 0;

    // Tallies over the whole run, for its report.
    long hours = 0;
    long reminders = 0, rests = 0, declines = 0, starts = 0, stops = 0, changes = 0;

    // SecondNum at `now`: the ticks of a running countdown, else `second`.
    int SecondAt(std::int64_t now) const;

private:
    void MinuteTick(std::int64_t now);
    void EndOfHour();
    void Click(const std::string& target, std::int64_t now);
    void Hover(const std::string& target);
    void Choose(const std::string& item, std::int64_t now);
    bool BannerUp() const { return phase == Phase::Countdown || phase == Phase::Resting; }
    // Whether the window takes input: nothing modal above it, no menu open.
    bool SplashTakesInput() const;
};

// The texts a reader of the trace sees.
std::string HoursText(int usage);
Bytes UsageBytes(int usage);

}  // namespace vz::test

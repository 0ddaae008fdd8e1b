#include "long_run.h"

#include <array>
#include <sstream>

#include "app/program.h"
#include "bench.h"
#include "dialogs/frm_hour.h"
#include "dialogs/frm_setting.h"
#include "platform/event.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "platform/virtual_scheduler.h"
#include "reminder/frm_splash.h"
#include "sim/simulator.h"

namespace vz::test {
namespace {

constexpr const char* kUsage = "ZURivIdid.tim";
constexpr const char* kSettings = "SettingT.tim";
constexpr const char* kSmallWindows[] = {"frmSetting", "frmHour", "frmAbout"};
constexpr double kBannerHeight = 416;
constexpr std::size_t kTraceKept = 40;
// The tail search replays at most this many tails before it settles for the
// whole stretch since the last start.
constexpr std::size_t kTailsTried = 3000;
constexpr std::size_t kLinesDropped = 400;  // scripts longer than this are not thinned

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

Bytes ParseHex(const std::vector<std::string>& words, std::size_t from) {
    Bytes bytes;
    for (std::size_t i = from; i < words.size(); ++i)
        bytes.push_back(std::uint8_t(std::stoul(words[i], nullptr, 16)));
    return bytes;
}

std::string Hex(const std::optional<Bytes>& bytes) {
    if (!bytes) return "missing";
    return bytes->empty() ? "(empty)" : HexBytes(*bytes);
}

const char* PhaseName(UseModel::Phase phase) {
    switch (phase) {
        case UseModel::Phase::Waiting:
            return "waiting";
        case UseModel::Phase::Countdown:
            return "countdown";
        case UseModel::Phase::Declined:
            return "declined";
        case UseModel::Phase::Resting:
            return "rest screen";
    }
    return "?";
}

const char* WindowName(UseModel::Window window) {
    switch (window) {
        case UseModel::Window::Setting:
            return "frmSetting";
        case UseModel::Window::Hour:
            return "frmHour";
        case UseModel::Window::About:
            return "frmAbout";
        case UseModel::Window::None:
            break;
    }
    return "";
}

}  // namespace

// ---- Session -------------------------------------------------------------------

// Sees every traced event as it happens and checks what can be checked at that
// moment, in the middle of a handler: no error line, one small window at most,
// one reminder an hour. It also keeps what was written and the trace's tail.
class Session::Watch : public Observer {
public:
    Watch(const Scheduler& clock, Runtime& runtime, const UseModel& model)
        : clock_(clock), runtime_(runtime), model_(model) {}

    void OnEvent(const Event& event) override {
        if (event.line.empty()) return;
        const std::int64_t now = clock_.NowMs();
        trace_[traced_++ % kTraceKept] = std::to_string(now) + " " + event.line;
        const std::int64_t since_start = now - model_.started;
        switch (event.kind) {
            case EventKind::Error:
                Flag("an error line: " + event.line);
                break;
            case EventKind::Load:
                if (event.line == "load frmSplash") last_show_hour = last_chime_hour = -1;
                if (SmallWindowsLoaded() > 1) Flag("two small windows loaded: " + event.line);
                break;
            case EventKind::Show:
                if (event.line == "show frmSplash") {
                    if (since_start / kHour == last_show_hour)
                        Flag("a second reminder in one hour: " + event.line);
                    last_show_hour = since_start / kHour;
                }
                break;
            case EventKind::Chime:
                ++chimes;
                if (since_start % kHour != 0) {  // not the end of an hour: a reminder
                    if (since_start / kHour == last_chime_hour)
                        Flag("a second reminder chime in one hour");
                    last_chime_hour = since_start / kHour;
                }
                break;
            case EventKind::Write: {
                const auto words = Words(event.line);
                if (words.size() > 1 && words[1] == kUsage) {
                    ++usage_writes;
                    usage = ParseHex(words, 2);
                } else if (words.size() > 1 && words[1] == kSettings) {
                    ++settings_writes;
                    settings = ParseHex(words, 2);
                }
                break;
            }
            default:
                break;
        }
    }

    int SmallWindowsLoaded() const {
        int loaded = 0;
        for (const char* name : kSmallWindows) loaded += runtime_.Find(name) != nullptr;
        return loaded;
    }

    void Flag(const std::string& problem) {
        if (this->problem.empty())
            this->problem = "at " + std::to_string(clock_.NowMs()) + " ms: " + problem;
    }

    std::vector<std::string> Tail() const {
        std::vector<std::string> lines;
        const std::size_t first = traced_ > kTraceKept ? traced_ - kTraceKept : 0;
        for (std::size_t i = first; i < traced_; ++i) lines.push_back(trace_[i % kTraceKept]);
        return lines;
    }

    std::string problem;
    int chimes = 0;
    int usage_writes = 0;
    Bytes usage;
    int settings_writes = 0;
    Bytes settings;
    std::int64_t last_show_hour = -1;
    std::int64_t last_chime_hour = -1;

private:
    const Scheduler& clock_;
    Runtime& runtime_;
    const UseModel& model_;
    std::array<std::string, kTraceKept> trace_;
    std::size_t traced_ = 0;
};

struct Session::Parts {
    ScratchFolder folder;
    std::ostream quiet{nullptr};  // the trace goes to the watch, not to text
    std::ostringstream errors;
    std::unique_ptr<Simulator> sim;
    std::unique_ptr<Watch> watch;
};

Session::Session(const StoredFiles& files) : parts_(std::make_unique<Parts>()), model_(files) {
    WriteBytes(parts_->folder / kUsage, UsageBytes(files.usage));
    WriteBytes(parts_->folder / kSettings, files.settings);
    SimOptions options;
    options.data_dir = parts_->folder.path().string();
    parts_->sim = std::make_unique<Simulator>(options, parts_->quiet, parts_->errors);
    Runtime& rt = parts_->sim->program().runtime();
    parts_->watch = std::make_unique<Watch>(parts_->sim->scheduler(), rt, model_);
    rt.AddObserver(parts_->watch.get());
}

Session::~Session() { parts_->sim->program().runtime().RemoveObserver(parts_->watch.get()); }

std::int64_t Session::Now() const { return parts_->sim->scheduler().NowMs(); }

std::vector<std::string> Session::TraceTail() const { return parts_->watch->Tail(); }

void Session::Fail(const std::string& message) {
    if (failure_.empty()) failure_ = "at " + std::to_string(Now()) + " ms: " + message;
}

void Session::Send(const std::string& line) {
    if (!parts_->sim->RunLine(line, ++line_))
        Fail("the simulator refused `" + line + "`: " + parts_->errors.str());
}

bool Session::Run(const std::string& line) {
    if (!failure_.empty()) return false;
    const auto words = Words(line);
    if (words.empty()) return true;
    if (words[0] == "wait" && words.size() == 2) {
        // Time passes in steps that end at each tick of the model, so the
        // program is compared with it after every minute, every end of a
        // countdown and every window that closes itself.
        const long long ms = ParseDuration(words[1]);
        if (ms < 0) {
            Fail("bad duration in `" + line + "`");
            return false;
        }
        const std::int64_t end = Now() + ms;
        do {
            const std::int64_t step = std::min(model_.NextDue(Now()), end);
            Send("wait " + std::to_string(step - Now()) + "ms");
            model_.Settle(step);
            Check();
        } while (Now() < end && failure_.empty());
    } else {
        model_.Apply(line, Now());
        Send(line);
        Check();
        if (words[0] == "stop") CheckDisk();
    }
    return failure_.empty();
}

void Session::Check() {
    const Watch& watch = *parts_->watch;
    if (!watch.problem.empty() && failure_.empty()) failure_ = watch.problem;  // timed already
    if (!failure_.empty()) return;
    const UseModel& m = model_;
    // Messages are built only for a mismatch: this runs a million times a run.
    auto expect = [&](const char* what, const auto& actual, const auto& rule) {
        if (actual == rule) return;
        std::ostringstream text;
        text << std::boolalpha << what << " is " << actual << ", the rules give " << rule
             << " (the model's phase: " << PhaseName(m.phase) << ")";
        Fail(text.str());
    };
    auto flag = [](bool b) { return b ? "True" : "False"; };

    expect("the number of chimes", watch.chimes, m.chimes);
    expect("the number of writes of the usage file", watch.usage_writes, m.usage_writes);
    if (watch.usage_writes > 0 && watch.usage != UsageBytes(m.usage))
        expect("the usage file", Hex(watch.usage), Hex(UsageBytes(m.usage)));
    expect("the number of writes of the settings file", watch.settings_writes, m.settings_writes);
    if (watch.settings_writes > 0 && watch.settings != m.settings)
        expect("the settings file", Hex(watch.settings), Hex(m.settings));

    Runtime& rt = parts_->sim->program().runtime();
    expect("running", rt.Running(), m.running);
    if (!rt.Running() || !m.running || !failure_.empty()) return;
    FrmSplash* splash = parts_->sim->program().Splash();
    if (!splash) return Fail("frmSplash is not loaded");
    auto number = [&](const char* name) {
        return std::stol(splash->Variable(name).value_or("-1"));
    };

    const long minute = number("MinuteNum");
    if (minute < 0 || minute > 59)
        Fail("MinuteNum is " + std::to_string(minute) + " between ticks");
    expect("MinuteNum", minute, long{m.minute});
    expect("SecondNum", number("SecondNum"), long{m.SecondAt(Now())});
    expect("NotNow", *splash->Variable("NotNow"), std::string(flag(m.declined)));
    expect("GaiBian", splash->GaiBian, m.changed);
    expect("RestTim", int{splash->RestTim}, m.rest);
    expect("Preparat", int{splash->Preparat}, m.preparatory);
    expect("HalfHour", int{splash->HalfHour}, m.usage);

    // The window shows only for the countdown and the rest screen.
    const bool banner = m.phase == UseModel::Phase::Countdown;
    const bool resting = m.phase == UseModel::Phase::Resting;
    expect("frmSplash.Visible", splash->Visible(), banner || resting);
    expect("frmSplash.Height", splash->Height(), resting ? rt.screen().Height() : kBannerHeight);
    expect("Timer2.Enabled", splash->Timer2.Enabled(), banner);
    expect("Timer3.Enabled", splash->Timer3.Enabled(), resting);
    expect("Timer4.Enabled", splash->Timer4.Enabled(), resting);
    if (banner) {
        expect("Label2.Visible on the banner", splash->Label2.Visible(), true);
        expect("Label2.Caption on the banner", splash->Label2.Caption(), m.caption);
    }

    for (const char* name : kSmallWindows) {
        const bool open = WindowName(m.window) == std::string_view(name);
        if ((rt.Find(name) != nullptr) != open)
            Fail(std::string(name) + (open ? " is not loaded" : " is loaded") +
                 ", the rules give the opposite");
    }
    if (auto* setting = static_cast<FrmSetting*>(rt.Find(FrmSetting::kName))) {
        expect("frmSetting.Combo1.ListIndex", setting->Combo1.ListIndex(), m.pick1);
        expect("frmSetting.Combo2.ListIndex", setting->Combo2.ListIndex(), m.pick2);
    }
    if (auto* hours = static_cast<FrmHour*>(rt.Find(FrmHour::kName)))
        expect("frmHour.Label2.Caption", hours->Label2.Caption(), m.hours_text);
    expect("the menu being open", rt.PopupOpen(), m.menu);
}

bool Session::CheckDisk() {
    const auto usage = ReadBytes(parts_->folder / kUsage);
    const auto settings = ReadBytes(parts_->folder / kSettings);
    if (usage != UsageBytes(model_.usage))
        Fail("the usage file on disk holds " + Hex(usage) + ", the credits add up to " +
             Hex(UsageBytes(model_.usage)));
    if (settings != model_.settings)
        Fail("the settings file on disk holds " + Hex(settings) + ", not " + Hex(model_.settings));
    return failure_.empty();
}

// ---- The random user ------------------------------------------------------------

std::uint64_t Dice::Next() {
    // splitmix64: small, fast, and the same everywhere.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

long Dice::Below(long n) { return n <= 1 ? 0 : long(Next() % std::uint64_t(n)); }

long Dice::Between(long low, long high) { return low + Below(high - low + 1); }

bool Dice::Chance(double p) { return double(Next() >> 11) * 0x1.0p-53 < p; }

std::string Duration(std::int64_t ms) {
    if (ms > 0 && ms % kHour == 0) return std::to_string(ms / kHour) + "h";
    if (ms > 0 && ms % kMinute == 0) return std::to_string(ms / kMinute) + "m";
    if (ms > 0 && ms % 1000 == 0) return std::to_string(ms / 1000) + "s";
    return std::to_string(ms) + "ms";
}

namespace {
constexpr long kShortest = 800;  // ms: one blink of the slogan
constexpr double kStopChance = 0.004;
}  // namespace

std::string RandomUser::Wait(long low_ms, long high_ms) {
    return "wait " + Duration(dice_.Between(low_ms, high_ms));
}

std::string RandomUser::Next(const UseModel& m, std::int64_t now) {
    if (!m.running) return WhileStopped();
    // An exit now and then, unless its credit could take the count past its limit.
    if (dice_.Chance(kStopChance) && m.usage + 2 <= usage_ceiling_) return "stop";
    if (dice_.Chance(0.002)) return "start";  // the program is running already: ignored
    if (m.menu) return InMenu();
    switch (m.window) {
        case UseModel::Window::Setting:
            return InSettings();
        case UseModel::Window::Hour:
            return InHours();
        case UseModel::Window::About:
            return InAbout();
        case UseModel::Window::None:
            break;
    }
    switch (m.phase) {
        case UseModel::Phase::Countdown:
            return InCountdown(m);
        case UseModel::Phase::Resting:
            return OnRestScreen();
        default:
            return WhileWaiting(m, now);
    }
}

std::string RandomUser::WhileStopped() {
    const long r = dice_.Below(100);
    if (r < 15) return Wait(kShortest, 10 * kMinute);
    if (r < 20) {
        static const char* const kIgnored[] = {"click frmSplash", "stop",
                                               "choose Setting",  "key Enter",
                                               "dismiss",         "hover frmSplash.Label2"};
        return kIgnored[dice_.Below(6)];
    }
    return "start";
}

std::string RandomUser::WhileWaiting(const UseModel& m, std::int64_t now) {
    const long r = dice_.Below(100);
    const int at = m.ReminderMinute();
    if (at > 0 && r < 50) {
        // Straight to the reminder, or a little into its countdown.
        const std::int64_t reminder = m.HourStart() + at * kMinute;
        std::int64_t wait = reminder - now;
        if (dice_.Chance(0.25)) wait += dice_.Between(kShortest, m.preparatory * 1000L + 2000);
        return "wait " + Duration(wait);
    }
    if (r < 80) return Wait(kShortest, 10 * kMinute);
    if (r < 93) return Wait(10 * kMinute, 70 * kMinute);
    static const char* const kHidden[] = {
        "click frmSplash", "hover frmSplash", "click frmSplash.Label2",
        "choose About",    "dismiss",         "key Escape"};
    return kHidden[dice_.Below(6)];  // nothing to take them: ignored
}

std::string RandomUser::InCountdown(const UseModel& m) {
    const long r = dice_.Below(100);
    if (r < 18) return "hover frmSplash.Label2";
    if (r < 33) return "hover frmSplash";
    if (r < 37) return "click frmSplash.Label2";  // No, not now.
    if (r < 42) return "click frmSplash";         // the banner opens no menu
    return Wait(kShortest, std::max<long>(kShortest, m.preparatory * 1000L / 3));
}

std::string RandomUser::OnRestScreen() {
    const long r = dice_.Below(100);
    if (r < 35) return "click frmSplash";
    if (r < 40) return "click frmSplash.Image1";
    if (r < 44) return "click frmSplash.Label1";
    if (r < 48) return "hover frmSplash";
    if (r < 50) return "click frmSplash.Label2";  // hidden on the rest screen
    return Wait(kShortest, 3 * kMinute);
}

std::string RandomUser::InMenu() {
    const long r = dice_.Below(100);
    if (r < 30) return "choose Setting";
    if (r < 45) return "choose Hour";
    if (r < 60) return "choose About";
    if (r < 68) return "choose Fen1";
    if (r < 85) return "dismiss";
    if (r < 88) return "click frmSplash";  // closes the menu
    if (r < 90) return "key Escape";       // so does Escape
    return Wait(kShortest, 90'000);
}

std::string RandomUser::InSettings() {
    const long r = dice_.Below(100);
    if (r < 20) return "select frmSetting.Combo1 " + std::to_string(dice_.Below(5));
    if (r < 40) return "select frmSetting.Combo2 " + std::to_string(dice_.Below(6));
    if (r < 42) return "select frmSetting.Combo1 " + std::to_string(dice_.Between(5, 7));
    if (r < 60) return "click frmSetting.Command1";  // OK
    if (r < 74) return "click frmSetting.Command2";  // Cancel
    if (r < 77) return "key Enter";
    if (r < 80) return "key Escape";
    if (r < 84) return "click frmSplash";  // the owner takes no input meanwhile
    return Wait(kShortest, 40'000);
}

std::string RandomUser::InHours() {
    const long r = dice_.Below(100);
    if (r < 10) return "key Escape";
    if (r < 20) return "click frmSplash";
    if (r < 30) return "click frmHour";
    return Wait(kShortest, 8'000);
}

std::string RandomUser::InAbout() {
    const long r = dice_.Below(100);
    if (r < 30) return "click frmAbout.cmdOK";
    if (r < 45) return "key Enter";
    if (r < 60) return "key Escape";
    return Wait(kShortest, 15'000);
}

// ---- The shortest failing script ------------------------------------------------

Outcome Replay(const Script& script) {
    Session session(script.files);
    Outcome outcome;
    for (; outcome.line < script.lines.size(); ++outcome.line) {
        outcome.line_began = session.Now();
        if (!session.Run(script.lines[outcome.line])) break;
    }
    outcome.failed_at = session.Now();
    outcome.failed = !session.failure().empty();
    outcome.message = session.failure();
    outcome.trace = session.TraceTail();
    return outcome;
}

namespace {

long long WaitOf(const std::string& line) {
    const auto words = Words(line);
    return words.size() == 2 && words[0] == "wait" ? ParseDuration(words[1]) : -1;
}

// Neighbouring waits as one: time passing in two steps or in one fires the
// same ticks in the same order.
Script MergeWaits(const Script& script) {
    Script merged{script.files, {}};
    for (const std::string& line : script.lines) {
        const long long ms = WaitOf(line);
        const long long before = merged.lines.empty() ? -1 : WaitOf(merged.lines.back());
        if (ms >= 0 && before >= 0)
            merged.lines.back() = "wait " + Duration(before + ms);
        else
            merged.lines.push_back(line);
    }
    return merged;
}

// Makes a failing script shorter while it still fails: waits run together,
// lines it can do without dropped, whole hours taken out of long waits.
void Simplify(Script& best) {
    auto fails = [](const Script& s) { return Replay(s).failed; };
    for (bool progress = true; progress;) {
        progress = false;
        Script merged = MergeWaits(best);
        if (merged.lines.size() < best.lines.size() && fails(merged)) {
            best = std::move(merged);
            progress = true;
        }
        for (std::size_t k = best.lines.size(); k-- > 1;) {  // the first start stays
            Script fewer = best;
            fewer.lines.erase(fewer.lines.begin() + long(k));
            if (fails(fewer)) {
                best = std::move(fewer);
                progress = true;
            }
        }
        for (std::string& line : best.lines) {
            const long long ms = WaitOf(line);
            if (ms <= kHour || ms % kHour == 0) continue;
            const std::string original = line;
            line = "wait " + Duration(ms % kHour);
            if (fails(best)) {
                progress = true;
            } else {
                line = original;
            }
        }
    }
    // The last wait need last no longer than until the failure shows.
    const Outcome outcome = Replay(best);
    const std::string& last = best.lines[outcome.line];
    if (outcome.failed && WaitOf(last) > outcome.failed_at - outcome.line_began) {
        Script cut = best;
        cut.lines[outcome.line] = "wait " + Duration(outcome.failed_at - outcome.line_began);
        if (fails(cut)) best = std::move(cut);
    }
}

}  // namespace

Script Shrink(const RunRecord& run, std::size_t failed_at) {
    // The stretch since the program last started replays exactly from a fresh
    // start on the files as they stood; a shorter tail may fail as well.
    std::size_t last_start = 0;
    for (std::size_t j : run.starts)
        if (j <= failed_at) last_start = j;
    auto tail_from = [&](std::size_t j) {
        Script s{run.before[j], {}};
        if (run.commands[j] != "start") s.lines.push_back("start");
        s.lines.insert(s.lines.end(), run.commands.begin() + long(j),
                       run.commands.begin() + long(failed_at) + 1);
        return s;
    };
    Script best = tail_from(last_start);
    std::size_t tried = 0;
    for (std::size_t j = failed_at + 1; j-- > last_start + 1 && tried < kTailsTried; ++tried) {
        Script candidate = tail_from(j);
        if (Replay(candidate).failed) {
            best = std::move(candidate);
            break;
        }
    }
    if (!Replay(best).failed) {
        // Not reproduced from a fresh start: the whole run up to the failure.
        best = Script{run.before[0],
                      {run.commands.begin(), run.commands.begin() + long(failed_at) + 1}};
    }
    if (best.lines.size() <= kLinesDropped) Simplify(best);
    return best;
}

std::string Describe(const Script& script) {
    auto printf_line = [](const char* name, const Bytes& bytes) {
        std::string escaped;
        char buf[8];
        for (std::uint8_t b : bytes) {
            std::snprintf(buf, sizeof buf, "\\x%02x", b);
            escaped += buf;
        }
        return std::string("# printf '") + escaped + "' > " + name + "\n";
    };
    std::string text = "# In the data folder first:\n";
    text += printf_line(kUsage, UsageBytes(script.files.usage));
    text += printf_line(kSettings, script.files.settings);
    for (const std::string& line : script.lines) text += line + "\n";
    return text;
}

}  // namespace vz::test

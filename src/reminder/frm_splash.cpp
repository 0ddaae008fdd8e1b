#include "reminder/frm_splash.h"

#include "chime/module1.h"
#include "options/options.h"
#include "platform/errors.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "reminder/layout.h"
#include "reminder/presence_tracker.h"
#include "store/settings_file.h"
#include "store/usage_file.h"

namespace vz {

using namespace splash;

namespace {
constexpr std::int64_t kHalfHourMs = std::int64_t{kHalfHourMinutes} * kMinuteMs;
}  // namespace

FrmSplash::FrmSplash(Runtime& runtime, Module1& module1, const Options& options,
                     PresenceTracker& presence)
    : Form(runtime, kName),
      Timer1(*this, "Timer1", kMinuteMs, true),
      Timer2(*this, "Timer2", kCountdownTickMs, false),
      Timer3(*this, "Timer3", kPictureMoveMs, false),
      Timer4(*this, "Timer4", kBlinkMs, false),
      Image1(*this, "Image1"),
      Label1(*this, "Label1"),
      Label2(*this, "Label2"),
      module1_(module1),
      presence_(presence),
      away_counts_as_rest_(options.On("away-counts-as-rest")),
      hold_while_busy_(options.On("hold-while-busy")) {
    border_style = BorderStyle::None;
    show_in_taskbar = false;
    DesignRole(WindowRole::Banner);
    DesignGeometry(0, 0, kDesignWidth, kDesignHeight);
    DesignBackColor(kBlack);

    Image1.Design(0, 0, kImageWidth, kImageHeight, false);
    Image1.picture = "rest-picture";
    Image1.tool_tip = kPictureToolTip;

    Label1.Design(0, 0, kDesignWidth, kLabel1Height, false);
    Label1.caption_ = kSlogan;
    Label1.fore_color = kYellow;
    Label1.transparent = true;
    Label1.alignment = Alignment::Center;
    Label1.auto_size = true;
    Label1.font = {"Comic Sans MS", 14.25, false};

    Label2.Design(0, 0, kDesignWidth, kLabel2Height, false);
    Label2.back_color = kRed;
    Label2.fore_color = kWhite;
    Label2.alignment = Alignment::Center;
    Label2.font = {"Microsoft Sans Serif", 14.25, false};

    Timer1.on_tick = [this] { Timer1_Timer(); };
    Timer2.on_tick = [this] { Timer2_Timer(); };
    Timer3.on_tick = [this] { Timer3_Timer(); };
    Timer4.on_tick = [this] { Timer4_Timer(); };
    Label2.on_click = [this] { Label2_Click(); };
    Label2.on_mouse_move = [this] { Label2_MouseMove(); };
    // The window may be gone, or replaced by a new one, when busy ends.
    presence_.on_busy_off = [this, alive = std::weak_ptr<const bool>(alive_)] {
        if (!alive.expired() && held_) this->runtime().Dispatch([this] { ShowHeldReminder(); });
    };
}

std::string FrmSplash::ReminderText() const {
    return "Why not take a rest of " + std::to_string(RestTim) + " minutes.";
}

void FrmSplash::Form_Load() {
    hour_began_ms_ = runtime().scheduler().NowMs();
    Hide();
    MakeTopmost();
    ReadFiles();
    LayoutBanner();
    Label2.Move(0, 0, Width());
    Label1.Move(0, kLabel1Top, Width());
    runtime().Unload("Form1");
}

void FrmSplash::ReadFiles() {
    // A file that cannot be read is reported and read as empty: the program
    // keeps reminding, and credits wait in memory until the file can be written.
    runtime().UseFile(kUsageFile, "Cannot read the usage total", "; counting goes on.",
                      [&] { HalfHour = ReadUsage(runtime()); });
    StoredChoices stored;
    runtime().UseFile(kSettingsFile, "Cannot read the settings", "; using the defaults.",
                      [&] { stored = ReadSettings(runtime()); });
    RestTim = StoredSetting(RestMinutesAt, stored.rest_position, kDefaultRestMinutes,
                            "rest length", "minutes");
    Preparat = StoredSetting(PreparatorySecondsAt, stored.preparatory_position,
                             kDefaultPreparatorySeconds, "preparatory time", "seconds");
}

Byte FrmSplash::StoredSetting(Byte (*value_at)(Byte), Byte position, Byte fallback,
                              const char* what, const char* unit) {
    // A stored position too large for a Byte value falls back to the default
    // and leaves the file as it is, so a damaged file never stops the start.
    try {
        return value_at(position);
    } catch (const RuntimeError&) {
        runtime().ReportError(std::string("The settings file holds an unusable ") + what +
                              "; using " + std::to_string(fallback) + " " + unit + ".");
        return fallback;
    }
}

void FrmSplash::LayoutBanner() {
    SetBackColor(kRed);
    Move(0, 0, runtime().screen().Width(), kBannerHeight);
    CentreImage();
}

void FrmSplash::CentreImage() {
    Image1.Move((Width() - Image1.Width()) / 2, (Height() - Image1.Height()) / 2);
}

void FrmSplash::Timer1_Timer() {
    if (held_) return WhileHeld();
    MinuteNum = CByte(long{MinuteNum} + 1);
    if (long{MinuteNum} == long{kMinutesPerHour} - long{RestTim}) {
        if (!GaiBian) ReminderMinute();
        return;
    }
    if (MinuteNum == kMinutesPerHour) EndHour();
}

void FrmSplash::ReminderMinute() {
    if (away_counts_as_rest_ || hold_while_busy_) presence_.Refresh();
    if (away_counts_as_rest_ && RestTakenAway()) {
        NotNow = true;  // as if declined with nothing shown: no chime at the end
        return;
    }
    if (hold_while_busy_ && presence_.Busy()) {
        held_ = true;
        held_since_ms_ = runtime().scheduler().NowMs();
        return;
    }
    ShowReminder();
}

bool FrmSplash::RestTakenAway() {
    const std::int64_t rest_ms = std::int64_t{RestTim} * kMinuteMs;
    const std::int64_t now = runtime().scheduler().NowMs();
    return presence_.LongestAwaySince(hour_began_ms_, now) >= rest_ms;
}

void FrmSplash::ShowReminder() {
    Show();
    module1_.PlayChime(kChimeId);
    Label2.SetCaption(ReminderText());
    Label2.SetVisible(true);
    Timer2.SetEnabled(true);
}

// Each minute of the wait still asks: a source may know only when asked.
void FrmSplash::WhileHeld() {
    presence_.Refresh();  // may tell busy off, which shows the banner at once
    if (held_ && !presence_.Busy()) ShowHeldReminder();
}

void FrmSplash::ShowHeldReminder() {
    held_ = false;
    lengthened_ms_ += runtime().scheduler().NowMs() - held_since_ms_;
    // The rest of the hour counts from the banner, as when it comes on time.
    Timer1.Restart();
    ShowReminder();
}

void FrmSplash::EndHour() {
    hour_began_ms_ = runtime().scheduler().NowMs();
    if (!NotNow) module1_.PlayChime(kChimeId);
    MinuteNum = 0;
    UnloadSmallWindows();
    // A menu left open on the rest screen goes with it, so nothing can be
    // chosen from it once the hour is over.
    runtime().ClosePopup();
    Hide();
    SetRole(WindowRole::Banner);
    Timer3.SetEnabled(false);
    Timer4.SetEnabled(false);
    // A countdown longer than the rest of the hour ends with the hour rather
    // than putting up a rest screen without its banner in the next one.
    if (Timer2.Enabled()) Timer2.SetEnabled(false);
    Label1.SetVisible(false);
    Image1.SetVisible(false);
    SecondNum = 0;
    GaiBian = false;
    LayoutBanner();
    // A lengthened hour credits its whole extra half-hours; the rest waits.
    const std::int64_t extra = lengthened_ms_ / kHalfHourMs;
    lengthened_ms_ %= kHalfHourMs;
    AddUseTime(CInt(long(2 + extra)));
    NotNow = false;
}

void FrmSplash::Timer2_Timer() {
    SecondNum = CByte(long{SecondNum} + 1);
    if (SecondNum >= Preparat) {
        Timer3.SetEnabled(true);
        Timer4.SetEnabled(true);
        Timer2.SetEnabled(false);
        ShowRestScreen();
    }
}

void FrmSplash::ShowRestScreen() {
    Label1.SetVisible(true);
    Label2.SetVisible(false);
    Image1.SetVisible(true);
    SetBackColor(kBlack);
    SetHeight(runtime().screen().Height());
    CentreImage();
    SetRole(WindowRole::RestScreen);
}

void FrmSplash::Timer3_Timer() {
    // The timers still run, so that the rest screen is known by them.
    if (motion == Motion::Still) return;
    Random& random = runtime().random();
    random.Randomize(runtime().scheduler().NowMs());
    const double r1 = random.Rnd();
    const double r2 = random.Rnd();
    Image1.Move((Width() - Image1.Width()) * r1, (Height() - Image1.Height()) * r2);
}

void FrmSplash::Timer4_Timer() {
    if (motion == Motion::Still) return;
    Label1.SetVisible(!Label1.Visible());
}

void FrmSplash::Label2_Click() {
    Timer2.SetEnabled(false);
    NotNow = true;
    Hide();
}

void FrmSplash::Label2_MouseMove() { Label2.SetCaption(splash::kNotNow); }

void FrmSplash::Form_MouseMove() {
    if (Label2.Visible()) Label2.SetCaption(ReminderText());
}

void FrmSplash::Form_Click() {
    if (Timer3.Enabled()) runtime().PopupMenu(*this, runtime().Ref("Form1"), "File");
}

void FrmSplash::Form_Unload(int& /*cancel*/) {
    Integer credit = MinuteNum > kHalfHourMinutes ? 2 : 1;
    std::int64_t waited = lengthened_ms_;
    if (held_) waited += runtime().scheduler().NowMs() - held_since_ms_;
    if (waited > 0) {
        // Each half-hour begun counts, as in an hour of sixty minutes.
        const std::int64_t used = std::int64_t{MinuteNum} * kMinuteMs + waited;
        credit = CInt(long((used + kHalfHourMs - 1) / kHalfHourMs));
    }
    AddUseTime(credit);
    UnloadSmallWindows();
}

void FrmSplash::UnloadSmallWindows() {
    runtime().Unload("frmAbout");
    runtime().Unload("frmHour");
    runtime().Unload("frmSetting");
}

void FrmSplash::AddUseTime(Integer increment) {
    // Credits that could not be written before go in with this one.
    Integer total = 0;
    try {
        AddInt(HalfHour, increment);  // the mirror must have room too
        total = AddInt(unsaved_, increment);
    } catch (const RuntimeError&) {
        ReportUsageLimit();
        return;
    }
    try {
        const bool saved = runtime().UseFile(kUsageFile, "Cannot save the usage total",
                                             "; the hours are kept until it can be saved.",
                                             [&] { AddToUsageFile(runtime(), total); });
        unsaved_ = saved ? 0 : total;
    } catch (const RuntimeError&) {  // the file's count plus this one does not fit
        ReportUsageLimit();
        return;
    }
    HalfHour = AddInt(HalfHour, increment);
}

void FrmSplash::ReportUsageLimit() {
    // At its limit the count stays as it is; the rest of the hour goes on.
    runtime().ReportError(
        "The usage total has reached its limit of 32767 half-hours; this time was not added.");
}

std::optional<Value> FrmSplash::Variable(std::string_view name) const {
    if (name == "HalfHour") return Value(double(HalfHour));
    if (name == "RestTim") return Value(double(RestTim));
    if (name == "Preparat") return Value(double(Preparat));
    if (name == "GaiBian") return Value(bool(GaiBian));
    if (name == "MinuteNum") return Value(double(MinuteNum));
    if (name == "SecondNum") return Value(double(SecondNum));
    if (name == "NotNow") return Value(bool(NotNow));
    if (name == "Unsaved") return Value(double(unsaved_));
    if (name == "Held") return Value(bool(held_));
    return std::nullopt;
}

}  // namespace vz

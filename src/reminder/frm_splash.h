#pragma once
// The reminder window: it starts the program, counts the minutes of each hour,
// raises the reminder banner, runs the countdown into the rest screen, ends
// each hour and credits the time of use.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/checked.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"
#include "reminder/motion.h"

namespace vz {

class Module1;
class Options;
class PresenceTracker;

class FrmSplash : public Form {
public:
    static constexpr const char* kName = "frmSplash";
    FrmSplash(Runtime& runtime, Module1& module1, const Options& options,
              PresenceTracker& presence);

    // Public state that the other windows use.
    Integer HalfHour = 0;
    Byte RestTim = 0;
    Byte Preparat = 0;
    bool GaiBian = false;
    // Still: the rest screen's slogan stands and its picture stays centred.
    Motion motion = Motion::Blink;

    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Form_Click() override;
    void Form_MouseMove() override;
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Label2_Click();
    void Label2_MouseMove();

    std::optional<Value> Variable(std::string_view name) const override;

    Timer Timer1;
    Timer Timer2;
    Timer Timer3;
    Timer Timer4;
    Image Image1;
    Label Label1;
    Label Label2;

private:
    std::string ReminderText() const;
    void ReadFiles();
    Byte StoredSetting(Byte (*value_at)(Byte), Byte position, Byte fallback, const char* what,
                       const char* unit);
    void ReminderMinute();
    bool RestTakenAway();
    void ShowReminder();
    void WhileHeld();
    void ShowHeldReminder();
    void LayoutBanner();
    void CentreImage();
    void ShowRestScreen();
    void EndHour();
    void AddUseTime(Integer increment);
    void ReportUsageLimit();
    void UnloadSmallWindows();

    Module1& module1_;
    PresenceTracker& presence_;
    const bool away_counts_as_rest_;
    const bool hold_while_busy_;
    std::int64_t hour_began_ms_ = 0;
    // The banner waits while the user is busy: the hour stands still at its
    // reminder minute and is lengthened by the wait.
    bool held_ = false;
    std::int64_t held_since_ms_ = 0;
    std::int64_t lengthened_ms_ = 0;  // by waits, not yet credited as whole half-hours
    std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
    Byte MinuteNum = 0;
    Byte SecondNum = 0;
    bool NotNow = false;
    Integer unsaved_ = 0;  // half-hours credited but not yet written to the file
};

}  // namespace vz

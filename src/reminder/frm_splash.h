#pragma once
// The reminder window: it starts the program, counts the minutes of each hour,
// raises the reminder banner, runs the countdown into the rest screen, ends
// each hour and credits the time of use.

#include <string>

#include "platform/checked.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"

namespace vz {

class Module1;

class FrmSplash : public Form {
public:
    static constexpr const char* kName = "frmSplash";
    FrmSplash(Runtime& runtime, Module1& module1);

    // Public state that the other windows use.
    Integer HalfHour = 0;
    Byte RestTim = 0;
    Byte Preparat = 0;
    bool GaiBian = false;

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
    void LayoutBanner();
    void CentreImage();
    void ShowRestScreen();
    void EndHour();
    void AddUseTime(Integer increment);
    void ReportUsageLimit();
    void UnloadSmallWindows();

    Module1& module1_;
    Byte MinuteNum = 0;
    Byte SecondNum = 0;
    bool NotNow = false;
    Integer unsaved_ = 0;  // half-hours credited but not yet written to the file
};

}  // namespace vz

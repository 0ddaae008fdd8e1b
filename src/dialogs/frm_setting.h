#pragma once
// The settings window: the rest length and the preparatory time. OK puts the
// choice into effect and stores it; Cancel, or 30 seconds, closes it unchanged.

#include <array>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"

namespace vz {

class FrmSetting : public Form {
public:
    static constexpr const char* kName = "frmSetting";
    static constexpr int kCloseAfterMs = 30000;
    explicit FrmSetting(Runtime& runtime);

    void Form_Load() override;
    void Command1_Click();  // OK
    void Command2_Click();  // Cancel
    void Timer1_Timer();

    // The control array Label1, by index.
    std::array<Label, 4> Label1;
    ComboBox Combo1;  // rest length, minutes
    ComboBox Combo2;  // preparatory time, seconds
    CommandButton Command1;
    CommandButton Command2;
    Timer Timer1;

private:
    void LoadChoices();
};

}  // namespace vz

#pragma once
// The usage-hours window: one sentence with the number of hours in red, closing
// itself after five seconds.

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"

namespace vz {

class FrmHour : public Form {
public:
    static constexpr const char* kName = "frmHour";
    static constexpr int kCloseAfterMs = 5000;
    explicit FrmHour(Runtime& runtime);

    void Form_Load() override;
    void Timer1_Timer();

    Label Label1;
    Label Label2;
    Timer Timer1;
};

}  // namespace vz

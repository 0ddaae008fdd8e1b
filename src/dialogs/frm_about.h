#pragma once
// The about window: the product, its version and the maker's contact lines.
// OK, Enter or Escape closes it, and it closes itself after ten seconds.

#include <array>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"

namespace vz {

class FrmAbout : public Form {
public:
    static constexpr const char* kName = "frmAbout";
    static constexpr int kCloseAfterMs = 10000;
    explicit FrmAbout(Runtime& runtime);

    void Form_Load() override;
    void cmdOK_Click();
    void Timer1_Timer();

    PictureBox picIcon;
    Timer Timer1;
    CommandButton cmdOK;
    Label lblTitle;
    Label lblVersion;
    std::array<Label, 3> lblDescription;
    Label lblStatement;
    std::array<Line, 2> Line1;
};

}  // namespace vz

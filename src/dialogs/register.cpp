#include "dialogs/register.h"

#include <memory>

#include "dialogs/form1.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_hour.h"
#include "dialogs/frm_setting.h"
#include "platform/runtime.h"

namespace vz {

void RegisterDialogs(Runtime& runtime) {
    runtime.Register(Form1::kName, [](Runtime& rt) { return std::make_unique<Form1>(rt); });
    runtime.Register(FrmSetting::kName,
                     [](Runtime& rt) { return std::make_unique<FrmSetting>(rt); });
    runtime.Register(FrmHour::kName, [](Runtime& rt) { return std::make_unique<FrmHour>(rt); });
    runtime.Register(FrmAbout::kName, [](Runtime& rt) { return std::make_unique<FrmAbout>(rt); });
}

}  // namespace vz

#include "app/program.h"

#include "dialogs/register.h"
#include "reminder/frm_splash.h"

namespace vz {

Program::Program(Services services) : runtime_(std::move(services)), module1_(runtime_) {
    runtime_.Register(FrmSplash::kName, [this](Runtime& rt) {
        return std::make_unique<FrmSplash>(rt, module1_);
    });
    RegisterDialogs(runtime_);
}

FrmSplash* Program::Splash() const {
    return static_cast<FrmSplash*>(runtime_.Find(FrmSplash::kName));
}

}  // namespace vz

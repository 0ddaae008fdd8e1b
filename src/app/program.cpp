#include "app/program.h"

#include "dialogs/register.h"
#include "reminder/frm_splash.h"

namespace vz {

Program::Program(Services services, Options options)
    : options_(std::move(options)), runtime_(std::move(services)), module1_(runtime_) {
    // `desktop` is the front end's to read (MotionFor); until it does, the blink.
    if (const auto choice = ParseMotion(options_.Get("motion"))) motion_ = Resolve(*choice, false);
    runtime_.Register(FrmSplash::kName, [this](Runtime& rt) {
        auto splash = std::make_unique<FrmSplash>(rt, module1_, options_, presence_);
        splash->motion = motion_;
        return splash;
    });
    RegisterDialogs(runtime_);
}

void Program::Start() {
    runtime_.Start(FrmSplash::kName);
    if (started_ || !runtime_.Running()) return;
    started_ = true;
    // Reported once the program runs, so that no report ends it.
    for (const std::string& problem : options_.Problems()) runtime_.ReportError(problem);
    presence_.StartSources();
}

void Program::SetMotion(Motion motion) {
    motion_ = motion;
    if (FrmSplash* splash = Splash()) splash->motion = motion;
}

FrmSplash* Program::Splash() const {
    return static_cast<FrmSplash*>(runtime_.Find(FrmSplash::kName));
}

std::vector<std::string> OptionsReport(const Options& options,
                                       const std::vector<std::unique_ptr<PresenceSource>>& sources) {
    std::vector<std::string> lines = options.Describe();
    lines.push_back(sources.empty() ? "presence sources: none" : "presence sources:");
    for (const auto& source : sources)
        for (const std::string& line : source->Describe()) lines.push_back("  " + line);
    return lines;
}

}  // namespace vz

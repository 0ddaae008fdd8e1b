#pragma once
// The whole program over one runtime: its windows registered by name, the
// chime module, the start-up window, its options for this run and what its
// presence sources tell of the user.

#include <memory>
#include <string>
#include <vector>

#include "chime/module1.h"
#include "options/options.h"
#include "platform/runtime.h"
#include "reminder/presence_tracker.h"
#include "reminder/motion.h"

namespace vz {

class FrmSplash;

class Program {
public:
    explicit Program(Services services, Options options = Options());
    Runtime& runtime() { return runtime_; }
    Module1& module1() { return module1_; }
    const Options& options() const { return options_; }
    // Where presence is told: the front end's sources, the simulator's script.
    PresenceTracker& presence() { return presence_; }

    // A source the front end runs on its desktop; started with the program.
    void AddPresenceSource(std::unique_ptr<PresenceSource> source) {
        presence_.AddSource(std::move(source));
    }

    // The platform loads the start-up window; the log-off unloads it. The
    // first start reports what was wrong with the options, and starts the
    // presence sources.
    void Start();
    void Stop() { runtime_.Stop(); }
    // How the rest screen moves, from now on and for a reminder window
    // loaded later.
    void SetMotion(Motion motion);
    // The reminder window, where it is loaded.
    FrmSplash* Splash() const;

private:
    Options options_;
    PresenceTracker presence_;
    Runtime runtime_;
    Module1 module1_;
    bool started_ = false;
    Motion motion_ = Motion::Blink;
};

// What `--options` prints: each option's value and where it came from, then
// what each presence source watches and whether that works here.
std::vector<std::string> OptionsReport(const Options& options,
                                       const std::vector<std::unique_ptr<PresenceSource>>& sources);

}  // namespace vz

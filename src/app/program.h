#pragma once
// The whole program over one runtime: its windows registered by name, the
// chime module, and the start-up window.

#include <memory>

#include "chime/module1.h"
#include "platform/runtime.h"

namespace vz {

class FrmSplash;

class Program {
public:
    explicit Program(Services services);
    Runtime& runtime() { return runtime_; }
    Module1& module1() { return module1_; }

    // The platform loads the start-up window; the log-off unloads it.
    void Start() { runtime_.Start("frmSplash"); }
    void Stop() { runtime_.Stop(); }
    // The reminder window, where it is loaded.
    FrmSplash* Splash() const;

private:
    Runtime runtime_;
    Module1 module1_;
};

}  // namespace vz

#include "sim/real_input.h"

#include <cstdlib>
#include <iostream>
#include <vector>

#include "app/program.h"
#include "sim/simulator.h"

namespace vz {
namespace {

bool Deliver(Runtime& rt, RealInput& input, const std::vector<std::string>& w) {
    const std::string& cmd = w[0];
    if ((cmd == "click" || cmd == "hover") && w.size() == 2) {
        const Runtime::Target t = rt.Locate(w[1]);
        return !t.bad && t.form && input.ClickOrHover(cmd == "click", t);
    }
    if (cmd == "choose" && w.size() == 2) return input.Choose(w[1]);
    if (cmd == "dismiss" && w.size() == 1) return input.Dismiss();
    if (cmd == "select" && w.size() == 3) {
        char* end = nullptr;
        const long n = std::strtol(w[2].c_str(), &end, 10);
        if (w[2].empty() || *end) return false;
        const Runtime::Target t = rt.Locate(w[1]);
        return !t.bad && t.control && input.Select(t, int(n));
    }
    if (cmd == "key" && w.size() == 2) {
        if (w[1] != "Enter" && w[1] != "Escape") return false;
        // The modal window has the keyboard; without one, the reminder.
        if (const Form* modal = rt.ModalWindow(); modal && input.Key(*modal, w[1])) return true;
        const Form* splash = rt.Find("frmSplash");
        return splash && input.Key(*splash, w[1]);
    }
    return false;
}

}  // namespace

bool RunLineWithRealInput(Simulator& sim, RealInput& input, const std::string& raw, int n) {
    const std::vector<std::string> words = ScriptWords(raw);
    if (!words.empty() && words[0] == "snap") {
        std::cout.flush();
        if (words.size() != 2) {
            std::cerr << "line " << n << ": snap takes 1 argument\n";
            return false;
        }
        if (input.Snap(words[1])) return true;
        std::cerr << "line " << n << ": cannot save the screen to " << words[1] << '\n';
        return false;
    }
    if (!words.empty() && Deliver(sim.program().runtime(), input, words)) return true;
    return sim.RunLine(raw, n);
}

}  // namespace vz

#include "sim/simulator.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "app/embedded_resources.h"
#include "app/program.h"
#include "os/path.h"
#include "os/real_disk.h"
#include "platform/control.h"
#include "platform/text.h"
#include "sim/script.h"
#include "platform/virtual_scheduler.h"
#include "sim/trace.h"

namespace vz {

class Simulator::Printer : public Observer {
public:
    Printer(std::ostream& out, const Scheduler& clock) : out_(out), clock_(clock) {}
    void OnEvent(const Event& event) override {
        const std::string line = TraceLine(event);
        if (!line.empty()) out_ << clock_.NowMs() << ' ' << line << '\n';
    }

private:
    std::ostream& out_;
    const Scheduler& clock_;
};

Simulator::Simulator(const SimOptions& options, std::ostream& out, std::ostream& err)
    : out_(out),
      err_(err),
      data_dir_(options.data_dir),
      scheduler_(std::make_unique<VirtualScheduler>()) {
    std::error_code ec;
    std::filesystem::create_directories(NativePath(options.data_dir), ec);
    disk_ = std::make_unique<RealDisk>(options.data_dir);
    sound_ = std::make_unique<SilentPlayer>();
    resources_ = std::make_unique<EmbeddedResources>();
    // The simulator reads no options file: a run depends on its command line only.
    Options chosen;
    for (const std::string& set : options.sets) chosen.SetFromCommandLine(set);
    program_ = std::make_unique<Program>(
        Services{*scheduler_, *disk_, *sound_, *resources_, options.screen}, std::move(chosen));
    printer_ = std::make_unique<Printer>(out_, *scheduler_);
    program_->runtime().AddObserver(printer_.get());
}

Simulator::~Simulator() { program_->runtime().RemoveObserver(printer_.get()); }

// Starting a running program or stopping a stopped one: no desktop does that.
void Simulator::Ignored(const std::string& input) {
    Event e{EventKind::Ignored};
    e.text = input;
    program_->runtime().Emit(e);
}

bool Simulator::Report(int line_number, const std::string& message) {
    out_.flush();
    err_ << "line " << line_number << ": " << message << '\n';
    return false;
}

void Simulator::Flush() { out_.flush(); }

// The line a presence source's news makes in the trace, and the news itself.
void Simulator::Tell(Presence what) {
    const std::int64_t now = scheduler_->NowMs();
    out_ << now << ' ' << PresenceName(what) << '\n';
    program_->presence().Tell(what, now);
}

void Simulator::InputArrives() {
    if (program_->presence().InputAway()) Tell(Presence::Back);
}

int Simulator::Run(std::istream& script) {
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        if (!RunLine(line, number)) return 2;
    }
    out_.flush();
    return 0;
}

bool Simulator::RunLine(const std::string& line, int n) {
    std::string error;
    const std::optional<Command> command = ParseCommand(line, error);
    if (!error.empty()) return Report(n, error);
    return !command || Execute(*command, n);
}

bool Simulator::Execute(const Command& c, int n) {
    Runtime& rt = program_->runtime();
    // A name that stands for no window or control is the script's mistake.
    auto delivered = [&](InputResult r) {
        return r == InputResult::BadTarget ? Report(n, "bad target: " + c.name) : true;
    };
    if (c.FromUser()) InputArrives();
    switch (c.kind) {
        case Command::Kind::Start:
            if (rt.Running())
                Ignored("start");
            else
                program_->Start();
            return true;
        case Command::Kind::Stop:
            if (!rt.Running())
                Ignored("stop");
            else
                program_->Stop();
            return true;
        case Command::Kind::Wait:
            scheduler_->Advance(c.ms);
            return true;
        case Command::Kind::Click: return delivered(rt.Click(rt.Locate(c.name)));
        case Command::Kind::Hover: return delivered(rt.Hover(rt.Locate(c.name)));
        case Command::Kind::Choose: return delivered(rt.Choose(c.name));
        case Command::Kind::Dismiss: return delivered(rt.Dismiss());
        case Command::Kind::Key: return delivered(rt.Press(c.key));
        case Command::Kind::Select: return delivered(rt.Select(rt.Locate(c.name), c.position));
        case Command::Kind::Put:
        case Command::Kind::Mkdir:
        case Command::Kind::Remove: return Tamper(c, n);
        // A screenshot needs the real windows; without them one script still serves.
        case Command::Kind::Snap: return true;
        case Command::Kind::Print: return Print(c.name, n);
        case Command::Kind::Tell: Tell(c.presence); return true;
        case Command::Kind::Sleep:
            Tell(Presence::Asleep);
            scheduler_->Sleep(c.ms, [this] { Tell(Presence::Awake); });
            return true;
    }
    return true;
}

// Changes the data folder from outside the program, as the user or another
// program might while it runs; prints nothing, since the program did nothing.
bool Simulator::Tamper(const Command& c, int n) {
    namespace fs = std::filesystem;
    const std::string& name = c.name;
    const Bytes& bytes = c.bytes;
    const fs::path path = NativePath(data_dir_) / NativePath(name);
    std::error_code ec;
    fs::remove_all(path, ec);
    if (c.kind == Command::Kind::Mkdir) {
        fs::create_directories(path, ec);
    } else if (c.kind == Command::Kind::Put) {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!file.flush()) return Report(n, "cannot write " + Utf8Path(path));
    }
    if (ec) return Report(n, "cannot change " + Utf8Path(path) + ": " + ec.message());
    return true;
}

bool Simulator::Print(const std::string& what, int n) {
    Runtime& rt = program_->runtime();
    auto answer = [&](const std::string& value) {
        out_ << "= " << value << '\n';
        return true;
    };
    if (what.rfind("file ", 0) == 0) {
        const auto bytes = rt.disk().Contents(what.substr(5));
        if (!bytes) return answer("missing");
        if (bytes->empty()) {
            out_ << "=\n";
            return true;
        }
        return answer(HexBytes(*bytes));
    }
    // The last name is the variable or property; what stands before it, its owner.
    const auto dot = what.rfind('.');
    if (dot == std::string::npos) return Report(n, "bad target: " + what);
    const Target t = rt.Locate(what.substr(0, dot));
    if (t.bad) return Report(n, "bad target: " + what);
    if (!t.form) return answer("not loaded");
    const std::string name = what.substr(dot + 1);
    std::optional<Value> value = t.control ? t.control->Property(name) : t.form->Variable(name);
    if (!value && !t.control) value = t.form->Property(name);
    if (!value) return Report(n, "bad target: " + what);
    return answer(TraceValue(*value));
}

}  // namespace vz

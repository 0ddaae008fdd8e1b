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

long long ParseDuration(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    if (i == 0 || i > 12) return -1;
    const long long n = std::stoll(text.substr(0, i));
    const std::string unit = text.substr(i);
    if (unit == "ms") return n;
    if (unit == "s") return n * 1000;
    if (unit == "m") return n * 60'000;
    if (unit == "h") return n * 3'600'000;
    return -1;
}

Simulator::Simulator(const SimOptions& options, std::ostream& out, std::ostream& err)
    : out_(out), err_(err), data_dir_(options.data_dir), scheduler_(std::make_unique<VirtualScheduler>()) {
    std::error_code ec;
    std::filesystem::create_directories(NativePath(options.data_dir), ec);
    disk_ = std::make_unique<RealDisk>(options.data_dir);
    sound_ = std::make_unique<SilentPlayer>();
    resources_ = std::make_unique<EmbeddedResources>();
    program_ = std::make_unique<Program>(
        Services{*scheduler_, *disk_, *sound_, *resources_, options.screen});
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

bool Simulator::Fail(int line_number, const std::string& message) {
    out_.flush();
    err_ << "line " << line_number << ": " << message << '\n';
    return false;
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

std::vector<std::string> ScriptWords(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

bool Simulator::RunLine(const std::string& raw, int n) {
    const std::vector<std::string> words = ScriptWords(raw);
    if (words.empty()) return true;
    const std::string& cmd = words[0];
    Runtime& rt = program_->runtime();
    auto arity = [&](std::size_t count) {
        return words.size() == count + 1 ? true
                                         : Fail(n, cmd + " takes " + std::to_string(count) +
                                                       " argument" + (count == 1 ? "" : "s"));
    };
    auto result = [&](InputResult r, const std::string& what) {
        return r == InputResult::BadTarget ? Fail(n, "bad target: " + what) : true;
    };

    if (cmd == "start") {
        if (!arity(0)) return false;
        if (rt.Running())
            Ignored("start");
        else
            program_->Start();
        return true;
    }
    if (cmd == "stop") {
        if (!arity(0)) return false;
        if (!rt.Running())
            Ignored("stop");
        else
            program_->Stop();
        return true;
    }
    if (cmd == "wait") {
        if (!arity(1)) return false;
        const long long ms = ParseDuration(words[1]);
        if (ms < 0) return Fail(n, "bad duration: " + words[1]);
        scheduler_->Advance(ms);
        return true;
    }
    if (cmd == "click") return arity(1) && result(rt.Click(words[1]), words[1]);
    if (cmd == "hover") return arity(1) && result(rt.Hover(words[1]), words[1]);
    if (cmd == "choose") return arity(1) && result(rt.Choose(words[1]), words[1]);
    if (cmd == "dismiss") return arity(0) && result(rt.Dismiss(), "dismiss");
    if (cmd == "key") return arity(1) && result(rt.Key(words[1]), words[1]);
    if (cmd == "select") {
        if (!arity(2)) return false;
        char* end = nullptr;
        const long pos = std::strtol(words[2].c_str(), &end, 10);
        if (*end || words[2].empty()) return Fail(n, "bad list position: " + words[2]);
        return result(rt.Select(words[1], int(pos)), words[1]);
    }
    if (cmd == "put" || cmd == "mkdir" || cmd == "remove") return Tamper(words, n);
    // A screenshot needs the real windows; without them one script still serves.
    if (cmd == "snap") return arity(1);
    if (cmd == "print") {
        if (words.size() == 3 && words[1] == "file") return Print("file " + words[2], n);
        return arity(1) && Print(words[1], n);
    }
    return Fail(n, "unknown command: " + cmd);
}

// Changes the data folder from outside the program, as the user or another
// program might while it runs; prints nothing, since the program did nothing.
bool Simulator::Tamper(const std::vector<std::string>& words, int n) {
    namespace fs = std::filesystem;
    if (words.size() < 2 || (words[0] != "put" && words.size() != 2))
        return Fail(n, words[0] + " takes a file name" + (words[0] == "put" ? " and bytes" : ""));
    const std::string& name = words[1];
    if (name.find_first_of("/\\") != std::string::npos || name == "." || name == "..")
        return Fail(n, "bad file name: " + name);
    Bytes bytes;
    for (std::size_t i = 2; i < words.size(); ++i) {
        char* end = nullptr;
        const long b = std::strtol(words[i].c_str(), &end, 16);
        if (*end || words[i].size() != 2 || b < 0) return Fail(n, "bad byte: " + words[i]);
        bytes.push_back(std::uint8_t(b));
    }
    const fs::path path = NativePath(data_dir_) / NativePath(name);
    std::error_code ec;
    fs::remove_all(path, ec);
    if (words[0] == "mkdir") {
        fs::create_directories(path, ec);
    } else if (words[0] == "put") {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!file.flush()) return Fail(n, "cannot write " + Utf8Path(path));
    }
    if (ec) return Fail(n, "cannot change " + Utf8Path(path) + ": " + ec.message());
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
    if (dot == std::string::npos) return Fail(n, "bad target: " + what);
    const Runtime::Target t = rt.Locate(what.substr(0, dot));
    if (t.bad) return Fail(n, "bad target: " + what);
    if (!t.form) return answer("not loaded");
    const std::string name = what.substr(dot + 1);
    std::optional<Value> value = t.control ? t.control->Property(name) : t.form->Variable(name);
    if (!value && !t.control) value = t.form->Property(name);
    if (!value) return Fail(n, "bad target: " + what);
    return answer(TraceValue(*value));
}

}  // namespace vz

#pragma once
// Runs the program's real logic against the forms model in virtual time,
// driven by a script, and prints every observable effect as `<ms> <effect>`.

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "platform/presence.h"
#include "platform/screen.h"
#include "platform/virtual_scheduler.h"

namespace vz {

class Disk;
class Program;
class SoundPlayer;
class Resources;
struct Command;

struct SimOptions {
    std::string data_dir = ".";
    Screen screen;
    bool live_input = false;  // verezerud-sim-gui: the display's pointer and keyboard count too
    std::vector<std::string> sets;  // --set KEY=VALUE, in order
};

class Simulator {
public:
    Simulator(const SimOptions& options, std::ostream& out, std::ostream& err);
    ~Simulator();

    // Runs a whole script; returns the exit status (0, or 2 for a script error).
    int Run(std::istream& script);
    // Runs one line; false on a script error, which has been reported.
    bool RunLine(const std::string& line, int line_number);
    // Runs one parsed command of line `line_number`; false on a script error
    // (a bad target, a file that cannot be changed), which has been reported.
    bool Execute(const Command& command, int line_number);
    // Reports a script error on line `line_number`; returns false.
    bool Report(int line_number, const std::string& message);
    // Writes out the trace so far.
    void Flush();
    // Input from the user has arrived: after `away`, the user is back.
    void InputArrives();

    Program& program() { return *program_; }
    VirtualScheduler& scheduler() { return *scheduler_; }

private:
    class Printer;
    void Ignored(const std::string& input);
    bool Print(const std::string& what, int line_number);
    bool Tamper(const Command& command, int line_number);
    void Tell(Presence what);

    std::ostream& out_;
    std::ostream& err_;
    std::string data_dir_;
    std::unique_ptr<VirtualScheduler> scheduler_;
    std::unique_ptr<Disk> disk_;
    std::unique_ptr<SoundPlayer> sound_;
    std::unique_ptr<Resources> resources_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<Printer> printer_;
};

}  // namespace vz

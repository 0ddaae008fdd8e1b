#pragma once
// The long random run: a session of the simulator checked against the
// reference model after every traced event, every timer tick of the model and
// every command; a random user that drives it; and the search for the shortest
// script that still shows a failure.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "use_model.h"

namespace vz::test {

// A session: fresh files on disk, the simulator in-process, the model beside it.
class Session {
public:
    explicit Session(const StoredFiles& files);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Runs one script line; false once the program has broken a rule.
    bool Run(const std::string& line);
    // Compares the files on disk with the model.
    bool CheckDisk();

    const UseModel& model() const { return model_; }
    std::int64_t Now() const;
    const std::string& failure() const { return failure_; }
    // The last lines of the trace, oldest first.
    std::vector<std::string> TraceTail() const;

private:
    class Watch;
    struct Parts;
    void Send(const std::string& line);
    void Check();
    void Fail(const std::string& message);

    std::unique_ptr<Parts> parts_;
    UseModel model_;
    std::string failure_;
    int line_ = 0;
};

// Random choices from a seed, the same on every machine.
class Dice {
public:
    explicit Dice(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    long Below(long n);                 // 0 to n - 1
    long Between(long low, long high);  // low to high, both included
    bool Chance(double p);

private:
    std::uint64_t state_;
};

// What a user might do next, given what the model says is on the screen.
class RandomUser {
public:
    RandomUser(Dice& dice, int usage_ceiling) : dice_(dice), usage_ceiling_(usage_ceiling) {}
    std::string Next(const UseModel& model, std::int64_t now);

private:
    std::string Wait(long low_ms, long high_ms);
    std::string WhileStopped();
    std::string WhileWaiting(const UseModel& model, std::int64_t now);
    std::string InCountdown(const UseModel& model);
    std::string OnRestScreen();
    std::string InMenu();
    std::string InSettings();
    std::string InHours();
    std::string InAbout();
    Dice& dice_;
    int usage_ceiling_;  // no exit that could take the count past this
};

// A script and the files it starts from.
struct Script {
    StoredFiles files;
    std::vector<std::string> lines;  // starts with `start`
};

struct Outcome {
    bool failed = false;
    std::string message;
    std::vector<std::string> trace;  // its last lines
    std::size_t line = 0;            // the line that failed
    std::int64_t line_began = 0;     // when it began, ms
    std::int64_t failed_at = 0;      // when it failed, ms
};

// Runs a script in a fresh session.
Outcome Replay(const Script& script);

// What a run did: its commands, the files as they stood before each, and
// which commands started the program afresh.
struct RunRecord {
    std::vector<std::string> commands;
    std::vector<StoredFiles> before;
    std::vector<std::size_t> starts;

    void Add(const std::string& command, const UseModel& model) {
        if (command == "start" && !model.running) starts.push_back(commands.size());
        commands.push_back(command);
        before.push_back({model.usage, model.settings});
    }
};

// The shortest script found that still fails: the shortest tail of the run up
// to its failing command (replayed after a fresh start on the files as they
// stood before it), then with every line dropped that it can do without.
Script Shrink(const RunRecord& run, std::size_t failed_at);

// A script as text that the simulator runs, with the files it needs.
std::string Describe(const Script& script);
// A duration as the simulator reads it, in its largest exact unit.
std::string Duration(std::int64_t ms);

}  // namespace vz::test

#pragma once
// The program over virtual time and a real folder, for tests that drive it
// thousands of times: a scratch folder on a memory file system where there is
// one, and a tally of what the program reported and wrote.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/embedded_resources.h"
#include "app/program.h"
#include "platform/event.h"
#include "platform/real_disk.h"
#include "platform/sound.h"
#include "platform/virtual_scheduler.h"
#include "reminder/frm_splash.h"

namespace vz::test {

// A fresh folder, removed with everything in it at the end. Every write the
// program makes is flushed to disk, and these tests make tens of thousands of
// them, so the folder lives in memory (/dev/shm) where the machine has that.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The whole file, or nothing when it does not exist.
std::optional<Bytes> ReadBytes(const std::filesystem::path& file);
// Replaces the file with exactly `bytes`.
void WriteBytes(const std::filesystem::path& file, const Bytes& bytes);

// Counts what the program reports and writes, as the trace would show it.
class Tally : public Observer {
public:
    void OnEvent(const Event& event) override;
    void Clear() { *this = Tally(); }

    std::vector<std::string> errors;  // the text of each `error` line
    int writes = 0;                   // `write` lines, of either file
    int chimes = 0;
};

// One program over its own virtual clock, silent, with its files in `folder`.
class Bench {
public:
    explicit Bench(const std::filesystem::path& folder, Screen screen = {});
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    Program& program() { return program_; }
    Runtime& runtime() { return program_.runtime(); }
    VirtualScheduler& clock() { return scheduler_; }
    // The reminder window; fails the test when it is not loaded.
    FrmSplash& splash();
    // Runs a menu entry's action as choosing it from the rest screen's menu does.
    void Choose(const std::string& item);

    Tally tally;

private:
    VirtualScheduler scheduler_;
    RealDisk disk_;
    SilentPlayer sound_;
    EmbeddedResources resources_;
    Program program_;  // last: its windows stop their timers on the way out
};

}  // namespace vz::test

#pragma once
// Test harness: a fresh data folder on the real disk and the simulator over it.
// Do() runs script lines and returns exactly the trace lines they produced.

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/sound.h"
#include "reminder/frm_splash.h"
#include "sim/simulator.h"

namespace vz::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

using Lines = std::vector<std::string>;

class SimRun {
public:
    explicit SimRun(Screen screen = {}, Disk* disk = nullptr);

    // Runs script lines (separated by newlines); returns the trace they produced.
    Lines Do(const std::string& script);
    // Like Do, but keeps only lines containing `needle`.
    Lines Grep(const std::string& script, const std::string& needle);

    FrmSplash& splash();
    Runtime& runtime() { return sim_->program().runtime(); }
    std::string Print(const std::string& what);  // the value `print` answers
    std::filesystem::path File(const std::string& name) const { return dir_.path() / name; }
    // The file's bytes, or nothing when it does not exist.
    std::optional<Bytes> Read(const std::string& name) const;
    void Write(const std::string& name, const Bytes& bytes) const;
    std::string errors() const { return err_.str(); }

private:
    TempDir dir_;
    std::ostringstream out_;
    std::ostringstream err_;
    std::unique_ptr<Simulator> sim_;
    int line_ = 0;
};

}  // namespace vz::test

#pragma once
// Test harness: a fresh data folder on the real disk and the simulator over it.
// Do() runs script lines and returns exactly the trace lines they produced.

#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sound.h"
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
    // Over a fresh folder of its own, or over `data_dir` when one is given.
    explicit SimRun(std::optional<std::filesystem::path> data_dir = std::nullopt);

    // Runs script lines (separated by newlines); returns the trace they produced.
    Lines Do(const std::string& script);
    // Like Do, but keeps only lines containing `needle`.
    Lines Grep(const std::string& script, const std::string& needle);

    Simulator& sim() { return *sim_; }
    std::filesystem::path File(const std::string& name) const { return data_dir_ / name; }
    // The file's bytes, or nothing when it does not exist.
    std::optional<Bytes> Read(const std::string& name) const;
    void Write(const std::string& name, const Bytes& bytes) const;

private:
    TempDir dir_;
    std::filesystem::path data_dir_;
    std::ostringstream out_;
    std::ostringstream err_;
    std::unique_ptr<Simulator> sim_;
    int line_ = 0;
};

}  // namespace vz::test

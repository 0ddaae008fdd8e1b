#include "harness.h"

#include <fstream>
#include <random>

#include <gtest/gtest.h>

namespace vz::test {

TempDir::TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("verezerud-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

SimRun::SimRun(std::optional<std::filesystem::path> data_dir)
    : data_dir_(data_dir ? *data_dir : dir_.path()) {
    SimOptions options;
    options.data_dir = data_dir_.string();
    sim_ = std::make_unique<Simulator>(options, out_, err_);
}

Lines SimRun::Do(const std::string& script) {
    out_.str("");
    std::istringstream in(script);
    for (std::string line; std::getline(in, line);)
        EXPECT_TRUE(sim_->RunLine(line, ++line_)) << "script line: " << line << "\n" << err_.str();
    Lines lines;
    std::istringstream trace(out_.str());
    for (std::string line; std::getline(trace, line);) lines.push_back(line);
    return lines;
}

Lines SimRun::Grep(const std::string& script, const std::string& needle) {
    Lines kept;
    for (const std::string& line : Do(script))
        if (line.find(needle) != std::string::npos) kept.push_back(line);
    return kept;
}

std::optional<Bytes> SimRun::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    if (!in) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void SimRun::Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace vz::test

#include "bench.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <random>
#include <stdexcept>

#include "dialogs/form1.h"

namespace vz::test {
namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    std::random_device rd;
    const std::string name =
        "verezerud-dependable-" + std::to_string(rd()) + "-" + std::to_string(rd());
    std::error_code ec;
    if (fs::is_directory("/dev/shm", ec) && fs::create_directory(fs::path("/dev/shm") / name, ec)) {
        path_ = fs::path("/dev/shm") / name;
        return;
    }
    path_ = fs::temp_directory_path() / name;  // no memory file system: a slower disk
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::optional<Bytes> ReadBytes(const fs::path& file) {
    // Plain system calls: the sweeps read files hundreds of thousands of times.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    Bytes out;
    std::uint8_t buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        out.insert(out.end(), buffer, buffer + n);
    }
    ::close(fd);
    return out;
}

void WriteBytes(const fs::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

void Tally::OnEvent(const Event& event) {
    switch (event.kind) {
        case EventKind::Error:
            errors.push_back(event.line);
            break;
        case EventKind::Write:
            ++writes;
            break;
        case EventKind::Chime:
            ++chimes;
            break;
        default:
            break;
    }
}

Bench::Bench(const fs::path& folder, Screen screen)
    : disk_(folder.string()), program_(Services{scheduler_, disk_, sound_, resources_, screen}) {
    program_.runtime().AddObserver(&tally);
}

FrmSplash& Bench::splash() {
    FrmSplash* splash = program_.Splash();
    if (!splash) throw std::runtime_error("frmSplash is not loaded");
    return *splash;
}

void Bench::Choose(const std::string& item) {
    Runtime& rt = runtime();
    auto& carrier = rt.Ref<Form1>(Form1::kName);
    if (item == "Setting")
        rt.Dispatch([&] { carrier.Setting_Click(); });
    else if (item == "Hour")
        rt.Dispatch([&] { carrier.Hour_Click(); });
    else if (item == "About")
        rt.Dispatch([&] { carrier.About_Click(); });
    else
        throw std::invalid_argument("no menu entry " + item);
}

}  // namespace vz::test

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "os/option_files.h"

namespace vz {

namespace {

constexpr char kFile[] = "/verezerud/verezerud.conf";

// A relative folder in these variables is to be ignored, as XDG says.
bool Absolute(const char* path) { return path && *path == '/'; }

}  // namespace

std::string UserOptionsFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (Absolute(config)) return config + std::string(kFile);
    const char* home = std::getenv("HOME");
    if (home && *home) return home + std::string("/.config") + kFile;
    return {};
}

void ReadMachineWideOptions(Options& options) {
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    const std::string list = dirs && *dirs ? dirs : "/etc/xdg";
    std::vector<std::string> folders;
    std::size_t from = 0;
    while (from <= list.size()) {
        const std::size_t colon = std::min(list.find(':', from), list.size());
        const std::string folder = list.substr(from, colon - from);
        if (Absolute(folder.c_str())) folders.push_back(folder);
        from = colon + 1;
    }
    // The first folder is the strongest: it is read last, so its values stand.
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
        ReadOptionFile(*it + kFile, OptionOrigin::MachineWide, options);
}

}  // namespace vz

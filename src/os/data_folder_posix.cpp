#include "os/data_folder.h"

#include <cstdlib>

namespace vz {

std::string DataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    // A relative XDG_DATA_HOME is not to be trusted: fall back to the home folder.
    if (data && *data == '/') return std::string(data) + "/verezerud";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.local/share/verezerud";
    return {};
}

}  // namespace vz

#include "qt/data_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vz::qt {

std::string DataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    // A relative XDG_DATA_HOME is not to be trusted: fall back to the home folder.
    if (data && *data == '/') return std::string(data) + "/verezerud";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.local/share/verezerud";
    return {};
}

bool MakeDataFolder(const std::string& folder, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder)) {
        error = ec ? ec.message() : "not a folder";
        return false;
    }
    return true;
}

}  // namespace vz::qt

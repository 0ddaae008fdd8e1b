#include "os/data_folder.h"

#include <filesystem>
#include <system_error>

#include "os/path.h"

namespace vz {

bool MakeDataFolder(const std::string& folder, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(NativePath(folder), ec);
    if (ec || !std::filesystem::is_directory(NativePath(folder))) {
        error = ec ? ec.message() : "not a folder";
        return false;
    }
    return true;
}

std::string WindowsDataFolder(const std::string& local_app_data) {
    std::string base = local_app_data;
    while (!base.empty() && (base.back() == '\\' || base.back() == '/')) base.pop_back();
    return base.empty() ? std::string() : base + "\\Verezerud";
}

std::vector<std::string> AdoptEarlierFiles(const std::string& folder,
                                           const std::vector<std::string>& names,
                                           const std::string& earlier) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const std::string& name : names)
        if (fs::exists(NativePath(JoinPath(folder, name)), ec)) return {};
    std::vector<std::string> copied;
    for (const std::string& name : names) {
        const fs::path from = NativePath(JoinPath(earlier, name));
        if (!fs::is_regular_file(from, ec)) continue;
        fs::create_directories(NativePath(folder), ec);
        if (fs::copy_file(from, NativePath(JoinPath(folder, name)), fs::copy_options::skip_existing, ec))
            copied.push_back(name);
    }
    return copied;
}

}  // namespace vz

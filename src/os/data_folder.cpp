#include "os/data_folder.h"

#include <filesystem>
#include <system_error>

#include "os/path.h"
#include "os/real_disk.h"
#include "platform/errors.h"

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
    bool fresh = true;  // nothing has been carried over yet
    for (const std::string& name : names)
        if (fs::exists(NativePath(JoinPath(folder, name)), ec)) fresh = false;
    RealDisk from(earlier), to(folder);
    std::vector<std::string> written;
    for (const std::string& name : names) {
        const std::string part = name + kCarrySuffix;
        // A temporary: a start was cut short while carrying this file.
        const bool cut_short = fs::remove(NativePath(JoinPath(folder, part)), ec);
        if (!fresh && !cut_short) continue;
        if (fs::exists(NativePath(JoinPath(folder, name)), ec)) continue;
        const std::optional<Bytes> bytes = from.Contents(name);
        if (!bytes) continue;
        try {
            to.Open(part);
            to.Write(part, 0, *bytes);
            written.push_back(name);
        } catch (const RuntimeError&) {
            fs::remove(NativePath(JoinPath(folder, part)), ec);
        }
    }
    // Every file is written before any is renamed: a start cut short from here
    // on leaves a temporary for each file not yet in place.
    std::vector<std::string> carried;
    for (const std::string& name : written) {
        const std::string part = JoinPath(folder, name + kCarrySuffix);
        if (RenameWithoutReplacing(part, JoinPath(folder, name)))
            carried.push_back(name);
        else
            fs::remove(NativePath(part), ec);
    }
    return carried;
}

}  // namespace vz

#include "app/windows_data_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/native_path.h"
#include "store/settings_file.h"
#include "store/usage_file.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vz {

std::string WindowsDataFolder(const std::string& local_app_data) {
    std::string base = local_app_data;
    while (!base.empty() && (base.back() == '\\' || base.back() == '/')) base.pop_back();
    return base.empty() ? std::string() : base + "\\Verezerud";
}

std::vector<std::string> AdoptEarlierFiles(const std::string& folder, const std::string& earlier) {
    namespace fs = std::filesystem;
    const std::string names[] = {kUsageFile, kSettingsFile};
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

#ifdef _WIN32
std::string LocalAppData() {
    const DWORD n = ::GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    value.resize(::GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(), n));
    return Narrow(value);
}
#endif

}  // namespace vz

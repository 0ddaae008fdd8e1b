#include "os/data_folder.h"

#include <windows.h>

#include "os/path.h"

namespace vz {

std::string DataFolder() {
    const DWORD n = ::GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    value.resize(::GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(), n));
    return WindowsDataFolder(Narrow(value));
}

bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists.
    return ::MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace vz

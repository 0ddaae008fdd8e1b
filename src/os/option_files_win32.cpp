#include <windows.h>

#include <vector>

#include "os/option_files.h"
#include "os/path.h"

namespace vz {

namespace {
constexpr wchar_t kPolicyKey[] = L"Software\\Policies\\Verezerud";
constexpr char kPolicyName[] = "HKLM\\Software\\Policies\\Verezerud";
}  // namespace

std::string UserOptionsFile() {
    const DWORD n = ::GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    value.resize(::GetEnvironmentVariableW(L"APPDATA", value.data(), n));
    if (value.empty()) return {};
    return Narrow(value) + "\\Verezerud\\verezerud.conf";
}

// Each string value of the policy key is an option, named as in the file.
void ReadMachineWideOptions(Options& options) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPolicyKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD name_size = 256, type = 0, data_size = 0;
        LONG r = ::RegEnumValueW(key, i, name, &name_size, nullptr, &type, nullptr, &data_size);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r != ERROR_SUCCESS) continue;
        const std::string place = std::string(kPolicyName) + "\\" + Narrow(name);
        if (type != REG_SZ) {
            options.AddProblem(place + ": not a string value; ignored");
            continue;
        }
        std::vector<wchar_t> data(data_size / sizeof(wchar_t) + 1, L'\0');
        DWORD size = DWORD(data.size() * sizeof(wchar_t));
        name_size = 256;
        r = ::RegEnumValueW(key, i, name, &name_size, nullptr, &type,
                            reinterpret_cast<BYTE*>(data.data()), &size);
        if (r != ERROR_SUCCESS || type != REG_SZ) continue;
        options.Set(Narrow(name), Narrow(data.data()), OptionOrigin::MachineWide, place);
    }
    ::RegCloseKey(key);
}

}  // namespace vz

#include "os/option_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "os/path.h"

namespace vz {

void ReadOptionFiles(Options& options) {
    // The administrator's values first, so that each of the user's they
    // refuse is said.
    ReadMachineWideOptions(options);
    const std::string user = UserOptionsFile();
    if (!user.empty()) ReadOptionFile(user, OptionOrigin::UserFile, options);
}

void ReadOptionFile(const std::string& path, OptionOrigin origin, Options& options) {
    std::error_code ec;
    const std::filesystem::path native = NativePath(path);
    if (!std::filesystem::exists(native, ec) && !ec) return;
    std::ifstream file;
    if (!std::filesystem::is_directory(native, ec)) file.open(native, std::ios::binary);
    std::string text;
    if (file.is_open()) text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!file.is_open() || file.bad()) {
        options.AddProblem("cannot read " + path + "; its options are not used");
        return;
    }
    options.ReadText(text, path, origin);
}

}  // namespace vz

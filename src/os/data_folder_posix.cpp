#include "os/data_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace vz {

std::string DataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    // A relative XDG_DATA_HOME is not to be trusted: fall back to the home folder.
    if (data && *data == '/') return std::string(data) + "/verezerud";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.local/share/verezerud";
    return {};
}

bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
#endif
    // A file system without renameat2's flag: a second name, then the first goes.
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

}  // namespace vz

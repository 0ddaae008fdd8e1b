#include "os/path.h"

namespace vz {

std::string JoinPath(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + kPathSeparator + name;
}

}  // namespace vz

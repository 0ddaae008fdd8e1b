#include "os/real_disk.h"

#include "os/path.h"

namespace vz {

RealDisk::RealDisk(std::string folder) : folder_(std::move(folder)) {}

std::string RealDisk::Path(const std::string& name) const { return JoinPath(folder_, name); }

}  // namespace vz

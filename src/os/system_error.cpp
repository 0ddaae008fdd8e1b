#include "os/system_error.h"

namespace vz {

void ThrowFileError(const std::string& what, const std::string& path, unsigned long code) {
    throw RuntimeError(FileErrorNumber(code),
                       "cannot " + what + " " + path + ": " + SystemErrorText(code));
}

}  // namespace vz

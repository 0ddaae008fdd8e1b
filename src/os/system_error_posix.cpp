#include "os/system_error.h"

#include <cerrno>
#include <cstring>

namespace vz {

std::string SystemErrorText(unsigned long code) { return std::strerror(int(code)); }

ErrorNumber FileErrorNumber(unsigned long code) {
    const int err = int(code);
    return err == ENOSPC || err == EDQUOT ? ErrorNumber::DiskFull
           : err == EIO                   ? ErrorNumber::DeviceIo
                                          : ErrorNumber::PathFileAccess;
}

}  // namespace vz

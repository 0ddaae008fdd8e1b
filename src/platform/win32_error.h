#pragma once
// Windows only: a system error code in the words the program uses for the
// same failure everywhere ("No such file or directory", "Is a directory",
// "No space left on device"…), so its messages read alike on every system.

#include <string>

#include "platform/errors.h"

namespace vz {

// Not a system code: the path names a folder (or a device) where a file
// should be, which Windows reports only as "access denied".
inline constexpr unsigned long kErrorIsADirectory = 0x20000000ul | 21;

std::string SystemErrorText(unsigned long code);
// The runtime's error number for a failed file operation with this code.
ErrorNumber FileErrorNumber(unsigned long code);

}  // namespace vz

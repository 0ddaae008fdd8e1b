#pragma once
// A system error code in the words the program uses for the same failure
// everywhere ("No such file or directory", "Is a directory", "No space left
// on device"…), so its messages read alike on every system. The code is
// errno's on POSIX systems and GetLastError's on Windows.

#include <string>

#include "platform/errors.h"

namespace vz {

#ifdef _WIN32
// Not a system code: the path names a folder (or a device) where a file
// should be, which Windows reports only as "access denied".
inline constexpr unsigned long kErrorIsADirectory = 0x20000000ul | 21;
#endif

std::string SystemErrorText(unsigned long code);
// The runtime's error number for a failed file operation with this code.
ErrorNumber FileErrorNumber(unsigned long code);
// Raises the runtime's error for a file operation that failed with `code`:
// "cannot `what` `path`: " and the system's words.
[[noreturn]] void ThrowFileError(const std::string& what, const std::string& path,
                                 unsigned long code);

}  // namespace vz

#pragma once
// The runtime's error: what a failing call or a checked conversion raises.
// A handler that does not catch it stops at that step; the runtime reports it.

#include <stdexcept>
#include <string>

namespace vz {

enum class ErrorNumber {
    Overflow = 6,
    BadFileName = 52,
    DeviceIo = 57,
    DiskFull = 61,
    PathFileAccess = 75,
    ResourceNotFound = 326,
    InvalidPropertyValue = 380,
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorNumber number, const std::string& message)
        : std::runtime_error(message), number_(number) {}
    ErrorNumber number() const { return number_; }

private:
    ErrorNumber number_;
};

}  // namespace vz

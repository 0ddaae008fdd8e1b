#include "os/system_error.h"

#include <windows.h>

#include "os/path.h"

#ifndef ERROR_DISK_QUOTA_EXCEEDED
#define ERROR_DISK_QUOTA_EXCEEDED 1295L
#endif

namespace vz {

namespace {

// The failures a user can meet with a data file, by what they mean.
enum class Failure { Other, Directory, Missing, Denied, ReadOnly, Full, Quota, Device, BadName };

Failure Classify(unsigned long code) {
    switch (code) {
        case kErrorIsADirectory: return Failure::Directory;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH: return Failure::Missing;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return Failure::Denied;
        case ERROR_WRITE_PROTECT: return Failure::ReadOnly;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return Failure::Full;
        case ERROR_DISK_QUOTA_EXCEEDED: return Failure::Quota;
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_GEN_FAILURE:
        case ERROR_IO_DEVICE:
        case ERROR_NOT_READY: return Failure::Device;
        case ERROR_INVALID_NAME:
        case ERROR_FILENAME_EXCED_RANGE: return Failure::BadName;
        default: return Failure::Other;
    }
}

}  // namespace

std::string SystemErrorText(unsigned long code) {
    // Worded as on Linux, so a report reads the same on either system.
    switch (Classify(code)) {
        case Failure::Directory: return "Is a directory";
        case Failure::Missing: return "No such file or directory";
        case Failure::Denied: return "Permission denied";
        case Failure::ReadOnly: return "Read-only file system";
        case Failure::Full: return "No space left on device";
        case Failure::Quota: return "Disk quota exceeded";
        case Failure::Device: return "Input/output error";
        case Failure::BadName: return "Invalid argument";
        case Failure::Other: break;
    }
    wchar_t* text = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, DWORD(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide = n && text ? std::wstring(text, n) : std::wstring();
    if (text) ::LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L'.' ||
                             wide.back() == L' '))
        wide.pop_back();
    return wide.empty() ? "system error " + std::to_string(code) : Narrow(wide);
}

ErrorNumber FileErrorNumber(unsigned long code) {
    switch (Classify(code)) {
        case Failure::Full:
        case Failure::Quota: return ErrorNumber::DiskFull;
        case Failure::Device: return ErrorNumber::DeviceIo;
        default: return ErrorNumber::PathFileAccess;
    }
}

}  // namespace vz

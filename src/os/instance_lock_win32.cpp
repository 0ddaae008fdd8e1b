#include "os/instance_lock.h"

#include <windows.h>

#include "os/path.h"
#include "os/system_error.h"

namespace vz {

InstanceLock::InstanceLock(const std::string& folder) {
    const std::string path = JoinPath(folder, kFileName);
    HANDLE h = ::CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = "cannot open " + path + ": " + SystemErrorText(::GetLastError());
        return;
    }
    // One byte, locked for as long as the handle is open; a lock may lie past
    // the end of the (empty) file.
    OVERLAPPED at{};
    if (!::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_LOCK_VIOLATION || err == ERROR_IO_PENDING)
            state_ = State::HeldElsewhere;
        else
            error_ = "cannot lock " + path + ": " + SystemErrorText(err);
        ::CloseHandle(h);
        return;
    }
    handle_ = h;
    state_ = State::Acquired;
}

InstanceLock::~InstanceLock() {
    if (handle_) ::CloseHandle(static_cast<HANDLE>(handle_));  // closing releases the lock
}

}  // namespace vz

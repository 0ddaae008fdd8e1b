#pragma once
// One running program per data folder: a second one would double every credit
// and every reminder. The lock is an advisory lock on a file in the folder,
// which the system releases when the holder ends in any way, so a killed
// program never leaves a lock behind that keeps the next one from starting.
// On Windows the lock is LockFileEx on the same file, which the system also
// drops with the holder.

#include <string>

namespace vz {

class InstanceLock {
public:
    enum class State { Acquired, HeldElsewhere, Failed };

    explicit InstanceLock(const std::string& folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State state() const { return state_; }
    // Why the lock could not be taken, when it failed.
    const std::string& error() const { return error_; }

    static constexpr const char* kFileName = "verezerud.lock";

private:
#ifdef _WIN32
    void* handle_ = nullptr;  // the lock file's HANDLE, when held
#else
    int fd_ = -1;
#endif
    State state_ = State::Failed;
    std::string error_;
};

}  // namespace vz

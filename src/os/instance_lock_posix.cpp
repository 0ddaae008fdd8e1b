#include "os/instance_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "os/path.h"
#include "os/system_error.h"

namespace vz {

InstanceLock::InstanceLock(const std::string& folder) {
    const std::string path = JoinPath(folder, kFileName);
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        error_ = "cannot open " + path + ": " + SystemErrorText(errno);
        return;
    }
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK) {
            state_ = State::HeldElsewhere;
        } else {
            error_ = "cannot lock " + path + ": " + SystemErrorText(errno);
        }
        ::close(fd_);
        fd_ = -1;
        return;
    }
    state_ = State::Acquired;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace vz

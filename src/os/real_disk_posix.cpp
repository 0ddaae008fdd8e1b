#include "os/real_disk.h"

#include <cerrno>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "os/system_error.h"

namespace vz {
namespace {

// Opens for reading and writing, or, where that is refused, for reading only,
// as random-access Open without an access clause does.
int OpenFile(const std::string& path, bool create) {
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return fd;
}

bool IsRegular(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

void RealDisk::Open(const std::string& name) {
    const std::string path = Path(name);
    int raw = OpenFile(path, true);
    if (raw < 0 && errno == ENOENT && !folder_.empty()) {
        // The folder has gone (or never was): make it again rather than give up.
        std::error_code ec;
        std::filesystem::create_directories(folder_, ec);
        raw = OpenFile(path, true);
    }
    Fd fd(raw);
    if (fd.get() < 0) ThrowFileError("open", path, errno);
    if (!IsRegular(fd.get())) ThrowFileError("open", path, EISDIR);
}

Bytes RealDisk::Read(const std::string& name, std::size_t offset, std::size_t count) {
    const std::string path = Path(name);
    Fd fd(OpenFile(path, false));
    if (fd.get() < 0) ThrowFileError("open", path, errno);
    Bytes out(count);
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::pread(fd.get(), out.data() + got, count - got, off_t(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ThrowFileError("read", path, errno);
        if (n == 0) break;
        got += std::size_t(n);
    }
    out.resize(got);
    return out;
}

namespace {

bool WriteAll(int fd, const Bytes& bytes, std::size_t offset) {
    std::size_t put = 0;
    while (put < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + put, bytes.size() - put, off_t(offset + put));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        put += std::size_t(n);
    }
    return true;
}

}  // namespace

void RealDisk::Write(const std::string& name, std::size_t offset, const Bytes& bytes) {
    const std::string path = Path(name);
    Fd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (fd.get() < 0) ThrowFileError("write", path, errno);
    if (!IsRegular(fd.get())) ThrowFileError("write", path, EISDIR);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) ThrowFileError("write", path, errno);
    // Keep what is there, so a write cut short can be undone: the file then
    // holds the old bytes or the new ones, never a mixture.
    Bytes old(bytes.size());
    const ssize_t had = ::pread(fd.get(), old.data(), old.size(), off_t(offset));
    old.resize(had > 0 ? std::size_t(had) : 0);
    if (!WriteAll(fd.get(), bytes, offset) || ::fsync(fd.get()) != 0) {
        const int err = errno;
        WriteAll(fd.get(), old, offset);
        if (::ftruncate(fd.get(), st.st_size) == 0) ::fsync(fd.get());
        ThrowFileError("write", path, err);
    }
}

std::optional<Bytes> RealDisk::Contents(const std::string& name) {
    const std::string path = Path(name);
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0 || !IsRegular(fd.get())) return std::nullopt;
    Bytes out;
    std::uint8_t buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        out.insert(out.end(), buf, buf + n);
    }
    return out;
}

}  // namespace vz

// The record files on Windows: the same promises as on POSIX systems, kept with
// the system's own calls. Files are opened with CreateFileW, so no C runtime
// text mode stands between the program and its bytes (a 0A stays 0A), and
// paths are UTF-16, so any folder name works.

#include "os/real_disk.h"

#include <filesystem>
#include <system_error>
#include <windows.h>

#include "os/path.h"
#include "os/system_error.h"

namespace vz {
namespace {

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (ok()) ::CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE Create(const std::string& path, DWORD access, DWORD disposition) {
    return ::CreateFileW(Widen(path).c_str(), access, kShareAll, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Windows refuses to open a folder as a file with "access denied"; say what
// it is, as the other systems do.
DWORD Why(const std::string& path) {
    const DWORD err = ::GetLastError();
    if (err == ERROR_ACCESS_DENIED) {
        const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return kErrorIsADirectory;
    }
    return err;
}

// Opens for reading and writing, or, where that is refused, for reading only,
// as random-access Open without an access clause does.
HANDLE OpenFile(const std::string& path, bool create) {
    HANDLE h = Create(path, GENERIC_READ | GENERIC_WRITE, create ? OPEN_ALWAYS : OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE &&
        (::GetLastError() == ERROR_ACCESS_DENIED || ::GetLastError() == ERROR_WRITE_PROTECT)) {
        const DWORD first = ::GetLastError();
        h = Create(path, GENERIC_READ, OPEN_EXISTING);
        if (h == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_NOT_FOUND)
            ::SetLastError(first);
    }
    return h;
}

// A file on a disk, not a device such as NUL or a console.
bool IsRegular(HANDLE h) { return ::GetFileType(h) == FILE_TYPE_DISK; }

OVERLAPPED At(std::size_t offset) {
    OVERLAPPED at{};
    at.Offset = DWORD(std::uint64_t(offset) & 0xFFFFFFFFu);
    at.OffsetHigh = DWORD(std::uint64_t(offset) >> 32);
    return at;
}

// Reads up to `count` bytes from `offset`; false (with the system's error
// left for GetLastError) when reading fails.
bool ReadAt(HANDLE h, std::uint8_t* into, std::size_t count, std::size_t offset, std::size_t& got) {
    got = 0;
    while (got < count) {
        OVERLAPPED at = At(offset + got);
        DWORD n = 0;
        if (!::ReadFile(h, into + got, DWORD(count - got), &n, &at)) {
            if (::GetLastError() == ERROR_HANDLE_EOF) break;
            return false;
        }
        if (n == 0) break;
        got += n;
    }
    return true;
}

bool WriteAll(HANDLE h, const Bytes& bytes, std::size_t offset) {
    std::size_t put = 0;
    while (put < bytes.size()) {
        OVERLAPPED at = At(offset + put);
        DWORD n = 0;
        if (!::WriteFile(h, bytes.data() + put, DWORD(bytes.size() - put), &n, &at)) return false;
        if (n == 0) {
            ::SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        put += n;
    }
    return true;
}

}  // namespace

void RealDisk::Open(const std::string& name) {
    const std::string path = Path(name);
    HANDLE raw = OpenFile(path, true);
    if (raw == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_PATH_NOT_FOUND && !folder_.empty()) {
        // The folder has gone (or never was): make it again rather than give up.
        std::error_code ec;
        std::filesystem::create_directories(NativePath(folder_), ec);
        raw = OpenFile(path, true);
    }
    if (raw == INVALID_HANDLE_VALUE) ThrowFileError("open", path, Why(path));
    Handle h(raw);
    if (!IsRegular(h.get())) ThrowFileError("open", path, kErrorIsADirectory);
}

Bytes RealDisk::Read(const std::string& name, std::size_t offset, std::size_t count) {
    const std::string path = Path(name);
    Handle h(OpenFile(path, false));
    if (!h.ok()) ThrowFileError("open", path, Why(path));
    Bytes out(count);
    std::size_t got = 0;
    if (!ReadAt(h.get(), out.data(), count, offset, got))
        ThrowFileError("read", path, ::GetLastError());
    out.resize(got);
    return out;
}

void RealDisk::Write(const std::string& name, std::size_t offset, const Bytes& bytes) {
    const std::string path = Path(name);
    Handle h(Create(path, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING));
    if (!h.ok()) ThrowFileError("write", path, Why(path));
    if (!IsRegular(h.get())) ThrowFileError("write", path, kErrorIsADirectory);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(h.get(), &size)) ThrowFileError("write", path, ::GetLastError());
    // Keep what is there, so a write cut short can be undone: the file then
    // holds the old bytes or the new ones, never a mixture.
    Bytes old(bytes.size());
    std::size_t had = 0;
    if (!ReadAt(h.get(), old.data(), old.size(), offset, had)) had = 0;
    old.resize(had);
    if (!WriteAll(h.get(), bytes, offset) || !::FlushFileBuffers(h.get())) {
        const DWORD err = ::GetLastError();
        WriteAll(h.get(), old, offset);
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile = size;
        if (::SetFileInformationByHandle(h.get(), FileEndOfFileInfo, &end, sizeof end))
            ::FlushFileBuffers(h.get());
        ThrowFileError("write", path, err);
    }
}

std::optional<Bytes> RealDisk::Contents(const std::string& name) {
    Handle h(Create(Path(name), GENERIC_READ, OPEN_EXISTING));
    if (!h.ok() || !IsRegular(h.get())) return std::nullopt;
    Bytes out;
    std::uint8_t buf[4096];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(h.get(), buf, sizeof buf, &n, nullptr) || n == 0) break;
        out.insert(out.end(), buf, buf + n);
    }
    return out;
}

}  // namespace vz

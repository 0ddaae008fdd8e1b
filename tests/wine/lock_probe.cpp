// The instance lock on Windows, checked under Wine: a second holder is kept
// out, in another process and in the same one, and a holder that is killed
// leaves no lock behind. `lock_probe DIR` runs the checks, starting itself as
// `lock_probe hold DIR` for the other process, which says "held" once it has
// the lock and keeps it until its input closes or it is killed.

#include <windows.h>

#include <cstdio>
#include <string>

#include "os/instance_lock.h"
#include "os/path.h"

namespace {

using State = vz::InstanceLock::State;

int failures = 0;

void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok) ++failures;
}

State TryLock(const std::string& dir) { return vz::InstanceLock(dir).state(); }

int Hold(const std::string& dir) {
    vz::InstanceLock lock(dir);
    std::printf("%s\n", lock.state() == State::Acquired ? "held" : lock.error().c_str());
    std::fflush(stdout);
    std::getchar();
    return 0;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argc == 3 && std::wstring(argv[1]) == L"hold") return Hold(vz::Narrow(argv[2]));
    if (argc != 2) {
        std::fprintf(stderr, "usage: lock_probe DIR\n");
        return 2;
    }
    const std::string dir = vz::Narrow(argv[1]);
    ::CreateDirectoryW(argv[1], nullptr);

    // The holder, with pipes for its input and output.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out_read, out_write, in_read, in_write;
    ::CreatePipe(&out_read, &out_write, &inherit, 0);
    ::SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
    ::CreatePipe(&in_read, &in_write, &inherit, 0);
    ::SetHandleInformation(in_write, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = in_read;
    start.hStdOutput = out_write;
    start.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" hold \"" + argv[1] + L"\"";
    PROCESS_INFORMATION holder{};
    if (!::CreateProcessW(self, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                          &holder)) {
        std::fprintf(stderr, "cannot start the holder: %lu\n", ::GetLastError());
        return 1;
    }
    ::CloseHandle(out_write);
    ::CloseHandle(in_read);
    char said[256] = {};
    DWORD n = 0;
    ::ReadFile(out_read, said, sizeof said - 1, &n, nullptr);
    Check(std::string(said, n).rfind("held", 0) == 0, "the first program takes the lock");

    Check(TryLock(dir) == State::HeldElsewhere, "a second program is kept out");
    ::TerminateProcess(holder.hProcess, 9);
    ::WaitForSingleObject(holder.hProcess, INFINITE);
    Check(TryLock(dir) == State::Acquired, "a killed holder leaves no lock behind");
    {
        vz::InstanceLock first(dir);
        Check(TryLock(dir) == State::HeldElsewhere, "a second lock in the same process is kept out");
    }
    Check(TryLock(dir) == State::Acquired, "the lock ends with its holder");
    const std::wstring file = std::wstring(argv[1]) + L"\\" + vz::Widen(vz::InstanceLock::kFileName);
    Check(::GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES,
          "the lock file lies in the data folder");
    ::LocalFree(argv);
    return failures ? 1 : 0;
}

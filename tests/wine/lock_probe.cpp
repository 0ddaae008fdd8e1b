// The instance lock on Windows, checked under Wine: a second holder is kept
// out, in another process and in the same one, and a holder that is killed
// leaves no lock behind. `lock_probe DIR` runs the checks, starting itself as
// `lock_probe hold DIR` for the other process, which signals the event
// "vz-lock-held" once it has the lock and keeps it until it is killed.

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
    if (lock.state() != State::Acquired) {
        std::printf("%s\n", lock.error().c_str());
        return 1;
    }
    ::SetEvent(::OpenEventW(EVENT_MODIFY_STATE, FALSE, L"vz-lock-held"));
    ::Sleep(INFINITE);
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

    HANDLE held = ::CreateEventW(nullptr, TRUE, FALSE, L"vz-lock-held");
    STARTUPINFOW start{};
    start.cb = sizeof start;
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" hold \"" + argv[1] + L"\"";
    PROCESS_INFORMATION holder{};
    if (!::CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &holder)) {
        std::fprintf(stderr, "cannot start the holder: %lu\n", ::GetLastError());
        return 1;
    }
    const HANDLE either[] = {held, holder.hProcess};
    Check(::WaitForMultipleObjects(2, either, FALSE, 30000) == WAIT_OBJECT_0, "the first program takes the lock");
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

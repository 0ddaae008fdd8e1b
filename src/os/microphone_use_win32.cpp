#include "os/microphone_use.h"

#include <windows.h>

#include <mutex>
#include <thread>
#include <utility>

namespace vz {

namespace {

// Where Windows notes, per program, when it last started and stopped using
// the microphone; a program that has started and not stopped uses it now.
constexpr wchar_t kStore[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\microphone";

// Whether an entry under `key`, or under its subkeys (the programs that are
// not packaged sit one level deeper), records now.
bool InUse(HKEY key, int depth) {
    ULONGLONG start = 0, stop = 0;
    DWORD size = sizeof start;
    const bool started = ::RegQueryValueExW(key, L"LastUsedTimeStart", nullptr, nullptr,
                                            reinterpret_cast<BYTE*>(&start), &size) == ERROR_SUCCESS;
    size = sizeof stop;
    const bool stopped_known = ::RegQueryValueExW(key, L"LastUsedTimeStop", nullptr, nullptr,
                                                  reinterpret_cast<BYTE*>(&stop), &size) == ERROR_SUCCESS;
    if (started && start != 0 && stopped_known && stop == 0) return true;
    if (depth == 0) return false;
    wchar_t name[512];
    for (DWORD i = 0;; ++i) {
        DWORD length = 512;
        if (::RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY sub = nullptr;
        if (::RegOpenKeyExW(key, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
        const bool used = InUse(sub, depth - 1);
        ::RegCloseKey(sub);
        if (used) return true;
    }
    return false;
}

}  // namespace

struct MicrophoneUse::Watch {
    std::function<void(bool)> changed;
    HKEY store = nullptr;
    HANDLE stop = nullptr;
    std::thread thread;
    mutable std::mutex mutex;
    std::string description;

    // The store's changes are heard by the thread that asked for them, which
    // waits for them or for the end.
    void Run() {
        HANDLE change = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
        int known = -1;
        for (;;) {
            const LONG asked = ::RegNotifyChangeKeyValue(
                store, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, change, TRUE);
            const bool used = InUse(store, 2);
            if (int(used) != known) {
                known = used;
                changed(used);
            }
            if (asked != ERROR_SUCCESS) break;
            const HANDLE events[] = {stop, change};
            if (::WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
        }
        ::CloseHandle(change);
    }
};

MicrophoneUse::MicrophoneUse(std::function<void(bool in_use)> changed) : watch_(std::make_unique<Watch>()) {
    Watch& w = *watch_;
    w.changed = std::move(changed);
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kStore, 0, KEY_READ | KEY_NOTIFY, &w.store) != ERROR_SUCCESS) {
        w.store = nullptr;
        w.description = "no capability access store here, never seen";
        return;
    }
    w.description = "the capability access store's microphone entries";
    w.stop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    w.thread = std::thread([&w] { w.Run(); });
}

MicrophoneUse::~MicrophoneUse() {
    Watch& w = *watch_;
    if (w.thread.joinable()) {
        ::SetEvent(w.stop);
        w.thread.join();
    }
    if (w.stop) ::CloseHandle(w.stop);
    if (w.store) ::RegCloseKey(w.store);
}

std::string MicrophoneUse::Describe() const {
    std::lock_guard lock(watch_->mutex);
    return watch_->description;
}

}  // namespace vz
